#include "ui/qt/widgets/frame.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionGroupBox>

namespace controls::qt {

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

} // namespace controls::qt
