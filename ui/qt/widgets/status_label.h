#pragma once

#include <QLabel>

#include <functional>

namespace controls::qt {

// A label that says a fault in red, a red that reads on the window's colour in any theme, and
// anything else in the theme's own text colour. While it is clickable a pointing hand shows over
// it and a click with the left button tells the click handler.
class StatusLabel final : public QLabel {
public:
    using QLabel::QLabel;
    void setFault(bool fault);
    void setClickable(bool on);
    bool clickable() const { return m_clickable; }
    void setClickHandler(std::function<void()> handler) { m_onClick = std::move(handler); }

protected:
    void changeEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void recolour();

    bool m_fault = false;
    bool m_clickable = false;
    std::function<void()> m_onClick;
};

} // namespace controls::qt
