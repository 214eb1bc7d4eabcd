#pragma once

#include <string>
#include <string_view>
#include <vector>

// A chart's axes as the profile draws them: round ticks over a range and the units the axes
// are titled with. Toolkit-free, so that the ticks are worked by hand in a test rather than
// read off a picture.
namespace network {

struct Axis {
    double low = 0, high = 1;  // the axis's ends, its first and last tick
    double step = 1;           // 1, 2 or 5 × 10^k
    std::vector<double> ticks; // low, low + step, …, high
    int decimals = 0;          // digits after the point that tell one tick from the next
};

// The finest round ticks that cover [low, high] with at most `most` ticks (at least 2). A flat
// range (a single pressure) is widened around its value, so that its curve draws mid-axis.
Axis roundAxis(double low, double high, int most);

// A tick's text with the axis's digits: "0.25", "1500", never "-0".
std::string tickText(const Axis& axis, double value);

// The distance along a path as its axis counts it.
struct DistanceUnit {
    std::string_view label; // "m" or "km"
    double metres;          // one unit in m
};
// km for a path of 2 km or more, whose ticks in m would read as four-digit and five-digit
// numbers; m below.
DistanceUnit distanceUnit(double length);

// The axes' titles, the quantity and then its unit after a slash as a chart labels them:
// "压力 / MPa(表压)", "温度 / ℃", "距热源 / m".
std::string pressureTitle(std::string_view unit);
std::string temperatureTitle();
std::string distanceTitle(const DistanceUnit& unit);

} // namespace network
