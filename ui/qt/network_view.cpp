#include "network/result_table.h"
#include "network/texts.h"
#include "ui/qt/convert.h"
#include "ui/qt/view.h"
#include "ui/qt/widgets/grid_table.h"
#include "ui/qt/widgets/history_keys.h"
#include "ui/qt/widgets/status_label.h"
#include "ui/qt/widgets/table.h"
#include "ui/qt/widgets/wrapping_row.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace controls::qt {

using ui::ControlDescription;
using ui::Kind;

namespace {

using Column = Table::Column;

// Rows the grid shows where the screen has room, the tables one more (the source's node), and
// each at least: with the 散热 group's line above them, seven keep the window inside a
// 1366×768 screen.
constexpr int kRowsShown = 7;
constexpr int kRowsAtLeast = 3;
// The widest each result table asks to be: with the heat's columns the segments' have some
// 2000 pixels of them and the nodes' 600, without them the segments' about 1300; beyond these
// they scroll sideways, and a window wider than the screen is made as wide as it.
constexpr int kResultsWidest = 1300;
constexpr int kNodesWidest = 480;
constexpr int kNodesNarrowest = 320;
constexpr int kHeatNarrowest = 840;

// A result table's columns as network/result_table.h describes them; pressures in the unit the
// line above the tables names.
template <class Row, std::size_t N>
void setUpTable(Table* table, const std::array<network::ResultColumn<Row>, N>& described,
                int widest) {
    std::vector<std::string> headings;
    std::vector<Column> columns;
    for (const network::ResultColumn<Row>* column : network::windowOrder(described))
        headings.push_back(network::headingOf(*column));
    for (const network::ResultColumn<Row>* column : network::windowOrder(described)) {
        const bool figure = column->cell.kind == network::Kind::Figure;
        columns.push_back({headings[columns.size()].c_str(),
                           figure ? Qt::AlignRight : Qt::AlignLeft, column->widest.data(), figure});
    }
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table->setColumns(columns, Table::Widths::Contents);
    const int scrollBar = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
    // A few pixels to spare: a splitter gives its widgets a little less than they ask for.
    table->setPreferredSize(
        {std::min(widest, table->widestLength() + scrollBar + 2 * table->frameWidth() + 8),
         table->heightOf(kRowsShown + 1) + 8});
    // Narrower than its columns, the table scrolls sideways, and the bar takes no row.
    table->setMinimumHeight(table->heightOf(kRowsAtLeast) + scrollBar);
}

// A box of widgets that asks its window for a size of its own: a grid's rows alone do not tell
// the window how tall the grid would be.
class Sized final : public QWidget {
public:
    using QWidget::QWidget;
    void setHint(QSize hint) {
        m_hint = hint;
        updateGeometry();
    }
    QSize sizeHint() const override { return m_hint.isValid() ? m_hint : QWidget::sizeHint(); }

private:
    QSize m_hint;
};

// Returns the size the grid asks for: every column whole, its header and kRowsShown rows.
QSize setUpGrid(GridTable* grid) {
    const QFontMetrics metrics = grid->fontMetrics();
    const int padding = 3 * grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 12;
    int width = grid->verticalHeader()->sizeHint().width() + 2 * grid->frameWidth() +
                grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    for (int column = 0; column < grid->columnCount(); ++column) {
        const QString heading = grid->horizontalHeaderItem(column)->text();
        const int wide =
            std::max(metrics.horizontalAdvance(heading),
                     metrics.horizontalAdvance(QString::fromUtf8(
                         network::kGridColumns[static_cast<std::size_t>(column)].widest.data())));
        grid->setColumnWidth(column, wide + padding);
        width += wide + padding;
    }
    // As high as the pipe column's list, which edits a cell in place, and no higher: the rows
    // Qt gives a table by default show half as many segments.
    QComboBox sample;
    sample.setFont(grid->font());
    const int rowHeight = sample.sizeHint().height() + 2;
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->verticalHeader()->setMinimumSectionSize(rowHeight);
    const int header = grid->horizontalHeader()->sizeHint().height();
    const int scrollBar = grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    // At its least, narrower than its columns, a scroll bar may take part of its third row.
    grid->setMinimumHeight(header + kRowsAtLeast * rowHeight + 2 * grid->frameWidth());
    grid->setMinimumWidth(std::min(width, 360));
    // The columns keep their widths in a wider grid, as a spreadsheet's do: stretched, the last
    // took half the grid.
    grid->horizontalHeader()->setStretchLastSection(false);
    grid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    return {width, header + kRowsShown * rowHeight + 2 * grid->frameWidth() + scrollBar};
}

// A frame's inputs side by side, wrapping whole where the window is narrow: each captioned
// input after its caption, its buddy, with its unit; a list without a caption stays on the
// line of the box before it (the pressure and its unit), and each option button is an entry of
// its own.
void layOutFrame(const View& view, const ControlDescription& frame) {
    QWidget* box = view.widgetOf(frame);
    auto* inputs = new WrappingRow(box);
    QHBoxLayout* line = nullptr;
    for (const ControlDescription& entry : view.design().controls) {
        if (entry.parent != frame.name)
            continue;
        QWidget* widget = view.widgetOf(entry);
        const bool joins = entry.caption.empty() && entry.kind == Kind::DropDownList && line;
        if (!joins) {
            line = new QHBoxLayout();
            inputs->addItem(line);
        }
        if (!entry.caption.empty()) {
            auto* caption = new QLabel(fromUtf8(entry.caption), box);
            caption->setBuddy(widget);
            line->addWidget(caption);
        }
        line->addWidget(widget);
        if (!entry.unit.empty())
            line->addWidget(new QLabel(fromUtf8(entry.unit), box));
    }
}

QWidget* shown(const View& view, std::string_view name) {
    return view.widgetOf(*view.design().find(name));
}

} // namespace

// The network window: its menu bar, the source and the network's own inputs side by side, the
// grid of segments with its row buttons, then both result tables, the segments' wide and the
// nodes' beside it, and the status beside the buttons. The grid and the tables share the
// window's height, and the user may move the line between them.
std::unique_ptr<View> networkView(const QIcon& icon) {
    auto view = std::make_unique<View>(ui::kNetworkDesign, icon);
    FormWidget* widget = view->widget();
    QMenuBar* bar = windowMenuBar(widget);
    view->build(nullptr, bar);
    const ui::WindowDescription& design = view->design();

    const struct {
        const char* command;
        QKeySequence keys;
    } shortcuts[] = {
        {"newFile", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"openFile", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"save", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"saveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        // Go to, as a spreadsheet's 定位 is; no text box or list of the window takes it.
        {"goToWorst", QKeySequence(Qt::CTRL | Qt::Key_G)},
    };
    for (const auto& shortcut : shortcuts)
        view->actionOf(*design.find(shortcut.command))->setShortcut(shortcut.keys);
    view->actionOf(*design.find("undo"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    view->actionOf(*design.find("redo"))
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    auto* historyKeys = new HistoryKeys(widget);
    for (const ControlDescription& control : design.controls)
        if (control.kind == Kind::TextBox)
            shown(*view, control.name)->installEventFilter(historyKeys);
    finishSheetCommands(*view);
    QAction* close = view->actionOf(*design.find("closeFile"));
    qobject_cast<QMenu*>(close->parent())->insertSeparator(close);

    for (const char* frame : {"sourceFrame", "networkFrame", "heatFrame"})
        layOutFrame(*view, *design.find(frame));
    const QSize gridSize = setUpGrid(static_cast<GridTable*>(shown(*view, "segments")));
    setUpTable(static_cast<Table*>(shown(*view, "results")), network::kSegmentColumns,
               kResultsWidest);
    setUpTable(static_cast<Table*>(shown(*view, "nodes")), network::kNodeColumns, kNodesWidest);
    // A long status wraps in the width the buttons leave it, two lines high whatever it says,
    // so that the tables do not shrink and grow as it changes and no status makes the window
    // taller than the screen: the tables and its tooltip say the rest.
    auto* status = static_cast<StatusLabel*>(shown(*view, "status"));
    status->keepToLines(2);

    auto* layout = new QVBoxLayout(widget);
    layout->setMenuBar(bar);
    // The window's edges and the frames' margins above and below their inputs narrow, so that
    // the window at its least fits a 1366×768 screen at 150 % (910×512 logical pixels), title
    // bar and frame included.
    const int edge = std::min(layout->contentsMargins().left(), 6);
    layout->setContentsMargins(edge, edge / 2, edge, edge / 2);
    // The source and the network side by side, the 散热 group under them across the window:
    // beside them it would wrap to a line an input in a window as narrow as it may be.
    auto* inputs = new QHBoxLayout();
    inputs->addWidget(shown(*view, "sourceFrame"), 1);
    inputs->addWidget(shown(*view, "networkFrame"), 1);
    layout->addLayout(inputs);
    // Wide enough for its inputs in two lines.
    QWidget* heat = shown(*view, "heatFrame");
    heat->setMinimumWidth(kHeatNarrowest);
    for (const char* frame : {"sourceFrame", "networkFrame", "heatFrame"}) {
        QLayout* inside = shown(*view, frame)->layout();
        const QMargins margins = inside->contentsMargins();
        inside->setContentsMargins(margins.left(), margins.top() / 2, margins.right(),
                                   margins.bottom() / 2);
    }
    layout->setSpacing(std::min(layout->spacing(), 4));
    layout->addWidget(shown(*view, "heatFrame"));

    auto* split = new QSplitter(Qt::Vertical, widget);
    split->setChildrenCollapsible(false);
    auto* segments = new Sized(split);
    auto* gridRow = new QHBoxLayout(segments);
    gridRow->setContentsMargins(0, 0, 0, 0);
    gridRow->addWidget(shown(*view, "segments"), 1);
    // Two by two, so that the grid's three rows at least are not made taller by its buttons.
    auto* rowButtons = new QGridLayout();
    const char* const buttonNames[] = {"add", "remove", "moveUp", "moveDown"};
    for (int i = 0; i < 4; ++i)
        rowButtons->addWidget(shown(*view, buttonNames[i]), i / 2, i % 2);
    rowButtons->setRowStretch(2, 1);
    gridRow->addLayout(rowButtons);
    segments->setHint({gridSize.width() + gridRow->spacing() + rowButtons->sizeHint().width(),
                       std::max(gridSize.height(), rowButtons->sizeHint().height())});

    // The tables, or in their place the pictures: beside them they would need a height or a
    // width the window at its least does not have.
    auto* results = new QStackedWidget(split);
    auto* tables = new QSplitter(Qt::Horizontal, results);
    tables->setChildrenCollapsible(false);
    tables->addWidget(shown(*view, "results"));
    tables->addWidget(shown(*view, "nodes"));
    // The nodes' table keeps its pressures whole where it can; the segments' takes the rest.
    auto* nodes = static_cast<Table*>(shown(*view, "nodes"));
    // Sorted by 余量 at a click on its heading, the users short of pressure come first.
    nodes->setSortable();
    nodes->setMinimumWidth(std::min(nodes->sizeHint().width(), kNodesNarrowest));
    tables->setStretchFactor(0, 1);
    tables->setStretchFactor(1, 0);
    // The nodes' at their narrowest to begin with, their pressures and margins whole: the
    // segments' take what the window has beyond, and show their verdicts where it is wide enough.
    tables->setSizes({shown(*view, "results")->sizeHint().width(), nodes->minimumWidth()});
    results->addWidget(tables);
    results->addWidget(shown(*view, "pictures"));
    split->addWidget(segments);
    split->addWidget(results);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    // At first each as tall as it asks to be: ten segments in the grid and in the table.
    split->setSizes({segments->sizeHint().height(), results->sizeHint().height()});
    layout->addWidget(split, 1);

    auto* buttons = new QHBoxLayout();
    // Under the tables as a spreadsheet's sheets are, in the status line's row, which is as tall
    // as the tabs: a line of their own would make the window's least size taller.
    auto* pages = new QTabBar(widget);
    pages->setObjectName(QStringLiteral("pages"));
    pages->setShape(QTabBar::RoundedSouth);
    pages->setDrawBase(false);
    pages->setExpanding(false);
    // Out of the tab order, which is the window's description's; Ctrl+Tab turns the pages.
    pages->setFocusPolicy(Qt::NoFocus);
    pages->setUsesScrollButtons(false);
    // Its scroll buttons, made hidden, would still be in the tab chain.
    for (QToolButton* scroll : pages->findChildren<QToolButton*>())
        scroll->setFocusPolicy(Qt::NoFocus);
    pages->addTab(QString::fromUtf8("计算结果"));
    // Short names: the status line beside them keeps its width, and so the window its least
    // height.
    pages->addTab(fromUtf8(design.find("pictures")->text));
    pages->setTabToolTip(1, fromUtf8(design.find("pictures")->accessibleName) +
                                QString::fromUtf8("（Ctrl+Tab 切换）"));
    QObject::connect(pages, &QTabBar::currentChanged, results, &QStackedWidget::setCurrentIndex);
    // The pictures need height more than the grid does: turned to, they take all but the grid's
    // least; turned from, the line between them goes back where the user had it.
    auto kept = std::make_shared<QList<int>>();
    QObject::connect(pages, &QTabBar::currentChanged, split, [split, kept](int page) {
        if (page == 1) {
            *kept = split->sizes();
            split->setSizes({0, kept->value(0) + kept->value(1)});
        } else if (!kept->isEmpty()) {
            split->setSizes(*kept);
        }
    });
    // Ctrl+Tab turns the page wherever the focus is, as in a desktop's tabbed windows.
    auto* turn = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), widget);
    QObject::connect(turn, &QShortcut::activated, pages,
                     [pages] { pages->setCurrentIndex(1 - pages->currentIndex()); });
    buttons->addWidget(pages, 0, Qt::AlignTop);
    // The pressures' unit at the left of the status line, not on a line of its own above the
    // tables: the window at its least has no line to spare since the 散热 group came.
    buttons->addWidget(shown(*view, "unitNote"));
    buttons->addWidget(status, 1);
    buttons->addWidget(shown(*view, "showInMain"));
    buttons->addWidget(shown(*view, "back"));
    layout->addLayout(buttons);

    widget->setResizable();
    view->finish();
    return view;
}

} // namespace controls::qt
