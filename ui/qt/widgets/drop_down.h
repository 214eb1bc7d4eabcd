#pragma once

#include <QComboBox>

namespace controls::qt {

// A closed list that turns under the wheel only while it has the keyboard focus: scrolling the
// window over a list must not silently pick another pipe or unit. The wheel neither gives it
// the focus nor stops at it.
class DropDown final : public QComboBox {
public:
    explicit DropDown(QWidget* parent) : QComboBox(parent) { setFocusPolicy(Qt::StrongFocus); }

protected:
    void wheelEvent(QWheelEvent* event) override;
};

} // namespace controls::qt
