#pragma once

#include <array>
#include <string>
#include <string_view>

namespace steam {

struct PressureUnit {
    std::string_view label;
    double megapascals; // one unit in MPa
    bool gauge;         // read above the standard atmosphere
};

// The pressure units of the property window, in the order the list shows them.
inline constexpr std::array<PressureUnit, 5> kPressureUnits{{
    {"MPa(表压)", 1.0, true},
    {"MPa(绝压)", 1.0, false},
    {"bar(表压)", 0.1, true},
    {"bar(绝压)", 0.1, false},
    {"kgf/cm²(表压)", 0.0980665, true},
}};

// The standard atmosphere, added to a gauge reading.
inline constexpr double kAtmosphereMpa = 0.101325;

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
