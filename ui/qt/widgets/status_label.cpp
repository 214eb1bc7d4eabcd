#include "ui/qt/widgets/status_label.h"

#include "ui/qt/colours.h"

#include <QEvent>
#include <QMouseEvent>

namespace controls::qt {

void StatusLabel::setFault(bool fault) {
    m_fault = fault;
    recolour();
}

void StatusLabel::setClickable(bool on) {
    m_clickable = on;
    if (on)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

// On the release inside the line, as a button takes its click: a press dragged off is no click.
void StatusLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (m_clickable && m_onClick && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        m_onClick();
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

} // namespace controls::qt
