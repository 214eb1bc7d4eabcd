#include "ui/controls/memory_lists.h"

#include <algorithm>

namespace controls::memory {

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

std::string_view lookName(sheet::Look look) {
    constexpr std::string_view kLooks[] = {"plain", "recommended", "above", "below"};
    return kLooks[static_cast<int>(look)];
}

void MemoryTableList::setRowLook(int index, sheet::Look look) {
    // A plain row looks as it did when added: nothing to see, so nothing logged.
    if (look == sheet::Look::Plain)
        return;
    record(
        {.kind = "look", .control = m_name, .text = std::string(lookName(look)), .index = index});
}

void MemoryTableList::setStale(bool on) {
    record({.kind = "stale", .control = m_name, .on = on});
    m_stale = on;
}

void MemoryTableList::showRow(int index) {
    if (!holds(index))
        return;
    record({.kind = "select", .control = m_name, .text = item(index)});
    m_selected = index;
}

void MemoryTableList::userPick(int index) {
    if (!m_enabled || !holds(index) || index == m_selected)
        return;
    m_selected = index;
    raise(m_onSelect);
}

void MemoryTableList::userDoubleClick(int index) {
    if (!m_enabled || !holds(index))
        return;
    // Its first click selects, as any click does.
    userPick(index);
    raise(m_onDoubleClick);
}

void MemoryTableList::userSort(int column) {
    m_order.click(column);
}

std::vector<std::size_t> MemoryTableList::shownOrder() const {
    std::vector<std::string> cells;
    for (std::string_view row : m_items) {
        // The sorted column's cell: after as many tabs as columns before it, empty past the last.
        for (int i = 0; i < m_order.column; ++i) {
            const std::size_t tab = row.find('\t');
            row = tab == std::string_view::npos ? std::string_view() : row.substr(tab + 1);
        }
        cells.emplace_back(row.substr(0, row.find('\t')));
    }
    return controls::shownOrder(m_order, cells);
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

} // namespace controls::memory
