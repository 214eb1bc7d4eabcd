#pragma once

#include <QPushButton>

namespace controls::qt {

// A push button that Enter presses too, as Space does. Held down, Enter presses it once: the
// repeats would reach whatever button the press focuses next.
class Button final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace controls::qt
