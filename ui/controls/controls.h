#pragma once

#include "sheet/look.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sheet {
struct Sheet;
}
namespace network {
struct Network;
struct Result;
} // namespace network

// The operations every handling calls on the controls of a window. The logic reaches a GUI
// toolkit only through these interfaces, so it runs the same over Qt widgets and over the
// in-memory controls of the tests.
//
// Notification contract, the same for the user's actions and the program's own changes:
//  - a text box raises its change only when its text really changes;
//  - a list raises its click when an item becomes the selected one (a user's pick always,
//    also of the item already shown; the program's selection only when it changes);
//  - an option button raises its click when it is switched on from off, and switches the
//    other buttons of its group off silently;
//  - adding or clearing items, enabling, focusing and captions raise nothing;
//  - a raised handling runs to its end, nested, before the operation that raised it returns.
namespace controls {

using Handler = std::function<void()>;

class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string text() const = 0;
    virtual void setText(std::string_view text) = 0;
    virtual void setEnabled(bool on) = 0;
    virtual void setFocus() = 0;
    virtual void onChange(Handler handler) = 0;
};

// A list the user can only pick from: it shows nothing until an item is selected.
class DropDownList {
public:
    virtual ~DropDownList() = default;
    // The selected item's text, empty while nothing is selected.
    virtual std::string text() const = 0;
    virtual void addItem(std::string_view text, int index) = 0;
    virtual void clear() = 0;
    // Selects the first item equal to `text`; a text equal to no item changes nothing.
    virtual void setText(std::string_view text) = 0;
    virtual void setEnabled(bool on) = 0;
    virtual void onClick(Handler handler) = 0;
};

// An edit field with its list always shown below it.
class SimpleCombo {
public:
    virtual ~SimpleCombo() = default;
    virtual void addItem(std::string_view text, int index) = 0;
    // Sets the edit field only; the selected row stays as it is.
    virtual void setText(std::string_view text) = 0;
    // Highlights a row and scrolls it into view without raising its click.
    virtual void showRow(int index) = 0;
    // -1 while no row is selected.
    virtual int selectedIndex() const = 0;
    virtual void onClick(Handler handler) = 0;
    virtual void onDoubleClick(Handler handler) = 0;
};

// Rows of tab-separated cells under fixed column headings. The user selects a row by a click
// or the arrow keys, which raises its select when the row is another than the one selected, and
// may double-click one. Where the user may sort the rows by a column (ui/controls/table_order.h),
// every index here is still the one the row was added under, not its place on screen.
class TableList {
public:
    virtual ~TableList() = default;
    virtual void addItem(std::string_view cells, int index) = 0;
    virtual void clear() = 0;
    // Marks a row: the recommended one stands out, rows above or below a range are coloured; a
    // plain look leaves the row as it was added.
    virtual void setRowLook(int index, sheet::Look look) = 0;
    // Selects a row and scrolls it into view without raising anything.
    virtual void showRow(int index) = 0;
    // -1 while no row is selected.
    virtual int selectedIndex() const = 0;
    // Every row greyed, its look aside, while what it shows is of inputs no longer shown; the
    // rows' looks again when no longer, or when cleared.
    virtual void setStale(bool on) = 0;
    virtual void onDoubleClick(Handler handler) = 0;
    virtual void onSelect(Handler handler) = 0;
};

// A computed network drawn: its tree from the source and the profile along the line to one node.
// The user clicks a segment or a node in the tree, which raises its click with the segment's
// index (into Network::segments) or the node's (into Result::nodes); the program's drawing
// raises nothing, and nothing drawn raises nothing.
class NetworkPictures {
public:
    using PickHandler = std::function<void(std::size_t index)>;

    virtual ~NetworkPictures() = default;
    // Both drawn anew; the profile to `node`, or where none is given to the most unfavourable
    // user. The pictures keep their own copies.
    virtual void show(const network::Network& network, const network::Result& result,
                      std::optional<std::size_t> node) = 0;
    // Nothing to draw: both greyed, saying why in a few words.
    virtual void showNone(std::string_view why) = 0;
    // What is drawn kept but greyed, while it is of inputs no longer shown; drawn again
    // (show or showNone), not.
    virtual void setStale() = 0;
    virtual void onSegmentClick(PickHandler handler) = 0;
    virtual void onNodeClick(PickHandler handler) = 0;
};

// A rectangle of a grid's cells, rows `top` to `bottom` and columns `left` to `right`.
struct CellRange {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    bool operator==(const CellRange&) const = default;
};

// What the user asks of a grid's rows and cells, by a key or from the grid's context menu.
enum class GridCommand { Cut, Copy, Paste, InsertRow, RemoveRows, MoveUp, MoveDown, Clear };

struct GridMenuItem {
    GridCommand command;
    std::string_view caption;
    std::string_view keys; // shown beside the caption; empty for none
};
// The grid's context menu, in its order; Clear is the Delete key's alone.
inline constexpr std::array<GridMenuItem, 7> kGridMenu{{
    {GridCommand::Cut, "剪切", "Ctrl+X"},
    {GridCommand::Copy, "复制", "Ctrl+C"},
    {GridCommand::Paste, "粘贴", "Ctrl+V"},
    {GridCommand::InsertRow, "插入行", ""},
    {GridCommand::RemoveRows, "删除行", ""},
    {GridCommand::MoveUp, "上移", ""},
    {GridCommand::MoveDown, "下移", ""},
}};

// An editable table: rows of text cells under fixed column headings. The user types into a
// cell, or picks from the items a column offers; the program sets cells, adds, removes and
// moves rows.
//  - a cell raises its change, with its row and column, only when its text really changes, once
//    the user's edit is committed (Enter, Tab, leaving the cell, or a pick) or the program set it;
//  - the user making another row current (a click, the arrow keys, Tab on from a row's last
//    cell, or an edit in another row, before its change) raises the current row's change;
//  - inserting, removing and selecting rows, and the program making a row current, raise nothing.
class Grid {
public:
    using CellHandler = std::function<void(int row, int column)>;

    virtual ~Grid() = default;
    virtual int rowCount() const = 0;
    // A row of empty cells at `row` (0 to rowCount()).
    virtual void insertRow(int row) = 0;
    virtual void removeRow(int row) = 0;
    virtual std::string cell(int row, int column) const = 0;
    virtual void setCell(int row, int column, std::string_view text) = 0;
    // The items a column's cells offer to pick from; a column without items is typed only.
    virtual void setColumnItems(int column, const std::vector<std::string>& items) = 0;
    // The item a column's list opens at for a cell's text, -1 for none; by default the item
    // equal to the text, so that a text the window spells otherwise needs a finder.
    using ItemFinder = std::function<int(std::string_view text)>;
    virtual void setItemFinder(int column, ItemFinder opensAt) = 0;
    // Marks a cell in the look of a note (a result row that only tells), the note its tooltip,
    // until its text changes; an empty note takes the mark away.
    virtual void setCellNote(int row, int column, std::string_view note) = 0;
    // Marks a cell in the look of a fault, over any note's, the fault's words its tooltip, until
    // its text changes; empty words take the mark away and leave the note's look, if any.
    virtual void setCellFault(int row, int column, std::string_view why) = 0;
    // The fault a cell is marked with; empty for none, or a cell the grid does not have.
    virtual std::string cellFault(int row, int column) const = 0;
    // -1 while no row is current.
    virtual int currentRow() const = 0;
    // The current row's cell in the current column (the first where none) is then the
    // selection.
    virtual void setCurrentRow(int row) = 0;
    // Makes a cell the current one and gives the grid the keyboard focus, so that what the user
    // types next goes into that cell.
    virtual void focusCell(int row, int column) = 0;
    virtual void onCellChange(CellHandler handler) = 0;
    virtual void onCurrentRowChange(Handler handler) = 0;
    // The cells the user selected, one rectangle; none while no cell is. The current row is
    // the rectangle's last, where the user's selecting ended.
    virtual std::optional<CellRange> selection() const = 0;
    // Ctrl+X, Ctrl+C, Ctrl+V and Delete outside a cell's edit, and the context menu's
    // commands, each raise their command once; a key in a cell being edited is the edit's.
    virtual void onCommand(GridCommand command, Handler handler) = 0;
};

class OptionButton {
public:
    virtual ~OptionButton() = default;
    virtual bool isChecked() const = 0;
    virtual void setChecked(bool on) = 0;
    virtual void onClick(Handler handler) = 0;
};

class PushButton {
public:
    virtual ~PushButton() = default;
    virtual void setEnabled(bool on) = 0;
    virtual void onClick(Handler handler) = 0;
};

class Label {
public:
    virtual ~Label() = default;
    virtual void setCaption(std::string_view caption) = 0;
};

// A line of text that says a fault in the alert colour, in place of a message box. Where it
// names what the window can go to, the program makes it clickable until the next status: a
// pointing hand over it says so, and the user's click raises its click.
class StatusText {
public:
    virtual ~StatusText() = default;
    // Also makes the line unclickable.
    virtual void setStatus(std::string_view text, bool fault) = 0;
    virtual void setClickable(bool on) = 0;
    virtual void onClick(Handler handler) = 0;
};

// A command of a window's menu bar. Its caption may change as what it would do changes
// (撤销“删除第 3 段”), and a disabled command takes no click.
class MenuCommand {
public:
    virtual ~MenuCommand() = default;
    virtual void setCaption(std::string_view caption) = 0;
    virtual void setEnabled(bool on) = 0;
    virtual void onClick(Handler handler) = 0;
};

// A modal box with a single OK button and no icon; returns once the user has closed it.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(std::string_view text, std::string_view title) = 0;
};

// The modal question asked before unsaved work is lost.
class Question {
public:
    enum class Answer { Save, Discard, Cancel, Restore };
    virtual ~Question() = default;
    // 保存, 不保存 or 取消.
    virtual Answer ask(std::string_view text, std::string_view title) = 0;
    // The question asked at the start about work a crash left unsaved: 恢复 (Restore) or 放弃
    // (Discard), nothing else. Enter restores; Esc and the title bar's close do nothing, so that
    // no key alone throws the work away. Cancel where the box closed without an answer.
    virtual Answer offer(std::string_view text, std::string_view title) = 0;
};

// The modal file dialogs; each returns the chosen path, or an empty one when the user cancels.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // `filter` as "蒸汽管网 (*.json)".
    virtual std::string openPath(std::string_view title, std::string_view filter) = 0;
    virtual std::string savePath(std::string_view title, std::string_view filter,
                                 std::string_view suggested) = 0;
};

// The modal, read-only windows of the Help menu; each returns once the user has closed it.
class HelpWindows {
public:
    virtual ~HelpWindows() = default;
    virtual void showGuide() = 0;
    virtual void showAbout() = 0;
};

// The desktop's clipboard: what the program puts there the user pastes into another program.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(std::string_view text) = 0;
    // What is on it as text, put there by this program or another; empty for none.
    virtual std::string text() const = 0;
};

// A calculation sheet on paper or as a PDF file, and the day it is dated.
class SheetOutput {
public:
    virtual ~SheetOutput() = default;
    // Today, as 2026-12-08.
    virtual std::string today() const = 0;
    // Whether there is a printer to print on.
    virtual bool canPrint() const = 0;
    // Prints on the printer the user chooses: empty when printed or cancelled, else why not.
    virtual std::string print(const sheet::Sheet& sheet) = 0;
    // Empty when the file is written, else one message naming it and the reason.
    virtual std::string savePdf(const sheet::Sheet& sheet, const std::string& path) = 0;
};

// The files last opened or saved, newest first, kept from one run of the program to the next and
// offered as commands of a menu. Picking one raises the pick with its place in the list; setting
// the list raises nothing.
class RecentFiles {
public:
    using PickHandler = std::function<void(int index)>;

    virtual ~RecentFiles() = default;
    virtual std::vector<std::string> paths() const = 0;
    virtual void setPaths(const std::vector<std::string>& paths) = 0;
    virtual void onPick(PickHandler handler) = 0;
};

// A top-level window. Closing it from its title bar raises its close notification instead of
// closing it: the program decides what closing means (ending, or unloading a window).
class Window {
public:
    virtual ~Window() = default;
    // Modeless: the window becomes visible and the call returns at once.
    virtual void show() = 0;
    // The window becomes invisible and keeps its controls and their contents.
    virtual void hide() = 0;
    // A window whose title says more than its name: the file it shows, and whether it is saved.
    virtual void setTitle(std::string_view title) = 0;
    virtual void onClose(Handler handler) = 0;
};

// A single-shot timer: its timeout is raised once, from the event loop, when the interval given to
// the last start has passed; a start while it runs begins the interval again, and a stop cancels
// it. Starting and stopping raise nothing.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void start(int milliseconds) = 0;
    virtual void stop() = 0;
    virtual void onTimeout(Handler handler) = 0;
};

class Program {
public:
    virtual ~Program() = default;
    // Stops at once: no further handling runs.
    virtual void end() = 0;
};

} // namespace controls
