#include "ui/network_handlings.h"

#include "network/segment_rows.h"

#include <algorithm>
#include <utility>

// The grid worked as a spreadsheet: its selection copied, cut, emptied or removed, and rows
// pasted from a spreadsheet or a CSV file; each a single step, its many cell changes made while
// filling and computed once after.
namespace ui {

namespace {

std::string rowsName(int top, int bottom) {
    if (top == bottom)
        return "第 " + std::to_string(top + 1) + " 段";
    return "第 " + std::to_string(top + 1) + "–" + std::to_string(bottom + 1) + " 段";
}

int cellCount(const controls::CellRange& range) {
    return (range.bottom - range.top + 1) * (range.right - range.left + 1);
}

bool wholeRows(const controls::CellRange& range) {
    return range.left == 0 && range.right == network::kColumns - 1;
}

} // namespace

// The cells a new row takes where nothing else fills them, with 添加 or a paste or an import: a
// segment from the source takes 100 mm laid overhead, a usual thickness for a steam main, and in
// the wind, so that a default left unchecked overstates the loss rather than hides it.
network::SegmentTexts NetworkHandlings::newRowCells() {
    network::SegmentTexts cells;
    cells[network::LocalLoss] = "30";
    cells[network::Pipe] = network::kAutoShown;
    cells[network::Load] = "0";
    cells[network::Thickness] = "100";
    cells[network::Laid] =
        network::kLayingShown[static_cast<std::size_t>(network::heat::Laying::Overhead)];
    return cells;
}

std::optional<std::string> NetworkHandlings::copyText() const {
    const controls::Grid& grid = m_controls.segments;
    const std::optional<controls::CellRange> range = grid.selection();
    if (!range)
        return std::nullopt;
    std::vector<network::Column> columns;
    for (int column = range->left; column <= range->right; ++column)
        columns.push_back(static_cast<network::Column>(column));
    std::vector<std::vector<std::string>> rows;
    for (int row = range->top; row <= range->bottom; ++row) {
        std::vector<std::string>& cells = rows.emplace_back();
        for (int column = range->left; column <= range->right; ++column)
            cells.push_back(grid.cell(row, column));
    }
    return network::segmentRowsText(columns, rows);
}

void NetworkHandlings::cutSelection() {
    const std::optional<controls::CellRange> range = m_controls.segments.selection();
    if (!range)
        return;
    if (wholeRows(*range))
        return removeRows(range->top, range->bottom, "剪切");
    emptyCells(*range, "剪切");
}

void NetworkHandlings::clearSelection() {
    if (const std::optional<controls::CellRange> range = m_controls.segments.selection())
        emptyCells(*range, "清空");
}

void NetworkHandlings::emptyCells(const controls::CellRange& range, std::string_view verb) {
    m_filling = true;
    for (int row = range.top; row <= range.bottom; ++row)
        for (int column = range.left; column <= range.right; ++column)
            m_controls.segments.setCell(row, column, "");
    m_filling = false;
    nameStep(std::string(verb) + " " + std::to_string(cellCount(range)) + " 格");
    calculate();
}

void NetworkHandlings::removeSegments() {
    controls::Grid& grid = m_controls.segments;
    if (const std::optional<controls::CellRange> range = grid.selection())
        removeRows(range->top, range->bottom, "删除");
    else if (grid.currentRow() >= 0)
        removeRows(grid.currentRow(), grid.currentRow(), "删除");
}

void NetworkHandlings::removeRows(int top, int bottom, std::string_view verb) {
    controls::Grid& grid = m_controls.segments;
    m_filling = true;
    for (int row = bottom; row >= top; --row)
        grid.removeRow(row);
    m_filling = false;
    if (grid.rowCount() > 0)
        grid.setCurrentRow(std::min(top, grid.rowCount() - 1));
    nameStep(std::string(verb) + rowsName(top, bottom));
    calculate();
}

void NetworkHandlings::pasteRows(std::string_view text, Placement placement) {
    controls::Grid& grid = m_controls.segments;
    const std::optional<controls::CellRange> range = grid.selection();
    // Over the selection where it is more than a cell; else new rows below the current one.
    const bool over = placement == Placement::AtSelection && range && cellCount(*range) > 1;
    const network::SegmentRowsReading reading =
        network::readSegmentRows(text, '\t', over ? range->left : 0);
    if (reading.fault)
        return say("无法粘贴：" + network::faultText(*reading.fault) + "，没有粘贴任何内容", true);
    if (reading.rows->rows.empty())
        return say("剪贴板中没有可粘贴的管段", true);
    int at = grid.rowCount();
    if (over)
        at = range->top;
    else if (placement == Placement::AtSelection && grid.currentRow() >= 0)
        at = grid.currentRow() + 1;
    putRows(*reading.rows, at, over);
    nameStep("粘贴 " + std::to_string(reading.rows->rows.size()) + " 段");
    calculate();
}

void NetworkHandlings::importRows(const network::SegmentRows& rows) {
    putRows(rows, m_controls.segments.rowCount(), false);
    nameStep("导入 " + std::to_string(rows.rows.size()) + " 段");
    calculate();
}

void NetworkHandlings::putRows(const network::SegmentRows& rows, int at, bool over) {
    controls::Grid& grid = m_controls.segments;
    m_filling = true;
    for (std::size_t i = 0; i < rows.rows.size(); ++i) {
        const int row = at + static_cast<int>(i);
        if (!over || row >= grid.rowCount()) {
            grid.insertRow(row);
            setRow(row, newRowCells());
        }
        for (std::size_t c = 0; c < rows.columns.size(); ++c)
            grid.setCell(row, rows.columns[c], rows.rows[i][c]);
        spellPipe(row);
    }
    m_filling = false;
    grid.setCurrentRow(at);
}

} // namespace ui
