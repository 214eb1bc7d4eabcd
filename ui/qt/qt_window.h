#pragma once

#include "ui/controls/controls.h"
#include "ui/qt/qt_control.h"

#include <QTimer>
#include <QWidget>

class QScreen;

namespace controls::qt {

// A top-level window, of a fixed size unless made resizable, whose title-bar close only raises
// the notification.
class FormWidget final : public QWidget {
public:
    FormWidget(int widthTwips, int heightTwips);
    void setCloseHandler(Handler handler) { m_onClose = std::move(handler); }
    // Lets the user resize the window, down to the least room its layout needs at its least
    // width. Qt's own least size for a window counts every line that wraps as one line.
    void setResizable();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fitMinimumToLayout();

    Handler m_onClose;
    bool m_resizable = false;
};

// Sizes a top-level window to `wanted` as far as the screen's free area allows and moves it so
// that its frame is centred on `centre` and lies wholly on the screen. The program places its
// windows itself: there may be no window manager to do it. A window not shown yet has no frame;
// it is taken to be as large as that of `framed`, a window shown before, if there is one.
void placeOnScreen(QWidget& window, const QScreen& screen, QSize wanted, QPoint centre,
                   const QWidget* framed);

class QtWindow final : public Window, public OverWidget {
public:
    explicit QtWindow(FormWidget* widget) : OverWidget(widget), m_widget(widget) {}
    void show() override;
    void hide() override;
    void setTitle(std::string_view title) override;
    void onClose(Handler handler) override;

private:
    FormWidget* m_widget;
    bool m_centred = false;
};

class QtProgram final : public Program {
public:
    void end() override;
};

// A QTimer of its own, single-shot.
class QtTimer final : public Timer {
public:
    QtTimer();
    void start(int milliseconds) override { m_timer.start(milliseconds); }
    void stop() override { m_timer.stop(); }
    void onTimeout(Handler handler) override { m_onTimeout = std::move(handler); }

private:
    QTimer m_timer;
    Handler m_onTimeout;
};

} // namespace controls::qt
