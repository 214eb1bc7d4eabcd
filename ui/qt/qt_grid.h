#pragma once

#include "ui/controls/controls.h"
#include "ui/qt/qt_control.h"
#include "ui/qt/widgets/grid_table.h"

namespace controls::qt {

// The user's committed edits and the program's own writes raise the cell's change alike, each
// once and only where the text changed; the current row's change is the user's alone.
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
    void setCellFault(int row, int column, std::string_view why) override;
    std::string cellFault(int row, int column) const override;
    int currentRow() const override;
    void setCurrentRow(int row) override;
    void focusCell(int row, int column) override;
    void onCellChange(CellHandler handler) override { m_onCellChange = std::move(handler); }
    void onCurrentRowChange(Handler handler) override { m_onRowChange = std::move(handler); }
    std::optional<CellRange> selection() const override;
    void onCommand(GridCommand command, Handler handler) override;

private:
    GridTable* m_table;
    CellHandler m_onCellChange;
    Handler m_onRowChange;
    // The program moves the current row, also while a user's key is handled (a row deleted).
    bool m_programmatic = false;
    std::vector<std::pair<GridCommand, Handler>> m_commands;
};

} // namespace controls::qt
