#include "ui/qt/qt_window.h"

#include "ui/qt/convert.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QScreen>

#include <algorithm>

namespace controls::qt {

FormWidget::FormWidget(int widthTwips, int heightTwips) {
    setFixedSize(twips(widthTwips), twips(heightTwips));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
}

void FormWidget::setResizable() {
    m_resizable = true;
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    fitMinimumToLayout();
}

bool FormWidget::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // The layout has been set up anew by now: a request reaches it before the window.
    if (m_resizable && event->type() == QEvent::LayoutRequest)
        fitMinimumToLayout();
    return handled;
}

void FormWidget::fitMinimumToLayout() {
    if (const QLayout* shown = layout()) {
        const int width = shown->totalMinimumSize().width();
        setMinimumSize(width, shown->totalMinimumHeightForWidth(width));
    }
}

void FormWidget::closeEvent(QCloseEvent* event) {
    event->ignore();
    notify(m_onClose);
}

void placeOnScreen(QWidget& window, const QScreen& screen, QSize wanted, QPoint centre,
                   const QWidget* framed) {
    const QRect area = screen.availableGeometry();
    const QSize decoration =
        framed ? framed->frameGeometry().size() - framed->geometry().size() : QSize();
    window.resize(wanted.boundedTo(area.size() - decoration));
    QRect frame({}, window.size() + decoration);
    frame.moveCenter(centre);
    // A window that is larger than the screen all the same keeps its title bar on it.
    const int left =
        std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int top = std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    window.move(left, top);
}

void QtWindow::show() {
    if (!m_centred) {
        // Centred by the program itself: there may be no window manager to do it.
        if (const QScreen* screen = m_widget->screen()) {
            const QRect area = screen->availableGeometry();
            if (m_widget->minimumSize() == m_widget->maximumSize())
                m_widget->move(area.center() -
                               QPoint(m_widget->width() / 2, m_widget->height() / 2));
            else
                // A window that can be resized opens at the size its layout asks for where the
                // screen has room, and its frame is as large as the window's it opens over.
                placeOnScreen(*m_widget, *screen, m_widget->sizeHint(), area.center(),
                              QApplication::activeWindow());
        }
        m_centred = true;
    }
    m_widget->show();
    m_widget->activateWindow();
    m_widget->raise();
}

void QtWindow::hide() {
    m_widget->hide();
}

void QtWindow::setTitle(std::string_view title) {
    m_widget->setWindowTitle(fromUtf8(title));
}

void QtWindow::onClose(Handler handler) {
    m_widget->setCloseHandler(std::move(handler));
}

void QtProgram::end() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        widget->hide();
    QCoreApplication::exit(0);
}

QtTimer::QtTimer() {
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        if (m_onTimeout)
            m_onTimeout();
    });
}

} // namespace controls::qt
