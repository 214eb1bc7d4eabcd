#include "ui/controls/memory_grid.h"

#include <algorithm>
#include <utility>

namespace controls::memory {

MemoryGrid::MemoryGrid(Recorder& recorder, std::string name, std::vector<std::string> headings)
    : Control(recorder, std::move(name)), m_headings(std::move(headings)),
      m_items(m_headings.size()), m_finders(m_headings.size()) {}

bool MemoryGrid::holds(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 &&
           column < static_cast<int>(m_headings.size());
}

void MemoryGrid::insertRow(int row) {
    record({.kind = "insertrow", .control = m_name, .index = row});
    if (row < 0 || row > rowCount())
        return;
    m_rows.insert(m_rows.begin() + row, std::vector<std::string>(m_headings.size()));
    m_notes.insert(m_notes.begin() + row, std::vector<std::string>(m_headings.size()));
    m_faults.insert(m_faults.begin() + row, std::vector<std::string>(m_headings.size()));
    if (m_current >= row)
        ++m_current;
    selectCurrent();
}

// The current row stays on the row that takes the removed one's place, or the one before it
// where the last row goes, as a real table's selection does.
void MemoryGrid::removeRow(int row) {
    record({.kind = "removerow", .control = m_name, .index = row});
    if (row < 0 || row >= rowCount())
        return;
    m_rows.erase(m_rows.begin() + row);
    m_notes.erase(m_notes.begin() + row);
    m_faults.erase(m_faults.begin() + row);
    if (m_current > row || m_current == rowCount())
        --m_current;
    selectCurrent();
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

void MemoryGrid::setItemFinder(int column, ItemFinder opensAt) {
    if (column >= 0 && column < static_cast<int>(m_finders.size()))
        m_finders[static_cast<std::size_t>(column)] = std::move(opensAt);
}

void MemoryGrid::setCellNote(int row, int column, std::string_view note) {
    record({.kind = "cellnote",
            .control = m_name,
            .text = std::string(note),
            .index = row,
            .column = column});
    if (holds(row, column))
        m_notes[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = note;
}

void MemoryGrid::setCellFault(int row, int column, std::string_view why) {
    record({.kind = "cellfault",
            .control = m_name,
            .text = std::string(why),
            .index = row,
            .column = column});
    if (holds(row, column))
        m_faults[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = why;
}

std::string MemoryGrid::cellFault(int row, int column) const {
    return holds(row, column)
               ? m_faults[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
               : std::string();
}

std::string MemoryGrid::cellNote(int row, int column) const {
    return holds(row, column)
               ? m_notes[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]
               : std::string();
}

int MemoryGrid::listOpensAt(int row, int column) const {
    const std::vector<std::string>& items = columnItems(column);
    if (!holds(row, column) || items.empty())
        return -1;
    if (const ItemFinder& find = m_finders[static_cast<std::size_t>(column)])
        return find(cell(row, column));
    const auto found = std::find(items.begin(), items.end(), cell(row, column));
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

void MemoryGrid::setCurrentRow(int row) {
    record({.kind = "setrow", .control = m_name, .index = row});
    m_current = row >= 0 && row < rowCount() ? row : -1;
    selectCurrent();
}

void MemoryGrid::selectCurrent() {
    if (m_current < 0)
        m_selection.reset();
    else
        m_selection = CellRange{m_current, m_currentColumn, m_current, m_currentColumn};
}

void MemoryGrid::onCommand(GridCommand command, Handler handler) {
    m_commands.emplace_back(command, std::move(handler));
}

void MemoryGrid::userSelect(CellRange range) {
    if (!holds(range.top, range.left) || !holds(range.bottom, range.right) ||
        range.top > range.bottom || range.left > range.right)
        return;
    // A click on the first cell, then Shift and a click on the last: each may make another
    // row current.
    makeCurrent(range.top, range.left);
    makeCurrent(range.bottom, range.right);
    m_selection = range;
}

void MemoryGrid::userCommand(GridCommand command) {
    for (const auto& [each, handler] : m_commands)
        if (each == command && handler)
            handler();
}

void MemoryGrid::focusCell(int row, int column) {
    record({.kind = "focuscell", .control = m_name, .index = row, .column = column});
    if (!holds(row, column))
        return;
    m_current = row;
    m_currentColumn = column;
    selectCurrent();
    m_recorder.setFocused(m_name);
}

void MemoryGrid::userEdit(int row, int column, std::string_view text) {
    if (!holds(row, column))
        return;
    makeCurrent(row, column);
    replace(row, column, text);
}

void MemoryGrid::userPick(int row, int column, int index) {
    const std::vector<std::string>& items = columnItems(column);
    if (!holds(row, column) || index < 0 || index >= static_cast<int>(items.size()))
        return;
    makeCurrent(row, column);
    replace(row, column, items[static_cast<std::size_t>(index)]);
}

void MemoryGrid::userSelectRow(int row) {
    if (holds(row, 0))
        makeCurrent(row, 0);
}

// The click that starts an edit makes its row current before the edit is committed, and so the
// row's change comes before the cell's.
void MemoryGrid::makeCurrent(int row, int column) {
    m_currentColumn = column;
    const bool moved = std::exchange(m_current, row) != row;
    selectCurrent();
    if (moved)
        raise(m_onRowChange);
}

void MemoryGrid::replace(int row, int column, std::string_view text) {
    std::string& held = m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
    if (held == text)
        return;
    held = text;
    // A mark is of the text it was given for.
    m_notes[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].clear();
    m_faults[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)].clear();
    if (m_onCellChange)
        m_onCellChange(row, column);
}

} // namespace controls::memory
