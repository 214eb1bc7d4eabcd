#include "steam/if97_fast.h"

#include "steam/if97.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

namespace if97 = steam::if97;
namespace fast = steam::if97::fast;

// Pressures spread evenly in their logarithm from `low` to `high`, both ends included.
std::vector<double> pressures(double low, double high, int count) {
    std::vector<double> out;
    for (int k = 0; k < count; ++k)
        out.push_back(std::min(high, low * std::exp(std::log(high / low) * k / (count - 1))));
    return out;
}

// Region 2's temperatures at p from its low end (saturation, or the boundary to region 3 above
// 16.5 MPa) to 1073.15 K.
double region2Low(double mpa) {
    return mpa <= 16.5 ? if97::saturationTemperature(mpa) : if97::b23Temperature(mpa);
}

// f′(x) by Richardson's extrapolation of central differences at steps d, d/2 and d/4: of sixth
// order, some 1e-10 of itself for the smooth functions here and steps of a few hundredths of x,
// but for the rounding of f over 2d, which the extrapolation raises some fourfold.
double slope(const std::function<double(double)>& f, double x, double d) {
    const auto central = [&](double step) { return (f(x + step) - f(x - step)) / (2 * step); };
    const double a = central(d), b = central(d / 2), c = central(d / 4);
    return (16 * (4 * c - b) / 3 - (4 * b - a) / 3) / 15;
}

// T_s to the bit of if97::saturationTemperature, whose p^¼ is calc::elementary::pow's correctly
// rounded one: √√p alone differs from it at about one pressure in eight. Its slope against the
// extrapolated difference of if97's own T_s. The rough T_s, from √√p, within 1e-14 of it
// up to 350 ℃, where region 2 leaves the line.
TEST(If97Fast, SaturationIsIf97sToTheBitWithItsSlope) {
    for (const double mpa : pressures(if97::kLowestSaturationPressure, 22.064, 100001)) {
        const fast::Saturation line = fast::saturation(mpa);
        ASSERT_EQ(line.kelvin, if97::saturationTemperature(mpa)) << mpa << " MPa";
        if (mpa <= 16.5) {
            ASSERT_NEAR(fast::saturationRoughly(mpa), line.kelvin, 1e-14 * line.kelvin) << mpa;
        }
    }
    for (const double mpa : pressures(0.001, 21.0, 40)) {
        const double expected = slope(if97::saturationTemperature, mpa, mpa / 400);
        EXPECT_NEAR(fast::saturation(mpa).slope, expected, 1e-9 * expected) << mpa << " MPa";
    }
}

// The running products against if97::region2's correctly rounded powers across region 2: ρ and
// h to a few units in the last place. c_p against the release's Table 15 to its nine digits, and
// both slopes of h against extrapolated differences of if97::region2's enthalpy.
TEST(If97Fast, Region2AgreesWithIf97AndTheRelease) {
    for (const double mpa : pressures(0.0007, 100, 25)) {
        for (double kelvin = region2Low(mpa); kelvin < 1073.15; kelvin += 3.7) {
            const if97::SteamProperties exact = if97::region2(mpa, kelvin);
            const fast::Vapour vapour = fast::region2(mpa, kelvin);
            ASSERT_NEAR(vapour.density, exact.density, 1e-15 * exact.density)
                << mpa << " MPa " << kelvin << " K";
            ASSERT_NEAR(vapour.enthalpy, exact.enthalpy, 1e-15 * exact.enthalpy)
                << mpa << " MPa " << kelvin << " K";
        }
    }
    struct Row {
        double mpa, kelvin, heatCapacity;
    };
    for (const Row& r : {Row{0.0035, 300.0, 0.191300162e1}, Row{0.0035, 700.0, 0.208141274e1},
                         Row{30.0, 700.0, 0.103505092e2}}) {
        const double halfUnit = 0.5e-8 * std::pow(10.0, std::floor(std::log10(r.heatCapacity)));
        EXPECT_NEAR(fast::region2(r.mpa, r.kelvin).heatCapacity, r.heatCapacity, halfUnit);
    }
    for (const double mpa : {0.001, 0.1, 1.0, 10.0, 16.5, 30.0, 100.0}) {
        for (double kelvin = region2Low(mpa) + 5; kelvin < 1060; kelvin += 53) {
            const fast::Vapour vapour = fast::region2(mpa, kelvin);
            // h's last bit, 4.5e-13 kJ/kg at 3000, over the steps 1 K and p/200, times the
            // extrapolation's weights: some sixteen bits a step.
            const double rounding = 16 * 4.5e-13 * vapour.enthalpy / 3000;
            const double byT =
                slope([&](double t) { return if97::region2(mpa, t).enthalpy; }, kelvin, 1.0);
            const double byP =
                slope([&](double p) { return if97::region2(p, kelvin).enthalpy; }, mpa, mpa / 200);
            EXPECT_NEAR(vapour.heatCapacity, byT, 1e-9 * byT + rounding)
                << mpa << " MPa " << kelvin << " K";
            EXPECT_NEAR(vapour.pressureSlope, byP, 1e-9 * std::abs(byP) + rounding * 200 / mpa)
                << mpa << " MPa " << kelvin << " K";
        }
    }
}

// Region 1's enthalpy against if97::region1 over region 1 (p_s(T) or more, up to 623.15 K):
// 5e-13 kJ/kg apart but near 623.15 K at 16.5 MPa, where its large terms cancel and both sums
// round to some 2e-14 of h; and at the release's Table 5, to its nine digits.
TEST(If97Fast, Region1EnthalpyAgreesWithIf97AndTheRelease) {
    for (const double mpa : pressures(0.001, 100, 20)) {
        for (double kelvin = 273.15; kelvin <= 623.15; kelvin += 1.9) {
            if (mpa < if97::saturationPressure(kelvin))
                continue;
            const double exact = if97::region1(mpa, kelvin).enthalpy;
            ASSERT_NEAR(fast::region1Enthalpy(mpa, kelvin), exact, 5e-11)
                << mpa << " MPa " << kelvin << " K";
        }
    }
    EXPECT_NEAR(fast::region1Enthalpy(3.0, 300.0), 0.115331273e3, 0.5e-6);
    EXPECT_NEAR(fast::region1Enthalpy(80.0, 300.0), 0.184142828e3, 0.5e-6);
    EXPECT_NEAR(fast::region1Enthalpy(3.0, 500.0), 0.975542239e3, 0.5e-6);
}

// Back from region 2's enthalpy to its temperature from guesses on either side and from the low
// end: the temperature if97::region2Temperature finds, and the density at it, each to rounding.
// From below the saturation line the answer stays at the low end, and its enthalpy says so.
TEST(If97Fast, Region2AtEnthalpyFindsTheTemperatureFromAGuess) {
    for (const double mpa : {0.001, 0.01, 0.1, 1.0, 4.0, 10.0, 16.5, 22.0, 50.0, 100.0}) {
        const double low = region2Low(mpa);
        for (double kelvin = low; kelvin < 1073.15; kelvin += 7.0) {
            const double enthalpy = if97::region2(mpa, kelvin).enthalpy;
            const double expected = if97::region2Temperature(mpa, enthalpy, low);
            for (const double guess : {low, kelvin - 20, kelvin + 0.1, kelvin + 20}) {
                const fast::Superheated found = fast::region2AtEnthalpy(mpa, enthalpy, low, guess);
                ASSERT_NEAR(found.kelvin, expected, 1e-11) << mpa << " " << kelvin << " " << guess;
                const double density = if97::region2(mpa, found.kelvin).density;
                ASSERT_NEAR(found.vapour.density, density, 4e-15 * density)
                    << mpa << " MPa " << kelvin << " K from " << guess;
                ASSERT_NEAR(found.vapour.enthalpy, enthalpy, 4e-15 * enthalpy);
            }
        }
    }
    const double below = if97::region2(1.0, 440).enthalpy; // T_s(1 MPa) = 453.035632 K
    const fast::Superheated stuck =
        fast::region2AtEnthalpy(1.0, below, if97::saturationTemperature(1.0), 460);
    EXPECT_NEAR(stuck.kelvin, if97::saturationTemperature(1.0), 1e-9);
    EXPECT_GT(stuck.vapour.enthalpy - below, 20);
}

} // namespace
