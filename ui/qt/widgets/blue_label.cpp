#include "ui/qt/widgets/blue_label.h"

#include "ui/qt/colours.h"

#include <QEvent>

namespace controls::qt {

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

} // namespace controls::qt
