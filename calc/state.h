#pragma once

namespace calc {

// The main window's one set of calculation values, in their stored widths and fixed units:
// lengths in m, flow in t/h, density in kg/m3. Every value is 0 until start-up assigns it.
struct CalcState {
    float flow = 0;                // t/h
    float roughness = 0;           // m
    float weldedDiameter = 0;      // m
    float innerDiameter = 0;       // m, the bore the formulas use
    float outerDiameter = 0;       // m
    float customDiameter = 0;      // m
    float wallThickness = 0;       // m
    double flowArea = 0;           // m2
    float velocity = 0;            // m/s
    float specificLoss = 0;        // Pa/m
    float density = 0;             // kg/m3
    float flowUnitFactor = 0;      // t/h per unit
    float roughnessUnitFactor = 0; // m per unit
};

// pi is taken as 3.14159, as the published formulas do.
inline constexpr double kAreaFactor = 3.14159 / 4.0;

// The bore and its cross-section always change together, the area from the stored 32-bit bore.
inline void setInnerDiameter(CalcState& state, float bore) {
    state.innerDiameter = bore;
    state.flowArea = kAreaFactor * static_cast<double>(state.innerDiameter) *
                     static_cast<double>(state.innerDiameter);
}

} // namespace calc
