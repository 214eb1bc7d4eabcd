#pragma once

#include <QLabel>

namespace controls::qt {

// A label that says a fault in red, a red that reads on the window's colour in any theme, and
// anything else in the theme's own text colour.
class StatusLabel final : public QLabel {
public:
    using QLabel::QLabel;
    void setFault(bool fault);

protected:
    void changeEvent(QEvent* event) override;

private:
    void recolour();

    bool m_fault = false;
};

} // namespace controls::qt
