#pragma once

#include <functional>
#include <optional>
#include <vector>

// One segment's steam integrated along its length as its pipe loses heat: the pressure falls by
// friction, superheated steam cools at a constant flow, and dry saturated steam stays saturated
// while the condensate it makes is drained where it forms, as saturated liquid. heat_line.cpp
// gives the equations. Toolkit-free; the network's solver composes the loss per metre.
//
// Units as steam/if97's: pressure in MPa (absolute), temperature in K, enthalpy in kJ/kg; the
// mass flow in kg/s, so that flow × enthalpy and the heat are in kW; lengths in m.
namespace network::heat_line {

struct Steam {
    double mpa = 0;      // absolute
    double enthalpy = 0; // kJ/kg
    double flow = 0;     // kg/s
    double kelvin = 0;   // K where known, 0 if not: a first guess of superheated steam's
};

struct Pipe {
    double length = 0;    // m
    double localLoss = 0; // α, the local losses as a fraction of the friction
    double roughness = 0; // K, m
    double bore = 0;      // d, m
    // R at 1 t/h and 1 kg/m³ in Pa/m, where the caller has it worked out (calc/friction.h);
    // none to work it out from the roughness and the bore.
    std::optional<double> friction{};
};

// The heat the pipe loses per metre, k·q in W/m, with steam at a temperature in ℃.
using LossPerMetre = std::function<double(double celsius)>;

// The state at the end of an accepted step: the profile a drawing may follow.
struct Point {
    double x = 0; // m from the inlet
    double mpa = 0;
    double enthalpy = 0;
    double flow = 0;
};

struct Outlet {
    Steam steam;          // at the outlet, or where the pressure ran out
    double kelvin = 0;    // the outlet's temperature
    double heatLoss = 0;  // kW, ∫ k·q dx
    double drainHeat = 0; // kW, the enthalpy the condensate carries off at h′
    // kg/h, the flow the segment loses. An inlet flow below it condenses away before the end
    // and leaves a negative outlet flow: the condensate is still the pipe's, for the next guess
    // of the inlet flow.
    double condensate = 0;
    bool condensing = false;   // superheated steam reached saturation inside the segment
    bool saturatedOut = false; // the outlet's steam is dry saturated
    // The pressure would fall to the saturation line's lowest before the end: the rest of the
    // outlet is then meaningless.
    bool exhausted = false;
    // Some state lay outside region 2 and the saturation line up to 350 ℃ (above 16.5 MPa).
    bool outside = false;
    // The inlet, then each accepted step's end and each change of state; where the pressure runs
    // out, about where it does.
    std::vector<Point> points;
    int evaluations = 0; // of the right-hand side, for measuring the cost
};

// The outlet of a pipe of `pipe.length` from `inlet`. Steam at or below the saturated vapour's
// enthalpy enters as dry saturated vapour. No flow or no length: the inlet, unchanged.
// `lossStepC`: the steam temperature in ℃ at which `loss` jumps (heat::InsulatedPipe::stepC),
// where the integration stops and starts again rather than stepping over it; `loss` is asked for
// at temperatures on the steam's own side of it only. `tolerance`: each step's local error
// relative to p, h and ṁ; a crossing is located to a hundredth of it.
inline constexpr double kRelativeTolerance = 1e-10;
Outlet integrate(const Steam& inlet, const Pipe& pipe, const LossPerMetre& loss,
                 std::optional<double> lossStepC = std::nullopt,
                 double tolerance = kRelativeTolerance);

// dh″/dp of dry saturated vapour, (kJ/kg)/MPa: along the saturation line, region 2's
// (∂h/∂p)_T + c_p · dT_s/dp, each exact to rounding.
double saturatedEnthalpySlope(double mpa);

} // namespace network::heat_line
