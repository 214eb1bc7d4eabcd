#include "files/save.h"
#include "tests/ui/main_window.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The grid worked as a spreadsheet through the in-memory window: what a spreadsheet puts on the
// clipboard pasted, the grid's rows copied, cells cut, rows removed, a CSV file imported. Headings
// in another order are the rows' reader's to prove; the rows cut, Delete, the context menu's
// insert and moves are the order network-paste replays. The
// grid's expected rows are written out by hand from the texts given and 添加's documented cells.
namespace {

namespace fs = std::filesystem;
using controls::CellRange;
using controls::GridCommand;
using controls::memory::Op;
using Rows = std::vector<std::vector<std::string>>;

// A new row's cells as 添加 writes them: its number, from the row before, 100 m, 30 %, 自动,
// no load, 100 mm, 架空.
std::vector<std::string> added(const std::string& name, const std::string& from) {
    return {name, from, name, "100", "30", "自动", "0", "", "100", "架空", ""};
}
// A pasted row's cells where the text carries only the first four columns.
std::vector<std::string> pasted(const std::string& name, const std::string& from,
                                const std::string& to, const std::string& length) {
    return {name, from, to, length, "30", "自动", "0", "", "100", "架空", ""};
}

// The network window with two segments added, S → 1 → 2, row 1 current.
struct EditingWindow : NetworkMainWindow {
    EditingWindow() {
        gui.recorder().setListener([this](const Op& op) {
            if (op.kind == "status")
                red = op.on;
            // Filled anew, or greyed at a fault: either is a computation.
            if ((op.kind == "clear" || (op.kind == "stale" && op.on)) &&
                op.control == "Network.results")
                ++solves;
            if (op.kind == "message")
                messages.push_back(op.text);
        });
        press("add");
        press("add");
        solves = 0;
    }
    controls::memory::MemoryClipboard& clipboard() { return gui.clipboard("Network.clipboard"); }
    void command(GridCommand command) { grid().userCommand(command); }
    void paste(const std::string& text) {
        clipboard().putFromElsewhere(text);
        command(GridCommand::Paste);
    }
    std::size_t results() { return table("results").items().size(); }

    bool red = false;
    int solves = 0; // the results made anew: one for each step
    std::vector<std::string> messages;
};

const Rows kTwo = {added("1", "S"), added("2", "1")};

struct PasteCase {
    const char* name;
    std::optional<CellRange> selection; // none: row 1 is current, as 添加 left it
    std::string text;
    Rows rows;
};

const std::string kHeadings =
    "管段\t起点\t终点\t长度 (m)\t局部损失 (%)\t管子\t负荷 (t/h)\t要求压力\t"
    "保温厚度 (mm)\t敷设\t要求温度 (℃)\r\n";

const PasteCase kPastes[] = {
    {"WithTheGridsHeadingsAndEveryColumn",
     std::nullopt,
     kHeadings + "3\t2\t3\t80\t20\tD89×4\t1.5\t0.3\t50\t室内\t160\r\n",
     {added("1", "S"),
      added("2", "1"),
      {"3", "2", "3", "80", "20", "D89×4", "1.5", "0.3", "50", "室内", "160"}}},
    {"OverASelectedRangeOfCells",
     CellRange{0, 3, 1, 4},
     "250\t10\r\n300\t15\r\n",
     {{"1", "S", "1", "250", "10", "自动", "0", "", "100", "架空", ""},
      {"2", "1", "2", "300", "15", "自动", "0", "", "100", "架空", ""}}},
    {"OverSelectedRowsAndOnPastTheLast",
     CellRange{1, 0, 1, 10},
     "2\t1\t2\t70\r\n3\t2\t3\t90\r\n",
     {added("1", "S"), pasted("2", "1", "2", "70"), pasted("3", "2", "3", "90")}},
};

TEST(NetworkEditing, PastesASpreadsheetsRowsAsOneStep) {
    for (const PasteCase& c : kPastes) {
        SCOPED_TRACE(c.name);
        EditingWindow w;
        if (c.selection)
            w.grid().userSelect(*c.selection);
        w.paste(c.text);
        EXPECT_EQ(w.grid().rows(), c.rows);
        EXPECT_EQ(w.solves, 1) << "the pasted cells computed once, as one step";
        EXPECT_FALSE(w.red) << w.status();
        EXPECT_EQ(w.results(), c.rows.size());
    }
}

TEST(NetworkEditing, RefusesAPasteItCannotReadAndPastesNothing) {
    EditingWindow w;
    w.paste("3\t2\t3\r\n4\t3\r\n");
    EXPECT_EQ(w.grid().rows(), kTwo);
    EXPECT_TRUE(w.red);
    EXPECT_EQ(w.status(), "无法粘贴：第 2 行第 3 列：有 2 格，应有 3 格，没有粘贴任何内容");
    EXPECT_TRUE(w.messages.empty()) << "said in the status line, no box";
    w.paste(kHeadings);
    EXPECT_EQ(w.status(), "剪贴板中没有可粘贴的管段") << "headings alone are no rows";
    EXPECT_EQ(w.grid().rows(), kTwo);
}

// A name a spreadsheet would run goes out behind the guard's apostrophe and comes back as typed.
TEST(NetworkEditing, CopiesRowsUnderHeadingsAndPastesThemBackAsTyped) {
    EditingWindow w;
    w.grid().userEdit(0, network::Name, "+1");
    w.grid().userSelect({0, 0, 0, 10});
    w.command(GridCommand::Copy);
    EXPECT_EQ(w.clipboard().text(), kHeadings + "'+1\tS\t1\t100\t30\t自动\t0\t\t100\t架空\t\r\n");
    w.grid().userSelect({1, 2, 1, 2});
    w.command(GridCommand::Paste);
    ASSERT_EQ(w.grid().rowCount(), 3);
    EXPECT_EQ(w.grid().rows()[2], w.grid().rows()[0]);
    EXPECT_EQ(w.grid().rows()[2][0], "+1");
}

TEST(NetworkEditing, CutRemovesWholeRowsAndEmptiesCells) {
    EditingWindow w;
    w.grid().userSelect({0, 3, 1, 4});
    w.command(GridCommand::Cut);
    EXPECT_EQ(w.clipboard().text(), "长度 (m)\t局部损失 (%)\r\n100\t30\r\n100\t30\r\n");
    EXPECT_EQ(w.grid().rows()[0], (std::vector<std::string>{"1", "S", "1", "", "", "自动", "0", "",
                                                            "100", "架空", ""}));
    EXPECT_EQ(w.solves, 1);
    EXPECT_TRUE(w.red) << "a segment without a length is at fault";
}

// The 删除 button, as the context menu's 删除行 (network-paste's), removes every row the
// selection spans.
TEST(NetworkEditing, RemovesTheSelectedRowsAtOnce) {
    EditingWindow w;
    w.press("add");
    w.solves = 0;
    w.grid().userSelect({1, 2, 2, 4});
    w.press("remove");
    EXPECT_EQ(w.grid().rows(), Rows{added("1", "S")});
    EXPECT_EQ(w.solves, 1);
    EXPECT_EQ(w.grid().currentRow(), 0);
}

struct Scratch {
    Scratch() {
        dir = fs::temp_directory_path() / ("network-editing-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    ~Scratch() { fs::remove_all(dir); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return files::utf8Of(dir / name);
    }
    fs::path dir;
};

TEST(NetworkEditing, ImportsACsvFileAtTheEndOrRefusesItWhole) {
    Scratch scratch;
    EditingWindow w;
    w.gui.fileDialogs("Network.files")
        .answerNext(scratch.write("rows.csv", "\xEF\xBB\xBF管段,起点,终点,长度 (m)\r\n"
                                              "3,2,3,80\r\n\"4\",3,4,\"60\"\r\n"));
    w.gui.menuCommand("Network.importRows").userClick();
    EXPECT_EQ(w.grid().rows(), (Rows{added("1", "S"), added("2", "1"), pasted("3", "2", "3", "80"),
                                     pasted("4", "3", "4", "60")}));
    EXPECT_EQ(w.solves, 1);
    EXPECT_TRUE(w.messages.empty());

    const struct {
        const char* file;
        std::string bytes;
        std::string message;
    } kRefused[] = {
        {"short.csv", "管段,起点\n5\n", "无法导入“short.csv”：第 2 行第 2 列：有 1 格，应有 2 格"},
        {"empty.csv", "管段,起点\r\n", "无法导入“empty.csv”：文件中没有管段"},
        {"latin1.csv", "管段\n\xC7\xFA\n", "无法导入“latin1.csv”：第 2 行第 1 列：不是 UTF-8 文字"},
    };
    for (const auto& refused : kRefused) {
        SCOPED_TRACE(refused.file);
        EditingWindow r;
        r.gui.fileDialogs("Network.files").answerNext(scratch.write(refused.file, refused.bytes));
        r.gui.menuCommand("Network.importRows").userClick();
        EXPECT_EQ(r.messages, std::vector<std::string>{refused.message});
        EXPECT_EQ(r.grid().rows(), kTwo);
        EXPECT_EQ(r.solves, 0);
    }
}

} // namespace
