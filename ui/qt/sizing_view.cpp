#include "pipes/sizing.h"
#include "ui/qt/convert.h"
#include "ui/qt/view.h"
#include "ui/qt/widgets/blue_label.h"
#include "ui/qt/widgets/frame.h"
#include "ui/qt/widgets/status_label.h"
#include "ui/qt/widgets/table.h"
#include "ui/qt/widgets/wrapping_row.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace controls::qt {

using ui::ControlDescription;
using ui::Kind;

namespace {

// The sizing table's columns: heading and alignment, the widest cell one may show, whether it
// holds figures, in order.
const Table::Column kColumns[] = {
    {pipes::kSizingHeadings[0].data(), Qt::AlignLeft, "D1020×12"},
    {pipes::kSizingHeadings[1].data(), Qt::AlignRight, "1000.000", true},
    {pipes::kSizingHeadings[2].data(), Qt::AlignRight, "0.1234567", true},
    {pipes::kSizingHeadings[3].data(), Qt::AlignRight, "0.1234567", true},
    {pipes::kSizingHeadings[4].data(), Qt::AlignRight, "0.1234567", true},
    {pipes::kSizingHeadings[5].data(), Qt::AlignHCenter, "40–60"},
    {pipes::kSizingHeadings[6].data(), Qt::AlignHCenter, "比摩阻超限，压降过大"},
};

// Rows the table shows at once where the screen has room: more than half a series, so that the
// recommended row and its neighbours are in view wherever it lies. On a small screen it keeps
// the recommended row and two sizes either side of it.
constexpr int kRowsShown = 16;
constexpr int kRowsAtLeast = 5;

// Every column whole without scrolling sideways, in the narrowest window too.
void setUpTable(Table* table) {
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setColumns(kColumns);
    const int scrollBar = table->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
    const int width = table->header()->length() + scrollBar + 2 * table->frameWidth();
    table->setPreferredSize({width, table->heightOf(kRowsShown)});
    table->setMinimumSize(width, table->heightOf(kRowsAtLeast));
}

// A frame of the main window's values shows each after its blue caption on one line, its notes
// beneath. A frame of inputs shows each after its caption, the caption its buddy (a screen
// reader on a desktop names a list by its buddy, since the list's own name is the item it
// shows), with its unit; an entry wraps whole, a caption never ending one line with its box on
// the next.
void layOutFrame(const View& view, const ControlDescription& frame) {
    QWidget* box = view.widgetOf(frame);
    std::vector<const ControlDescription*> entries;
    for (const ControlDescription& control : view.design().controls)
        if (control.parent == frame.name)
            entries.push_back(&control);
    const bool values = std::all_of(entries.begin(), entries.end(), [](auto* entry) {
        return entry->kind == Kind::Label || entry->kind == Kind::Caption;
    });
    if (values) {
        auto* grid = new QGridLayout(box);
        int column = 0;
        for (const ControlDescription* entry : entries)
            if (entry->kind == Kind::Label) {
                grid->addWidget(new BlueLabel(fromUtf8(entry->caption), box), 0, column++);
                grid->addWidget(view.widgetOf(*entry), 0, column++);
                grid->setColumnStretch(column - 1, 1);
            }
        int row = 1;
        for (const ControlDescription* entry : entries)
            if (entry->kind == Kind::Caption)
                grid->addWidget(new QLabel(fromUtf8(entry->text), box), row++, 0, 1, column);
        return;
    }
    auto* inputs = new WrappingRow(box);
    for (const ControlDescription* entry : entries) {
        auto* line = new QHBoxLayout();
        auto* caption = new QLabel(fromUtf8(entry->caption), box);
        caption->setBuddy(view.widgetOf(*entry));
        line->addWidget(caption);
        line->addWidget(view.widgetOf(*entry));
        if (!entry->unit.empty())
            line->addWidget(new QLabel(fromUtf8(entry->unit), box));
        inputs->addItem(line);
    }
}

} // namespace

// The sizing window, laid out top to bottom as its description lists it; the status and the
// buttons share the last line.
std::unique_ptr<View> sizingView(const QIcon& icon) {
    auto view = std::make_unique<View>(ui::kSizingDesign, icon);
    FormWidget* widget = view->widget();
    QMenuBar* bar = windowMenuBar(widget);
    view->build(nullptr, bar);
    finishSheetCommands(*view);
    std::vector<const ControlDescription*> rows;
    for (const ControlDescription& control : view->design().controls)
        if (control.parent.empty())
            rows.push_back(&control);
    // What lies inside first, the window's own layout last.
    for (const ControlDescription* row : rows)
        if (row->kind == Kind::Frame) {
            layOutFrame(*view, *row);
        } else if (row->kind == Kind::TableList) {
            setUpTable(static_cast<Table*>(view->widgetOf(*row)));
        } else if (row->kind == Kind::StatusText) {
            // A long status wraps in the width the buttons leave it, the window's width
            // untouched; two lines high, so that the table does not shrink and grow as the
            // status changes.
            static_cast<StatusLabel*>(view->widgetOf(*row))->keepToLines(2);
        }
    auto* buttons = new QHBoxLayout();
    auto* layout = new QVBoxLayout(widget);
    layout->setMenuBar(bar);
    for (const ControlDescription* row : rows) {
        QWidget* shown = view->widgetOf(*row);
        switch (row->kind) {
        case Kind::Frame:
        case Kind::TableList:
            layout->addWidget(shown);
            break;
        case Kind::Caption:
            layout->addWidget(new QLabel(fromUtf8(row->text), widget));
            break;
        case Kind::StatusText:
            buttons->addWidget(shown, 1);
            break;
        case Kind::PushButton:
            buttons->addWidget(shown);
            break;
        default:
            break;
        }
    }
    layout->addLayout(buttons);
    // At 200 % a laptop's screen has no room for the table's sixteen rows: the window may be
    // made smaller, its table down to five rows, which fits 960 × 540 with a title bar, and
    // larger, the table taking the room.
    widget->setResizable();
    view->finish();
    return view;
}

} // namespace controls::qt
