#include "ui/qt/widgets/drop_down.h"

#include <QWheelEvent>

namespace controls::qt {

void DropDown::wheelEvent(QWheelEvent* event) {
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

} // namespace controls::qt
