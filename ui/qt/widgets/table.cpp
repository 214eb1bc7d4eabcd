#include "ui/qt/widgets/table.h"

#include "sheet/sheet.h"
#include "ui/qt/colours.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>

namespace controls::qt {

namespace {

// A table row's look, kept on its first cell so that a change of theme can colour it anew.
constexpr int kLookRole = Qt::UserRole;
// The index the row was added under, on its first cell, so that sorting need not look it up.
constexpr int kIndexRole = Qt::UserRole + 1;

std::size_t indexIn(const QTreeWidgetItem* row) {
    return static_cast<std::size_t>(row->data(0, kIndexRole).toInt());
}

} // namespace

Table::Table(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

QString Table::copied(bool selected) const {
    sheet::Table shown;
    for (int column = 0; column < columnCount(); ++column)
        shown.headings.push_back(headerItem()->text(column).toStdString());
    std::vector<std::size_t> rows;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = topLevelItem(i);
        std::vector<sheet::Cell>& cells = shown.rows.emplace_back();
        // A figure column's cell copied as a number, any other as a text a paste keeps as such.
        for (int column = 0; column < columnCount(); ++column) {
            const std::string text = row->text(column).toStdString();
            const auto place = static_cast<std::size_t>(column);
            cells.push_back({text, place < m_figures.size() && m_figures[place] && !text.empty()});
        }
        if (row->isSelected())
            rows.push_back(static_cast<std::size_t>(i));
    }
    // Nothing selected copies nothing rather than everything: 全部复制 says that.
    if (selected && rows.empty())
        return {};
    return QString::fromStdString(selected ? sheet::tabSeparated(shown, rows)
                                           : sheet::tabSeparated(shown));
}

void Table::keyPressEvent(QKeyEvent* event) {
    if (!event->matches(QKeySequence::Copy))
        return QTreeWidget::keyPressEvent(event);
    if (const QString text = copied(true); !text.isEmpty())
        QGuiApplication::clipboard()->setText(text);
}

void Table::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* some = menu.addAction(QString::fromUtf8("复制(&C)"));
    some->setShortcut(QKeySequence::Copy);
    some->setEnabled(!selectedItems().isEmpty());
    QAction* all = menu.addAction(QString::fromUtf8("全部复制(&A)"));
    all->setEnabled(topLevelItemCount() > 0);
    const QAction* chosen = menu.exec(event->globalPos());
    if (chosen)
        QGuiApplication::clipboard()->setText(copied(chosen == some));
}

void Table::setSortable() {
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
        m_order.click(column);
        header()->setSortIndicatorShown(m_order.column >= 0);
        header()->setSortIndicator(m_order.column,
                                   m_order.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        showInOrder();
    });
}

void Table::insertRow(int index, QTreeWidgetItem* row) {
    // Each column widened to the row's cell, as wide as it needs and no wider than its widest.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int padding = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 12;
    bool changed = false;
    for (int column = 0; m_toContents && column < m_widths.size(); ++column) {
        const QString text = column < row->columnCount() ? row->text(column) : QString();
        const int wanted =
            std::min(metrics.horizontalAdvance(text) + padding, m_most.value(column));
        if (wanted > m_widths[column]) {
            m_widths[column] = wanted;
            changed = true;
        }
        // A column none of whose rows has a figure (the heat's without heat loss) is hidden, so
        // that the verdict after it shows: copied, it is still there.
        m_filled[column] += text.isEmpty() ? 0 : 1;
        if (isColumnHidden(column) != (m_filled[column] == 0)) {
            setColumnHidden(column, m_filled[column] == 0);
            changed = true;
        }
    }
    if (changed)
        spreadColumns();
    const auto at = static_cast<std::size_t>(std::clamp(index, 0, rowCount()));
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(at), row);
    for (std::size_t i = at; i < m_rows.size(); ++i)
        m_rows[i]->setData(0, kIndexRole, static_cast<int>(i));
    // Where the order shown puts it: after every row shown before it.
    const std::string cell = row->text(std::max(m_order.column, 0)).toStdString();
    int low = 0, high = topLevelItemCount();
    while (low < high) {
        const int middle = (low + high) / 2;
        const QTreeWidgetItem* shown = topLevelItem(middle);
        if (controls::shownBefore(m_order, shown->text(std::max(m_order.column, 0)).toStdString(),
                                  indexIn(shown), cell, at))
            low = middle + 1;
        else
            high = middle;
    }
    insertTopLevelItem(low, row);
}

QTreeWidgetItem* Table::row(int index) const {
    return index >= 0 && index < rowCount() ? m_rows[static_cast<std::size_t>(index)] : nullptr;
}

int Table::indexOf(const QTreeWidgetItem* row) const {
    return row && row->treeWidget() == this ? static_cast<int>(indexIn(row)) : -1;
}

void Table::clearRows() {
    m_rows.clear();
    clear();
    m_filled.fill(0);
    for (int column = 0; column < columnCount(); ++column)
        setColumnHidden(column, false);
    if (!m_least.isEmpty())
        setColumnWidths(m_least);
}

// The rows taken out and put back in the order asked for, the current row and the selection
// kept, and nothing raised: the logic's rows are the same rows.
void Table::showInOrder() {
    QTreeWidgetItem* current = currentItem();
    const QList<QTreeWidgetItem*> selected = selectedItems();
    const QSignalBlocker quiet(this);
    while (topLevelItemCount() > 0)
        takeTopLevelItem(topLevelItemCount() - 1);
    std::vector<std::string> cells;
    for (const QTreeWidgetItem* row : m_rows)
        cells.push_back(row->text(std::max(m_order.column, 0)).toStdString());
    QList<QTreeWidgetItem*> shown;
    for (std::size_t index : controls::shownOrder(m_order, cells))
        shown << m_rows[index];
    addTopLevelItems(shown);
    if (current)
        setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    for (QTreeWidgetItem* row : selected)
        row->setSelected(true);
    if (current)
        scrollToItem(current);
}

void Table::setLook(QTreeWidgetItem* row, sheet::Look look) {
    if (look == sheet::Look::Plain)
        return;
    row->setData(0, kLookRole, static_cast<int>(look));
    QFont font = this->font();
    font.setBold(look == sheet::Look::Recommended);
    for (int column = 0; column < columnCount(); ++column)
        row->setFont(column, font);
    recolour(row);
}

void Table::setStale(bool on) {
    if (m_stale == on)
        return;
    m_stale = on;
    for (int i = 0; i < topLevelItemCount(); ++i)
        recolour(topLevelItem(i));
}

void Table::setColumns(std::span<const Column> columns, Widths sized) {
    QStringList headings;
    for (const Column& column : columns)
        headings << QString::fromUtf8(column.heading);
    setHeaderLabels(headings);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* sample = new QTreeWidgetItem(this);
    QFont bold = font();
    bold.setBold(true);
    QList<int> widths;
    m_figures.clear();
    for (const Column& column : columns)
        m_figures.push_back(column.figure);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        headerItem()->setTextAlignment(i, columns[i].alignment | Qt::AlignVCenter);
        sample->setText(i, QString::fromUtf8(columns[i].widest));
        sample->setFont(i, bold);
        resizeColumnToContents(i);
        widths << columnWidth(i) + 8;
    }
    m_rowHeight = sizeHintForRow(0);
    delete sample;
    m_most = widths;
    m_least = widths;
    m_toContents = sized == Widths::Contents;
    m_filled = QList<int>(static_cast<qsizetype>(columns.size()), 0);
    if (m_toContents)
        for (int i = 0; i < static_cast<int>(columns.size()); ++i)
            m_least[i] = std::min(header()->sectionSizeHint(i) + 8, m_most[i]);
    setColumnWidths(m_least);
}

int Table::widestLength() const {
    int length = 0;
    for (int width : m_most)
        length += width;
    return length;
}

int Table::heightOf(int rows) const {
    return header()->sizeHint().height() + rows * m_rowHeight + 2 * frameWidth();
}

void Table::setColumnWidths(QList<int> widths) {
    m_widths = std::move(widths);
    spreadColumns();
}

void Table::setPreferredSize(QSize size) {
    m_preferred = size;
    updateGeometry();
}

QSize Table::sizeHint() const {
    return m_preferred.isValid() ? m_preferred : QTreeWidget::sizeHint();
}

void Table::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    spreadColumns();
}

void Table::spreadColumns() {
    int total = 0, last = -1;
    for (int i = 0; i < m_widths.size(); ++i)
        if (!isColumnHidden(i)) {
            total += m_widths[i];
            last = i;
        }
    if (total <= 0)
        return;
    const int spare = std::max(0, viewport()->width() - total);
    int given = 0;
    for (int i = 0; i <= last; ++i) {
        if (isColumnHidden(i))
            continue;
        // The last column takes what rounding down left over, so that the columns end at the edge.
        const int extra = i < last ? spare * m_widths[i] / total : spare - given;
        given += extra;
        setColumnWidth(i, m_widths[i] + extra);
    }
}

void Table::changeEvent(QEvent* event) {
    QTreeWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        for (int i = 0; i < topLevelItemCount(); ++i)
            recolour(topLevelItem(i));
}

void Table::recolour(QTreeWidgetItem* row) const {
    const QVariant look = row->data(0, kLookRole);
    if (!look.isValid() && !m_stale) {
        // A plain row in the theme's text colour, greyed or not.
        for (int column = 0; column < columnCount(); ++column)
            row->setForeground(column, QBrush());
        return;
    }
    const QColor base = palette().color(QPalette::Base);
    QBrush brush; // the theme's text colour
    if (m_stale) {
        brush = palette().color(QPalette::Disabled, QPalette::Text);
        for (int column = 0; column < columnCount(); ++column)
            row->setForeground(column, brush);
        return;
    }
    switch (static_cast<sheet::Look>(look.toInt())) {
    case sheet::Look::Above:
        brush = readableOn(QColor(255, 0, 0), base);
        break;
    case sheet::Look::Below:
        brush = readableOn(QColor(128, 128, 128), base);
        break;
    case sheet::Look::Recommended:
    case sheet::Look::Plain:
        break;
    }
    for (int column = 0; column < columnCount(); ++column)
        row->setForeground(column, brush);
}

} // namespace controls::qt
