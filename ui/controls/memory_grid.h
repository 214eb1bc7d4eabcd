#pragma once

#include "ui/controls/memory_control.h"

#include <optional>
#include <utility>
#include <vector>

namespace controls::memory {

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
    void setItemFinder(int column, ItemFinder opensAt) override;
    void setCellNote(int row, int column, std::string_view note) override;
    void setCellFault(int row, int column, std::string_view why) override;
    std::string cellFault(int row, int column) const override;
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override;
    void focusCell(int row, int column) override;
    void onCellChange(CellHandler handler) override { m_onCellChange = std::move(handler); }
    void onCurrentRowChange(Handler handler) override { m_onRowChange = std::move(handler); }
    std::optional<CellRange> selection() const override { return m_selection; }
    void onCommand(GridCommand command, Handler handler) override;

    const std::vector<std::string>& headings() const { return m_headings; }
    // Empty for a column without items, or one the grid does not have.
    const std::vector<std::string>& columnItems(int column) const;
    // Every cell's text, row by row.
    const std::vector<std::vector<std::string>>& rows() const { return m_rows; }
    // The note a cell is marked with; empty while it has none.
    std::string cellNote(int row, int column) const;
    // The item the cell's list opens at when the user opens it, -1 for none.
    int listOpensAt(int row, int column) const;
    // The current cell's column, -1 while no row is current; and whether the grid has the
    // keyboard focus.
    int currentColumn() const { return m_current >= 0 ? m_currentColumn : -1; }
    bool focused() const { return m_recorder.focused() == m_name; }

    // The user types `text` over a cell and commits it (Enter, Tab or leaving the cell); the
    // cell's row becomes the current one. A cell the grid does not have takes nothing.
    void userEdit(int row, int column, std::string_view text);
    // The user picks the item at `index` of the column's items into a cell, likewise.
    void userPick(int row, int column, int index);
    // The user makes a row current by a click or a key; a row the grid does not have takes
    // nothing.
    void userSelectRow(int row);
    // The user selects a rectangle of cells, from its first to its last; its last row becomes
    // the current one. One beyond the grid selects nothing.
    void userSelect(CellRange range);
    // The user presses a command's key or picks it from the context menu.
    void userCommand(GridCommand command);

private:
    bool holds(int row, int column) const;
    void selectCurrent();
    void replace(int row, int column, std::string_view text);
    // The user's row made current, raising its change where it is another row.
    void makeCurrent(int row, int column);

    std::vector<std::string> m_headings;
    std::vector<std::vector<std::string>> m_items; // by column
    std::vector<std::vector<std::string>> m_rows;
    std::vector<std::vector<std::string>> m_notes;  // as m_rows
    std::vector<std::vector<std::string>> m_faults; // as m_rows
    std::vector<ItemFinder> m_finders;              // by column
    int m_current = -1;
    int m_currentColumn = 0;
    std::optional<CellRange> m_selection;
    CellHandler m_onCellChange;
    Handler m_onRowChange;
    std::vector<std::pair<GridCommand, Handler>> m_commands;
};

} // namespace controls::memory
