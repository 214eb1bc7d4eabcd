#include "network/heat_loss.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

// The insulation standard's formulas against figures worked apart from the program: by hand,
// from the standard's tables, and from the balance written out here
// with the C library's pow and solved by plain bisection.
namespace {

namespace heat = network::heat;
using heat::Laying;
using heat::Material;
using heat::Operation;

TEST(HeatLoss, ConductivityIsAppendixAsFormulaAtEachMaterialsPoints) {
    struct Row {
        heat::Insulation insulation;
        double meanC, expected; // worked by hand from Appendix A's formulas
    };
    const Row rows[] = {
        {Material::RockWool, 50, 0.04125},
        {Material::RockWool, 100, 0.0488},
        {Material::RockWool, 200, 0.06904},
        {Material::GlassWool, 170, 0.058},
        {Material::CompositeSilicate, 270, 0.073},
        {Material::CalciumSilicate, 100, 0.0581815},
        {0.06, 300, 0.06},
    };
    for (const Row& row : rows) // a few roundings of the formula: within 1e-15
        EXPECT_NEAR(heat::conductivity(row.insulation, row.meanC), row.expected,
                    1e-15 * row.expected)
            << row.insulation.index() << " at " << row.meanC;
}

TEST(HeatLoss, AllowedLossIsAppendixBLinearBetweenItsPointsAndNoneOutside) {
    const std::vector<double> yearRound{52,  84,  104, 126, 147, 167, 188, 204, 220,
                                        236, 251, 266, 283, 297, 311, 324, 338};
    const std::vector<double> seasonal{104, 147, 183, 220, 251, 272};
    for (const auto& [operation, limits] :
         {std::pair{Operation::YearRound, yearRound}, std::pair{Operation::Seasonal, seasonal}}) {
        for (std::size_t i = 0; i < limits.size(); ++i)
            EXPECT_EQ(heat::allowedLossPerArea(50.0 + 50.0 * i, operation), limits[i]);
        const double last = 50.0 * limits.size();
        EXPECT_EQ(heat::allowedLossPerArea(last - 25, operation),
                  (limits[limits.size() - 2] + limits.back()) / 2);
        EXPECT_FALSE(heat::allowedLossPerArea(49.99, operation));
        EXPECT_FALSE(heat::allowedLossPerArea(last + 0.01, operation));
    }
}

// An engineering site's worked example: 250 ℃ steam, D0 = 0.219 m, 100 mm at λ = 0.06,
// αs = 11.63, air at 12.9 ℃. With λ and αs fixed the balance is linear in Ts:
//   Q = (T − ta)/(D1·ln(D1/D0)/(2λ) + 1/αs), D1 = 0.419 m
//   ln(0.419/0.219) = 0.6487991901056369; D1·ln/(2λ) = 2.265390505452182; 1/αs = 0.0859845227858985
//   Q = 237.1/2.351375028238081 = 100.8346168316938 W/m²; q = π·D1·Q = 132.7313611242502 W/m;
//   Ts = ta + Q/αs = 21.57021640857212 ℃ (worked to 30 digits, rounded here to 16).
// The page prints 100.63 and 132.4 as it rounds its intermediate figures: the insulation's term
// taken as 2.27 gives 100.64, and π as 3.14 gives 132.4. The 16 digits hold the program's
// figures to their last few bits.
TEST(HeatLoss, APublishedWorkedExampleByItsClosedForm) {
    const heat::Surroundings air{.ambient = 12.9, .surfaceCoefficient = 11.63};
    const heat::PipeLoss loss = heat::pipeLoss(250, 0.219, 0.1, 0.06, Laying::Overhead, air);
    EXPECT_NEAR(loss.perArea, 100.8346168316938, 1e-12);
    EXPECT_NEAR(loss.perMetre, 132.7313611242502, 1e-12);
    EXPECT_NEAR(loss.surface, 21.57021640857212, 1e-13);
}

// αs as the standard writes it, with the C library's pow.
double alphaS(const heat::Surroundings& air, Laying laying, double ts, double d) {
    const double ta = air.ambient, w = air.wind;
    const double radiation = 5.669 * air.emissivity / (ts - ta) *
                             (std::pow((273 + ts) / 100, 4) - std::pow((273 + ta) / 100, 4));
    if (laying == Laying::Indoor)
        return radiation + 26.4 / std::sqrt(297 + 0.5 * (ts + ta)) * std::pow((ts - ta) / d, 0.25);
    return radiation + (w * d <= 0.8 ? 0.08 / d + 4.2 * std::pow(w, 0.618) / std::pow(d, 0.382)
                                     : 4.53 * std::pow(w, 0.805) / std::pow(d, 0.195));
}

// The balance bisected in Ts between the air and the steam until no double lies between, with
// λ as proven above. The two agree within 1e-15 and round apart (the radiation here divides a
// difference of fourth powers, pow is the C library's): 1e-14 is held, far below what a wrong
// constant or an iteration stopped early would move.
TEST(HeatLoss, AComputedSurfaceCoefficientMeetsABisectedBalance) {
    struct Row {
        const char* name;
        double steamC, outer, thickness;
        Material material;
        Laying laying;
        heat::Surroundings air;
        double highestMeanC = 1e9; // the bisection's bracket kept to tm below this
    };
    // clang-format off
    const Row rows[] = {
        {"overhead, W·D1 > 0.8", 300, 0.325, 0.1, Material::RockWool, Laying::Overhead, {}},
        {"overhead, W·D1 ≤ 0.8", 200, 0.108, 0.05, Material::GlassWool, Laying::Overhead,
         {.ambient = -20, .wind = 1, .emissivity = 0.1}},
        {"no wind, emissivity 1", 400, 0.219, 0.08, Material::CalciumSilicate, Laying::Overhead,
         {.ambient = 35, .wind = 0, .emissivity = 1}},
        {"indoor", 180, 0.159, 0.06, Material::CompositeSilicate, Laying::Indoor, {.ambient = 20}},
        // Rock wool's step at tm = 100 ℃ leaves two roots here (tm 99.991 and 100.012, bisected
        // with each formula alone): the one in the first formula's range is taken.
        {"both sides of the step", 185.18, 0.325, 0.1, Material::RockWool, Laying::Overhead, {},
         100},
        {"bare, indoor", 150, 0.057, 0, Material::RockWool, Laying::Indoor, {.emissivity = 0.9}},
        {"thinner than a bit", 250, 0.219, 1e-300, Material::RockWool, Laying::Overhead, {}},
    };
    // clang-format on
    for (const Row& row : rows) {
        const double ta = row.air.ambient, t = row.steamC, d1 = row.outer + 2 * row.thickness;
        double low = ta, ts = t; // a bare pipe's surface is the steam's
        for (double high = std::min(t, 2 * row.highestMeanC - t); row.thickness > 0;) {
            ts = low + (high - low) / 2;
            if (ts <= low || ts >= high)
                break;
            const double conduction = (t - ts) * 2 *
                                      heat::conductivity(row.material, (t + ts) / 2) /
                                      (d1 * std::log(d1 / row.outer));
            (conduction > alphaS(row.air, row.laying, ts, d1) * (ts - ta) ? low : high) = ts;
        }
        const double perArea = alphaS(row.air, row.laying, ts, d1) * (ts - ta);
        const heat::PipeLoss loss =
            heat::pipeLoss(t, row.outer, row.thickness, row.material, row.laying, row.air);
        EXPECT_NEAR(loss.surface, ts, 1e-14 * t) << row.name;
        EXPECT_NEAR(loss.perArea, perArea, 1e-14 * perArea) << row.name;
        EXPECT_NEAR(loss.perMetre, std::numbers::pi * d1 * perArea, 1e-14 * loss.perMetre)
            << row.name;
    }
}

// No loss, the surface at the steam's temperature, where the steam is no warmer than the air;
// a rise of one bit loses a little, its surface between the two, and ends.
TEST(HeatLoss, SteamNoWarmerThanTheAirLosesNothing) {
    const heat::Surroundings air{.ambient = 20};
    for (const double steamC : {20.0, 15.0, std::nextafter(20.0, 21.0)}) {
        const heat::PipeLoss loss = heat::pipeLoss(steamC, 0.2, 0.05, 0.05, Laying::Indoor, air);
        EXPECT_EQ(loss.perMetre > 0, steamC > 20);
        EXPECT_LT(loss.perMetre, 1e-12);
        EXPECT_EQ(loss.perArea == 0, steamC <= 20);
        EXPECT_GE(loss.surface, std::min(steamC, 20.0));
        EXPECT_LE(loss.surface, steamC);
    }
}

} // namespace

namespace {

// Rock wool's step, where the balance's root leaves the first formula (tm ≤ 100 ℃): just below
// the temperature InsulatedPipe names the surface keeps tm at or under 100 ℃, from it on above,
// and the loss jumps there by about the two formulas' difference at 100 ℃ (0.0488 against
// 0.04924, some 1 %). A pipe whose loss is smooth names none.
TEST(HeatLoss, RockWoolsStepIsNamedWhereTheLossJumps) {
    const heat::Surroundings air{.ambient = 10};
    const heat::InsulatedPipe pipe(0.159, 0.03, Material::RockWool, Laying::Indoor, air);
    ASSERT_TRUE(pipe.stepC().has_value());
    const double step = *pipe.stepC();
    EXPECT_GT(step, 100);
    EXPECT_LT(step, 190);
    const double justBelow = std::nextafter(step, 0.0);
    const heat::PipeLoss low = pipe.at(justBelow), high = pipe.at(step);
    EXPECT_LE((justBelow + low.surface) / 2, 100);
    EXPECT_GT((step + high.surface) / 2, 100);
    EXPECT_GT(high.perMetre / low.perMetre, 1.003);
    EXPECT_LT(high.perMetre / low.perMetre, 1.02);
    // Away from the step the loss is smooth: a second difference at 0.01 K far below the jump.
    const double d2 = pipe.at(step - 0.02).perMetre - 2 * pipe.at(step - 0.01).perMetre +
                      pipe.at(justBelow).perMetre;
    EXPECT_LT(std::abs(d2), 1e-3 * (high.perMetre - low.perMetre));
    EXPECT_FALSE(heat::InsulatedPipe(0.159, 0.03, Material::GlassWool, Laying::Indoor, air)
                     .stepC()
                     .has_value());
    EXPECT_FALSE(
        heat::InsulatedPipe(0.159, 0, Material::RockWool, Laying::Indoor, air).stepC().has_value());
}

} // namespace
