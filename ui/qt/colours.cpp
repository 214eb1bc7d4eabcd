#include "ui/qt/colours.h"

#include "calc/elementary.h"

#include <algorithm>
#include <cmath>

namespace controls::qt {

namespace {

// WCAG 2 relative luminance.
double luminance(const QColor& colour) {
    auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : calc::elementary::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

} // namespace

double contrast(const QColor& one, const QColor& other) {
    const double first = luminance(one) + 0.05;
    const double second = luminance(other) + 0.05;
    return std::max(first, second) / std::min(first, second);
}

QColor readableOn(const QColor& wanted, const QColor& window) {
    if (contrast(wanted, window) >= kReadable)
        return wanted;
    const QColor towards = contrast(Qt::white, window) >= contrast(Qt::black, window)
                               ? QColor(Qt::white)
                               : QColor(Qt::black);
    constexpr int kSteps = 32;
    for (int step = 1; step < kSteps; ++step) {
        auto mix = [step](int from, int to) { return from + (to - from) * step / kSteps; };
        const QColor mixed(mix(wanted.red(), towards.red()), mix(wanted.green(), towards.green()),
                           mix(wanted.blue(), towards.blue()));
        if (contrast(mixed, window) >= kReadable)
            return mixed;
    }
    return towards;
}

} // namespace controls::qt
