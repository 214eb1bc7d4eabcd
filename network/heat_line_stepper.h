#pragma once

#include "calc/elementary.h"

// GCC sees the pair's scratch states, default-constructed std::arrays, copied before their first
// use into the controlled stepper and warns of it; they are written before they are read.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <boost/numeric/odeint/stepper/controlled_runge_kutta.hpp>
#include <boost/numeric/odeint/stepper/runge_kutta_fehlberg78.hpp>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

// The embedded Runge-Kutta pair heat_line.cpp integrates with, under our own error measure and
// step-size rule. heat_line.cpp's own: nothing else includes it.
namespace network::heat_line {

// p² (MPa²), h (kJ/kg), ṁ (kg/s), the heat lost and the enthalpy drained (kW). The square,
// since ρ ∝ p nearly: d(p²)/dx = 2p dp/dx ∝ p/ρ hardly changes along a pipe, where dp/dx grows
// without bound as the pressure runs out.
using State = std::array<double, 5>;
enum : std::size_t { kP, kH, kM, kQ, kD };

// Each step's local error against the tolerance: p, h and ṁ each relative to its own size at
// the step's start, the heat lost and drained relative to the enthalpy the steam carries. A
// step whose trial states left the properties (a NaN) is too long.
struct Checker {
    double tolerance;

    template <class Algebra>
    double error(Algebra& /*algebra*/, const State& x, const State& /*dxdt*/, State& err,
                 double /*dt*/) const {
        const double energy = std::abs(x[kM] * x[kH]);
        const State scale{std::abs(x[kP]), std::abs(x[kH]), std::abs(x[kM]), energy, energy};
        double worst = 0;
        for (std::size_t i = 0; i < err.size(); ++i) {
            const double e = std::abs(err[i]) / (tolerance * scale[i]);
            if (std::isnan(e))
                return std::numeric_limits<double>::max();
            worst = std::max(worst, e);
        }
        return worst;
    }
};

// The usual rule for a pair of orders q and q + 1, h_new = 0.9 · h · err^(-1/(q + 1)), at most
// five times longer and five times shorter; its powers are calc/elementary.h's, so that the
// steps are the same bits on every system (odeint's own rule calls the C library's pow).
struct Adjuster {
    double decrease_step(double dt, double error, int errorOrder) const {
        const double factor = 0.9 * calc::elementary::pow(error, -1.0 / (errorOrder + 1));
        return dt * std::max(factor, 0.2);
    }
    double increase_step(double dt, double error, int stepperOrder) const {
        if (error >= 0.5)
            return dt;
        const double least = calc::elementary::pow(5.0, -stepperOrder); // error for a fivefold
        return dt * 0.9 * calc::elementary::pow(std::max(error, least), -1.0 / stepperOrder);
    }
    bool check_step_size_limit(double /*dt*/) const { return true; }
    double get_max_dt() const { return 0; }
};

inline constexpr double kRelativeTolerance = 1e-10;

using Pair = boost::numeric::odeint::runge_kutta_fehlberg78<State>;
using Stepper = boost::numeric::odeint::controlled_runge_kutta<Pair, Checker, Adjuster>;

// One controlled step from (t, y) with its slope: on success t has moved on, `next` is set and
// `dt` is the next step's length; else `dt` is shorter.
template <class System>
bool tryStep(Stepper& stepper, System system, const State& y, const State& dydx, double& t,
             State& next, double& dt) {
    return stepper.try_step(system, y, dydx, t, next, dt) == boost::numeric::odeint::success;
}

// One step of the pair of length `dt` from (t, y), without control.
template <class System>
void freshStep(Stepper& stepper, System system, const State& y, const State& dydx, double t,
               State& out, double dt) {
    stepper.stepper().do_step(system, y, dydx, t, out, dt);
}

} // namespace network::heat_line
