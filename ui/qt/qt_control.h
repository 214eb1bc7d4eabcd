#pragma once

#include "ui/controls/controls.h"

class QWidget;

namespace controls::qt {

// The widget a Qt control drives, so that a tool can tell the control by the widget's name.
class OverWidget {
public:
    explicit OverWidget(QWidget* widget) : m_widget(widget) {}
    QWidget* widget() const { return m_widget; }

private:
    QWidget* m_widget;
};

inline void notify(const Handler& handler) {
    if (handler)
        handler();
}

} // namespace controls::qt
