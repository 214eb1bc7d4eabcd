#include "ui/qt/widgets/grid_table.h"

#include "ui/qt/colours.h"

#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace controls::qt {

// The editors of a grid's cells: a line edit, or an editable list where the column has items.
// It writes a committed text into its cell only where the text changed, and then tells the grid:
// a commit comes more than once for one edit (a pick, then the focus leaving the list) and must
// be told once.
class CellDelegate final : public QStyledItemDelegate {
public:
    explicit CellDelegate(GridTable* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const QStringList items = m_grid->columnItems(index.column());
        if (items.isEmpty())
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto* list = new QComboBox(parent);
        list->setEditable(true);
        list->addItems(items);
        // A typed text stays as typed: no completion fills it in, and Enter adds no item.
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setCompleter(nullptr);
        auto* self = const_cast<CellDelegate*>(this);
        QObject::connect(list, &QComboBox::activated, self, [self, list] {
            emit self->commitData(list);
            emit self->closeEditor(list, QAbstractItemDelegate::NoHint);
        });
        return list;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* list = qobject_cast<QComboBox*>(editor);
        if (!list)
            return QStyledItemDelegate::setEditorData(editor, index);
        const QString text = index.data(Qt::EditRole).toString();
        // The list opens at the cell's pipe, scrolled to it, not at its top.
        list->setCurrentIndex(m_grid->listOpensAt(index.column(), text));
        list->setEditText(text);
        list->lineEdit()->selectAll();
    }

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        auto* list = qobject_cast<QComboBox*>(editor);
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (list || line)
            m_grid->edited(index.row(), index.column(), list ? list->currentText() : line->text());
    }

private:
    GridTable* m_grid;
};

GridTable::GridTable(const QStringList& headings, QWidget* parent)
    : QTableWidget(0, static_cast<int>(headings.size()), parent),
      m_items(static_cast<int>(headings.size())), m_finders(static_cast<int>(headings.size())) {
    setHorizontalHeaderLabels(headings);
    setItemDelegate(new CellDelegate(this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setSectionsClickable(false);
}

void GridTable::setColumnItems(int column, const QStringList& items) {
    if (column >= 0 && column < m_items.size())
        m_items[column] = items;
}

void GridTable::setItemFinder(int column, ItemFinder opensAt) {
    if (column >= 0 && column < m_finders.size())
        m_finders[column] = std::move(opensAt);
}

int GridTable::listOpensAt(int column, const QString& text) const {
    if (const ItemFinder find = m_finders.value(column))
        return find(text);
    return static_cast<int>(columnItems(column).indexOf(text));
}

void GridTable::setCellNote(int row, int column, const QString& note) {
    QTableWidgetItem* cell = item(row, column);
    if (!cell)
        return;
    if (note.isEmpty()) {
        cell->setData(Qt::ToolTipRole, QVariant());
        cell->setData(Qt::ForegroundRole, QVariant());
        return;
    }
    cell->setToolTip(note);
    // Grey, as a result row that only tells.
    cell->setForeground(readableOn(QColor(128, 128, 128), palette().color(QPalette::Base)));
}

QString GridTable::cellText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

bool GridTable::setCellText(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount() ||
        cellText(row, column) == text)
        return false;
    if (QTableWidgetItem* cell = item(row, column)) {
        cell->setText(text);
        setCellNote(row, column, {});
    } else
        setItem(row, column, new QTableWidgetItem(text));
    return true;
}

bool GridTable::atEdge(bool next) const {
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return true;
    return next ? current.row() == rowCount() - 1 && current.column() == columnCount() - 1
                : current.row() == 0 && current.column() == 0;
}

bool GridTable::focusNextPrevChild(bool next) {
    return atEdge(next) ? QWidget::focusNextPrevChild(next)
                        : QTableWidget::focusNextPrevChild(next);
}

void GridTable::keyPressEvent(QKeyEvent* event) {
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       (event->modifiers() | Qt::KeypadModifier) == Qt::KeypadModifier;
    if (!enter)
        return QTableWidget::keyPressEvent(event);
    moveDown();
}

void GridTable::moveDown() {
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() + 1 < rowCount())
        setCurrentCell(current.row() + 1, current.column());
}

void GridTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Enter commits and goes down a row, as in a spreadsheet; a pick from a list stays.
    if (hint == QAbstractItemDelegate::SubmitModelCache) {
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
        return moveDown();
    }
    const bool onward = hint == QAbstractItemDelegate::EditNextItem ||
                        hint == QAbstractItemDelegate::EditPreviousItem;
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    if (!onward || !atEdge(next))
        return QTableWidget::closeEditor(editor, hint);
    QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
    QWidget::focusNextPrevChild(next);
}

void GridTable::edited(int row, int column, const QString& text) {
    if (setCellText(row, column, text) && m_onEdit)
        m_onEdit(row, column);
}

} // namespace controls::qt
