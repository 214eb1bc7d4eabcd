#include "ui/qt/qt_grid.h"

#include "ui/qt/convert.h"

#include <QStringList>

#include <algorithm>

namespace controls::qt {

QtGrid::QtGrid(GridTable* table) : OverWidget(table), m_table(table) {
    m_table->setEditHandler([this](int row, int column) {
        if (m_onCellChange)
            m_onCellChange(row, column);
    });
}

int QtGrid::rowCount() const {
    return m_table->rowCount();
}

void QtGrid::insertRow(int row) {
    if (row < 0 || row > m_table->rowCount())
        return;
    m_table->insertRow(row);
    for (int column = 0; column < m_table->columnCount(); ++column)
        m_table->setItem(row, column, new QTableWidgetItem());
}

// The row that takes the removed one's place becomes current, or the one before it where the
// last row goes; said here rather than left to the view's selection rules.
void QtGrid::removeRow(int row) {
    if (row < 0 || row >= m_table->rowCount())
        return;
    int current = m_table->currentRow();
    const int column = std::max(m_table->currentColumn(), 0);
    m_table->removeRow(row);
    if (current > row || current == m_table->rowCount())
        --current;
    if (current >= 0)
        m_table->setCurrentCell(current, column);
    else
        m_table->setCurrentIndex({});
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

int QtGrid::currentRow() const {
    return m_table->currentRow();
}

void QtGrid::setCurrentRow(int row) {
    if (row < 0 || row >= m_table->rowCount())
        m_table->setCurrentIndex({});
    else
        m_table->setCurrentCell(row, std::max(m_table->currentColumn(), 0));
}

void QtGrid::focusCell(int row, int column) {
    if (row < 0 || row >= m_table->rowCount() || column < 0 || column >= m_table->columnCount())
        return;
    // Scrolled into sight by the view, as any current cell is.
    m_table->setCurrentCell(row, column);
    m_table->setFocus(Qt::OtherFocusReason);
}

} // namespace controls::qt
