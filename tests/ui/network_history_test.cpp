#include "files/save.h"
#include "tests/ui/main_window.h"
#include "ui/network_history.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// The network window's undo and redo through the in-memory window: each kind of change taken
// back and made again by name, the steps undone dropped by a new one, the bound, the unsaved
// mark, and the keyboard after 添加.
namespace {

namespace fs = std::filesystem;
using network::Column;

struct HistoryWindow : MainWindow {
    HistoryWindow() { gui.menuCommand("Form1.mnuNetwork").userClick(); }
    controls::memory::MemoryGrid& grid() { return gui.grid("Network.segments"); }
    controls::memory::MemoryMenuCommand& command(const std::string& name) {
        return gui.menuCommand("Network." + name);
    }
    void type(const std::string& box, const std::string& text) {
        gui.textBox("Network." + box).userType(text);
    }
    void edit(int row, Column column, const std::string& text) {
        grid().userEdit(row, column, text);
    }
    void select(int row) { grid().userEdit(row, Column::Name, grid().cell(row, Column::Name)); }
    void press(const std::string& button) { gui.pushButton("Network." + button).userClick(); }
    void menu(const std::string& name) { command(name).userClick(); }
    std::string title() { return gui.window("Network").title(); }
    // The texts the window shows, as its document holds them.
    const network::NetworkTexts& texts() const { return form1.network()->texts; }
};

// Two segments, the second a branch of the first, with their lengths and loads.
void typeTwoSegments(HistoryWindow& w) {
    w.press("add");
    w.edit(0, Column::Load, "5");
    w.press("add");
    w.edit(1, Column::Load, "2");
}

// Each kind of change: made, named in the 编辑 menu, undone to the texts before it (and the row
// it was made in current again), and redone to the texts after it.
TEST(NetworkHistory, EachKindOfChangeIsUndoneAndRedoneByName) {
    struct Change {
        const char* step; // as the menu names it
        std::function<void(HistoryWindow&)> make;
        int rowAfterUndo; // -1: not asked
        std::function<void(HistoryWindow&)> prepare = [](HistoryWindow&) {};
    };
    const Change changes[] = {
        {"修改第 2 段的长度", [](HistoryWindow& w) { w.edit(1, Column::Length, "250"); }, 1},
        {"修改第 1 段的管子", [](HistoryWindow& w) { w.grid().userPick(0, Column::Pipe, 3); }, 0},
        // Three keystrokes into one box: one step.
        {"修改热源压力",
         [](HistoryWindow& w) {
             for (const char* typed : {"0", "0.", "0.8"})
                 w.type("sourcePressure", typed);
         },
         -1},
        {"修改压力单位", [](HistoryWindow& w) { w.gui.dropDownList("Network.unit").userPick(2); },
         -1},
        {"改为过热蒸汽",
         [](HistoryWindow& w) {
             w.gui.optionButton("Network.superheated", "Network.sourceFrame").userClick();
         },
         -1},
        {"添加第 2 段",
         [](HistoryWindow& w) {
             w.select(0);
             w.press("add");
         },
         0},
        {"删除第 2 段",
         [](HistoryWindow& w) {
             w.select(1);
             w.press("remove");
         },
         1},
        {"上移第 2 段",
         [](HistoryWindow& w) {
             w.select(1);
             w.press("moveUp");
         },
         1},
        {"下移第 1 段",
         [](HistoryWindow& w) {
             w.select(0);
             w.press("moveDown");
         },
         0},
        {"改为计入散热",
         [](HistoryWindow& w) {
             w.gui.optionButton("Network.heatOn", "Network.heatFrame").userClick();
         },
         -1},
        {"修改保温材料",
         [](HistoryWindow& w) { w.gui.dropDownList("Network.material").userPick(1); }, -1,
         [](HistoryWindow& w) {
             w.gui.optionButton("Network.heatOn", "Network.heatFrame").userClick();
         }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.step);
        HistoryWindow w;
        typeTwoSegments(w);
        change.prepare(w);
        const network::NetworkTexts before = w.texts();
        change.make(w);
        const network::NetworkTexts after = w.texts();
        ASSERT_NE(after, before);
        EXPECT_EQ(w.command("undo").caption(), std::string("撤销“") + change.step + "”(&U)");
        EXPECT_FALSE(w.command("redo").enabled());

        w.menu("undo");
        EXPECT_EQ(w.texts(), before);
        if (change.rowAfterUndo >= 0) {
            EXPECT_EQ(w.grid().currentRow(), change.rowAfterUndo);
        }
        EXPECT_EQ(w.command("redo").caption(), std::string("重做“") + change.step + "”(&R)");
        EXPECT_TRUE(w.command("redo").enabled());
        w.menu("redo");
        EXPECT_EQ(w.texts(), after);
        EXPECT_FALSE(w.command("redo").enabled());
        EXPECT_EQ(w.command("redo").caption(), "重做(&R)");
    }
}

// Undone twice, then a new change: the two steps undone are gone, and undo goes back past the
// new change to the first.
TEST(NetworkHistory, ANewChangeDropsTheStepsUndone) {
    HistoryWindow w;
    w.press("add");
    w.edit(0, Column::Length, "200");
    w.edit(0, Column::Length, "300");
    w.menu("undo");
    w.menu("undo");
    EXPECT_EQ(w.grid().cell(0, Column::Length), "100");
    w.edit(0, Column::Load, "4");
    EXPECT_FALSE(w.command("redo").enabled());
    EXPECT_EQ(w.command("redo").caption(), "重做(&R)");
    w.menu("undo");
    EXPECT_EQ(w.grid().cell(0, Column::Load), "0");
    EXPECT_EQ(w.command("undo").caption(), "撤销“添加第 1 段”(&U)");
    w.menu("undo");
    EXPECT_EQ(w.grid().rowCount(), 0);
    EXPECT_FALSE(w.command("undo").enabled());
    EXPECT_EQ(w.command("undo").caption(), "撤销(&U)");
}

// A thousand steps are kept: after 1,005 lengths typed (100 to 1104 m, a step each), a thousand
// undos reach the fifth (104 m) and no further.
TEST(NetworkHistory, KeepsTheLastThousandSteps) {
    HistoryWindow w;
    w.press("add");
    for (int metres = 100; metres <= 1104; ++metres)
        w.edit(0, Column::Length, std::to_string(metres) + ".5");
    for (int undo = 0; undo < 1000; ++undo) {
        ASSERT_TRUE(w.command("undo").enabled()) << undo;
        w.menu("undo");
    }
    EXPECT_EQ(w.grid().cell(0, Column::Length), "104.5");
    EXPECT_FALSE(w.command("undo").enabled());
    EXPECT_EQ(w.grid().rowCount(), 1) << "the 添加 is beyond the bound";
}

// Of texts of 8 MiB each (a title), four and the first state would pass 32 MiB: three states are
// kept, and so two steps to undo.
TEST(NetworkHistory, KeepsAtMostThirtyTwoMegabytesOfTexts) {
    ui::NetworkHistory history;
    history.reset({});
    network::NetworkTexts texts;
    for (char letter : {'a', 'b', 'c', 'd', 'e'}) {
        texts.title.assign(std::size_t{8} << 20, letter);
        history.record("修改标题", texts, -1, -1, false);
    }
    EXPECT_EQ(history.steps(), 2u);
    EXPECT_LE(history.bytes(), std::size_t{32} << 20);
    ASSERT_TRUE(history.undo());
    ASSERT_TRUE(history.undo());
    EXPECT_EQ(history.current().title, std::string(std::size_t{8} << 20, 'c'));
    EXPECT_FALSE(history.undo());
    EXPECT_FALSE(history.undoName());
}

// Saved, changed, undone to the saved texts: no unsaved mark; redone: the mark again. Opened
// from a file, the history starts at the file: nothing to undo, and undo stops there.
TEST(NetworkHistory, UndoingToTheSavedStateClearsTheMarkAndStopsAtTheOpenedOne) {
    const fs::path dir =
        fs::temp_directory_path() / ("network-history-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string path = files::utf8Of(dir / files::pathOf("两段.json"));
    HistoryWindow w;
    typeTwoSegments(w);
    w.gui.fileDialogs("Network.files").answerNext(path);
    w.menu("save");
    EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 两段.json");
    w.edit(0, Column::Length, "80");
    EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 两段.json*");
    w.menu("undo");
    EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 两段.json");
    w.menu("redo");
    EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 两段.json*");

    w.gui.question("Network.question").answerNext(controls::Question::Answer::Discard);
    w.gui.fileDialogs("Network.files").answerNext(path);
    w.menu("openFile");
    EXPECT_FALSE(w.command("undo").enabled());
    EXPECT_EQ(w.grid().cell(0, Column::Length), "100");
    w.type("title", "改过");
    w.menu("undo");
    w.menu("undo");
    EXPECT_EQ(w.gui.textBox("Network.title").text(), "");
    EXPECT_EQ(w.grid().rowCount(), 2) << "the opened segments stay";
    EXPECT_EQ(w.title(), "蒸汽管网水力计算 - 两段.json");
    w.gui.question("Network.question").answerNext(controls::Question::Answer::Discard);
    w.menu("newFile");
    EXPECT_FALSE(w.command("undo").enabled()) << "a new network starts a history of its own";
    fs::remove_all(dir);
}

// After 添加 the keyboard is at the new row's length in the grid: the name and both ends are
// already the next segment on, and the made-up 100 m is the first figure to type over.
TEST(NetworkHistory, AddPutsTheKeyboardAtTheNewRowsLength) {
    HistoryWindow w;
    typeTwoSegments(w);
    w.select(0);
    w.press("add");
    EXPECT_TRUE(w.grid().focused());
    EXPECT_EQ(w.grid().currentRow(), 1);
    EXPECT_EQ(w.grid().currentColumn(), Column::Length);
}

} // namespace
