#pragma once

#include <optional>

// Properties of steam by the IAPWS Industrial Formulation 1997 (revised release of 2007):
// the saturation line (region 4), steam from its Gibbs free energy (region 2), and dense steam
// near and above the critical point from the Helmholtz free energy (region 3), and water (region 1)
// where condensate drains. Units: MPa, K, kg/m³, m³/kg, kJ/kg, kJ/(kg·K).
namespace steam::if97 {

inline constexpr double kCriticalTemperature = 647.096; // K
inline constexpr double kCriticalPressure = 22.064;     // MPa
inline constexpr double kCriticalDensity = 322.0;       // kg/m³
// The saturation line's lower end, at 273.15 K; not the triple point (611.657 Pa at 273.16 K).
inline constexpr double kLowestSaturationPressure = 611.213e-6; // MPa

// The saturation line: pressure for 273.15 K ≤ T ≤ 647.096 K, temperature for
// 611.213 Pa ≤ p ≤ 22.064 MPa.
double saturationPressure(double kelvin);
double saturationTemperature(double mpa);

// The boundary between regions 2 and 3, from 623.15 K at 16.529 MPa to 863.15 K at 100 MPa.
double b23Pressure(double kelvin);
double b23Temperature(double mpa);

struct SteamProperties {
    double density;        // kg/m³
    double specificVolume; // m³/kg
    double enthalpy;       // kJ/kg
    double entropy;        // kJ/(kg·K)
};

enum class Phase {
    Steam,     // vapour, or a supercritical fluid outside region 1: properties are set
    Water,     // below the saturation temperature, or region 1 above the critical pressure
    OutOfRange // outside 273.15 K ≤ T ≤ 1073.15 K, 0 < p ≤ 100 MPa
};

struct SteamState {
    Phase phase;
    SteamProperties properties; // zero unless phase is Steam
};

// The fluid at p and T. At the saturation temperature itself it is the dry saturated vapour.
SteamState steamAt(double mpa, double kelvin);

// Dry saturated vapour at p; nothing outside 611.213 Pa ≤ p ≤ 22.064 MPa.
std::optional<SteamProperties> saturatedSteam(double mpa);
// The saturated liquid at p, h′ among its properties: what condensing steam drains. Region 1
// at T_s(p), so nothing outside 611.213 Pa ≤ p ≤ 16.5291643 MPa (T_s = 623.15 K), above which
// the liquid on the saturation line belongs to region 3.
std::optional<SteamProperties> saturatedWater(double mpa);

// The region equations themselves at the release's own inputs, for checking.
SteamProperties region2(double mpa, double kelvin);
// Water, for 273.15 K ≤ T ≤ 623.15 K and p_s(T) ≤ p ≤ 100 MPa.
SteamProperties region1(double mpa, double kelvin);
// The temperature in K at which region 2 gives `enthalpy` (kJ/kg) at p, above `lowKelvin`, where
// its enthalpy is below `enthalpy`: solved from the forward equation to full precision, since
// the backward equations alone are good to a few millikelvin.
double region2Temperature(double mpa, double enthalpy, double lowKelvin);
double region3Pressure(double density, double kelvin);
SteamProperties region3(double density, double kelvin);

} // namespace steam::if97
