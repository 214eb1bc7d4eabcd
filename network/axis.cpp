#include "network/axis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace network {

namespace {

// 10^|decade| as an integer-valued double, exact up to 10^22.
double powerOfTen(int decade) {
    double power = 1;
    for (int i = 0; i < std::abs(decade); ++i)
        power *= 10;
    return power;
}

// k × mantissa × 10^decade, divided rather than multiplied by a fraction's power, so that a
// tick of 0.3 is the double nearest 0.3 and not 3 × 0.1.
double tickAt(long long k, int mantissa, int decade) {
    const double whole = static_cast<double>(k * mantissa);
    return decade < 0 ? whole / powerOfTen(decade) : whole * powerOfTen(decade);
}

} // namespace

Axis roundAxis(double low, double high, int most) {
    most = std::max(most, 2);
    if (!std::isfinite(low) || !std::isfinite(high))
        return {.ticks = {0, 1}};
    if (!(high > low)) {
        const double pad = low == 0 ? 1 : std::abs(low) / 10;
        low -= pad;
        high += pad;
    }
    // A ratio a hair off a whole number (0.3 / 0.1) is that number: its tick is the range's end.
    constexpr double kSlack = 1e-9;
    int decade = static_cast<int>(std::floor(std::log10((high - low) / (most - 1)))) - 1;
    for (;; ++decade)
        for (const int mantissa : std::array{1, 2, 5}) {
            const double step = tickAt(1, mantissa, decade);
            const auto first = static_cast<long long>(std::floor(low / step + kSlack));
            const auto last = static_cast<long long>(std::ceil(high / step - kSlack));
            if (last - first + 1 > most)
                continue;
            Axis axis;
            axis.step = step;
            axis.decimals = std::max(0, -decade);
            for (long long k = first; k <= last; ++k)
                axis.ticks.push_back(tickAt(k, mantissa, decade));
            axis.low = axis.ticks.front();
            axis.high = axis.ticks.back();
            return axis;
        }
}

std::string tickText(const Axis& axis, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", axis.decimals, value);
    std::string shown = text;
    if (shown.front() == '-' && shown.find_first_not_of("-0.") == std::string::npos)
        shown.erase(0, 1);
    return shown;
}

DistanceUnit distanceUnit(double length) {
    return length >= 2000 ? DistanceUnit{"km", 1000} : DistanceUnit{"m", 1};
}

std::string pressureTitle(std::string_view unit) {
    return "压力 / " + std::string(unit);
}

std::string temperatureTitle() {
    return "温度 / ℃";
}

std::string distanceTitle(const DistanceUnit& unit) {
    return "距热源 / " + std::string(unit.label);
}

} // namespace network
