#pragma once

#include "calc/state.h"

#include <string>
#include <string_view>

namespace calc {

// The unit each result field shows after its number, spelled here only.
struct ResultUnits {
    std::string_view velocity;
    std::string_view specificLoss;
    std::string_view density;
    std::string_view flow;
    std::string_view length; // roughness and inner diameter
};
inline constexpr ResultUnits kResultUnits{
    .velocity = " m/s",
    .specificLoss = " Pa/m",
    .density = " kg/m3",
    .flow = " t/h",
    .length = " mm",
};

// A result field's text: the number text and its unit, or the out-of-range text for a value
// that is not finite, so that no field ever shows "inf" or "nan".
std::string fieldText(float value, std::string_view unit);
// A wide result as its field shows it once stored at 32 bits: the one shown form of a figure
// that was computed in doubles.
std::string storedText(double wide, std::string_view unit = {});
// The same for a length in m shown in mm: the product is rounded to 32 bits first.
std::string millimetreText(float metres);

// The two results for the state's flow, roughness, bore and density, rounded to their stored
// widths. The density must be positive.
struct FlowResults {
    float specificLoss; // Pa/m
    float velocity;     // m/s
};
FlowResults flowResults(const CalcState& state);

} // namespace calc
