#pragma once

#include <QLabel>

namespace controls::qt {

// A row caption in blue, chosen anew when the theme's palette changes.
class BlueLabel final : public QLabel {
public:
    BlueLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) { recolour(); }

protected:
    void changeEvent(QEvent* event) override;

private:
    void recolour();
};

} // namespace controls::qt
