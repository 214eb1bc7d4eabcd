#include "network/heat_line.h"

#include "steam/if97.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace if97 = steam::if97;
using network::heat_line::integrate;
using network::heat_line::LossPerMetre;
using network::heat_line::Outlet;
using network::heat_line::Pipe;
using network::heat_line::Steam;

constexpr double kKelvin = 273.15;

// The test's own loss per metre, k·q: about what 80 mm of mineral wool loses in air at 10 ℃,
// curved like the radiation's share of it, with a factor k of 1.2.
double lossPerMetre(double celsius) {
    const double excess = celsius - 10;
    return excess > 0 ? 1.2 * (0.45 * excess + 4e-4 * excess * excess) : 0;
}

// h″(p) as IF97 gives the saturated vapour.
double vapourEnthalpy(double mpa) {
    return if97::saturatedSteam(mpa)->enthalpy;
}

// dp/dx in MPa/m of the friction formula, computed here in its textbook form.
double frictionSlope(const Pipe& pipe, double flow, double density) {
    const double tons = 3.6 * flow;
    return -(1 + pipe.localLoss) * 0.00688 * std::pow(pipe.roughness, 0.25) * tons * tons /
           (std::pow(pipe.bore, 5.25) * density) / 1e6;
}

// What the test's march carries: p (MPa), h (kJ/kg), ṁ (kg/s), heat lost (kW).
using March = std::array<double, 4>;

// The steam along the pipe by the classical Runge-Kutta method in `steps` equal steps, the
// steam's state fixed for the whole pipe (it does not change state on the mains below):
// superheated steam's T from region 2 at h, or saturated steam whose dh″/dp is a four-point
// central difference of the test's own.
March march(const Steam& inlet, const Pipe& pipe, bool saturated, int steps) {
    const auto slope = [&](const March& y) {
        const double p = y[0], flow = y[2];
        if (!saturated) {
            const double kelvin = if97::region2Temperature(p, y[1], if97::saturationTemperature(p));
            const double loss = lossPerMetre(kelvin - kKelvin) / 1000;
            return March{frictionSlope(pipe, flow, if97::region2(p, kelvin).density), -loss / flow,
                         0, loss};
        }
        const double loss = lossPerMetre(if97::saturationTemperature(p) - kKelvin) / 1000;
        const double dp = frictionSlope(pipe, flow, if97::saturatedSteam(p)->density);
        const double d = 1e-3 * p;
        const double vapourSlope = (8 * (vapourEnthalpy(p + d) - vapourEnthalpy(p - d)) -
                                    (vapourEnthalpy(p + 2 * d) - vapourEnthalpy(p - 2 * d))) /
                                   (12 * d);
        const double condensing = (loss + flow * vapourSlope * dp) /
                                  (vapourEnthalpy(p) - if97::saturatedWater(p)->enthalpy);
        return March{dp, vapourSlope * dp, -condensing, loss};
    };
    const double h = pipe.length / steps;
    March y{inlet.mpa, inlet.enthalpy, inlet.flow, 0};
    const auto plus = [](const March& a, double f, const March& b) {
        return March{a[0] + f * b[0], a[1] + f * b[1], a[2] + f * b[2], a[3] + f * b[3]};
    };
    for (int i = 0; i < steps; ++i) {
        const March k1 = slope(y), k2 = slope(plus(y, h / 2, k1)), k3 = slope(plus(y, h / 2, k2)),
                    k4 = slope(plus(y, h, k3));
        for (std::size_t j = 0; j < y.size(); ++j)
            y[j] += h / 6 * (k1[j] + 2 * k2[j] + 2 * k3[j] + k4[j]);
    }
    return y;
}

// ṁ h in at the inlet is ṁ h out, the condensate's enthalpy and the heat lost.
double energyImbalance(const Steam& inlet, const Outlet& out) {
    return (inlet.flow * inlet.enthalpy - out.steam.flow * out.steam.enthalpy - out.drainHeat -
            out.heatLoss) /
           (inlet.flow * inlet.enthalpy);
}

// A short superheated pipe at a constant loss: ṁ stays, and h falls by k·q·L/ṁ exactly.
TEST(HeatLine, SuperheatedEnthalpyFallsByTheHeatLostOverTheFlow) {
    struct Row {
        std::string name;
        double lossWm, length, flow; // W/m, m, kg/s
        double fall;                 // kJ/kg, worked by hand: q · L / 1000 / ṁ
    };
    const std::vector<Row> rows{
        {"a kilowatt a metre", 1000, 10, 1, 10.0000},
        {"odd figures", 123.4, 81, 0.5, 19.9908},
        {"a large flow", 250, 60, 12.5, 1.20000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Steam inlet{1.0, 3000, row.flow}; // about 280 ℃: well superheated
        const Pipe pipe{row.length, 0.2, 0.0002, 0.3};
        const Outlet out = integrate(inlet, pipe, [&](double) { return row.lossWm; });
        EXPECT_NEAR(out.steam.enthalpy, 3000 - row.fall, 5e-7 * row.fall);
        EXPECT_NEAR(out.heatLoss, row.fall * row.flow, 5e-7 * row.fall * row.flow);
        EXPECT_EQ(out.steam.flow, row.flow);
        EXPECT_EQ(out.condensate, 0);
        EXPECT_FALSE(out.condensing || out.saturatedOut || out.exhausted || out.outside);
    }
}

struct Main {
    std::string name;
    Steam inlet;
    Pipe pipe;
    bool saturated;
};

// The two mains of the heat-loss issue: 5 km of D325×8 with 30 t/h of 300 ℃ steam at
// 1.30 MPa(a), and 2 km of D219×6 with 10 t/h of saturated steam at 0.8 MPa(a).
std::vector<Main> mains() {
    return {
        {"superheated",
         {1.30, if97::region2(1.30, 300 + kKelvin).enthalpy, 30 / 3.6},
         {5000, 0, 0.0002, 0.309},
         false},
        {"saturated", {0.8, vapourEnthalpy(0.8), 10 / 3.6}, {2000, 0, 0.0002, 0.207}, true},
    };
}

// Against a fine march of the same equations: the integration holds each step's error to 1e-10
// of p, h and ṁ (the heat to 1e-10 of ṁ h) over a handful of steps, and 2000 Runge-Kutta steps
// leave an error of order (L/2000)⁴ / L⁴, some 1e-13; so 1e-9 leaves room for both and would
// still see a step taken with the wrong density or a condensing rate off by a part in 1e8.
TEST(HeatLine, MainsFollowAFineMarch) {
    for (const Main& main : mains()) {
        SCOPED_TRACE(main.name);
        const Outlet out = integrate(main.inlet, main.pipe, lossPerMetre);
        const March fine = march(main.inlet, main.pipe, main.saturated, 2000);
        const Steam& in = main.inlet;
        EXPECT_NEAR(out.steam.mpa, fine[0], 1e-9 * in.mpa);
        EXPECT_NEAR(out.steam.enthalpy, fine[1], 1e-9 * in.enthalpy);
        EXPECT_NEAR(out.steam.flow, fine[2], 1e-9 * in.flow);
        EXPECT_NEAR(out.heatLoss, fine[3], 1e-9 * in.flow * in.enthalpy);
        EXPECT_NEAR(out.condensate, (in.flow - fine[2]) * 3600, 1e-9 * in.flow * 3600);
        const double kelvin =
            main.saturated
                ? if97::saturationTemperature(fine[0])
                : if97::region2Temperature(fine[0], fine[1], if97::saturationTemperature(fine[0]));
        EXPECT_NEAR(out.kelvin, kelvin, 1e-7);
        EXPECT_EQ(out.saturatedOut, main.saturated);
        EXPECT_FALSE(out.condensing || out.exhausted || out.outside);
        EXPECT_NEAR(energyImbalance(in, out), 0, 1e-9);
        // The points run from the inlet to the outlet.
        ASSERT_GE(out.points.size(), 2u);
        EXPECT_EQ(out.points.front().x, 0);
        EXPECT_EQ(out.points.back().x, main.pipe.length);
        EXPECT_EQ(out.points.back().mpa, out.steam.mpa);
    }
}

// The same main as ten pipes in series, each starting from the last one's outlet, ends where
// the whole main does.
TEST(HeatLine, AMainCutIntoTenEndsAlike) {
    for (const Main& main : mains()) {
        SCOPED_TRACE(main.name);
        const Outlet whole = integrate(main.inlet, main.pipe, lossPerMetre);
        Pipe tenth = main.pipe;
        tenth.length /= 10;
        Steam steam = main.inlet;
        double heat = 0, condensate = 0;
        for (int i = 0; i < 10; ++i) {
            const Outlet piece = integrate(steam, tenth, lossPerMetre);
            steam = piece.steam;
            heat += piece.heatLoss;
            condensate += piece.condensate;
        }
        EXPECT_NEAR(steam.mpa, whole.steam.mpa, 1e-8 * whole.steam.mpa);
        EXPECT_NEAR(steam.enthalpy, whole.steam.enthalpy, 1e-8 * whole.steam.enthalpy);
        EXPECT_NEAR(steam.flow, whole.steam.flow, 1e-8 * whole.steam.flow);
        EXPECT_NEAR(heat, whole.heatLoss, 1e-8 * whole.heatLoss);
        EXPECT_NEAR(condensate, whole.condensate, 1e-8 * main.inlet.flow * 3600);
    }
}

// A loss that jumps by 1 % at 165 ℃, as rock wool's does at one temperature per pipe, on the
// saturated main, which cools from 170.4 ℃ to about 161 ℃. Told where the jump is, the
// integration stops there and the main ends as its ten pieces do; a step over the jump would
// leave an error far above the tolerance.
TEST(HeatLine, ALossThatJumpsIsSteppedAtTheJump) {
    const Main main = mains()[1];
    constexpr double kJump = 165;
    const LossPerMetre jumping = [](double celsius) {
        return lossPerMetre(celsius) * (celsius >= kJump ? 1.01 : 1);
    };
    const Outlet whole = integrate(main.inlet, main.pipe, jumping, kJump);
    EXPECT_LT(whole.kelvin - kKelvin, kJump - 2);
    Pipe tenth = main.pipe;
    tenth.length /= 10;
    Steam steam = main.inlet;
    for (int i = 0; i < 10; ++i)
        steam = integrate(steam, tenth, jumping, kJump).steam;
    EXPECT_NEAR(steam.mpa, whole.steam.mpa, 1e-8 * whole.steam.mpa);
    EXPECT_NEAR(steam.flow, whole.steam.flow, 1e-8 * whole.steam.flow);
}

// 60 m of D108 at 0.3 t/h, a few kelvin superheated, the loss jumping 1 K or 3 K above the
// saturation line: a step passes the jump and the line together. Cut at the line first, the
// warmer side's loss would run on from the jump to the line, moving the outlet's flow by parts in
// 1e5 against the same pipe cut into ten. Both ends alike to 1e-8.
TEST(HeatLine, AJumpJustAboveTheLineIsCutBeforeIt) {
    constexpr double kMpa = 1.0166;
    const double saturationC = if97::saturationTemperature(kMpa) - kKelvin;
    for (const double aboveLine : {1.0, 3.0}) {
        const double jumpC = saturationC + aboveLine;
        const LossPerMetre jumping = [&](double celsius) {
            return lossPerMetre(celsius) * (celsius >= jumpC ? 1.01 : 1);
        };
        const Steam inlet{kMpa, if97::region2(kMpa, saturationC + 4 + kKelvin).enthalpy, 0.3 / 3.6};
        const Pipe pipe{.length = 60, .localLoss = 0.3, .roughness = 0.0002, .bore = 0.1};
        const Outlet whole = integrate(inlet, pipe, jumping, jumpC);
        ASSERT_TRUE(whole.condensing) << aboveLine;
        Pipe tenth = pipe;
        tenth.length /= 10;
        Steam steam = inlet;
        for (int i = 0; i < 10; ++i)
            steam = integrate(steam, tenth, jumping, jumpC).steam;
        EXPECT_NEAR(steam.mpa, whole.steam.mpa, 1e-8 * whole.steam.mpa) << aboveLine;
        EXPECT_NEAR(steam.flow, whole.steam.flow, 1e-8 * whole.steam.flow) << aboveLine;
    }
}

// Steam 15 K superheated at 0.8 MPa(a) on the saturated main cools to saturation some 750 m in
// and condenses from there. The crossing is found here by bisection on the length of a first
// pipe whose outlet just reaches h″; the whole pipe must end as that pipe and the rest of the
// main after it do, which a step over the kink would miss by far more than the tolerance.
TEST(HeatLine, SteamReachingSaturationMidwayChangesThereAndConservesEnergy) {
    const Main main = mains()[1];
    const double mpa = main.inlet.mpa;
    const Steam inlet{mpa, if97::region2(mpa, if97::saturationTemperature(mpa) + 15).enthalpy,
                      main.inlet.flow};
    const Outlet whole = integrate(inlet, main.pipe, lossPerMetre);
    EXPECT_TRUE(whole.condensing);
    EXPECT_TRUE(whole.saturatedOut);
    EXPECT_FALSE(whole.exhausted || whole.outside);

    double low = 0, high = main.pipe.length; // superheated at low's outlet, not at high's
    Pipe first = main.pipe;
    for (int i = 0; i < 60 && high - low > 1e-9; ++i) {
        first.length = 0.5 * (low + high);
        const Steam out = integrate(inlet, first, lossPerMetre).steam;
        (out.enthalpy > vapourEnthalpy(out.mpa) ? low : high) = first.length;
    }
    first.length = high;
    const Outlet before = integrate(inlet, first, lossPerMetre);
    Pipe rest = main.pipe;
    rest.length -= first.length;
    const Outlet after = integrate(before.steam, rest, lossPerMetre);
    EXPECT_GT(first.length, 300);
    EXPECT_LT(first.length, 1500);
    EXPECT_NEAR(whole.steam.mpa, after.steam.mpa, 1e-9 * mpa);
    EXPECT_NEAR(whole.steam.enthalpy, after.steam.enthalpy, 1e-9 * inlet.enthalpy);
    EXPECT_NEAR(whole.steam.flow, after.steam.flow, 1e-9 * inlet.flow);
    EXPECT_NEAR(whole.heatLoss, before.heatLoss + after.heatLoss, 1e-9 * inlet.flow * 3000);
    // The crossing is a point of the profile.
    bool found = false;
    for (const auto& point : whole.points)
        found = found || std::abs(point.x - first.length) < 1e-6;
    EXPECT_TRUE(found);

    // Energy: what comes in leaves as steam, as condensate or as heat; and the condensate
    // carries the liquid's enthalpy at a pressure between the crossing's and the outlet's.
    EXPECT_NEAR(energyImbalance(inlet, whole), 0, 1e-9);
    const double drained = inlet.flow - whole.steam.flow;
    EXPECT_NEAR(whole.condensate, drained * 3600, 1e-12 * inlet.flow * 3600);
    EXPECT_GT(whole.drainHeat, drained * if97::saturatedWater(whole.steam.mpa)->enthalpy);
    EXPECT_LT(whole.drainHeat, drained * if97::saturatedWater(before.steam.mpa)->enthalpy);
}

// dh″/dp against Richardson's extrapolation of central differences at p/50, p/100 and p/200,
// accurate to about 1e-10 of itself. Held to 1e-9 of h″/p: the slope times the pressure's fall
// over h″ - h′ is the share of the flow it condenses, and h″/(h″ - h′) is below 3 up to 16 MPa,
// so over a fall of a tenth of the pressure that error moves the flow by 3e-10 of itself at
// most.
TEST(HeatLine, SaturatedEnthalpySlopeMatchesAnExtrapolatedDifference) {
    for (const double mpa : {0.001, 0.01, 0.1, 0.5, 1.0, 3.0, 10.0, 16.0}) {
        SCOPED_TRACE(mpa);
        const auto central = [&](double d) {
            return (vapourEnthalpy(mpa + d) - vapourEnthalpy(mpa - d)) / (2 * d);
        };
        const double d = mpa / 50;
        const double a = central(d), b = central(d / 2), c = central(d / 4);
        const double fourth1 = (4 * b - a) / 3, fourth2 = (4 * c - b) / 3;
        const double sixth = (16 * fourth2 - fourth1) / 15;
        EXPECT_NEAR(network::heat_line::saturatedEnthalpySlope(mpa), sixth,
                    1e-9 * vapourEnthalpy(mpa) / mpa);
    }
}

// Where the steam leaves what the integration covers. 30 t/h through a 100 mm bore from
// 0.3 MPa(a): ∫ρ dp down to nothing is about ρ p / 2 = 2.4e5 Pa·kg/m³, and the friction spends
// 0.00688 · 0.0002^0.25 · 30² / 0.1^5.25 = 1.3e5 of it a metre, so the pressure is gone within
// some two metres. Steam 1 K above region 2's boundary to region 3 at 20 MPa(a) (377.6 ℃) loses
// 263.4 W/m at 30 t/h, 0.0316 kJ/kg a metre, and lies 11.6 kJ/kg above the boundary's enthalpy
// at the outlet's pressure after 200 m, 12.0 after 1000 m: 6.3 kJ/kg lost leaves it inside,
// 31.6 takes it out.
TEST(HeatLine, PressureRunningOutAndLeavingRegionTwoAreSaid) {
    struct Row {
        std::string name;
        Steam inlet;
        Pipe pipe;
        bool exhausted, outside;
    };
    const double dense = if97::region2(20, if97::b23Temperature(20) + 1).enthalpy;
    const std::vector<Row> rows{
        {"a bore far too small",
         {0.3, vapourEnthalpy(0.3) + 20, 30 / 3.6},
         {1000, 0, 0.0002, 0.1},
         true,
         false},
        {"dense steam, 200 m", {20, dense, 30 / 3.6}, {200, 0, 0.0002, 0.15}, false, false},
        {"dense steam, 1000 m", {20, dense, 30 / 3.6}, {1000, 0, 0.0002, 0.15}, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Outlet out = integrate(row.inlet, row.pipe, lossPerMetre);
        EXPECT_EQ(out.exhausted, row.exhausted);
        EXPECT_EQ(out.outside, row.outside);
        if (row.exhausted) {
            EXPECT_LT(out.points.back().x, 5);
        }
    }
}

} // namespace
