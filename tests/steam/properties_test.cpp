#include "steam/properties.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using steam::propertyReport;

// Expected figures are an independent implementation of the same standard, rounded to the
// seven digits the window shows.
struct SteamCase {
    const char* name;
    double absoluteMpa;
    bool superheated;
    double celsius;
    const char* saturation;
    const char* state;
    const char* density;
    const char* volume;
    const char* enthalpy;
};

const SteamCase kSteam[] = {
    {"OneMegapascalGaugeSaturated", 1.101325, false, 0, " 184.1231 ℃", "饱和蒸汽", " 5.642335",
     " 0.1772316 m3/kg", " 2780.711 kJ/kg"},
    {"OneMegapascalGaugeAt250", 1.101325, true, 250, " 184.1231 ℃", "过热蒸汽，过热度 65.9 ℃",
     " 4.751176", " 0.2104742 m3/kg", " 2939.431 kJ/kg"},
    {"LowPressureSaturated", 0.005, false, 0, " 32.87549 ℃", "饱和蒸汽", " 0.03547822",
     " 28.1863 m3/kg", " 2560.765 kJ/kg"},
    {"SaturatedNearCriticalPoint", 21, false, 0, " 369.8273 ℃", "饱和蒸汽", " 200.494",
     " 0.004987681 m3/kg", " 2337.543 kJ/kg"},
    {"SupercriticalNearTheCriticalTemperature", 25, true, 390, "高于临界压力，无饱和温度", "超临界",
     " 215.1893", " 0.00464707 m3/kg", " 2395.53 kJ/kg"},
    {"HighestPressureAndTemperature", 100, true, 800, "高于临界压力，无饱和温度", "超临界",
     " 230.6535", " 0.004335508 m3/kg", " 3715.189 kJ/kg"},
};

TEST(PropertyReport, ShowsSteamToSevenDigits) {
    for (const SteamCase& c : kSteam) {
        SCOPED_TRACE(c.name);
        const steam::PropertyReport r = propertyReport(c.absoluteMpa, c.superheated, c.celsius);
        EXPECT_FALSE(r.fault);
        EXPECT_EQ(r.saturation, c.saturation);
        EXPECT_EQ(r.state, c.state);
        EXPECT_EQ(r.density, c.density);
        EXPECT_EQ(r.volume, c.volume);
        EXPECT_EQ(r.enthalpy, c.enthalpy);
    }
}

struct FaultCase {
    const char* name;
    double absoluteMpa;
    bool superheated;
    double celsius;
    const char* state;
};

const FaultCase kFaults[] = {
    {"ZeroAbsolute", 0, false, 0, "压力（绝压）须大于 0"},
    {"VacuumBelowZero", -0.2, true, 250, "压力（绝压）须大于 0"},
    {"NotANumber", std::nan(""), false, 0, "压力（绝压）须大于 0"},
    {"AboveHundredMegapascals", 100.5, true, 500, "压力高于 100 MPa（绝压），超出计算范围"},
    {"SaturatedAboveCriticalPressure", 22.1, false, 0,
     "饱和蒸汽的压力须在 611.213 Pa～22.064 MPa（绝压）之间"},
    {"SaturatedBelowTriplePoint", 0.0006, false, 0,
     "饱和蒸汽的压力须在 611.213 Pa～22.064 MPa（绝压）之间"},
    // Named to the saturation field's digits: "184.1 ℃" told 184.12 ℃ it was below 184.1 ℃.
    {"WaterJustBelowSaturation", 1.101325, true, 184.12,
     "温度低于该压力下的饱和温度 184.1231 ℃，是水，不是蒸汽"},
    // 647.096 K, the critical temperature, is 373.946 ℃; "373.9 ℃" contradicted 373.94 ℃.
    {"WaterJustBelowTheCriticalTemperature", 30, true, 373.94,
     "超临界压力下温度低于临界温度 373.946 ℃，是水，不是蒸汽"},
    {"AboveEightHundredDegrees", 1, true, 800.5, "温度须在 0～800 ℃ 之间"},
    {"BelowZeroDegrees", 0.0005, true, -1, "温度须在 0～800 ℃ 之间"},
};

TEST(PropertyReport, SaysInPlaceWhyAStateHasNoSteamDensity) {
    for (const FaultCase& c : kFaults) {
        SCOPED_TRACE(c.name);
        const steam::PropertyReport r = propertyReport(c.absoluteMpa, c.superheated, c.celsius);
        EXPECT_TRUE(r.fault);
        EXPECT_EQ(r.state, c.state);
        EXPECT_EQ(r.density, "");
        EXPECT_EQ(r.volume, "");
        EXPECT_EQ(r.enthalpy, "");
    }
}

// The saturation line starts at 273.15 K, where the formulation sets its pressure to 611.213 Pa:
// that is 0 ℃, not the triple point (611.657 Pa, 0.01 ℃), and never "7.26183E-06 ℃".
TEST(PropertyReport, SaturationFieldAtTheLowerEndOfTheLine) {
    EXPECT_EQ(propertyReport(611.213e-6, false, 0).saturation, " 0 ℃");
    EXPECT_EQ(propertyReport(611e-6, true, 20).saturation,
              "低于 0 ℃ 的饱和压力 611.213 Pa，无饱和温度");
}

// Each unit of the list worked by hand: gauge readings above 0.101325 MPa, a bar 0.1 MPa, a
// kgf/cm² 0.0980665 MPa; the unit mistaken for its neighbour in the list changes every row.
TEST(PressureUnit, EachReadsAsItsAbsolutePressureAndBack) {
    const struct {
        steam::PressureUnit unit;
        double reading;
        double absoluteMpa;
    } rows[] = {
        {steam::kMPaGauge, 1.0, 1.101325},  {steam::kMPaAbsolute, 1.0, 1.0},
        {steam::kBarGauge, 10.0, 1.101325}, {steam::kBarAbsolute, 10.0, 1.0},
        {steam::kKgfGauge, 10.0, 1.08199},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.unit.key);
        EXPECT_DOUBLE_EQ(row.unit.absoluteMpa(row.reading), row.absoluteMpa);
        EXPECT_DOUBLE_EQ(row.unit.reading(row.absoluteMpa), row.reading);
    }
}

} // namespace
