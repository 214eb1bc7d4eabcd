#include "ui/qt/widgets/history_keys.h"

#include <QKeyEvent>

namespace controls::qt {

bool HistoryKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const QKeyCombination keys = static_cast<QKeyEvent*>(event)->keyCombination();
    // Not passed on, and so not accepted: the menu's shortcut takes the key; and with the
    // command disabled, its key press is no box's either.
    return keys == QKeyCombination(Qt::ControlModifier, Qt::Key_Z) ||
           keys == QKeyCombination(Qt::ControlModifier, Qt::Key_Y) ||
           keys == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z);
}

} // namespace controls::qt
