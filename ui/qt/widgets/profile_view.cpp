#include "ui/qt/widgets/profile_view.h"

#include "ui/qt/widgets/pictures.h"

#include <QEvent>
#include <QPainter>

namespace controls::qt {

ProfileView::ProfileView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("profile"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ProfileView::setProfile(network::Profile profile) {
    m_profile = std::move(profile);
    m_none.clear();
    update();
}

void ProfileView::setNone(const QString& why) {
    m_profile.reset();
    m_none = why;
    update();
}

// Room for the axes, the legend and a curve; no more, so that the window's least size stays.
QSize ProfileView::sizeHint() const {
    return {480, 300};
}

QSize ProfileView::minimumSizeHint() const {
    return {160, 60};
}

void ProfileView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_profile)
        return drawNone(painter, *this, m_none);
    painter.setRenderHint(QPainter::Antialiasing);
    drawProfile(painter, QRectF(rect()), *m_profile, lookOf(*this));
}

void ProfileView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        update();
}

} // namespace controls::qt
