#include "ui/controls/memory_gui.h"

#include <algorithm>
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
