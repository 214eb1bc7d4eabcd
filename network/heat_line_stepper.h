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
#include <functional>
#include <limits>
#include <utility>

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

// An accepted step in which an event changes sign: from (x, y) with slope dydx to `next` with
// slope `dnext`, `taken` long, in a segment `length` long. The crossing is located to `crossing`
// of the segment's length, or of the event's change over the step: at a hundredth of the
// tolerance, the state then moves far inside it.
struct Bounds {
    const State &y, &dydx, &next, &dnext;
    double x, taken, length, crossing;

    // The cubic through the step's ends with their slopes, `at` from its start: the step's
    // profile to a small part of the step's change, for the cost of nothing but arithmetic.
    State cubic(double at) const {
        const double u = at / taken, u2 = u * u, u3 = u2 * u;
        const double fromY = 2 * u3 - 3 * u2 + 1, fromNext = 3 * u2 - 2 * u3;
        const double bySlope = (u3 - 2 * u2 + u) * taken, byNextSlope = (u3 - u2) * taken;
        State s{};
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = fromY * y[i] + bySlope * dydx[i] + fromNext * next[i] + byNextSlope * dnext[i];
        return s;
    }
};

// The Illinois variant of regula falsi on [a, b], the event positive at a and negative at b.
struct Bracket {
    double a, b, ga, gb;     // the ends and the event's values there
    double wa = ga, wb = gb; // the values the next trial is drawn from, halved on a stuck side
    int side = 0;

    double trial() const {
        const double c = b - wb * (b - a) / (wb - wa);
        return c > a && c < b ? c : 0.5 * (a + b);
    }
    bool past(double c, double gc) { // whether c lies past the crossing, which it narrows
        if (gc < 0) {
            b = c, gb = wb = gc;
            if (side == -1)
                wa *= 0.5;
            side = -1;
            return true;
        }
        a = c, ga = wa = gc;
        if (side == 1)
            wb *= 0.5;
        side = 1;
        return false;
    }
};

// Where in the step the event, a function of the state and its slope, changes sign; the slope at
// a trial is worked out where `sloped` says the event needs it. Returns the length and the state
// just past it. The root along the step's cubic comes first, at a few evaluations of the
// properties: within a small part of the step of the true one. Each trial after it is a fresh
// step of the pair from x, the next one a Newton step on the latest slope of the event, carried
// half the tolerance past the root, so that it ends past the crossing and close to it; two or
// three where regula falsi from the step's ends takes eight or nine. A trial outside the bracket
// falls back to regula falsi.
template <class System, class Event>
std::pair<double, State> locate(Stepper& stepper, System& line, const Event& event, bool sloped,
                                const Bounds& step) {
    const auto eventAt = [&](const State& s, double at) {
        State ds{};
        if (sloped)
            line(s, ds, step.x + at);
        return event(s, ds);
    };
    const double ga = event(step.y, step.dydx), gb = event(step.next, step.dnext);
    // Close enough where the event is a negligible part of its change over the step, or the
    // bracket a negligible part of the segment.
    const double close = step.crossing * std::max(std::abs(ga), std::abs(gb));
    const double near = step.crossing * step.length;
    double guess = 0, guessG = 0, slope = (gb - ga) / step.taken;
    Bracket cubic{0, step.taken, ga, gb};
    for (int k = 0; k < 30; ++k) {
        const double c = cubic.trial();
        const double gc = eventAt(step.cubic(c), c);
        if (!std::isfinite(gc))
            break;
        const double moved = c - guess;
        if (guess > 0)
            slope = (gc - guessG) / moved;
        guess = c, guessG = gc;
        cubic.past(c, gc);
        if (std::abs(gc) <= close || std::abs(moved) <= 1e-9 * step.taken)
            break;
    }
    Bracket bracket{0, step.taken, ga, gb};
    State atB = step.next;
    double c = guess, last = 0, lastG = 0;
    for (int trials = 0; bracket.b - bracket.a > near && std::abs(bracket.gb) > close; ++trials) {
        // Regula falsi alone where Newton's steps have not closed in after a few.
        if (!(c > bracket.a && c < bracket.b) || trials >= 6)
            c = bracket.trial();
        State atC{};
        freshStep(stepper, std::ref(line), step.y, step.dydx, step.x, atC, c);
        const double gc = eventAt(atC, c);
        if (bracket.past(c, gc))
            atB = atC;
        if (last > 0 && c != last)
            slope = (gc - lastG) / (c - last);
        last = c, lastG = gc;
        c = c - gc / slope + 0.5 * close / std::abs(slope);
    }
    return {bracket.b, atB};
}

} // namespace network::heat_line
