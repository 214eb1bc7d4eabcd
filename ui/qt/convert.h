#pragma once

#include "ui/design.h"

#include <QString>

#include <string>
#include <string_view>

class QWidget;

namespace controls::qt {

QString fromUtf8(std::string_view text);

// Sets the widget where its description puts it in its frame.
void place(QWidget* widget, const ui::Twips& at);

std::string toUtf8(const QString& text);

// 15 twips are one logical pixel at 96 dpi.
inline int twips(int value) {
    return (value + 7) / 15;
}

} // namespace controls::qt
