#pragma once

#include "ui/controls/memory_control.h"

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
    int currentRow() const override { return m_current; }
    void setCurrentRow(int row) override;
    void focusCell(int row, int column) override;
    void onCellChange(CellHandler handler) override { m_onCellChange = std::move(handler); }

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
    int currentColumn() const { return m_current >= 0 ? m_column : -1; }
    bool focused() const { return m_recorder.focused() == m_name; }

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
    std::vector<std::vector<std::string>> m_notes; // as m_rows
    std::vector<ItemFinder> m_finders;             // by column
    int m_current = -1;
    int m_column = 0;
    CellHandler m_onCellChange;
};

} // namespace controls::memory
