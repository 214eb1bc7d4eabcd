#pragma once

#include <array>
#include <string>
#include <string_view>

namespace steam {

// The standard atmosphere, added to a gauge reading.
inline constexpr double kAtmosphereMpa = 0.101325;

struct PressureUnit {
    std::string_view label; // as the windows' lists show it
    std::string_view key;   // as a network file names it, in ASCII
    double megapascals;     // one unit in MPa
    bool gauge;             // read above the standard atmosphere

    // The absolute pressure in MPa of a reading in this unit, and back.
    constexpr double absoluteMpa(double reading) const {
        return reading * megapascals + (gauge ? kAtmosphereMpa : 0.0);
    }
    constexpr double reading(double absoluteMpa) const {
        return (absoluteMpa - (gauge ? kAtmosphereMpa : 0.0)) / megapascals;
    }
    bool operator==(const PressureUnit&) const = default;
};

// The pressure units of the property and network windows, in the order their lists show them.
inline constexpr std::array<PressureUnit, 5> kPressureUnits{{
    {"MPa(表压)", "MPa(g)", 1.0, true},
    {"MPa(绝压)", "MPa(a)", 1.0, false},
    {"bar(表压)", "bar(g)", 0.1, true},
    {"bar(绝压)", "bar(a)", 0.1, false},
    {"kgf/cm²(表压)", "kgf/cm2(g)", 0.0980665, true},
}};
inline constexpr const PressureUnit& kMPaGauge = kPressureUnits[0];
inline constexpr const PressureUnit& kMPaAbsolute = kPressureUnits[1];
inline constexpr const PressureUnit& kBarGauge = kPressureUnits[2];
inline constexpr const PressureUnit& kBarAbsolute = kPressureUnits[3];
inline constexpr const PressureUnit& kKgfGauge = kPressureUnits[4];

// What the property window shows for one state: each field's text, or the fault that stands in
// the state field in their place.
struct PropertyReport {
    std::string saturation;
    std::string state;
    bool fault = false;
    std::string density; // the number text alone, as it is handed to the main window
    std::string volume;
    std::string enthalpy;
};

// A report whose fault stands in the state field, under the saturation field's text.
PropertyReport propertyFault(std::string saturation, std::string why);

// Steam at an absolute pressure in MPa: saturated, or superheated at `celsius`.
PropertyReport propertyReport(double absoluteMpa, bool superheated, double celsius);

} // namespace steam
