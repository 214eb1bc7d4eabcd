#include "ui/controls/memory_gui.h"

#include <algorithm>
#include <filesystem>
#include <type_traits>

namespace controls::memory {

void Control::recordEnable(bool on) {
    m_enabled = on;
    record({.kind = "enable", .control = m_name, .on = on});
}

void Control::recordFocus() {
    m_recorder.setFocused(m_name);
    record({.kind = "focus", .control = m_name});
}

void Control::record(const Op& op) {
    m_recorder.record(op);
}

void Control::raise(const Handler& handler) {
    if (handler)
        handler();
}

MemoryTextBox::MemoryTextBox(Recorder& recorder, std::string name, std::string designText)
    : Control(recorder, std::move(name)), m_text(std::move(designText)) {}

void MemoryTextBox::setText(std::string_view text) {
    record({.kind = "settext", .control = m_name, .text = std::string(text)});
    replace(text);
}

void MemoryTextBox::userType(std::string_view text) {
    if (m_enabled)
        replace(text);
}

void MemoryTextBox::replace(std::string_view text) {
    if (m_text == text)
        return;
    m_text = text;
    raise(m_onChange);
}

void MemoryItems::insert(std::string_view text, int index) {
    record({.kind = "additem", .control = m_name, .text = std::string(text), .index = index});
    index = std::clamp(index, 0, static_cast<int>(m_items.size()));
    m_items.insert(m_items.begin() + index, std::string(text));
    if (m_selected >= index)
        ++m_selected;
}

void MemoryItems::removeAll() {
    record({.kind = "clear", .control = m_name});
    m_items.clear();
    m_selected = -1;
}

void MemoryDropDownList::setText(std::string_view text) {
    record({.kind = "select", .control = m_name, .text = std::string(text)});
    const auto found = std::find(m_items.begin(), m_items.end(), text);
    if (found == m_items.end())
        return;
    const int index = static_cast<int>(found - m_items.begin());
    if (index == m_selected)
        return;
    m_selected = index;
    raise(m_onClick);
}

void MemoryDropDownList::userPick(int index) {
    if (!m_enabled || !holds(index))
        return;
    m_selected = index;
    raise(m_onClick);
}

std::string_view lookName(TableList::Look look) {
    constexpr std::string_view kLooks[] = {"recommended", "above", "below"};
    return kLooks[static_cast<int>(look)];
}

void MemoryTableList::setRowLook(int index, Look look) {
    record(
        {.kind = "look", .control = m_name, .text = std::string(lookName(look)), .index = index});
}

void MemoryTableList::showRow(int index) {
    if (!holds(index))
        return;
    record({.kind = "select", .control = m_name, .text = item(index)});
    m_selected = index;
}

void MemoryTableList::userPick(int index) {
    if (m_enabled && holds(index))
        m_selected = index;
}

void MemoryTableList::userDoubleClick(int index) {
    if (!m_enabled || !holds(index))
        return;
    m_selected = index;
    raise(m_onDoubleClick);
}

// The edit field's text is the program's to set and the user's to type; nothing reads it back.
void MemorySimpleCombo::setText(std::string_view text) {
    record({.kind = "settext", .control = m_name, .text = std::string(text)});
}

void MemorySimpleCombo::showRow(int index) {
    if (!holds(index))
        return;
    record({.kind = "select", .control = m_name, .text = item(index), .index = index});
    m_selected = index;
}

bool MemorySimpleCombo::selectRow(int index) {
    if (!m_enabled || !holds(index))
        return false;
    m_selected = index;
    return true;
}

void MemorySimpleCombo::userPick(int index) {
    // A click on the row already selected makes nothing the selected row anew: no click.
    const int before = m_selected;
    if (selectRow(index) && index != before)
        raise(m_onClick);
}

void MemorySimpleCombo::userDoubleClick(int index) {
    // The double-click's first click, like any click, raises nothing on the row already
    // selected.
    const int before = m_selected;
    if (!selectRow(index))
        return;
    if (index != before)
        raise(m_onClick);
    raise(m_onDoubleClick);
}

MemoryGrid::MemoryGrid(Recorder& recorder, std::string name, std::vector<std::string> headings)
    : Control(recorder, std::move(name)), m_headings(std::move(headings)),
      m_items(m_headings.size()) {}

bool MemoryGrid::holds(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 &&
           column < static_cast<int>(m_headings.size());
}

void MemoryGrid::insertRow(int row) {
    record({.kind = "insertrow", .control = m_name, .index = row});
    if (row < 0 || row > rowCount())
        return;
    m_rows.insert(m_rows.begin() + row, std::vector<std::string>(m_headings.size()));
    if (m_current >= row)
        ++m_current;
}

// The current row stays on the row that takes the removed one's place, or the one before it
// where the last row goes, as a real table's selection does.
void MemoryGrid::removeRow(int row) {
    record({.kind = "removerow", .control = m_name, .index = row});
    if (row < 0 || row >= rowCount())
        return;
    m_rows.erase(m_rows.begin() + row);
    if (m_current > row || m_current == rowCount())
        --m_current;
}

std::string MemoryGrid::cell(int row, int column) const {
    return holds(row, column)
               ? m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
               : std::string();
}

void MemoryGrid::setCell(int row, int column, std::string_view text) {
    record({.kind = "setcell",
            .control = m_name,
            .text = std::string(text),
            .index = row,
            .column = column});
    if (holds(row, column))
        replace(row, column, text);
}

void MemoryGrid::setColumnItems(int column, const std::vector<std::string>& items) {
    std::string joined;
    for (std::size_t i = 0; i < items.size(); ++i)
        joined += (i > 0 ? "\t" : "") + items[i];
    record({.kind = "items", .control = m_name, .text = joined, .column = column});
    if (column >= 0 && column < static_cast<int>(m_items.size()))
        m_items[static_cast<std::size_t>(column)] = items;
}

const std::vector<std::string>& MemoryGrid::columnItems(int column) const {
    static const std::vector<std::string> kNone;
    return column >= 0 && column < static_cast<int>(m_items.size())
               ? m_items[static_cast<std::size_t>(column)]
               : kNone;
}

void MemoryGrid::setCurrentRow(int row) {
    record({.kind = "setrow", .control = m_name, .index = row});
    m_current = row >= 0 && row < rowCount() ? row : -1;
}

void MemoryGrid::userEdit(int row, int column, std::string_view text) {
    if (!holds(row, column))
        return;
    m_current = row;
    replace(row, column, text);
}

void MemoryGrid::userPick(int row, int column, int index) {
    const std::vector<std::string>& items = columnItems(column);
    if (!holds(row, column) || index < 0 || index >= static_cast<int>(items.size()))
        return;
    m_current = row;
    replace(row, column, items[static_cast<std::size_t>(index)]);
}

void MemoryGrid::replace(int row, int column, std::string_view text) {
    std::string& held = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (held == text)
        return;
    held = text;
    if (m_onCellChange)
        m_onCellChange(row, column);
}

MemoryOptionButton::MemoryOptionButton(Recorder& recorder, std::string name, OptionGroup group)
    : Control(recorder, std::move(name)), m_group(std::move(group)) {
    m_group->push_back(this);
}

MemoryOptionButton::~MemoryOptionButton() {
    std::erase(*m_group, this);
}

void MemoryOptionButton::setChecked(bool on) {
    record({.kind = "check", .control = m_name, .on = on});
    if (on)
        switchOn();
    else
        m_checked = false;
}

void MemoryOptionButton::userClick() {
    if (m_enabled)
        switchOn();
}

void MemoryOptionButton::switchOn() {
    if (m_checked)
        return;
    for (MemoryOptionButton* other : *m_group)
        other->m_checked = false;
    m_checked = true;
    raise(m_onClick);
}

void MemoryPushButton::userClick() {
    if (m_enabled)
        raise(m_onClick);
}

MemoryLabel::MemoryLabel(Recorder& recorder, std::string name, std::string designCaption)
    : Control(recorder, std::move(name)), m_caption(std::move(designCaption)) {}

void MemoryLabel::setCaption(std::string_view caption) {
    m_caption = caption;
    record({.kind = "caption", .control = m_name, .text = m_caption});
}

void MemoryStatusText::setStatus(std::string_view text, bool fault) {
    m_text = text;
    record({.kind = "status", .control = m_name, .text = m_text, .on = fault});
}

void MemoryMessageBox::show(std::string_view text, std::string_view title) {
    m_recorder.record({.kind = "message", .text = std::string(text), .title = std::string(title)});
}

std::string_view answerName(Question::Answer answer) {
    constexpr std::string_view kAnswers[] = {"save", "discard", "cancel"};
    return kAnswers[static_cast<int>(answer)];
}

Question::Answer MemoryQuestion::ask(std::string_view text, std::string_view title) {
    const bool answered = !m_answers.empty();
    const Answer answer = answered ? m_answers.front() : Answer::Cancel;
    if (answered)
        m_answers.pop_front();
    record({.kind = "question",
            .control = m_name,
            .text = std::string(text),
            .title = std::string(title),
            .on = answered,
            .answer = std::string(answerName(answer))});
    return answer;
}

Op MemoryFileDialogs::answer(std::string_view kind, std::string_view title,
                             std::string_view filter) {
    Op op{.kind = kind,
          .control = m_name,
          .title = std::string(title),
          .on = !m_paths.empty(),
          .filter = std::string(filter)};
    if (op.on) {
        op.answer = std::move(m_paths.front());
        m_paths.pop_front();
    }
    return op;
}

std::string MemoryFileDialogs::openPath(std::string_view title, std::string_view filter) {
    Op op = answer("openpath", title, filter);
    // The real dialog opens only a file that exists: given another, the user can but cancel.
    // The name is UTF-8, as the program's are; a narrow path is not read so on Windows.
    std::error_code error;
    const std::filesystem::path path(std::u8string(op.answer.begin(), op.answer.end()));
    if (!op.answer.empty() && !std::filesystem::is_regular_file(path, error))
        op.answer.clear();
    record(op);
    return op.answer;
}

std::string MemoryFileDialogs::savePath(std::string_view title, std::string_view filter,
                                        std::string_view suggested) {
    Op op = answer("savepath", title, filter);
    op.suggested = suggested;
    record(op);
    return op.answer;
}

void MemoryClipboard::setText(std::string_view text) {
    m_text = text;
    record({.kind = "clipboard", .control = m_name, .text = m_text});
}

std::string MemorySheetOutput::print(const sheet::Sheet& sheet) {
    m_last = sheet;
    record({.kind = "print", .control = m_name, .title = sheet.title});
    return {};
}

std::string MemorySheetOutput::savePdf(const sheet::Sheet& sheet, const std::string& path) {
    m_last = sheet;
    record({.kind = "pdf", .control = m_name, .text = path, .title = sheet.title});
    return {};
}

void MemoryRecentFiles::setPaths(const std::vector<std::string>& paths) {
    m_stored = paths;
    std::string joined;
    for (const std::string& path : paths)
        joined += (joined.empty() ? "" : "\t") + path;
    record({.kind = "recent", .control = m_name, .text = joined});
}

void MemoryRecentFiles::userPick(int index) {
    if (static_cast<std::size_t>(index) < m_stored.size() && m_onPick)
        m_onPick(index);
}

void MemoryWindow::show() {
    record({.kind = "show", .control = m_name});
    m_visible = true;
}

void MemoryWindow::hide() {
    record({.kind = "hide", .control = m_name});
    m_visible = false;
}

void MemoryWindow::setTitle(std::string_view title) {
    record({.kind = "title", .control = m_name, .text = std::string(title)});
    m_title = title;
}

void MemoryHelpWindows::showGuide() {
    m_recorder.record({.kind = "guide"});
}

void MemoryHelpWindows::showAbout() {
    m_recorder.record({.kind = "about"});
}

void MemoryProgram::end() {
    m_recorder.record({.kind = "end"});
    m_ended = true;
}

Gui::Gui() : m_messageBox(m_recorder), m_helpWindows(m_recorder), m_program(m_recorder) {}

void Gui::recordWindowOp(std::string_view kind, const std::string& window) {
    m_recorder.record({.kind = kind, .control = window});
}

Control* Gui::find(const std::string& name) const {
    const auto found = m_controls.find(name);
    return found == m_controls.end() ? nullptr : found->second.get();
}

std::vector<std::unique_ptr<Control>> Gui::takeWindow(const std::string& window) {
    const std::string prefix = window + ".";
    std::vector<std::unique_ptr<Control>> taken;
    for (auto it = m_controls.begin(); it != m_controls.end();) {
        if (it->first == window || it->first.starts_with(prefix)) {
            taken.push_back(std::move(it->second));
            it = m_controls.erase(it);
        } else {
            ++it;
        }
    }
    std::erase_if(m_optionGroups,
                  [&](const auto& entry) { return entry.first.starts_with(prefix); });
    if (m_recorder.focused().starts_with(prefix))
        m_recorder.setFocused({});
    return taken;
}

MemoryOptionButton& Gui::optionButton(const std::string& name, const std::string& group) {
    OptionGroup& shared = m_optionGroups[group];
    if (!shared)
        shared = std::make_shared<std::vector<MemoryOptionButton*>>();
    return obtain<MemoryOptionButton>(name, shared);
}

} // namespace controls::memory
