#include "ui/qt/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace controls::qt {

namespace {

// Drawn on a 32-unit grid, so that the pictures of every size are the same drawing.
template <class Draw> QPixmap drawn(int size, Draw draw) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, size > 16);
    painter.scale(size / 32.0, size / 32.0);
    draw(painter);
    painter.end();
    return pixmap;
}

QIcon iconOf(QPixmap (*picture)(int)) {
    QIcon icon;
    for (int size : {16, 32})
        icon.addPixmap(picture(size));
    return icon;
}

} // namespace

QIcon mainWindowIcon() {
    return iconOf(mainWindowPicture);
}
QIcon lookupWindowIcon() {
    return iconOf(lookupWindowPicture);
}

QPixmap mainWindowPicture(int size) {
    return drawn(size, [](QPainter& p) {
        p.setPen(QPen(QColor(64, 64, 64), 1.5));
        p.setBrush(QColor(160, 160, 168));
        p.drawRect(QRectF(2, 18, 22, 9));  // pipe
        p.drawRect(QRectF(22, 15, 4, 15)); // flange
        p.setPen(QPen(QColor(90, 140, 220), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        for (int x : {8, 15}) {
            QPainterPath steam(QPointF(x, 15));
            steam.cubicTo(QPointF(x - 4, 11), QPointF(x + 4, 8), QPointF(x, 3));
            p.drawPath(steam);
        }
    });
}

QPixmap lookupWindowPicture(int size) {
    return drawn(size, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(2, 4, 28, 25));
        p.setBrush(QColor(0, 0, 128));
        p.drawRect(QRectF(2, 4, 28, 6));
        p.setPen(QPen(QColor(128, 128, 128), 1));
        for (int y : {10, 16, 22, 28})
            p.drawLine(QPointF(2, y), QPointF(30, y));
        for (int x : {2, 11, 20, 30})
            p.drawLine(QPointF(x, 10), QPointF(x, 28));
        p.setPen(QPen(QColor(160, 0, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(11, 16, 9, 6));
    });
}

} // namespace controls::qt
