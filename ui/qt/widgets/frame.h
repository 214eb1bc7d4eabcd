#pragma once

#include <QGroupBox>
#include <QPixmap>

namespace controls::qt {

// A frame whose border and title are drawn once and then copied. Every keystroke repaints the
// labels and boxes inside a frame, and through them the frame beneath; drawing the style's
// border and shaping the title anew each time cost more than the captions that changed.
class Frame final : public QGroupBox {
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Palette, font, style and enabled state all arrive here; the title is set only once.
    void changeEvent(QEvent* event) override;

private:
    QPixmap m_drawn;
};

} // namespace controls::qt
