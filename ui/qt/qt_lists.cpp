#include "ui/qt/qt_lists.h"

#include "ui/qt/convert.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace controls::qt {

QtDropDownList::QtDropDownList(QComboBox* combo) : OverWidget(combo), m_combo(combo) {
    // activated is the user's pick, also of the item already shown; the program's own
    // selections raise the click in setText instead.
    QObject::connect(m_combo, &QComboBox::activated, m_combo, [this] { notify(m_onClick); });
}

std::string QtDropDownList::text() const {
    return m_combo->currentIndex() < 0 ? std::string() : toUtf8(m_combo->currentText());
}

void QtDropDownList::addItem(std::string_view text, int index) {
    const QSignalBlocker blocker(m_combo);
    const bool nothingSelected = m_combo->currentIndex() < 0;
    m_combo->insertItem(index, fromUtf8(text));
    // QComboBox selects the first item it is given; a drop-down list shows nothing until an
    // item is selected.
    if (nothingSelected)
        m_combo->setCurrentIndex(-1);
}

void QtDropDownList::clear() {
    const QSignalBlocker blocker(m_combo);
    m_combo->clear();
}

void QtDropDownList::setText(std::string_view text) {
    const int index = m_combo->findText(fromUtf8(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 || index == m_combo->currentIndex())
        return;
    {
        const QSignalBlocker blocker(m_combo);
        m_combo->setCurrentIndex(index);
    }
    notify(m_onClick);
}

void QtDropDownList::setEnabled(bool on) {
    m_combo->setEnabled(on);
}

QtSimpleCombo::QtSimpleCombo(QLineEdit* edit, QListWidget* list)
    : OverWidget(list), m_edit(edit), m_list(list) {
    // A row becomes the selected one by mouse or arrow key: one click, and the edit field
    // shows the row.
    QObject::connect(m_list, &QListWidget::currentRowChanged, m_list, [this](int row) {
        if (m_programmatic || row < 0)
            return;
        m_edit->setText(m_list->item(row)->text());
        notify(m_onClick);
    });
    QObject::connect(m_list, &QListWidget::itemDoubleClicked, m_list,
                     [this] { notify(m_onDoubleClick); });
}

void QtSimpleCombo::addItem(std::string_view text, int index) {
    m_programmatic = true;
    m_list->insertItem(index, fromUtf8(text));
    m_programmatic = false;
}

void QtSimpleCombo::setText(std::string_view text) {
    m_edit->setText(fromUtf8(text));
}

void QtSimpleCombo::showRow(int index) {
    if (index < 0 || index >= m_list->count())
        return;
    m_programmatic = true;
    m_list->setCurrentRow(index);
    m_list->scrollToItem(m_list->item(index), QAbstractItemView::PositionAtCenter);
    m_programmatic = false;
}

int QtSimpleCombo::selectedIndex() const {
    return m_list->currentRow();
}

QtTableList::QtTableList(Table* table) : OverWidget(table), m_table(table) {
    QObject::connect(m_table, &QTreeWidget::itemDoubleClicked, m_table,
                     [this] { notify(m_onDoubleClick); });
    // By the selection, not the current row: a click makes a row current before it selects it,
    // and the view makes the first row current, unselected, when it gains the focus. A click
    // that adds to the rows selected for copying raises it for the row the click selected.
    QObject::connect(m_table, &QTreeWidget::itemSelectionChanged, m_table, [this] {
        const int before = std::exchange(m_selected, selectedIndex());
        if (!m_programmatic && m_selected >= 0 && m_selected != before)
            notify(m_onSelect);
    });
}

void QtTableList::addItem(std::string_view cells, int index) {
    const QStringList texts = fromUtf8(cells).split(QLatin1Char('\t'));
    auto* row = new QTreeWidgetItem();
    for (int column = 0; column < texts.size(); ++column) {
        // Numbers keep a column for their sign; shown right-aligned, the blank only costs room.
        const QString shown = texts[column].trimmed();
        row->setText(column, shown);
        row->setToolTip(column, shown);
        row->setTextAlignment(column,
                              Qt::Alignment::fromInt(m_table->headerItem()->textAlignment(column)));
    }
    m_programmatic = true;
    m_table->insertRow(index, row);
    m_programmatic = false;
}

void QtTableList::clear() {
    m_programmatic = true;
    m_table->clearRows();
    m_table->setStale(false);
    m_programmatic = false;
    m_selected = -1;
}

void QtTableList::setRowLook(int index, sheet::Look look) {
    if (QTreeWidgetItem* row = m_table->row(index))
        m_table->setLook(row, look);
}

void QtTableList::showRow(int index) {
    QTreeWidgetItem* row = m_table->row(index);
    if (!row)
        return;
    m_programmatic = true;
    m_table->setCurrentItem(row);
    m_programmatic = false;
    m_table->scrollToItem(row, QAbstractItemView::PositionAtCenter);
}

int QtTableList::selectedIndex() const {
    // Of several rows selected for copying, the one the user clicked last stands for them, as
    // the one row a click selects does; one unselected again leaves the first still selected.
    if (QTreeWidgetItem* current = m_table->currentItem(); current && current->isSelected())
        return m_table->indexOf(current);
    for (int i = 0; i < m_table->rowCount(); ++i)
        if (m_table->row(i)->isSelected())
            return i;
    return -1;
}

} // namespace controls::qt
