#pragma once

#include "ui/controls/controls.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The notification contract that every implementation of the controls must keep. A harness
// gives one control of each kind (three option buttons in one group) and acts as the user on
// them; an implementation instantiates the suite with a factory for its harness.
namespace contract {

class Harness {
public:
    virtual ~Harness() = default;
    virtual controls::TextBox& textBox() = 0;
    virtual controls::DropDownList& list() = 0;
    virtual controls::SimpleCombo& simpleCombo() = 0;
    // Two columns.
    virtual controls::TableList& tableList() = 0;
    virtual controls::OptionButton& option(int index) = 0;
    virtual controls::Label& label() = 0;
    virtual controls::MessageBox& messageBox() = 0;
    virtual controls::StatusText& statusText() = 0;
    virtual controls::MenuCommand& menuCommand() = 0;
    // The command's caption as its menu shows it.
    virtual std::string menuShown() = 0;
    // The text the status line shows.
    virtual std::string statusShown() = 0;
    // The table's rows as shown, top to bottom, cells joined by tabs.
    virtual std::vector<std::string> tableShown() = 0;
    // Whether the table's rows are shown greyed, every one of them.
    virtual bool tableGreyed() = 0;

    virtual void userType(std::string_view text) = 0;
    virtual void userPick(int index) = 0;
    virtual void userPickRow(int index) = 0;
    virtual void userDoubleClickRow(int index) = 0;
    virtual void userEditRow(std::string_view text) = 0;
    // The user clicks the row shown `index` rows from the top.
    virtual void userPickTableRow(int index) = 0;
    virtual void userDoubleClickTableRow(int index) = 0;
    // The user clicks the heading of the table's column.
    virtual void userSortTable(int column) = 0;
    virtual void userClickOption(int index) = 0;
    // Opens the menu and clicks the command.
    virtual void userClickMenu() = 0;
    // Clicks the status line; whether a pointing hand shows over it.
    virtual void userClickStatus() = 0;
    virtual bool statusPointsToClick() = 0;
};

// The controls of a window whose work the user saves: the editable grid, the question asked
// before unsaved work is lost, and the file dialogs.
class WorkHarness {
public:
    // How the user ends an edit of a cell.
    enum class Commit { Enter, Tab, Leave };
    // How the user answers a question: by one of its buttons, or by Esc or Enter. The offer's
    // 放弃 is Discard.
    enum class Reply { Save, Discard, Cancel, Escape, Enter, Restore };

    virtual ~WorkHarness() = default;
    // Three columns, no rows, no items.
    virtual controls::Grid& grid() = 0;
    virtual controls::Question& question() = 0;
    virtual controls::FileDialogs& fileDialogs() = 0;
    virtual controls::Clipboard& clipboard() = 0;
    // What a paste elsewhere would take.
    virtual std::string pasted() = 0;
    virtual controls::RecentFiles& recentFiles() = 0;
    // The recent files made afresh, as the window's next opening makes them.
    virtual controls::RecentFiles& recentFilesAgain() = 0;

    // The user types `text` into a cell, over all it holds, and ends the edit.
    virtual void userEdit(int row, int column, std::string_view text, Commit commit) = 0;
    // The user opens a cell's list of items and picks the one at `index`.
    virtual void userPick(int row, int column, int index) = 0;
    // The user opens a cell's list and closes it again: the item it opened at, shown, or -1
    // where it opened at none (or at one scrolled out of sight).
    virtual int listOpensAt(int row, int column) = 0;
    // The note a cell is marked with, as its tooltip says it; empty for none.
    virtual std::string cellNote(int row, int column) = 0;
    // The fault a cell is marked with, as its tooltip says it; empty for none.
    virtual std::string cellFault(int row, int column) = 0;
    // Whether the grid has the keyboard focus.
    virtual bool gridFocused() = 0;
    // The user types `text` where the keyboard is, and commits it with Enter.
    virtual void userTypeHere(std::string_view text) = 0;
    // How the user will answer the next question.
    virtual void replyNext(Reply reply) = 0;
    // The path the user will choose in the next file dialog, typed and taken with Enter; an
    // empty one cancels the dialog with Esc.
    virtual void chooseNext(std::string path) = 0;
    // The user opens the recent files' menu and clicks the entry at `index`.
    virtual void userPickRecent(int index) = 0;
    // The user clicks a cell, not editing it.
    virtual void userClickCell(int row, int column) = 0;
    // A key pressed in the grid: Down, Up, or Tab in the current row's last cell.
    enum class Key { Down, Up, TabFromLast };
    virtual void userKey(Key key) = 0;
    // The user selects a rectangle of cells: a click on its first, Shift and a click on its last.
    virtual void userSelect(controls::CellRange range) = 0;
    // The user presses the command's key (Cut, Copy, Paste or Clear) in the grid.
    virtual void userKey(controls::GridCommand command) = 0;
    // ... or in the editor of a cell being edited, then drops the edit with Esc.
    virtual void userKeyInEdit(int row, int column, controls::GridCommand command) = 0;
    // The user opens the grid's context menu and clicks the command.
    virtual void userMenu(controls::GridCommand command) = 0;
    // Another program puts a text on the clipboard.
    virtual void putElsewhere(const std::string& text) = 0;
};

// The network's pictures, over which the user clicks where the tree draws a segment's label or a
// node's dot; where nothing is drawn, a click lands in the middle.
class PicturesHarness {
public:
    virtual ~PicturesHarness() = default;
    virtual controls::NetworkPictures& pictures() = 0;
    // The words said in place of the pictures; empty while they draw.
    virtual std::string said() = 0;
    // Whether what is drawn is shown greyed.
    virtual bool greyed() = 0;
    virtual void userClickSegment(std::size_t segment) = 0;
    virtual void userClickNode(std::size_t node) = 0;
};

// A single-shot timer, and time passing as the event loop lets it.
class TimerHarness {
public:
    virtual ~TimerHarness() = default;
    virtual controls::Timer& timer() = 0;
    virtual void wait(int milliseconds) = 0;
};

// The suite of one kind of harness, each case on a harness fresh from the factory it is given.
template <class Of> class Contract : public ::testing::TestWithParam<std::unique_ptr<Of> (*)()> {
protected:
    void SetUp() override { harness = this->GetParam()(); }
    std::unique_ptr<Of> harness;
};

using ControlsContract = Contract<Harness>;
using WorkContract = Contract<WorkHarness>;
using PicturesContract = Contract<PicturesHarness>;
using TimerContract = Contract<TimerHarness>;

// The factory an implementation instantiates a suite with.
template <class Of, class Made> std::unique_ptr<Of> make() {
    return std::make_unique<Made>();
}

} // namespace contract
