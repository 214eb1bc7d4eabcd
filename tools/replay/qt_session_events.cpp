#include "tools/replay/qt_session.h"

#include "tools/replay/user_events.h"

#include "ui/qt/convert.h"
#include "ui/qt/widgets/grid_table.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

namespace replay {

using controls::qt::fromUtf8;

bool QtSession::canPerform(const Event& event) {
    // An answer is given ahead to a control of a loaded window, shown or not.
    if (event.action == Action::Answer || event.action == Action::Path ||
        event.action == Action::Clip) {
        const ui::WindowDescription* design = ui::designOf(event.target);
        return !ended() && design && viewOf(*design);
    }
    if (!usable(event.target))
        return false;
    if (auto* grid = dynamic_cast<controls::qt::GridTable*>(widget(event.target))) {
        if (event.action == Action::Select)
            return event.number <= event.lastRow && event.lastRow < grid->rowCount() &&
                   event.column <= event.lastColumn && event.lastColumn < grid->columnCount();
        if (event.action == Action::Command)
            return true;
        const bool cell = event.number < grid->rowCount() && event.column < grid->columnCount();
        return event.action == Action::Pick
                   ? cell && event.item < grid->columnItems(event.column).size()
                   : cell;
    }
    if (event.action == Action::Pick || event.action == Action::DoubleClick) {
        QWidget* target = widget(event.target);
        int rows = 0;
        if (auto* recent = qobject_cast<QMenu*>(target))
            rows = static_cast<int>(recent->actions().size());
        else if (auto* list = qobject_cast<QListWidget*>(target))
            rows = list->count();
        else if (auto* table = qobject_cast<QTreeWidget*>(target))
            rows = table->topLevelItemCount();
        else
            rows = static_cast<QComboBox*>(target)->count();
        return event.number < rows;
    }
    return true;
}

// Cut, copy, paste and clear by their keys, the rest from the context menu at the current cell.
void QtSession::gridCommand(QTableWidget* grid, controls::GridCommand command) {
    grid->setFocus();
    if (pressGridKey(grid, command))
        return;
    const QPoint at =
        grid->rowCount() > 0
            ? grid->visualItemRect(grid->currentItem() ? grid->currentItem() : grid->item(0, 0))
                  .center()
            : QPoint(5, 5);
    clickGridMenu(grid, at, command);
}

QWidget* QtSession::startEditing(QTableWidget* grid, int row, int column) {
    return openCellEditor(grid, row, column);
}

void QtSession::perform(const Event& event) {
    QWidget* target = widget(event.target);
    auto* grid = qobject_cast<QTableWidget*>(target);
    switch (event.action) {
    case Action::Answer:
    case Action::Path:
        m_answers[event.target].push_back(event.text);
        break;
    case Action::Clip:
        QGuiApplication::clipboard()->setText(fromUtf8(event.text));
        break;
    case Action::Select:
        selectCells(grid, event.number, event.column, event.lastRow, event.lastColumn);
        break;
    case Action::Command:
        gridCommand(grid, event.command);
        break;
    case Action::Edit:
        if (QWidget* editor = startEditing(grid, event.number, event.column)) {
            // The cell's whole text replaced in one edit, then committed as leaving the cell
            // commits it: Enter would also move down a row, which the in-memory grid's edit
            // does not.
            QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
            QInputMethodEvent commit;
            commit.setCommitString(fromUtf8(event.text));
            QApplication::sendEvent(editor, &commit);
            QAbstractItemDelegate* delegate =
                grid->itemDelegateForIndex(grid->model()->index(event.number, event.column));
            emit delegate->commitData(editor);
            emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
            QCoreApplication::processEvents();
        }
        break;
    case Action::Type: {
        auto* edit = static_cast<QLineEdit*>(target);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        if (event.text.empty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        } else {
            // One input-method commit replaces the selection in a single edit, as a paste does.
            QInputMethodEvent commit;
            commit.setCommitString(fromUtf8(event.text));
            QApplication::sendEvent(edit, &commit);
        }
        break;
    }
    case Action::Key: {
        auto* edit = static_cast<QLineEdit*>(target);
        const QString text = fromUtf8(event.text);
        for (qsizetype i = 0; i < text.size() && usable(event.target);) {
            const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::keyClick(edit, Qt::Key_End);
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, text.mid(i, length),
                                Qt::NoModifier);
            m_captions.look(state(), resultCaptions(), m_faults);
            i += length;
        }
        break;
    }
    case Action::Erase:
        for (int press = 0; press < event.number && usable(event.target); ++press) {
            QTest::keyClick(target, Qt::Key_End);
            QTest::keyClick(target, Qt::Key_Backspace);
            m_captions.look(state(), resultCaptions(), m_faults);
        }
        break;
    case Action::Pick:
        if (auto* recent = qobject_cast<QMenu*>(target)) {
            // The entry's own action, as the user's click on it triggers it: opening a submenu
            // through the bar would follow the pointer, which offscreen has no place.
            recent->actions().at(event.number)->trigger();
            break;
        }
        if (grid) {
            // The cell's list opened and its item taken with Enter, as a drop-down list's.
            if (auto* list =
                    qobject_cast<QComboBox*>(startEditing(grid, event.number, event.column))) {
                list->showPopup();
                QAbstractItemView* view = list->view();
                view->setCurrentIndex(view->model()->index(event.item, 0));
                QTest::keyClick(view, Qt::Key_Return);
                QCoreApplication::processEvents();
            }
            break;
        }
        [[fallthrough]];
    case Action::DoubleClick: {
        if (auto* list = qobject_cast<QListWidget*>(target)) {
            clickRow(list, list->item(event.number), event.action == Action::DoubleClick);
        } else if (auto* table = qobject_cast<QTreeWidget*>(target)) {
            clickRow(table, table->topLevelItem(event.number), event.action == Action::DoubleClick);
        } else {
            auto* combo = static_cast<QComboBox*>(target);
            // In the open list the item is highlighted, as by the pointer, and taken with
            // Enter; a click right after opening may be taken for the opening click's release.
            combo->showPopup();
            QAbstractItemView* view = combo->view();
            view->setCurrentIndex(view->model()->index(event.number, 0));
            QTest::keyClick(view, Qt::Key_Return);
        }
        break;
    }
    case Action::Press:
        if (QAction* command = menuCommand(event.target)) {
            // Opened from the bar, the menu shows its command highlighted, taken with Enter.
            auto* menu = qobject_cast<QMenu*>(command->parent());
            qobject_cast<QMenuBar*>(menu->parentWidget())->setActiveAction(menu->menuAction());
            menu->setActiveAction(command);
            QTest::keyClick(menu, Qt::Key_Return);
        } else {
            QTest::mouseClick(target, Qt::LeftButton);
        }
        break;
    case Action::Close:
        target->close();
        break;
    }
}

} // namespace replay
