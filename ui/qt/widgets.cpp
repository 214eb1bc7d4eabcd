#include "ui/qt/widgets.h"

#include "ui/qt/colours.h"
#include "ui/qt/qt_controls.h"

#include "sheet/sheet.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QStyledItemDelegate>
#include <QWheelEvent>

#include <algorithm>

namespace controls::qt {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void place(QWidget* widget, const ui::Twips& at) {
    widget->setGeometry(twips(at.left), twips(at.top), twips(at.width), twips(at.height));
}

void Frame::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (m_drawn.isNull() || m_drawn.deviceIndependentSize() != QSizeF(size()) ||
        m_drawn.devicePixelRatio() != ratio) {
        m_drawn = QPixmap((QSizeF(size()) * ratio).toSize());
        m_drawn.setDevicePixelRatio(ratio);
        // Drawn over what lies beneath, on an opaque pixmap, as the frame itself would be:
        // text and borders drawn on a transparent pixmap are blended differently.
        m_drawn.fill(palette().color(QPalette::Window));
        parentWidget()->render(&m_drawn, QPoint(), QRegion(geometry()),
                               QWidget::DrawWindowBackground);
        QPainter painter(&m_drawn);
        QStyleOptionGroupBox option;
        initStyleOption(&option);
        style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
    }
    QPainter(this).drawPixmap(0, 0, m_drawn);
}

void Frame::changeEvent(QEvent* event) {
    m_drawn = QPixmap();
    QGroupBox::changeEvent(event);
}

void DropDown::wheelEvent(QWheelEvent* event) {
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

void Button::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter)
        QPushButton::keyPressEvent(event);
    else if (!event->isAutoRepeat())
        click();
}

namespace {

// The row captions' blue where it reads on the window; on a dark window the palette's link
// colour if it reads, else the blue made lighter (or darker, on a mid-grey window) until it does.
QColor captionBlue(const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    const QColor blue(0, 0, 255);
    if (contrast(blue, window) >= kReadable)
        return blue;
    if (contrast(palette.color(QPalette::Link), window) >= kReadable)
        return palette.color(QPalette::Link);
    return readableOn(blue, window);
}

} // namespace

void BlueLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        recolour();
}

// Setting the colour raises the change again; the second time there is nothing to do.
void BlueLabel::recolour() {
    const QColor wanted = captionBlue(palette());
    if (palette().color(QPalette::WindowText) == wanted)
        return;
    QPalette shown = palette();
    shown.setColor(QPalette::WindowText, wanted);
    setPalette(shown);
}

WrappingRow::~WrappingRow() {
    qDeleteAll(m_items);
}

void WrappingRow::addItem(QLayoutItem* item) {
    // An entry's own layout takes its spacing from the frame's style through this one.
    if (QLayout* entry = item->layout())
        addChildLayout(entry);
    m_items.append(item);
}

QLayoutItem* WrappingRow::takeAt(int index) {
    return index >= 0 && index < m_items.size() ? m_items.takeAt(index) : nullptr;
}

void WrappingRow::setGeometry(const QRect& area) {
    QLayout::setGeometry(area);
    arrange(area, true);
}

QSize WrappingRow::sizeHint() const {
    QSize line;
    for (const QLayoutItem* item : m_items) {
        const QSize hint = item->sizeHint();
        line.rwidth() += hint.width() + (line.width() > 0 ? spacing() : 0);
        line.rheight() = std::max(line.height(), hint.height());
    }
    return line.grownBy(contentsMargins());
}

QSize WrappingRow::minimumSize() const {
    QSize widest;
    for (const QLayoutItem* item : m_items)
        widest = widest.expandedTo(item->sizeHint());
    return widest.grownBy(contentsMargins());
}

int WrappingRow::arrange(const QRect& area, bool apply) const {
    const QMargins margins = contentsMargins();
    const QRect inner = area.marginsRemoved(margins);
    int top = inner.top();
    for (qsizetype first = 0, end = 0; first < m_items.size(); first = end) {
        int width = 0, height = 0;
        for (end = first; end < m_items.size(); ++end) {
            const QSize hint = m_items[end]->sizeHint();
            const int wider = width + (end > first ? spacing() : 0) + hint.width();
            if (end > first && wider > inner.width())
                break;
            width = wider;
            height = std::max(height, hint.height());
        }
        for (int left = inner.left(); apply && first < end; ++first) {
            const int entry = m_items[first]->sizeHint().width();
            m_items[first]->setGeometry(QRect(left, top, entry, height));
            left += entry + spacing();
        }
        top += height + (end < m_items.size() ? spacing() : 0);
    }
    return top - inner.top() + margins.top() + margins.bottom();
}

namespace {

// A table row's look, kept on its first cell so that a change of theme can colour it anew.
constexpr int kLookRole = Qt::UserRole;

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
        for (int column = 0; column < columnCount(); ++column)
            cells.push_back({.text = row->text(column).toStdString()});
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

void Table::setLook(QTreeWidgetItem* row, TableList::Look look) {
    row->setData(0, kLookRole, static_cast<int>(look));
    QFont font = this->font();
    font.setBold(look == TableList::Look::Recommended);
    for (int column = 0; column < columnCount(); ++column)
        row->setFont(column, font);
    recolour(row);
}

void Table::setColumns(std::span<const Column> columns) {
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
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        headerItem()->setTextAlignment(i, columns[i].alignment | Qt::AlignVCenter);
        sample->setText(i, QString::fromUtf8(columns[i].widest));
        sample->setFont(i, bold);
        resizeColumnToContents(i);
        widths << columnWidth(i) + 8;
    }
    m_rowHeight = sizeHintForRow(0);
    delete sample;
    setColumnWidths(widths);
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
    int total = 0;
    for (int width : m_widths)
        total += width;
    if (total <= 0)
        return;
    const int spare = std::max(0, viewport()->width() - total);
    int given = 0;
    for (int i = 0; i < m_widths.size(); ++i) {
        // The last column takes what rounding down left over, so that the columns end at the edge.
        const int extra = i + 1 < m_widths.size() ? spare * m_widths[i] / total : spare - given;
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
    if (!look.isValid())
        return;
    const QColor base = palette().color(QPalette::Base);
    QBrush brush; // the theme's text colour
    switch (static_cast<TableList::Look>(look.toInt())) {
    case TableList::Look::Above:
        brush = readableOn(QColor(255, 0, 0), base);
        break;
    case TableList::Look::Below:
        brush = readableOn(QColor(128, 128, 128), base);
        break;
    case TableList::Look::Recommended:
        break;
    }
    for (int column = 0; column < columnCount(); ++column)
        row->setForeground(column, brush);
}

void makeCopyable(QLabel* label) {
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Selectable by the mouse alone, a label is given no focus; said again so that no later
    // change of flags gives it one.
    label->setFocusPolicy(Qt::NoFocus);
    label->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(label, &QLabel::customContextMenuRequested, label, [label](QPoint at) {
        QMenu menu(label);
        QAction* copy = menu.addAction(QString::fromUtf8("复制(&C)"));
        copy->setEnabled(!label->text().trimmed().isEmpty());
        if (menu.exec(label->mapToGlobal(at)) == copy)
            QGuiApplication::clipboard()->setText(
                label->hasSelectedText() ? label->selectedText() : label->text().trimmed());
    });
}

void StatusLabel::setFault(bool fault) {
    m_fault = fault;
    recolour();
}

void StatusLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        recolour();
}

// Setting the colour raises the change again; the second time there is nothing to do.
void StatusLabel::recolour() {
    if (!m_fault) {
        // An empty palette takes every colour from the window again, the theme's text colour too.
        if (testAttribute(Qt::WA_SetPalette))
            setPalette(QPalette());
        return;
    }
    const QColor wanted = readableOn(QColor(255, 0, 0), palette().color(QPalette::Window));
    if (testAttribute(Qt::WA_SetPalette) && palette().color(QPalette::WindowText) == wanted)
        return;
    QPalette shown = palette();
    shown.setColor(QPalette::WindowText, wanted);
    setPalette(shown);
}

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
        list->setCurrentIndex(list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
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
      m_items(static_cast<int>(headings.size())) {
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

QString GridTable::cellText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

bool GridTable::setCellText(int row, int column, const QString& text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount() ||
        cellText(row, column) == text)
        return false;
    if (QTableWidgetItem* cell = item(row, column))
        cell->setText(text);
    else
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

void GridTable::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
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
