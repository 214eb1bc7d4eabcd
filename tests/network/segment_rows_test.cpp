#include "network/segment_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Rows as a spreadsheet puts them on the clipboard and in a CSV file, written out by hand with
// the columns and cells the grid must take from them; and the faults a paste is refused for,
// each at the row and column a reader finds by counting the text's lines and cells.
namespace {

using network::Column;
using Rows = std::vector<std::vector<std::string>>;

struct ReadCase {
    const char* name;
    std::string text;
    char separator;
    int firstColumn;
    std::vector<Column> columns;
    Rows rows;
    bool headed;
};

const ReadCase kReads[] = {
    {"TwoRowsWithCrlfWithoutHeadingsFromTheSelectedColumn",
     "80\t20\r\n50\t10\r\n",
     '\t',
     3,
     {network::Length, network::LocalLoss},
     {{"80", "20"}, {"50", "10"}},
     false},
    // Full-width brackets too, and any unit for the source's pressure.
    {"HeadingsInAnotherOrderWithAndWithoutUnits",
     "长度 (m)\t管段\t终点\t负荷（t/h）\t要求压力 (MPa(表压))\r\n70\t7\tC\t2.5\t0.4\r\n",
     '\t',
     0,
     {network::Length, network::Name, network::To, network::Load, network::Required},
     {{"70", "7", "C", "2.5", "0.4"}},
     true},
    {"ByteOrderMarkSkippedBlankRowsNoRowsAndQuotedCellsHoldSeparatorsAndDoubledQuotes",
     "\xEF\xBB\xBF管段,起点\n\n,\n\"a,b\",\"say \"\"x\"\"\"\r\n",
     ',',
     0,
     {network::Name, network::From},
     {{"a,b", "say \"x\""}},
     true},
    // The second row is blank once its guard is off: no row.
    {"TheGuardsApostropheComesOffBeforeAFormulaOnly",
     "'=1+1,'+2,'abc,'\n'\t,,,\n",
     ',',
     0,
     {network::Name, network::From, network::To, network::Length},
     {{"=1+1", "+2", "'abc", "'"}},
     false},
    {"NothingButBlanksIsNoRows", "\r\n\t\r\n\"\"", '\t', 0, {}, {}, false},
    {"AQuoteInsideACellIsTextAndTheLastRowNeedsNoLineBreakAfterAQuotedEmptyCell",
     "a\"b\t\"\"",
     '\t',
     0,
     {network::Name, network::From},
     {{"a\"b", ""}},
     false},
};

TEST(SegmentRows, ReadsRowsAsASpreadsheetWritesThem) {
    for (const ReadCase& c : kReads) {
        SCOPED_TRACE(c.name);
        const network::SegmentRowsReading read =
            network::readSegmentRows(c.text, c.separator, c.firstColumn);
        ASSERT_FALSE(read.fault) << network::faultText(*read.fault);
        ASSERT_TRUE(read.rows);
        EXPECT_EQ(read.rows->columns, c.columns);
        EXPECT_EQ(read.rows->rows, c.rows);
        EXPECT_EQ(read.rows->headed, c.headed);
    }
}

struct FaultCase {
    const char* name;
    std::string text;
    int firstColumn;
    std::string fault;
};

const FaultCase kFaults[] = {
    {"ARowShortOfACell", "1\tS\tA\n2\tA\n", 0, "第 2 行第 3 列：有 2 格，应有 3 格"},
    {"ARowWithACellTooMany", "管段\t起点\n1\tS\tx\n", 0, "第 2 行第 3 列：有 3 格，应有 2 格"},
    {"AHeadingNoColumnHas", "管段\t直径\n1\t2\n", 0, "第 1 行第 2 列：标题“直径”不是表中的列"},
    {"AHeadingInAnotherUnit", "管段\t长度 (km)\n", 0,
     "第 1 行第 2 列：“长度”的单位应为 m，不是“km”"},
    {"AHeadingTwice", "管段\t起点\t管段\n", 0, "第 1 行第 3 列：标题“管段”重复"},
    {"AUnitOnAColumnWithout", "管段\t起点 (m)\n", 0, "第 1 行第 2 列：标题“起点 (m)”不是表中的列"},
    {"AUnitsBracketLeftOpen", "管段\t长度 (m\n", 0, "第 1 行第 2 列：标题“长度 (m”不是表中的列"},
    {"ACarriageReturnAloneInACell", "1\tS\rT\n", 0, "第 1 行第 2 列：一格中有换行"},
    {"MoreCellsThanColumnsFromTheSelection", "1\t2\t3\n", 9,
     "第 1 行第 3 列：有 3 格，表中从这一列起只有 2 列"},
    {"AQuoteLeftOpen", "1\tS\n2\t\"A\n", 0, "第 2 行第 2 列：引号没有结束"},
    {"ALineBreakInsideACell", "1\t\"S\nT\"\n", 0, "第 1 行第 2 列：一格中有换行"},
    {"BytesThatAreNotUtf8", "1\t\xFF\n", 0, "第 1 行第 2 列：不是 UTF-8 文字"},
};

TEST(SegmentRows, RefusesWhatCannotBeReadNamingItsRowAndColumn) {
    for (const FaultCase& c : kFaults) {
        SCOPED_TRACE(c.name);
        const network::SegmentRowsReading read =
            network::readSegmentRows(c.text, '\t', c.firstColumn);
        ASSERT_TRUE(read.fault);
        EXPECT_FALSE(read.rows);
        EXPECT_EQ(network::faultText(*read.fault), c.fault);
    }
}

// The grid's copy as a spreadsheet must take it: headings as the grid shows them, CRLF line
// ends, a formula written as text, a number as a number, a tab or quote inside a quoted cell,
// a row short of a cell ended by an empty one.
TEST(SegmentRows, WritesRowsForASpreadsheet) {
    const std::string text =
        network::segmentRowsText({network::Name, network::Length, network::Required},
                                 {{"=HYPERLINK(\"x\")", "-5", "a\tb"}, {"001", "12.5"}});
    EXPECT_EQ(text, "管段\t长度 (m)\t要求压力\r\n"
                    "\"'=HYPERLINK(\"\"x\"\")\"\t-5\t\"a\tb\"\r\n"
                    "001\t12.5\t\r\n");
}

} // namespace
