#include "network/axis.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Each row's ticks worked by hand: the finest of 1, 2, 5 × 10^k whose multiples from below the
// range's low end to above its high end number no more than `most`.
struct Case {
    const char* name;
    double low, high;
    int most;
    std::vector<double> ticks;
    int decimals;
};
const Case kCases[] = {
    // 200 would need 0…1400, eight ticks: one too many for six.
    {"path of 1350 m, six ticks", 0, 1350, 6, {0, 500, 1000, 1500}, 0},
    {"path of 1350 m, eight ticks", 0, 1350, 8, {0, 200, 400, 600, 800, 1000, 1200, 1400}, 0},
    {"pressures 0.62 to 0.98", 0.62, 0.98, 5, {0.6, 0.7, 0.8, 0.9, 1.0}, 1},
    // 0.3 / 0.1 is 2.9999999999999996 in doubles: no tick at 0.2 below a range starting at 0.3.
    {"ends on ticks", 0.3, 0.9, 7, {0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}, 1},
    // One pressure along a path: ±10 % around it.
    {"flat range", 0.5, 0.5, 5, {0.45, 0.5, 0.55}, 2},
    {"flat at zero", 0, 0, 3, {-1, 0, 1}, 0},
    {"below zero", -3, 12, 4, {-10, 0, 10, 20}, 0},
    {"temperatures", 151.2, 184.1, 8, {150, 155, 160, 165, 170, 175, 180, 185}, 0},
    {"at least two ticks", 0, 7, 1, {0, 10}, 0},
};

TEST(Axis, RoundTicksCoverTheRange) {
    for (const Case& c : kCases) {
        const network::Axis axis = network::roundAxis(c.low, c.high, c.most);
        EXPECT_EQ(axis.ticks, c.ticks) << c.name;
        EXPECT_EQ(axis.decimals, c.decimals) << c.name;
        EXPECT_EQ(axis.low, c.ticks.front()) << c.name;
        EXPECT_EQ(axis.high, c.ticks.back()) << c.name;
    }
}

TEST(Axis, TickTexts) {
    const network::Axis tenths = network::roundAxis(0.62, 0.98, 5);
    EXPECT_EQ(network::tickText(tenths, 0.7), "0.7");
    // A tick a rounding below zero is no negative zero.
    EXPECT_EQ(network::tickText(tenths, -1e-17), "0.0");
    EXPECT_EQ(network::tickText(network::roundAxis(0, 1350, 6), 1500), "1500");
    EXPECT_EQ(network::tickText(network::roundAxis(0.5, 0.5, 5), 0.45), "0.45");
}

TEST(Axis, UnitsAndTitles) {
    EXPECT_EQ(network::distanceUnit(1999.9).label, "m");
    EXPECT_EQ(network::distanceUnit(2000).label, "km");
    EXPECT_EQ(network::distanceUnit(2000).metres, 1000);
    EXPECT_EQ(network::distanceTitle(network::distanceUnit(500)), "距热源 / m");
    EXPECT_EQ(network::pressureTitle("bar(绝压)"), "压力 / bar(绝压)");
    EXPECT_EQ(network::temperatureTitle(), "温度 / ℃");
}

} // namespace
