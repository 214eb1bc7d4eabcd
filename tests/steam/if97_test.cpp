#include "steam/if97.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

namespace if97 = steam::if97;

// The release prints nine significant digits: a value is right when it rounds to them.
void expectPrinted(double actual, double printed, const char* what) {
    const double halfUnit = 0.5 * std::pow(10.0, std::floor(std::log10(std::abs(printed))) - 8);
    EXPECT_NEAR(actual, printed, halfUnit) << what;
}

TEST(If97, SaturationLineAndB23MatchTheRelease) {
    expectPrinted(if97::saturationPressure(300.0), 0.353658941e-2, "p_s(300 K)");
    expectPrinted(if97::saturationPressure(500.0), 0.263889776e1, "p_s(500 K)");
    expectPrinted(if97::saturationPressure(600.0), 0.123443146e2, "p_s(600 K)");
    expectPrinted(if97::saturationTemperature(0.1), 0.372755919e3, "T_s(0.1 MPa)");
    expectPrinted(if97::saturationTemperature(1.0), 0.453035632e3, "T_s(1 MPa)");
    expectPrinted(if97::saturationTemperature(10.0), 0.584149488e3, "T_s(10 MPa)");
    expectPrinted(if97::b23Pressure(623.15), 0.165291643e2, "B23 p(623.15 K)");
    expectPrinted(if97::b23Temperature(0.165291643e2), 0.62315e3, "B23 T(16.5291643 MPa)");
}

TEST(If97, RegionEquationsMatchTheRelease) {
    struct Row {
        double mpa, kelvin, volume, enthalpy, entropy;
    };
    for (const Row& r : {Row{0.0035, 300.0, 0.394913866e2, 0.254991145e4, 0.852238967e1},
                         Row{0.0035, 700.0, 0.923015898e2, 0.333568375e4, 0.101749996e2},
                         Row{30.0, 700.0, 0.542946619e-2, 0.263149474e4, 0.517540298e1}}) {
        const if97::SteamProperties s = if97::region2(r.mpa, r.kelvin);
        expectPrinted(s.specificVolume, r.volume, "region 2 v");
        expectPrinted(s.enthalpy, r.enthalpy, "region 2 h");
        expectPrinted(s.entropy, r.entropy, "region 2 s");
    }
    for (const Row& r : {Row{3.0, 300.0, 0.100215168e-2, 0.115331273e3, 0.392294792},
                         Row{80.0, 300.0, 0.971180894e-3, 0.184142828e3, 0.368563852},
                         Row{3.0, 500.0, 0.120241800e-2, 0.975542239e3, 0.258041912e1}}) {
        const if97::SteamProperties w = if97::region1(r.mpa, r.kelvin);
        expectPrinted(w.specificVolume, r.volume, "region 1 v");
        expectPrinted(w.enthalpy, r.enthalpy, "region 1 h");
        expectPrinted(w.entropy, r.entropy, "region 1 s");
    }
    struct Row3 {
        double density, kelvin, mpa, enthalpy, entropy;
    };
    for (const Row3& r : {Row3{500.0, 650.0, 0.255837018e2, 0.186343019e4, 0.405427273e1},
                          Row3{200.0, 650.0, 0.222930643e2, 0.237512401e4, 0.485438792e1},
                          Row3{500.0, 750.0, 0.783095639e2, 0.225868845e4, 0.446971906e1}}) {
        expectPrinted(if97::region3Pressure(r.density, r.kelvin), r.mpa, "region 3 p");
        expectPrinted(if97::region3(r.density, r.kelvin).enthalpy, r.enthalpy, "region 3 h");
        expectPrinted(if97::region3(r.density, r.kelvin).entropy, r.entropy, "region 3 s");
        // Back from the printed pressure, whose rounding moves ρ by at most 4e-6 kg/m³ here;
        // the wrong root of p(ρ) = p would be off by a hundred.
        const if97::SteamState back = if97::steamAt(r.mpa, r.kelvin);
        EXPECT_EQ(back.phase, if97::Phase::Steam);
        EXPECT_NEAR(back.properties.density, r.density, 5e-6) << r.mpa << " MPa " << r.kelvin;
    }
}

// Densities of steam the release prints none for, from an independent IF97 implementation,
// nine digits. Near 16.53 MPa the saturated vapour crosses from region 2 into region 3 and must
// stay on the vapour root; 25 MPa at 640 K is above the critical pressure and below the
// critical temperature, where the only root is the liquid-like one.
TEST(If97, VapourRootAgreesWithAnIndependentImplementation) {
    struct Row {
        double mpa, kelvin, density;
    }; // kelvin 0: saturated
    for (const Row& r :
         {Row{1.0, 0.0, 5.14538585}, Row{16.529, 0.0, 113.622346}, Row{16.53, 0.0, 113.622809},
          Row{20.0, 0.0, 170.698659}, Row{22.0, 0.0, 279.593427}, Row{20.0, 640.0, 160.577887},
          Row{25.0, 640.0, 557.945407}}) {
        const double density = r.kelvin == 0.0 ? if97::saturatedSteam(r.mpa)->density
                                               : if97::steamAt(r.mpa, r.kelvin).properties.density;
        expectPrinted(density, r.density, "density");
    }
    // At exactly T_s(p) the state is the saturated vapour, not water.
    expectPrinted(if97::steamAt(20.0, if97::saturationTemperature(20.0)).properties.density,
                  170.698659, "steam at T_s(20 MPa)");
    // The saturation line ends at the critical point itself.
    EXPECT_EQ(if97::saturatedSteam(if97::kCriticalPressure)->density, if97::kCriticalDensity);
    EXPECT_FALSE(if97::saturatedSteam(611.2e-6).has_value());
    EXPECT_FALSE(if97::saturatedSteam(22.0641).has_value());
}

// The condensate's enthalpy h′ at 1 MPa: 762.68 kJ/kg in IF97 steam tables, 762.682844 kJ/kg
// and 887.127452 kg/m³ from an independent IF97 implementation. Region 1 ends at 623.15 K, where
// the line is at 16.5291643 MPa (the release's B23 value), so past that there is none.
TEST(If97, SaturatedWaterIsRegion1OnTheLine) {
    const if97::SteamProperties water = *if97::saturatedWater(1.0);
    EXPECT_NEAR(water.enthalpy, 762.68, 0.005);
    expectPrinted(water.enthalpy, 762.682844, "h′(1 MPa)");
    expectPrinted(water.density, 887.127452, "ρ′(1 MPa)");
    EXPECT_TRUE(if97::saturatedWater(16.529).has_value());
    EXPECT_FALSE(if97::saturatedWater(16.5292).has_value());
    EXPECT_FALSE(if97::saturatedWater(611.2e-6).has_value());
}

// Back from the release's region-2 enthalpies (Table 15) to their temperatures. A printed h is
// off by up to half a unit of its ninth digit, which moves T by that over c_p (Table 15's c_p):
// 2.6e-6, 2.4e-6 and 4.8e-7 K. 300 K at 3.5 kPa is 0.18 K above saturation and 700 K at 30 MPa
// 1.85 K above the boundary to region 3, the low ends given. The saturated vapour at 1 MPa,
// h″ = 2777.11953768466 kJ/kg from an independent IF97 implementation, lies at the release's
// T_s(1 MPa) = 453.035632 K: from below, and from T_s itself, the bracket's low end.
TEST(If97, Region2TemperatureInvertsTheEnthalpy) {
    struct Row {
        double mpa, enthalpy, lowKelvin, kelvin, tolerance;
    };
    const double hSaturated = 2777.11953768466;
    for (const Row& r : {
             Row{0.0035, 0.254991145e4, if97::saturationTemperature(0.0035), 300.0,
                 5e-6 / 1.91300162},
             Row{0.0035, 0.333568375e4, if97::saturationTemperature(0.0035), 700.0,
                 5e-6 / 2.08141274},
             Row{30.0, 0.263149474e4, if97::b23Temperature(30.0), 700.0, 5e-6 / 10.3505092},
             Row{1.0, hSaturated, 440.0, 453.035632, 5e-7},
             Row{1.0, hSaturated, if97::saturationTemperature(1.0), 453.035632, 5e-7},
             // Above region 2's enthalpy at 1073.15 K the answer stays at the range's end.
             Row{1.0, 5000.0, 500.0, 1073.15, 1e-9},
         }) {
        EXPECT_NEAR(if97::region2Temperature(r.mpa, r.enthalpy, r.lowKelvin), r.kelvin, r.tolerance)
            << r.mpa << " MPa " << r.enthalpy << " kJ/kg";
    }
}

// The iteration must not stop short: across region 2, from saturation or the boundary to
// region 3 up to 1073.15 K, the temperature found gives back the enthalpy to rounding (the sum
// of region 2's terms itself is good to a few units in the last place, ~1e-15 relative).
TEST(If97, Region2TemperatureIsSolvedToRounding) {
    for (const double mpa : {0.001, 0.01, 0.1, 1.0, 4.0, 10.0, 16.5, 22.0, 50.0, 100.0}) {
        const double low =
            mpa <= 16.5 ? if97::saturationTemperature(mpa) : if97::b23Temperature(mpa);
        for (double kelvin = low; kelvin < 1073.15; kelvin += 7.0) {
            const double enthalpy = if97::region2(mpa, kelvin).enthalpy;
            const double found = if97::region2Temperature(mpa, enthalpy, low);
            EXPECT_NEAR(if97::region2(mpa, found).enthalpy, enthalpy, 4e-15 * enthalpy)
                << mpa << " MPa " << kelvin << " K";
            EXPECT_NEAR(found, kelvin, 1e-11) << mpa << " MPa " << kelvin << " K";
        }
    }
}

TEST(If97, TellsWaterAndTheRangeApartFromSteam) {
    using enum if97::Phase;
    struct Row {
        double mpa, kelvin;
        if97::Phase phase;
    };
    for (const Row& r :
         {Row{1.0, 453.03, Water}, Row{1.0, 453.04, Steam}, // T_s 453.035632 K
          Row{20.0, 638.0, Water}, Row{20.0, 639.0, Steam}, // T_s 638.9 K
          Row{25.0, 623.15, Water}, Row{25.0, 623.16, Steam}, Row{100.0, 1073.15, Steam},
          Row{0.0, 500.0, OutOfRange}, Row{100.001, 900.0, OutOfRange},
          Row{1.0, 1073.16, OutOfRange}, Row{0.0005, 273.14, OutOfRange}}) {
        EXPECT_EQ(if97::steamAt(r.mpa, r.kelvin).phase, r.phase) << r.mpa << " MPa " << r.kelvin;
    }
}

} // namespace
