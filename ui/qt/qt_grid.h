#pragma once

#include "ui/controls/controls.h"
#include "ui/qt/qt_control.h"
#include "ui/qt/widgets/grid_table.h"

namespace controls::qt {

// The user's committed edits and the program's own writes raise the cell's change alike, each
// once and only where the text changed.
class QtGrid final : public Grid, public OverWidget {
public:
    explicit QtGrid(GridTable* table);
    int rowCount() const override;
    void insertRow(int row) override;
    void removeRow(int row) override;
    std::string cell(int row, int column) const override;
    void setCell(int row, int column, std::string_view text) override;
    void setColumnItems(int column, const std::vector<std::string>& items) override;
    void setItemFinder(int column, ItemFinder opensAt) override;
    void setCellNote(int row, int column, std::string_view note) override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    void focusCell(int row, int column) override;
    void onCellChange(CellHandler handler) override { m_onCellChange = std::move(handler); }

private:
    GridTable* m_table;
    CellHandler m_onCellChange;
};

} // namespace controls::qt
