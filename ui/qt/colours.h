#pragma once

#include <QColor>

// Text colours that stay readable on whatever window colour the desktop theme gives.
namespace controls::qt {

// WCAG 2 contrast ratio of two colours, 1 to 21.
double contrast(const QColor& one, const QColor& other);

// WCAG's level for text.
inline constexpr double kReadable = 4.5;

// `wanted` if it reads on `window` (kReadable), else `wanted` mixed towards white (or black, on
// a light or mid-grey window) until it does: the hue stays recognisable as far as it can.
QColor readableOn(const QColor& wanted, const QColor& window);

} // namespace controls::qt
