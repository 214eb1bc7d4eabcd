#pragma once

// IF97's properties as a segment's integration with heat loss asks for them, several times at
// every step: region 2 with the slopes of its enthalpy, the saturation line with its slope and
// region 1's enthalpy, at a tenth of if97.h's cost. Each power is a running product instead of
// calc::elementary::pow term by term, and p^¼ a square root's square root put right to the
// correctly rounded value: + − × ÷ and √ alone, so the bits are the same on every system. They
// agree with if97.h's functions to a few units in the last place; T_s to the bit. Units as
// if97.h's: MPa, K, kg/m³, kJ/kg.
namespace steam::if97::fast {

// Steam of region 2 at p and T, with what a change of T or p does to its enthalpy.
struct Vapour {
    double density;       // kg/m³
    double enthalpy;      // kJ/kg
    double heatCapacity;  // c_p = (∂h/∂T) at constant p, kJ/(kg·K)
    double pressureSlope; // (∂h/∂p) at constant T, (kJ/kg)/MPa
};

Vapour region2(double mpa, double kelvin);

struct Saturation {
    double kelvin; // T_s(p): if97::saturationTemperature's bits
    double slope;  // dT_s/dp along the line, K/MPa
};

// For 611.213 Pa ≤ p ≤ 22.064 MPa.
Saturation saturation(double mpa);

// T_s(p) within 1e-14 of itself up to 16.5 MPa (350 ℃), for a third of saturation's cost: p^¼
// is √√p as it comes, not put right to pow's rounding. A bracket's end needs no more.
double saturationRoughly(double mpa);

// Region 1's enthalpy, kJ/kg: the saturated liquid's h′ at T_s(p).
double region1Enthalpy(double mpa, double kelvin);

struct Superheated {
    double kelvin;
    Vapour vapour; // at `kelvin`
};

// The region-2 steam at p whose enthalpy is `enthalpy`, from a first guess of its temperature:
// Newton's steps inside [lowKelvin, 1073.15 K], where region 2's enthalpy at lowKelvin is below
// `enthalpy`, to the rounding of T. A guess within a few kelvin takes three evaluations of region
// 2 where if97::region2Temperature, starting from its low end, takes five or six. Where the
// enthalpy at lowKelvin is not below it after all, the answer stays near lowKelvin and its
// vapour's enthalpy says so. `stop`: the Newton step, relative to T, below which T is taken as
// found; the default leaves T within a quarter of its last bit, and a larger one within
// 0.05 K⁻¹·(stop·T)² of it for fewer evaluations.
inline constexpr double kExactStop = 1e-9;
Superheated region2AtEnthalpy(double mpa, double enthalpy, double lowKelvin, double guessKelvin,
                              double stop = kExactStop);

} // namespace steam::if97::fast
