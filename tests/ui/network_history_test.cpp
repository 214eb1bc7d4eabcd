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
// back and made again by name, the bound and the unsaved mark. The steps undone dropped by a new
// change, and the keyboard after 添加, are the replay script network-undo's.
namespace {

namespace fs = std::filesystem;
using network::Column;

struct HistoryWindow : NetworkMainWindow {
    controls::memory::MemoryMenuCommand& command(const std::string& name) {
        return gui.menuCommand("Network." + name);
    }
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
    const auto pressOn = [](int row, const char* button) {
        return [=](HistoryWindow& w) {
            w.select(row);
            w.press(button);
        };
    };
    const auto click = [](const char* option, const char* frame) {
        return [=](HistoryWindow& w) { w.gui.optionButton(option, frame).userClick(); };
    };
    const auto paste = [](const char* rows) {
        return [=](HistoryWindow& w) {
            w.gui.clipboard("Network.clipboard").putFromElsewhere(rows);
            w.grid().userCommand(controls::GridCommand::Paste);
        };
    };
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
        {"改为过热蒸汽", click("Network.superheated", "Network.sourceFrame"), -1},
        {"添加第 2 段", pressOn(0, "add"), 0},
        {"删除第 2 段", pressOn(1, "remove"), 1},
        {"粘贴 2 段", paste("3\t2\t3\t80\r\n4\t3\t4\t90\r\n"), 1},
        {"上移第 2 段", pressOn(1, "moveUp"), 1},
        {"下移第 1 段", pressOn(0, "moveDown"), 0},
        {"改为计入散热", click("Network.heatOn", "Network.heatFrame"), -1},
        {"修改保温材料",
         [](HistoryWindow& w) { w.gui.dropDownList("Network.material").userPick(1); }, -1,
         click("Network.heatOn", "Network.heatFrame")},
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
    EXPECT_EQ(w.command("undo").caption(), "撤销(&U)");
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

} // namespace
