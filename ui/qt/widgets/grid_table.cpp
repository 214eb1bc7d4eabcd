#include "ui/qt/widgets/grid_table.h"

#include "ui/qt/colours.h"

#include "ui/qt/convert.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStyledItemDelegate>

#include <optional>

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

namespace {

// A user's event counted while it is handled.
class UserEvent {
public:
    explicit UserEvent(int& count) : m_count(++count) {}
    ~UserEvent() { --m_count; }
    UserEvent(const UserEvent&) = delete;
    UserEvent& operator=(const UserEvent&) = delete;

private:
    int& m_count;
};

} // namespace

GridTable::GridTable(const QStringList& headings, QWidget* parent)
    : QTableWidget(0, static_cast<int>(headings.size()), parent),
      m_items(static_cast<int>(headings.size())), m_finders(static_cast<int>(headings.size())) {
    setHorizontalHeaderLabels(headings);
    setItemDelegate(new CellDelegate(this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    // One rectangle, as a spreadsheet selects: a row header selects its row, a drag or
    // Shift+click a range.
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    horizontalHeader()->setSectionsMovable(false);
    horizontalHeader()->setStretchLastSection(true);
    verticalHeader()->setSectionsClickable(true);
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

namespace {

// A cell's note and fault, kept apart from the tooltip that shows one of them.
constexpr int kNoteRole = Qt::UserRole;
constexpr int kFaultRole = Qt::UserRole + 1;

} // namespace

void GridTable::setCellNote(int row, int column, const QString& note) {
    if (QTableWidgetItem* cell = item(row, column)) {
        cell->setData(kNoteRole, note.isEmpty() ? QVariant() : QVariant(note));
        restyle(cell);
    }
}

void GridTable::setCellFault(int row, int column, const QString& why) {
    QTableWidgetItem* cell = item(row, column);
    if (!cell || cell->data(kFaultRole).toString() == why)
        return;
    cell->setData(kFaultRole, why.isEmpty() ? QVariant() : QVariant(why));
    restyle(cell);
}

QString GridTable::cellFault(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->data(kFaultRole).toString() : QString();
}

void GridTable::restyle(QTableWidgetItem* cell) const {
    const QString fault = cell->data(kFaultRole).toString();
    const QString note = cell->data(kNoteRole).toString();
    const QColor base = palette().color(QPalette::Base);
    cell->setData(Qt::BackgroundRole, QVariant());
    cell->setData(Qt::ForegroundRole, QVariant());
    cell->setData(Qt::ToolTipRole, QVariant());
    if (!fault.isEmpty()) {
        // The red of the faults said in the status line, on a tint of it that shows an empty
        // cell too.
        const QColor red(255, 0, 0);
        QColor tint = base;
        tint.setRgb((base.red() * 4 + red.red()) / 5, (base.green() * 4 + red.green()) / 5,
                    (base.blue() * 4 + red.blue()) / 5);
        cell->setBackground(tint);
        cell->setForeground(readableOn(red, tint));
        cell->setToolTip(fault);
    } else if (!note.isEmpty()) {
        // Grey, as a result row that only tells.
        cell->setForeground(readableOn(QColor(128, 128, 128), base));
        cell->setToolTip(note);
    }
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
        // Marks are of the text they were given for.
        cell->setData(kNoteRole, QVariant());
        cell->setData(kFaultRole, QVariant());
        restyle(cell);
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
    const UserEvent user(m_userEvents);
    return atEdge(next) ? QWidget::focusNextPrevChild(next)
                        : QTableWidget::focusNextPrevChild(next);
}

void GridTable::mousePressEvent(QMouseEvent* event) {
    const UserEvent user(m_userEvents);
    QTableWidget::mousePressEvent(event);
}

void GridTable::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableWidget::currentChanged(current, previous);
    if (m_userEvents > 0 && current.isValid() && current.row() != previous.row() && m_onRow)
        m_onRow();
}

void GridTable::moveDown() {
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() + 1 < rowCount())
        setCurrentCell(current.row() + 1, current.column());
}

void GridTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    // Tab or Enter out of an editor moves on to the next cell by the user's key.
    const UserEvent user(m_userEvents);
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

namespace controls::qt {

void GridTable::keyPressEvent(QKeyEvent* event) {
    // A row the keys make current is the user's.
    const UserEvent user(m_userEvents);
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       (event->modifiers() | Qt::KeypadModifier) == Qt::KeypadModifier;
    if (enter && state() != QAbstractItemView::EditingState)
        return moveDown();
    // While a cell is edited its editor has the keys; here the grid itself has them.
    std::optional<GridCommand> command;
    if (event->matches(QKeySequence::Cut))
        command = GridCommand::Cut;
    else if (event->matches(QKeySequence::Copy))
        command = GridCommand::Copy;
    else if (event->matches(QKeySequence::Paste))
        command = GridCommand::Paste;
    else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier)
        command = GridCommand::Clear;
    if (!command || state() == QAbstractItemView::EditingState)
        return QTableWidget::keyPressEvent(event);
    event->accept();
    if (m_onCommand)
        m_onCommand(*command);
}

void GridTable::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    for (const GridMenuItem& item : kGridMenu) {
        QAction* action = menu.addAction(fromUtf8(item.caption));
        if (!item.keys.empty())
            action->setShortcut(QKeySequence(fromUtf8(item.keys)));
        connect(action, &QAction::triggered, this, [this, command = item.command] {
            if (m_onCommand)
                m_onCommand(command);
        });
    }
    menu.exec(event->globalPos());
}

} // namespace controls::qt
