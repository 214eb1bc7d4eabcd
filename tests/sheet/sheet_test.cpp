#include "files/save.h"
#include "files/text.h"
#include "pipes/sizing_sheet.h"
#include "sheet/sheet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using sheet::Cell;

// Every quoting case of RFC 4180 and a blank at either end, the byte-order mark, CRLF, a
// table's title, headings and rows, and the findings; written out by hand.
TEST(Sheet, CsvQuotesWhatACellNeedsAndEndsLinesInCrLf) {
    sheet::Sheet s;
    s.title = "计算书";
    s.program = "P 1";
    s.date = "2026-12-08";
    s.inputs = {{"a,b", "x"}, {"q\"q", " lead"}};
    s.tables = {{.title = "T",
                 .headings = {"h1", "h 2"},
                 .rows = {{{"1.5", true}, {"line\nbreak"}}, {{"trail "}, {"a\rb"}}},
                 .looks = {}}};
    s.findings = {"f1"};
    EXPECT_EQ(sheet::csvText(s), "\xEF\xBB\xBF"
                                 "计算书\r\n"
                                 "程序,P 1\r\n"
                                 "日期,2026-12-08\r\n"
                                 "\"a,b\",x\r\n"
                                 "\"q\"\"q\",\" lead\"\r\n"
                                 "\r\n"
                                 "T\r\n"
                                 "h1,h 2\r\n"
                                 "1.5,\"line\nbreak\"\r\n"
                                 "\"trail \",\"a\rb\"\r\n"
                                 "\r\n"
                                 "结论\r\n"
                                 "f1\r\n");
    // A tab or a line break in a cell would start another cell or row of the paste.
    s.tables[0].rows[1][0].text = "a\tb";
    EXPECT_EQ(sheet::tabSeparated(s.tables[0]), "h1\th 2\n1.5\tline break\na b\ta b\n");
    const std::size_t second[] = {1, 7};
    EXPECT_EQ(sheet::tabSeparated(s.tables[0], second), "h1\th 2\na b\ta b\n");
}

// A text a spreadsheet would take for a formula gets the apostrophe that keeps it a text, and
// only such a text: what a spreadsheet starts a formula with, worked from the common practice
// for CSV files (=, +, -, the minus sign U+2212, @, a tab, a carriage return).
TEST(Sheet, ATextThatWouldRunAsAFormulaIsKeptAText) {
    const struct {
        const char* why;
        std::string_view text;
        std::string_view kept;
    } cases[] = {
        {"a formula", "=HYPERLINK(\"http://x\",\"a\")", "'=HYPERLINK(\"http://x\",\"a\")"},
        {"a sum", "+1+1", "'+1+1"},
        {"a minus", "-x", "'-x"},
        {"a lone minus", "-", "'-"},
        {"the minus sign", "\u22125", "'\u22125"},
        {"a function", "@SUM(1)", "'@SUM(1)"},
        {"a tab first", "\tT", "'\tT"},
        {"a carriage return first", "\rT", "'\rT"},
        {"digits", "001", "001"},
        {"an equals sign later", "a=b", "a=b"},
        {"a blank first", " =1", " =1"},
        {"a hyphen that is not a minus", "\u20101", "\u20101"},
        {"empty", "", ""},
        {"Chinese", "用户 1", "用户 1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(files::spreadsheetText(c.text), c.kept) << c.why;
}

// Every writer guards text cells by their kind: a number's minus is its own, and the same text
// in a text cell is guarded in the CSV, the paste and the inputs; a number input shows its unit.
TEST(Sheet, TextCellsAreGuardedAndNumbersAreNot) {
    sheet::Sheet s;
    s.title = "=T";
    s.program = "P";
    s.date = "D";
    s.inputs = {{"节点", "+S"}, {"温度", "-5.5", "℃", true}, {"系数", "-1", "", true}};
    s.tables = {{.title = "T",
                 .headings = {"-h", "h"},
                 .rows = {{{"-0.05", true}, {"-0.05"}}, {{"\tx"}, {"@y"}}},
                 .looks = {}}};
    EXPECT_EQ(sheet::csvText(s), "\xEF\xBB\xBF"
                                 "'=T\r\n"
                                 "程序,P\r\n"
                                 "日期,D\r\n"
                                 "节点,'+S\r\n"
                                 "温度,'-5.5 ℃\r\n"
                                 "系数,-1\r\n"
                                 "\r\n"
                                 "T\r\n"
                                 "'-h,h\r\n"
                                 "-0.05,'-0.05\r\n"
                                 "'\tx,'@y\r\n");
    EXPECT_EQ(sheet::tabSeparated(s.tables[0]), "'-h\th\n-0.05\t'-0.05\n' x\t'@y\n");
}

TEST(Sheet, AShownNumberIsANumberWithoutItsSignBlank) {
    const struct {
        const char* shown;
        Cell cell;
    } cases[] = {
        {" 182.06", {"182.06", true}},
        {"-0.5", {"-0.5", true}},
        {" 0", {"0", true}},
        {" 1.234567E+08", {"1.234567E+08", true}},
        {" 5E-05", {"5E-05", true}},
        {"超出计算范围", {"超出计算范围", false}},
        {"DN200", {"DN200", false}},
        {" 12.", {" 12.", false}},
        {"1e-05", {"1e-05", false}},
        {"1.5E5", {"1.5E5", false}},
        {"", {"", false}},
        {"-", {"-", false}},
        {"40–60", {"40–60", false}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sheet::shownCell(c.shown), c.cell) << c.shown;
}

// A cell longer than a spreadsheet allows makes the library fail: its words, naming the file,
// and the old file as it was, nothing beside it.
TEST(Sheet, AFailingWorkbookSaysWhyAndLeavesTheOldFile) {
    const fs::path folder =
        fs::temp_directory_path() / ("sheet_test_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path path = folder / files::pathOf("表.xlsx");
    std::ofstream(path) << "old";
    sheet::Sheet s;
    s.title = "计算书";
    s.tables = {
        {.title = "T", .headings = {"h"}, .rows = {{{std::string(40000, 'x')}}}, .looks = {}}};
    EXPECT_EQ(sheet::saveXlsx(s, path),
              "无法保存“表.xlsx”：有一格的文字长于表格程序允许的 32767 个字符");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {}), "old");
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path(), path) << "nothing left of the save";
    fs::remove_all(folder);
}

// The guide's worked example: 10 t/h of 5.642335 kg/m3 through welded pipe, 0.2 mm, 100 m with
// 30 % local losses; DN150's figures worked by hand there.
TEST(Sheet, TheSizingSheetHoldsTheGuidesWorkedExample) {
    calc::CalcState main;
    main.flow = 10;
    main.density = 5.642335f;
    main.roughness = 0.0002f;
    const pipes::SizingRun run{.length = 100, .fraction = 0.3, .limit = {}, .absoluteMpa = {}};
    const pipes::SizingTable table =
        pipes::sizingTable(main, false, pipes::SteamKind::Saturated, run);
    const sheet::Sheet s =
        pipes::sizingSheet(main, "焊接钢管", "饱和蒸汽", run, table,
                           "推荐 DN150：流速不高于推荐范围的最小管径", "2026-12-08");
    ASSERT_EQ(s.tables.size(), 1u);
    const sheet::Table& sizes = s.tables[0];
    EXPECT_EQ(sizes.headings[4], "管段压降 ΔP (kPa)");
    const auto dn150 = std::find_if(sizes.rows.begin(), sizes.rows.end(),
                                    [](const auto& row) { return row[0].text == "DN150"; });
    ASSERT_NE(dn150, sizes.rows.end());
    EXPECT_EQ(*dn150, (std::vector<Cell>{{"DN150"},
                                         {"150", true},
                                         {"27.85907", true},
                                         {"306.8371", true},
                                         {"39.88882", true},
                                         {"25–35"},
                                         {"适宜"}}));
    EXPECT_EQ(sizes.looks[dn150 - sizes.rows.begin()], sheet::Look::Recommended);
    EXPECT_EQ(s.findings, std::vector<std::string>{"推荐 DN150：流速不高于推荐范围的最小管径"});
    EXPECT_EQ(s.inputs[0].value, "10 t/h");
    EXPECT_EQ(s.inputs[6].value, "沿程损失的 30%");
}

} // namespace
