#include "ui/qt/qt_grid.h"

#include "ui/qt/convert.h"

#include <QStringList>

#include <algorithm>
#include <utility>

namespace controls::qt {

QtGrid::QtGrid(GridTable* table) : OverWidget(table), m_table(table) {
    m_table->setEditHandler([this](int row, int column) {
        if (m_onCellChange)
            m_onCellChange(row, column);
    });
    m_table->setRowHandler([this] {
        if (!m_programmatic)
            notify(m_onRowChange);
    });
    m_table->setCommandHandler([this](GridCommand command) {
        for (const auto& [each, handler] : m_commands)
            if (each == command && handler)
                handler();
    });
}

std::optional<CellRange> QtGrid::selection() const {
    const QList<QTableWidgetSelectionRange> ranges = m_table->selectedRanges();
    if (ranges.isEmpty())
        return std::nullopt;
    const QTableWidgetSelectionRange& range = ranges.front();
    return CellRange{range.topRow(), range.leftColumn(), range.bottomRow(), range.rightColumn()};
}

void QtGrid::onCommand(GridCommand command, Handler handler) {
    m_commands.emplace_back(command, std::move(handler));
}

int QtGrid::rowCount() const {
    return m_table->rowCount();
}

void QtGrid::insertRow(int row) {
    if (row < 0 || row > m_table->rowCount())
        return;
    const bool programmatic = std::exchange(m_programmatic, true);
    m_table->insertRow(row);
    m_programmatic = programmatic;
    for (int column = 0; column < m_table->columnCount(); ++column)
        m_table->setItem(row, column, new QTableWidgetItem());
}

// The row that takes the removed one's place becomes current, or the one before it where the
// last row goes; said here rather than left to the view's selection rules.
void QtGrid::removeRow(int row) {
    if (row < 0 || row >= m_table->rowCount())
        return;
    const bool programmatic = std::exchange(m_programmatic, true);
    int current = m_table->currentRow();
    const int column = std::max(m_table->currentColumn(), 0);
    m_table->removeRow(row);
    if (current > row || current == m_table->rowCount())
        --current;
    if (current >= 0)
        m_table->setCurrentCell(current, column);
    else
        m_table->setCurrentIndex({});
    m_programmatic = programmatic;
}

std::string QtGrid::cell(int row, int column) const {
    return toUtf8(m_table->cellText(row, column));
}

void QtGrid::setCell(int row, int column, std::string_view text) {
    if (m_table->setCellText(row, column, fromUtf8(text)) && m_onCellChange)
        m_onCellChange(row, column);
}

void QtGrid::setColumnItems(int column, const std::vector<std::string>& items) {
    QStringList texts;
    for (const std::string& item : items)
        texts << fromUtf8(item);
    m_table->setColumnItems(column, texts);
}

void QtGrid::setItemFinder(int column, ItemFinder opensAt) {
    if (!opensAt)
        return m_table->setItemFinder(column, {});
    m_table->setItemFinder(column, [opensAt = std::move(opensAt)](const QString& text) {
        return opensAt(toUtf8(text));
    });
}

void QtGrid::setCellNote(int row, int column, std::string_view note) {
    m_table->setCellNote(row, column, fromUtf8(note));
}

void QtGrid::setCellFault(int row, int column, std::string_view why) {
    m_table->setCellFault(row, column, fromUtf8(why));
}

std::string QtGrid::cellFault(int row, int column) const {
    return toUtf8(m_table->cellFault(row, column));
}

int QtGrid::currentRow() const {
    return m_table->currentRow();
}

void QtGrid::setCurrentRow(int row) {
    const bool programmatic = std::exchange(m_programmatic, true);
    if (row < 0 || row >= m_table->rowCount())
        m_table->setCurrentIndex({});
    else
        m_table->setCurrentCell(row, std::max(m_table->currentColumn(), 0));
    m_programmatic = programmatic;
}

void QtGrid::focusCell(int row, int column) {
    if (row < 0 || row >= m_table->rowCount() || column < 0 || column >= m_table->columnCount())
        return;
    // Scrolled into sight by the view, as any current cell is.
    m_table->setCurrentCell(row, column);
    m_table->setFocus(Qt::OtherFocusReason);
}

} // namespace controls::qt
