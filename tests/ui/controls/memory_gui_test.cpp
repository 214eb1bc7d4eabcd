#include "tests/ui/controls/contract.h"
#include "ui/controls/memory_gui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using controls::memory::Gui;

class MemoryHarness final : public contract::Harness {
public:
    controls::TextBox& textBox() override { return m_box; }
    controls::DropDownList& list() override { return m_list; }
    controls::SimpleCombo& simpleCombo() override { return m_combo; }
    controls::TableList& tableList() override { return m_table; }
    controls::OptionButton& option(int index) override { return *m_options[index]; }
    controls::Label& label() override { return m_gui.label("Form1.Label4"); }
    controls::MessageBox& messageBox() override { return m_gui.messageBox(); }
    controls::StatusText& statusText() override { return m_status; }
    controls::MenuCommand& menuCommand() override { return m_menu; }
    std::string menuShown() override { return m_menu.caption(); }
    std::string statusShown() override { return m_status.text(); }
    std::vector<std::string> tableShown() override {
        std::vector<std::string> rows;
        for (std::size_t index : m_table.shownOrder())
            rows.push_back(m_table.items()[index]);
        return rows;
    }
    bool tableGreyed() override { return m_table.stale(); }

    void userType(std::string_view text) override { m_box.userType(text); }
    void userPick(int index) override { m_list.userPick(index); }
    void userPickRow(int index) override { m_combo.userPick(index); }
    void userDoubleClickRow(int index) override { m_combo.userDoubleClick(index); }
    // Typing in the edit field selects no row; the in-memory combo keeps no text of its own.
    void userEditRow(std::string_view) override {}
    void userPickTableRow(int index) override { m_table.userPick(added(index)); }
    void userDoubleClickTableRow(int index) override { m_table.userDoubleClick(added(index)); }
    void userSortTable(int column) override { m_table.userSort(column); }
    void userClickOption(int index) override { m_options[index]->userClick(); }
    void userClickMenu() override { m_menu.userClick(); }
    void userClickStatus() override { m_status.userClick(); }
    bool statusPointsToClick() override { return m_status.clickable(); }

private:
    // The index the row shown at `row` was added under.
    int added(int row) const {
        const std::vector<std::size_t> order = m_table.shownOrder();
        return static_cast<std::size_t>(row) < order.size()
                   ? static_cast<int>(order[static_cast<std::size_t>(row)])
                   : row;
    }

    Gui m_gui;
    controls::memory::MemoryTextBox& m_box = m_gui.textBox("Form1.Text1");
    controls::memory::MemoryDropDownList& m_list = m_gui.dropDownList("Form1.Combo1");
    controls::memory::MemorySimpleCombo& m_combo = m_gui.simpleCombo("Form2.Combo1");
    controls::memory::MemoryTableList& m_table = m_gui.tableList("Sizing.table");
    controls::memory::MemoryStatusText& m_status = m_gui.statusText("Property.state");
    controls::memory::MemoryMenuCommand& m_menu = m_gui.menuCommand("Form1.mnuSteam");
    controls::memory::MemoryOptionButton* m_options[3] = {
        &m_gui.optionButton("Form1.Option1", "Form1.Frame3"),
        &m_gui.optionButton("Form1.Option2", "Form1.Frame3"),
        &m_gui.optionButton("Form1.Option3", "Form1.Frame3")};
};

// The user's actions are the in-memory controls' own; a reply is the answer it stands for, and
// a file dialog's path is given beforehand, as a test or a script gives them.
class MemoryWorkHarness final : public contract::WorkHarness {
public:
    controls::Grid& grid() override { return m_grid; }
    controls::Question& question() override { return m_question; }
    controls::FileDialogs& fileDialogs() override { return m_files; }

    void userEdit(int row, int column, std::string_view text, Commit) override {
        m_grid.userEdit(row, column, text);
    }
    void userPick(int row, int column, int index) override { m_grid.userPick(row, column, index); }
    int listOpensAt(int row, int column) override { return m_grid.listOpensAt(row, column); }
    std::string cellNote(int row, int column) override { return m_grid.cellNote(row, column); }
    std::string cellFault(int row, int column) override { return m_grid.cellFault(row, column); }
    bool gridFocused() override { return m_grid.focused(); }
    // Into the grid's current cell, where the keyboard is in the grid.
    void userTypeHere(std::string_view text) override {
        if (m_grid.focused())
            m_grid.userEdit(m_grid.currentRow(), m_grid.currentColumn(), text);
    }
    void replyNext(Reply reply) override {
        using Answer = controls::Question::Answer;
        constexpr Answer kAnswers[] = {Answer::Save,   Answer::Discard, Answer::Cancel,
                                       Answer::Cancel, Answer::Save,    Answer::Restore};
        m_question.answerNext(kAnswers[static_cast<int>(reply)]);
    }
    void chooseNext(std::string path) override { m_files.answerNext(std::move(path)); }
    controls::Clipboard& clipboard() override { return m_clipboard; }
    std::string pasted() override { return m_clipboard.text(); }
    controls::RecentFiles& recentFiles() override { return m_recent; }
    controls::RecentFiles& recentFilesAgain() override {
        // As a window's unloading takes its controls and its next loading makes them anew.
        m_taken.push_back(m_gui.takeWindow("Form9"));
        return m_gui.recentFiles("Form9.mnuRecent");
    }
    void userPickRecent(int index) override { m_recent.userPick(index); }
    void userClickCell(int row, int) override { m_grid.userSelectRow(row); }
    // The in-memory grid keeps rows, not cells: Tab from a row's last cell is to the next row.
    void userKey(Key key) override {
        m_grid.userSelectRow(m_grid.currentRow() + (key == Key::Up ? -1 : 1));
    }
    void userSelect(controls::CellRange range) override { m_grid.userSelect(range); }
    void userKey(controls::GridCommand command) override { m_grid.userCommand(command); }
    void userKeyInEdit(int, int, controls::GridCommand) override {}
    void userMenu(controls::GridCommand command) override { m_grid.userCommand(command); }
    void putElsewhere(const std::string& text) override { m_clipboard.putFromElsewhere(text); }

private:
    Gui m_gui;
    controls::memory::MemoryClipboard& m_clipboard = m_gui.clipboard("Network.clipboard");
    controls::memory::MemoryRecentFiles& m_recent = m_gui.recentFiles("Form9.mnuRecent");
    std::vector<std::vector<std::unique_ptr<controls::memory::Control>>> m_taken;
    controls::memory::MemoryGrid& m_grid = m_gui.grid("Network.segments", {"a", "b", "c"});
    controls::memory::MemoryQuestion& m_question = m_gui.question("Network.Question1");
    controls::memory::MemoryFileDialogs& m_files = m_gui.fileDialogs("Network.Files1");
};

class MemoryTimerHarness final : public contract::TimerHarness {
public:
    controls::Timer& timer() override { return m_timer; }
    void wait(int milliseconds) override { m_timer.elapse(milliseconds); }

private:
    controls::memory::MemoryTimer m_timer;
};

class MemoryPicturesHarness final : public contract::PicturesHarness {
public:
    controls::NetworkPictures& pictures() override { return m_pictures; }
    std::string said() override { return m_pictures.said(); }
    bool greyed() override { return m_pictures.stale(); }
    void userClickSegment(std::size_t segment) override { m_pictures.userClickSegment(segment); }
    void userClickNode(std::size_t node) override { m_pictures.userClickNode(node); }

private:
    Gui m_gui;
    controls::memory::MemoryNetworkPictures& m_pictures = m_gui.networkPictures("Network.pictures");
};

using controls::memory::Op;
using Answer = controls::Question::Answer;

// Each answer goes to the question asked next, in the order given; a question asked with none
// given is cancelled, which loses nothing, and its record says so for the session to report.
TEST(MemoryModals, AnswersAreTakenInTheOrderGivenAndAnUnansweredAskIsMarked) {
    Gui gui;
    std::vector<Op> ops;
    gui.recorder().setListener([&](const Op& op) { ops.push_back(op); });
    auto& question = gui.question("Network.Question1");
    question.answerNext(Answer::Discard);
    question.answerNext(Answer::Save);
    EXPECT_EQ(question.pending(), 2u);

    EXPECT_EQ(question.ask("first", "蒸汽管网"), Answer::Discard);
    EXPECT_EQ(question.ask("second", "蒸汽管网"), Answer::Save);
    EXPECT_EQ(question.ask("third", "蒸汽管网"), Answer::Cancel);

    ASSERT_EQ(ops.size(), 3u);
    EXPECT_TRUE(ops[1].on);
    EXPECT_EQ(ops[2].answer, "cancel");
    EXPECT_FALSE(ops[2].on) << "the question no one answered";
}

TEST(MemoryModals, FileDialogsShareOneQueueOfPathsAndRecordWhatTheyOffered) {
    Gui gui;
    std::vector<Op> ops;
    gui.recorder().setListener([&](const Op& op) { ops.push_back(op); });
    auto& files = gui.fileDialogs("Network.Files1");
    files.answerNext("/tmp/a.json");
    files.answerNext("");
    files.answerNext("/no such folder/a.json");

    EXPECT_EQ(files.savePath("另存为", "蒸汽管网 (*.json)", "管网.json"), "/tmp/a.json");
    EXPECT_EQ(files.openPath("打开", "蒸汽管网 (*.json)"), "") << "an empty path cancels";
    EXPECT_EQ(files.openPath("打开", "蒸汽管网 (*.json)"), "")
        << "a file that is not there cannot be opened";
    EXPECT_EQ(files.openPath("打开", "蒸汽管网 (*.json)"), "");

    ASSERT_EQ(ops.size(), 4u);
    EXPECT_TRUE(ops[1].on) << "a cancel given beforehand is an answer";
    EXPECT_TRUE(ops[2].on);
    EXPECT_EQ(ops[2].answer, "");
    EXPECT_FALSE(ops[3].on);
}

// A grid's operation is logged where it fell, out of range too, so that a replay shows an index
// the program got wrong. (Every kind's fields show in the replay scripts' logs, in memory and
// over Qt alike.)
TEST(MemoryLog, AGridOperationIsLoggedWhereItFellInRangeOrNot) {
    Gui gui;
    std::vector<std::string> log;
    gui.recorder().setListener([&](const Op& op) {
        log.push_back(std::string(op.kind) + " " + std::to_string(op.index) + "," +
                      std::to_string(op.column) + " " + op.text);
    });
    auto& grid = gui.grid("Network.segments", {"管段", "管径"});
    grid.insertRow(0);
    grid.setCell(0, 2, "beyond");
    grid.setColumnItems(5, {"D273x7", "D325x8"});
    grid.removeRow(3);

    EXPECT_EQ(log, (std::vector<std::string>{"insertrow 0,-1 ", "setcell 0,2 beyond",
                                             "items -1,5 D273x7\tD325x8", "removerow 3,-1 "}));
}

// A row, column or item the grid does not have, on either side, changes nothing and raises
// nothing: an index the program got wrong must not reach past the grid's cells.
TEST(MemoryGrid, PlacesOutsideTheGridChangeNothing) {
    Gui gui;
    auto& grid = gui.grid("Network.segments", {"管段", "管径"});
    int raised = 0;
    grid.onCellChange([&](int, int) { ++raised; });
    grid.insertRow(0);
    grid.setColumnItems(1, {"D325x8"});
    grid.insertRow(-1);
    grid.insertRow(2);
    grid.removeRow(-1);
    grid.removeRow(1);
    grid.setColumnItems(-1, {"x"});
    grid.setColumnItems(2, {"x"});
    grid.setCell(0, -1, "x");
    grid.setCell(-1, 0, "x");
    grid.userEdit(0, 2, "x");
    grid.userEdit(1, 0, "x");
    grid.userPick(0, 1, -1);
    grid.userPick(0, 1, 1);
    grid.userPick(0, 0, 0);
    grid.userPick(0, 2, 0);

    EXPECT_EQ(grid.rows(), (std::vector<std::vector<std::string>>{{"", ""}}));
    EXPECT_TRUE(grid.columnItems(-1).empty());
    EXPECT_TRUE(grid.columnItems(2).empty());
    EXPECT_EQ(grid.columnItems(1), std::vector<std::string>{"D325x8"});
    EXPECT_EQ(grid.currentRow(), -1) << "nothing the user did reached a cell";
    EXPECT_EQ(raised, 0);
}

} // namespace

namespace contract {
INSTANTIATE_TEST_SUITE_P(Memory, ControlsContract, ::testing::Values(&make<Harness, MemoryHarness>),
                         [](const auto&) { return std::string("InMemory"); });
INSTANTIATE_TEST_SUITE_P(Memory, WorkContract,
                         ::testing::Values(&make<WorkHarness, MemoryWorkHarness>),
                         [](const auto&) { return std::string("InMemory"); });
INSTANTIATE_TEST_SUITE_P(Memory, TimerContract,
                         ::testing::Values(&make<TimerHarness, MemoryTimerHarness>),
                         [](const auto&) { return std::string("InMemory"); });
INSTANTIATE_TEST_SUITE_P(Memory, PicturesContract,
                         ::testing::Values(&make<PicturesHarness, MemoryPicturesHarness>),
                         [](const auto&) { return std::string("InMemory"); });
} // namespace contract
