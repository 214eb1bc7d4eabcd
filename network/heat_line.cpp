// Along a segment, x from the inlet, with G = 3.6 ṁ in t/h:
//
//     dp/dx = -(1 + α) · R(ṁ, ρ),  R = 0.00688 · K^0.25 · G² / (d^5.25 · ρ)   (calc/friction.h)
//
// Superheated steam (h > h″(p)): T from region 2's h(p, T) = h, ρ = ρ(p, T),
//     dh/dx = -k·q(T) / ṁ,  dṁ/dx = 0.
// Dry saturated steam: T = T_sat(p), ρ = ρ″(p), h = h″(p), and the energy of the steam that
// stays, ṁ h″, falls by the heat lost and the condensate's h′:
//     dh/dx = dh″/dx,  dṁ/dx = -(k·q + ṁ · dh″/dx) / (h″ - h′).
// Where that dṁ/dx would be positive, throttling heats the steam more than the pipe cools it and
// the steam is superheated instead. Beside p, h and ṁ the state carries the heat lost and the
// enthalpy drained, so that the energy balance closes to the integration's tolerance.
//
// Boost's odeint does the steps: an embedded Runge-Kutta pair under our own error measure (each
// quantity relative to its own size, the heats relative to the flow's enthalpy) and our own
// step-size rule, which takes its powers from calc/elementary.h so that the steps, and so the
// figures, are the same bits wherever the C library's pow rounds otherwise. Where the steam
// changes state inside an accepted step, the step is cut where it does (a first guess from the
// cubic through the step's ends, then Newton's steps on the step's length guarded by the Illinois
// method, each trial a fresh step of the pair from the step's start) and the integration goes on
// from there under the other equations: a kink is never stepped over.
//
// The properties, asked for a dozen times a step, are steam/if97_fast.h's: IF97's own equations
// with their powers multiplied out, dh″/dp from region 2's slopes and the saturation line's,
// and superheated steam's temperature from the last one met.
#include "network/heat_line.h"

#include "calc/friction.h"
#include "network/heat_line_stepper.h"
#include "steam/if97.h"
#include "steam/if97_fast.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

namespace network::heat_line {

namespace {

namespace if97 = steam::if97;
namespace fast = steam::if97::fast;

constexpr double kKelvin = 273.15;
constexpr double kLowest = if97::kLowestSaturationPressure; // MPa
constexpr double kSaturationTop = 623.15; // K: above it the saturation line leaves region 2
// A state that flips back and forth at a touching point stays in its last state after this many
// changes.
constexpr int kMostChanges = 8;

double saturatedEnthalpy(double mpa) {
    return fast::region2(mpa, fast::saturation(mpa).kelvin).enthalpy;
}

double saturationTopPressure() {
    static const double top = if97::saturationPressure(kSaturationTop);
    return top;
}

enum class Mode { Superheated, Saturated };

// p from the state's p². Below the lowest pressure the properties stop; a step that ends there
// has exhausted the pressure, and the right-hand side only has to stay finite on the way.
double pressure(const State& y) {
    return std::sqrt(std::max(y[kP], kLowest * kLowest));
}

// The right-hand side in the current mode, counting its evaluations.
class Line {
public:
    Line(const Pipe& pipe, const LossPerMetre& loss, std::optional<double> lossStepC, double stop)
        : m_factor(1 + pipe.localLoss),
          // R at 1 t/h and 1 kg/m³, in Pa/m: the rest of R is G² / ρ.
          m_friction(pipe.friction ? *pipe.friction
                                   : calc::specificFrictionLoss(pipe.roughness, 1, pipe.bore, 1)),
          m_loss(loss), m_step(lossStepC), m_stop(stop),
          m_below(lossStepC ? std::nextafter(*lossStepC, 0.0) : 0) {}

    Mode mode() const { return m_mode; }
    void setMode(Mode mode) { m_mode = mode; }
    // Which side of the loss's step the steam is on: at or above it, or below.
    bool warmer() const { return m_warmer; }
    void setWarmer(bool warmer) { m_warmer = warmer; }
    int evaluations() const { return m_evaluations; }

    void operator()(const State& y, State& dy, double /*x*/) {
        ++m_evaluations;
        const double mpa = pressure(y);
        const double flow = y[kM];
        const double tons = 3.6 * flow;
        if (m_mode == Mode::Superheated) {
            const auto [kelvin, density] = superheated(mpa, y[kH]);
            const double loss = lossAt(kelvin - kKelvin); // kW/m
            const double slope = -m_factor * m_friction * tons * tons / density / 1e6;
            dy[kP] = 2 * mpa * slope;
            dy[kH] = -loss / flow;
            dy[kM] = 0;
            dy[kQ] = loss;
            dy[kD] = 0;
            return;
        }
        const fast::Saturation line = fast::saturation(mpa);
        const fast::Vapour vapour = fast::region2(mpa, line.kelvin);
        const double liquid = fast::region1Enthalpy(mpa, line.kelvin);
        const double loss = lossAt(line.kelvin - kKelvin);
        const double slope = -m_factor * m_friction * tons * tons / vapour.density / 1e6;
        dy[kP] = 2 * mpa * slope;
        dy[kH] = (vapour.pressureSlope + vapour.heatCapacity * line.slope) * slope;
        dy[kM] = -(loss + flow * dy[kH]) / (vapour.enthalpy - liquid);
        dy[kQ] = loss;
        dy[kD] = -dy[kM] * liquid;
    }

    // Positive while the mode holds: superheated steam's enthalpy above the saturated vapour's,
    // or saturated steam's condensing rate (from its slope `dy`).
    double event(const State& y, const State& dy) const {
        return m_mode == Mode::Superheated ? y[kH] - saturatedEnthalpy(pressure(y)) : -dy[kM];
    }

    // Whether the state lies outside region 2 and the saturation line up to 350 ℃.
    bool outsideAt(const State& y) const {
        const double mpa = pressure(y);
        if (mpa <= saturationTopPressure())
            return false;
        return m_mode == Mode::Saturated ||
               y[kH] <=
                   fast::region2(mpa, std::max(kSaturationTop, if97::b23Temperature(mpa))).enthalpy;
    }

    // T in K and ρ of steam of region 2 at p and h.
    std::pair<double, double> superheated(double mpa, double enthalpy) {
        // The same state again (a step's end for its temperature, then for its slope or as the
        // outlet): its temperature is the one already worked out, to the bit.
        if (mpa == m_solved.mpa && enthalpy == m_solved.enthalpy)
            return {m_solved.kelvin, m_solved.density};
        double low = 0;
        if (mpa <= saturationTopPressure()) {
            // Only the bracket's end: a state within 1e-14 of the line ends there, as one on
            // it does.
            low = fast::saturationRoughly(mpa);
        } else {
            // Above 350 ℃ on the saturation line region 2 ends at its boundary to region 3.
            low = std::max(kSaturationTop, if97::b23Temperature(mpa));
            const fast::Vapour edge = fast::region2(mpa, low);
            if (enthalpy <= edge.enthalpy)
                return {low, edge.density};
        }
        fast::Superheated state =
            fast::region2AtEnthalpy(mpa, enthalpy, low, guess(mpa, enthalpy), m_stop);
        // Only a trial stage of a step that crosses the saturation line comes below it: region
        // 2 goes on smoothly into the metastable vapour there, and the step is then cut where it
        // meets the line.
        if (!(std::abs(state.vapour.enthalpy - enthalpy) <= 1e-9 * enthalpy))
            state = fast::region2AtEnthalpy(mpa, enthalpy, low - 30, guess(mpa, enthalpy), m_stop);
        remember(mpa, state.kelvin, state.vapour);
        m_solved = {mpa, enthalpy, state.kelvin, state.vapour.density};
        return {state.kelvin, state.vapour.density};
    }

    // The steam's temperature in ℃ in the current mode.
    double celsius(const State& y) {
        const double mpa = pressure(y);
        return (m_mode == Mode::Saturated ? fast::saturation(mpa).kelvin
                                          : superheated(mpa, y[kH]).first) -
               kKelvin;
    }

    // The steam last met, from which the next temperature is guessed.
    void remember(double mpa, double kelvin, const fast::Vapour& vapour) {
        m_met[m_next++ % m_met.size()] = {mpa, kelvin, vapour};
    }

private:
    // k·q in kW/m on the steam's side of the loss's step. A trial stage of a step that strays
    // past the step keeps its side's loss at the step: the other side's, a jump, would enter the
    // step's sum by its stage's weight, and move the heat lost by parts in 1e5 as the step's
    // length changes (a network's flows then never settle). Held so, the loss is continuous and
    // the crossing's stages stray by no more than the crossing's tolerance.
    double lossAt(double celsius) const {
        if (m_step)
            celsius = m_warmer ? std::max(celsius, *m_step) : std::min(celsius, m_below);
        return m_loss(celsius) / 1000;
    }

    // The temperature at p and h by its slopes from the nearest of the states last met. A
    // step's stages go back and forth along it (from its end to its start and back, twice),
    // and the last one met may be the whole step away; one of a step's worth lies within a
    // fraction of that, and the error of the slopes' guess shrinks with its square.
    double guess(double mpa, double enthalpy) const {
        double best = 0, nearest = std::numeric_limits<double>::infinity();
        for (const Met& met : m_met) {
            if (!(met.mpa > 0))
                continue;
            const fast::Vapour& at = met.vapour;
            const double rise = enthalpy - at.enthalpy - at.pressureSlope * (mpa - met.mpa);
            if (std::abs(rise) < nearest)
                nearest = std::abs(rise), best = met.kelvin + rise / at.heatCapacity;
        }
        return best; // 0 where none was met: from the bracket's low end
    }

    struct Met {
        double mpa = 0, kelvin = 0;
        fast::Vapour vapour{};
    };

    double m_factor;
    double m_friction;
    const LossPerMetre& m_loss;
    std::optional<double> m_step;
    double m_stop;  // region2AtEnthalpy's
    double m_below; // the temperature next below the step, the lower side's last
    bool m_warmer = false;
    Mode m_mode = Mode::Superheated;
    int m_evaluations = 0;
    std::array<Met, 16> m_met{}; // the states last met, m_next the place of the next
    std::size_t m_next = 0;
    struct Solved {
        double mpa = -1, enthalpy = 0, kelvin = 0, density = 0;
    } m_solved;
};

} // namespace

double saturatedEnthalpySlope(double mpa) {
    const fast::Saturation line = fast::saturation(mpa);
    const fast::Vapour vapour = fast::region2(mpa, line.kelvin);
    return vapour.pressureSlope + vapour.heatCapacity * line.slope;
}

Outlet integrate(const Steam& inlet, const Pipe& pipe, const LossPerMetre& loss,
                 std::optional<double> lossStepC, double tolerance) {
    Outlet out;
    const double length = pipe.length;
    // A looser integration takes each temperature to a Newton step of 1e-6·T: within
    // 0.05 K⁻¹·(5e-4 K)², about 1e-8 K, of the exact one up to 500 K and 6e-8 K at 1073 K,
    // parts in 1e-10 of T, far inside its tolerance; it is there to find the flows, not to show.
    const double stop = tolerance > kRelativeTolerance ? 1e-6 : fast::kExactStop;
    Line line(pipe, loss, lossStepC, stop);
    State y{inlet.mpa * inlet.mpa, inlet.enthalpy, inlet.flow, 0, 0};
    const bool moving = inlet.flow > 0 && length > 0;
    const fast::Saturation inletLine = fast::saturation(inlet.mpa);
    const fast::Vapour inletVapour = fast::region2(inlet.mpa, inletLine.kelvin);
    if (y[kH] <= inletVapour.enthalpy) {
        y[kH] = inletVapour.enthalpy;
        line.setMode(Mode::Saturated);
    }
    // Superheated steam's first temperature is guessed from the inlet's where it is given, else
    // from the line's.
    line.remember(inlet.mpa, inletLine.kelvin, inletVapour);
    if (line.mode() == Mode::Superheated && inlet.kelvin > inletLine.kelvin)
        line.remember(inlet.mpa, inlet.kelvin, fast::region2(inlet.mpa, inlet.kelvin));
    State dydx{};
    if (moving) {
        line.setWarmer(lossStepC && line.celsius(y) >= *lossStepC);
        line(y, dydx, 0);
        // Saturated steam that throttling would superheat at once is superheated.
        if (line.mode() == Mode::Saturated && line.event(y, dydx) < 0) {
            line.setMode(Mode::Superheated);
            line.setWarmer(lossStepC && line.celsius(y) >= *lossStepC);
            line(y, dydx, 0);
        }
    }
    out.outside = line.outsideAt(y);
    out.points.push_back({0, inlet.mpa, y[kH], y[kM]});

    Stepper stepper(Checker{tolerance}, Adjuster{});
    const double crossing = tolerance / 100;
    double x = 0;
    double dt = length;
    int changes = 0;
    while (moving && x < length) {
        const bool last = dt >= length - x;
        double step = last ? length - x : dt;
        double t = x;
        State next{};
        if (!tryStep(stepper, std::ref(line), y, dydx, t, next, step)) {
            dt = step;
            continue;
        }
        const double taken = t - x;
        dt = step;
        if (next[kP] <= kLowest * kLowest) {
            // p² falls nearly linearly: the profile ends about where the pressure runs out.
            out.exhausted = true;
            const double share = (y[kP] - kLowest * kLowest) / (y[kP] - next[kP]);
            y = next, x += share * taken;
            out.points.push_back({x, kLowest, y[kH], y[kM]});
            break;
        }
        // The slope at the step's end starts the next step; the last step needs it only for
        // saturated steam's condensing rate, or where a crossing is located in it.
        State dnext{};
        bool sloped = !last || line.mode() == Mode::Saturated;
        if (sloped)
            line(next, dnext, t);
        const auto slopeAtNext = [&] {
            if (!std::exchange(sloped, true))
                line(next, dnext, t);
            return dnext;
        };
        const bool canChange = changes < kMostChanges;
        const bool changesState = canChange && line.event(next, dnext) < 0;
        // The loss per metre steps where the temperature passes the pipe's step: the step is cut
        // there too, and each side is integrated as the smooth function it is.
        const bool warmer = line.warmer();
        const bool warmerNext = lossStepC && line.celsius(next) >= *lossStepC;
        if (canChange && warmerNext != warmer) {
            const double sign = warmer ? 1 : -1;
            const auto step = [&](const State& s, const State&) {
                return sign * (line.celsius(s) - *lossStepC);
            };
            const Bounds bounds{y, dydx, next, slopeAtNext(), x, taken, length, crossing};
            const auto [where, state] = locate(stepper, line, step, false, bounds);
            // A step that also changes the steam's state is cut at the first of the two: the
            // state's change located first would hold the warmer side's loss beyond the step.
            State dstate{};
            if (changesState && line.mode() == Mode::Saturated)
                line(state, dstate, x + where);
            if (!changesState || line.event(state, dstate) >= 0) {
                y = state;
                x += where;
                ++changes;
                line.setWarmer(!warmer);
                line(y, dydx, x);
                out.outside = out.outside || line.outsideAt(y);
                out.points.push_back({x, pressure(y), y[kH], y[kM]});
                continue;
            }
        }
        if (changesState) {
            const auto change = [&](const State& s, const State& ds) { return line.event(s, ds); };
            const Bounds bounds{y, dydx, next, slopeAtNext(), x, taken, length, crossing};
            const auto [where, state] =
                locate(stepper, line, change, line.mode() == Mode::Saturated, bounds);
            // Just past the line, and put on it: dry saturated vapour at that pressure.
            y = state;
            x += where;
            y[kH] = saturatedEnthalpy(pressure(y));
            out.condensing = out.condensing || line.mode() == Mode::Superheated;
            line.setMode(line.mode() == Mode::Superheated ? Mode::Saturated : Mode::Superheated);
            ++changes;
            line.setWarmer(lossStepC && line.celsius(y) >= *lossStepC);
            line(y, dydx, x);
            out.outside = out.outside || line.outsideAt(y);
            out.points.push_back({x, pressure(y), y[kH], y[kM]});
            continue;
        }
        // Past the most changes the step is stepped over: the loss is then the side's it ends on.
        if (warmerNext != warmer) {
            line.setWarmer(warmerNext);
            line(next, dnext, t);
        }
        y = next, dydx = dnext, x = last ? length : t;
        out.outside = out.outside || line.outsideAt(y);
        out.points.push_back({x, pressure(y), y[kH], y[kM]});
    }

    // The inlet's own pressure where no step was taken, not the root of its square.
    const double mpa = x > 0 ? pressure(y) : inlet.mpa;
    double kelvin = 0;
    if (line.mode() == Mode::Saturated) {
        // Its enthalpy is h″ up to the integration's error; the outlet lies on the line.
        y[kH] = saturatedEnthalpy(mpa);
        kelvin = fast::saturation(mpa).kelvin;
    } else {
        kelvin = line.superheated(mpa, y[kH]).first;
    }
    out.steam = {mpa, y[kH], y[kM]};
    out.kelvin = kelvin;
    out.heatLoss = y[kQ];
    out.drainHeat = y[kD];
    out.condensate = (inlet.flow - y[kM]) * 3600;
    out.saturatedOut = line.mode() == Mode::Saturated;
    out.evaluations = line.evaluations();
    return out;
}

} // namespace network::heat_line
