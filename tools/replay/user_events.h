#pragma once

#include "ui/controls/controls.h"
#include "ui/qt/convert.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

// The lists and the editable grid acted on as the user acts on them, through real clicks and keys:
// one way for the replay's Qt session and the Qt contract tests, so that both prove the same.
namespace replay {

// Clicks a list's or a table's row where it shows, scrolled into view first (a table wider than
// its view shows only part of each row), and again as a double-click's second where `twice`.
template <class View, class Item> void clickRow(View* view, Item* item, bool twice = false) {
    view->scrollToItem(item);
    const QPoint centre = view->visualItemRect(item).intersected(view->viewport()->rect()).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre);
    if (twice)
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
}

// Selects a rectangle of the grid's cells: a click on its first, Shift and a click on its last.
inline void selectCells(QTableWidget* grid, int top, int left, int bottom, int right) {
    const auto at = [grid](int row, int column) {
        grid->scrollToItem(grid->item(row, column));
        return grid->visualItemRect(grid->item(row, column)).center();
    };
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at(top, left));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, at(bottom, right));
}

// Clicks the cell and opens its editor with F2; null where the cell has none. The editor is the
// viewport's one shown child: the window need not have the focus.
inline QWidget* openCellEditor(QTableWidget* grid, int row, int column) {
    QTableWidgetItem* cell = grid->item(row, column);
    if (!cell)
        return nullptr;
    grid->scrollToItem(cell);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(cell).center());
    QTest::keyClick(grid, Qt::Key_F2);
    for (QObject* child : grid->viewport()->children())
        if (auto* editor = qobject_cast<QWidget*>(child); editor && editor->isVisible())
            return editor;
    return nullptr;
}

// Presses the key of Cut, Copy, Paste or Clear in the widget; false for a command without one.
inline bool pressGridKey(QWidget* widget, controls::GridCommand command) {
    using controls::GridCommand;
    if (command == GridCommand::Clear)
        QTest::keyClick(widget, Qt::Key_Delete);
    else if (command == GridCommand::Cut || command == GridCommand::Copy ||
             command == GridCommand::Paste)
        QTest::keyClick(widget,
                        command == GridCommand::Cut    ? Qt::Key_X
                        : command == GridCommand::Copy ? Qt::Key_C
                                                       : Qt::Key_V,
                        Qt::ControlModifier);
    else
        return false;
    return true;
}

// Opens the grid's context menu at `at` in its viewport and clicks the command, once the menu
// is up: the menu runs a loop of its own.
inline void clickGridMenu(QTableWidget* grid, QPoint at, controls::GridCommand command) {
    QString caption;
    for (const controls::GridMenuItem& item : controls::kGridMenu)
        if (item.command == command)
            caption = controls::qt::fromUtf8(item.caption);
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        clicker.stop();
        for (QAction* action : menu->actions())
            if (action->text() == caption)
                return QTest::mouseClick(menu, Qt::LeftButton, {},
                                         menu->actionGeometry(action).center());
        menu->close();
    });
    clicker.start(5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &event);
    QCoreApplication::processEvents();
}

} // namespace replay
