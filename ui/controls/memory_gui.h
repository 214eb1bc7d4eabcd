#pragma once

#include "sheet/sheet.h"
#include "ui/controls/controls.h"

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Controls that live in memory: they keep the state a real control would show, raise the
// notifications by the same contract, and report every operation the program performs to a
// listener, so a tool can drive the logic with user actions and log what the program did, in
// order.
namespace controls::memory {

// What an operation of each kind carries beyond its kind and its control, one row a kind, in
// the order the log writes them. A kind not listed carries nothing more: focus, clear, guide,
// about, end.
struct OpFields {
    std::string_view kind;
    bool window = false; // its control is a window, logged as "window" rather than "ctl"
    bool index = false;
    bool column = false;
    bool on = false;
    bool text = false;
    bool title = false;
    bool filter = false;
    bool suggested = false;
    bool answer = false;
};

inline constexpr std::array<OpFields, 26> kOpFields{{
    {.kind = "show", .window = true},
    {.kind = "hide", .window = true},
    {.kind = "load", .window = true},
    {.kind = "unload", .window = true},
    {.kind = "title", .window = true, .text = true},
    {.kind = "caption", .text = true},
    {.kind = "settext", .text = true},
    {.kind = "additem", .index = true, .text = true},
    {.kind = "select", .text = true},
    {.kind = "look", .index = true, .text = true},
    {.kind = "enable", .on = true},
    {.kind = "check", .on = true},
    {.kind = "status", .on = true, .text = true},
    {.kind = "message", .text = true, .title = true},
    {.kind = "insertrow", .index = true},
    {.kind = "removerow", .index = true},
    {.kind = "setrow", .index = true},
    {.kind = "setcell", .index = true, .column = true, .text = true},
    {.kind = "items", .column = true, .text = true},
    {.kind = "question", .text = true, .title = true, .answer = true},
    {.kind = "openpath", .title = true, .filter = true, .answer = true},
    {.kind = "savepath", .title = true, .filter = true, .suggested = true, .answer = true},
    {.kind = "clipboard", .text = true},
    {.kind = "print", .title = true},
    {.kind = "pdf", .text = true, .title = true},
    {.kind = "recent", .text = true},
}};

// One operation the program performed, e.g. a caption written to Form1.Label4.
struct Op {
    std::string_view kind{}; // always a string literal, so recording never copies it
    std::string control{};
    std::string text{};
    std::string title{};
    int index = -1;
    bool on = false;
    // A grid's column; a file dialog's filter and suggested name; the answer a question or a
    // file dialog gave the program.
    int column = -1;
    std::string filter{};
    std::string suggested{};
    std::string answer{};

    // Hands `field(key, value)` each field this kind of operation carries, as kOpFields says,
    // in order: ("op", kind), ("window" or "ctl", control; no "ctl" where it has none),
    // ("index", int), ("column", int), ("on", bool), ("text", …), ("title", …), ("filter", …),
    // ("suggested", …), ("answer", …); strings as std::string_view. The replay log is written
    // from this walk.
    template <class Field> void fields(Field&& field) const {
        static constexpr OpFields kNothingMore{};
        const OpFields* carried = &kNothingMore;
        for (const OpFields& row : kOpFields)
            if (row.kind == kind)
                carried = &row;
        field(std::string_view("op"), kind);
        if (carried->window)
            field(std::string_view("window"), std::string_view(control));
        else if (!control.empty())
            field(std::string_view("ctl"), std::string_view(control));
        if (carried->index)
            field(std::string_view("index"), index);
        if (carried->column)
            field(std::string_view("column"), column);
        if (carried->on)
            field(std::string_view("on"), on);
        if (carried->text)
            field(std::string_view("text"), std::string_view(text));
        if (carried->title)
            field(std::string_view("title"), std::string_view(title));
        if (carried->filter)
            field(std::string_view("filter"), std::string_view(filter));
        if (carried->suggested)
            field(std::string_view("suggested"), std::string_view(suggested));
        if (carried->answer)
            field(std::string_view("answer"), std::string_view(answer));
    }
};

class Recorder {
public:
    void record(const Op& op) {
        if (m_listener)
            m_listener(op);
    }
    // Hears each operation as it is performed.
    void setListener(std::function<void(const Op&)> listener) { m_listener = std::move(listener); }

    const std::string& focused() const { return m_focused; }
    void setFocused(std::string name) { m_focused = std::move(name); }

private:
    std::string m_focused;
    std::function<void(const Op&)> m_listener;
};

class Control {
public:
    Control(Recorder& recorder, std::string name) : m_recorder(recorder), m_name(std::move(name)) {}
    virtual ~Control() = default;
    const std::string& name() const { return m_name; }
    bool enabled() const { return m_enabled; }

protected:
    void recordEnable(bool on);
    void recordFocus();
    void record(const Op& op);
    static void raise(const Handler& handler);

    Recorder& m_recorder;
    std::string m_name;
    bool m_enabled = true;
};

class MemoryTextBox final : public Control, public TextBox {
public:
    MemoryTextBox(Recorder& recorder, std::string name, std::string designText);

    std::string text() const override { return m_text; }
    void setText(std::string_view text) override;
    void setEnabled(bool on) override { recordEnable(on); }
    void setFocus() override { recordFocus(); }
    void onChange(Handler handler) override { m_onChange = std::move(handler); }

    // The user replaces the whole text in one edit; ignored while the box is disabled.
    void userType(std::string_view text);

private:
    void replace(std::string_view text);

    std::string m_text;
    Handler m_onChange;
};

// The items of a list, as every kind of list keeps them: an item added at an index moves the
// selection down with the items below it.
class MemoryItems : public Control {
public:
    using Control::Control;
    const std::vector<std::string>& items() const { return m_items; }

protected:
    void insert(std::string_view text, int index);
    void removeAll();
    // A negative index, made unsigned, is past every item.
    bool holds(int index) const { return static_cast<std::size_t>(index) < m_items.size(); }
    const std::string& item(int index) const { return m_items[static_cast<std::size_t>(index)]; }

    std::vector<std::string> m_items;
    int m_selected = -1;
};

class MemoryDropDownList final : public MemoryItems, public DropDownList {
public:
    using MemoryItems::MemoryItems;

    std::string text() const override { return m_selected < 0 ? std::string() : item(m_selected); }
    void addItem(std::string_view text, int index) override { insert(text, index); }
    void clear() override { removeAll(); }
    void setText(std::string_view text) override;
    void setEnabled(bool on) override { recordEnable(on); }
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

    // The user picks the item at `index`, also when it is already shown.
    void userPick(int index);

private:
    Handler m_onClick;
};

class MemoryTableList final : public MemoryItems, public TableList {
public:
    using MemoryItems::MemoryItems;

    void addItem(std::string_view cells, int index) override { insert(cells, index); }
    void clear() override { removeAll(); }
    void setRowLook(int index, Look look) override;
    void showRow(int index) override;
    int selectedIndex() const override { return m_selected; }
    void onDoubleClick(Handler handler) override { m_onDoubleClick = std::move(handler); }

    void userPick(int index);
    void userDoubleClick(int index);

private:
    Handler m_onDoubleClick;
};

class MemorySimpleCombo final : public MemoryItems, public SimpleCombo {
public:
    using MemoryItems::MemoryItems;

    void addItem(std::string_view text, int index) override { insert(text, index); }
    void setText(std::string_view text) override;
    void showRow(int index) override;
    int selectedIndex() const override { return m_selected; }
    void onClick(Handler handler) override { m_onClick = std::move(handler); }
    void onDoubleClick(Handler handler) override { m_onDoubleClick = std::move(handler); }

    void userPick(int index);
    void userDoubleClick(int index);

private:
    bool selectRow(int index);

    Handler m_onClick;
    Handler m_onDoubleClick;
};

// Rows of cells under the grid's headings, one column a heading. The user's edits and picks
// are committed at once, as Enter commits them in the real grid.
class MemoryGrid final : public Control, public Grid {
public:
    MemoryGrid(Recorder& recorder, std::string name, std::vector<std::string> headings);

    int rowCount() const override { return static_cast<int>(m_rows.size()); }
    void insertRow(int row) override;
    void removeRow(int row) override;
    std::string cell(int row, int column) const override;
    void setCell(int row, int column, std::string_view text) override;
    void setColumnItems(int column, const std::vector<std::string>& items) override;
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override;
    void onCellChange(CellHandler handler) override { m_onCellChange = std::move(handler); }

    const std::vector<std::string>& headings() const { return m_headings; }
    // Empty for a column without items, or one the grid does not have.
    const std::vector<std::string>& columnItems(int column) const;
    // Every cell's text, row by row.
    const std::vector<std::vector<std::string>>& rows() const { return m_rows; }

    // The user types `text` over a cell and commits it (Enter, Tab or leaving the cell); the
    // cell's row becomes the current one. A cell the grid does not have takes nothing.
    void userEdit(int row, int column, std::string_view text);
    // The user picks the item at `index` of the column's items into a cell, likewise.
    void userPick(int row, int column, int index);

private:
    bool holds(int row, int column) const;
    void replace(int row, int column, std::string_view text);

    std::vector<std::string> m_headings;
    std::vector<std::vector<std::string>> m_items; // by column
    std::vector<std::vector<std::string>> m_rows;
    int m_current = -1;
    CellHandler m_onCellChange;
};

class MemoryOptionButton;
// The option buttons of one frame: each button shares it, so it lives as long as they do.
using OptionGroup = std::shared_ptr<std::vector<MemoryOptionButton*>>;

class MemoryOptionButton final : public Control, public OptionButton {
public:
    MemoryOptionButton(Recorder& recorder, std::string name, OptionGroup group);
    ~MemoryOptionButton() override;

    bool isChecked() const override { return m_checked; }
    void setChecked(bool on) override;
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

    void userClick();

private:
    void switchOn();

    OptionGroup m_group;
    bool m_checked = false;
    Handler m_onClick;
};

class MemoryPushButton final : public Control, public PushButton {
public:
    using Control::Control;

    void setEnabled(bool on) override { recordEnable(on); }
    void onClick(Handler handler) override { m_onClick = std::move(handler); }

    void userClick();

private:
    Handler m_onClick;
};

class MemoryLabel final : public Control, public Label {
public:
    MemoryLabel(Recorder& recorder, std::string name, std::string designCaption);

    void setCaption(std::string_view caption) override;
    const std::string& caption() const { return m_caption; }

private:
    std::string m_caption;
};

// Says a fault by its `on` field, as the real one says it in the alert colour.
class MemoryStatusText final : public Control, public StatusText {
public:
    using Control::Control;

    void setStatus(std::string_view text, bool fault) override;
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

class MemoryMenuCommand final : public Control, public MenuCommand {
public:
    using Control::Control;

    void onClick(Handler handler) override { m_onClick = std::move(handler); }
    void userClick() { raise(m_onClick); }

private:
    Handler m_onClick;
};

// Closes each window at once, as if the user had read it, and records that it was shown.
class MemoryHelpWindows final : public HelpWindows {
public:
    explicit MemoryHelpWindows(Recorder& recorder) : m_recorder(recorder) {}
    void showGuide() override;
    void showAbout() override;

private:
    Recorder& m_recorder;
};

// Answers every box at once as if OK were pressed, and records its text and title.
class MemoryMessageBox final : public MessageBox {
public:
    explicit MemoryMessageBox(Recorder& recorder) : m_recorder(recorder) {}
    void show(std::string_view text, std::string_view title) override;

private:
    Recorder& m_recorder;
};

// Answers each question with the next of the answers given to it beforehand, in order, and
// records what was asked and what it answered. Asked with none left, it answers Cancel, which
// loses nothing, and records the operation with `on` false: a session reports that as a fault
// of its script, as it reports a message not of the program's own.
class MemoryQuestion final : public Control, public Question {
public:
    using Control::Control;

    Answer ask(std::string_view text, std::string_view title) override;

    // The answer of the next question asked.
    void answerNext(Answer answer) { m_answers.push_back(answer); }
    // The answers given and not yet asked for.
    std::size_t pending() const { return m_answers.size(); }

private:
    std::deque<Answer> m_answers;
};

// Returns for each dialog, open or save, the next of the paths given to it beforehand, in
// order; an empty path is a cancelled dialog, and so is a path to open that names no file, as
// the real dialog takes none. Asked with none left, it cancels and records the operation with
// `on` false, as the question does.
class MemoryFileDialogs final : public Control, public FileDialogs {
public:
    using Control::Control;

    std::string openPath(std::string_view title, std::string_view filter) override;
    std::string savePath(std::string_view title, std::string_view filter,
                         std::string_view suggested) override;

    // The path the next dialog returns; empty to cancel it.
    void answerNext(std::string path) { m_paths.push_back(std::move(path)); }
    std::size_t pending() const { return m_paths.size(); }

private:
    Op answer(std::string_view kind, std::string_view title, std::string_view filter);

    std::deque<std::string> m_paths;
};

// Keeps the text last put on it.
class MemoryClipboard final : public Control, public Clipboard {
public:
    using Control::Control;
    void setText(std::string_view text) override;
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

// Prints and draws nothing: it keeps the sheet last handed to it, logged by its title (a PDF by
// its path too), and dates every sheet on one fixed day, so that a log is the same on any day.
// There is no printer until a test says there is one.
class MemorySheetOutput final : public Control, public SheetOutput {
public:
    using Control::Control;
    static constexpr std::string_view kToday = "2000-01-01";

    std::string today() const override { return std::string(kToday); }
    bool canPrint() const override { return m_printer; }
    std::string print(const sheet::Sheet& sheet) override;
    std::string savePdf(const sheet::Sheet& sheet, const std::string& path) override;

    void setPrinter(bool present) { m_printer = present; }
    // The sheet last printed or saved, none before.
    const std::optional<sheet::Sheet>& last() const { return m_last; }

private:
    bool m_printer = false;
    std::optional<sheet::Sheet> m_last;
};

// Keeps its list where the Gui keeps it, so that the window's next loading finds it as the
// settings would; logged as the paths joined by tab characters.
class MemoryRecentFiles final : public Control, public RecentFiles {
public:
    MemoryRecentFiles(Recorder& recorder, std::string name, std::vector<std::string>& stored)
        : Control(recorder, std::move(name)), m_stored(stored) {}

    std::vector<std::string> paths() const override { return m_stored; }
    void setPaths(const std::vector<std::string>& paths) override;
    void onPick(PickHandler handler) override { m_onPick = std::move(handler); }

    // The user picks the entry at `index`; an entry the menu does not have does nothing.
    void userPick(int index);

private:
    std::vector<std::string>& m_stored;
    PickHandler m_onPick;
};

class MemoryWindow final : public Control, public Window {
public:
    using Control::Control;

    void show() override;
    void hide() override;
    void setTitle(std::string_view title) override;
    void onClose(Handler handler) override { m_onClose = std::move(handler); }

    bool visible() const { return m_visible; }
    // Empty until the program sets one: the description's title stands.
    const std::string& title() const { return m_title; }
    // The user closes the window from its title bar.
    void userClose() { raise(m_onClose); }

private:
    bool m_visible = false;
    std::string m_title;
    Handler m_onClose;
};

class MemoryProgram final : public Program {
public:
    explicit MemoryProgram(Recorder& recorder) : m_recorder(recorder) {}
    void end() override;
    bool ended() const { return m_ended; }

private:
    Recorder& m_recorder;
    bool m_ended = false;
};

// The name a table row's look is logged by.
std::string_view lookName(TableList::Look look);
// The name an answer is logged and scripted by: "save", "discard" or "cancel".
std::string_view answerName(Question::Answer answer);

// Owns the controls by their window-qualified names ("Form1.Text3"), creating each on first use.
// Asking for a control under a name another kind holds is a fault of the caller: it throws.
class Gui {
public:
    Gui();

    MemoryTextBox& textBox(const std::string& name, std::string designText = {}) {
        return obtain<MemoryTextBox>(name, std::move(designText));
    }
    MemoryDropDownList& dropDownList(const std::string& name) {
        return obtain<MemoryDropDownList>(name);
    }
    MemorySimpleCombo& simpleCombo(const std::string& name) {
        return obtain<MemorySimpleCombo>(name);
    }
    MemoryTableList& tableList(const std::string& name) { return obtain<MemoryTableList>(name); }
    // The headings count only where the grid is made.
    MemoryGrid& grid(const std::string& name, std::vector<std::string> headings = {}) {
        return obtain<MemoryGrid>(name, std::move(headings));
    }
    MemoryQuestion& question(const std::string& name) { return obtain<MemoryQuestion>(name); }
    MemoryFileDialogs& fileDialogs(const std::string& name) {
        return obtain<MemoryFileDialogs>(name);
    }
    MemoryClipboard& clipboard(const std::string& name) { return obtain<MemoryClipboard>(name); }
    MemorySheetOutput& sheetOutput(const std::string& name) {
        return obtain<MemorySheetOutput>(name);
    }
    MemoryRecentFiles& recentFiles(const std::string& name) {
        return obtain<MemoryRecentFiles>(name, m_stored[name]);
    }
    MemoryOptionButton& optionButton(const std::string& name, const std::string& group);
    MemoryPushButton& pushButton(const std::string& name) { return obtain<MemoryPushButton>(name); }
    MemoryLabel& label(const std::string& name, std::string designCaption = {}) {
        return obtain<MemoryLabel>(name, std::move(designCaption));
    }
    MemoryStatusText& statusText(const std::string& name) { return obtain<MemoryStatusText>(name); }
    MemoryMenuCommand& menuCommand(const std::string& name) {
        return obtain<MemoryMenuCommand>(name);
    }
    MemoryWindow& window(const std::string& name) { return obtain<MemoryWindow>(name); }
    MemoryMessageBox& messageBox() { return m_messageBox; }
    MemoryHelpWindows& helpWindows() { return m_helpWindows; }
    MemoryProgram& program() { return m_program; }
    const MemoryProgram& program() const { return m_program; }

    // The control of that name, null while there is none.
    Control* find(const std::string& name) const;
    // Takes every control of a window ("Form2") out, so that the next use creates it afresh;
    // the caller decides when they are destroyed.
    std::vector<std::unique_ptr<Control>> takeWindow(const std::string& window);
    // Records a load or unload of a window, which the windows' logic performs.
    void recordWindowOp(std::string_view kind, const std::string& window);

    Recorder& recorder() { return m_recorder; }
    const std::string& focused() const { return m_recorder.focused(); }

private:
    template <class T, class... Args> T& obtain(const std::string& name, Args&&... args) {
        auto& slot = m_controls[name];
        if (!slot)
            slot = std::make_unique<T>(m_recorder, name, std::forward<Args>(args)...);
        return dynamic_cast<T&>(*slot);
    }

    Recorder m_recorder;
    MemoryMessageBox m_messageBox;
    MemoryHelpWindows m_helpWindows;
    MemoryProgram m_program;
    std::map<std::string, std::unique_ptr<Control>> m_controls;
    std::map<std::string, OptionGroup> m_optionGroups;
    // What the recent files' lists keep while their windows are unloaded, by control.
    std::map<std::string, std::vector<std::string>> m_stored;
};

} // namespace controls::memory
