// The network solved segment by segment from the source outwards.
//
// Friction gives dp/dx = -(1 + α) · R, and R = 0.00688 · K^0.25 · G² / (d^5.25 · ρ): R is the
// constant C = 0.00688 · K^0.25 · G² / d^5.25 over the density, and the density along an
// adiabatic pipe depends on the pressure alone. So ρ dp = -(1 + α) · C · dx integrates exactly:
//     Φ(p_out) - Φ(p_in) = (1 + α) · C · L,   Φ(p) = ∫ from p to p_source of ρ(q) dq,
// and the outlet pressure is where Φ reaches its target. Φ is one function for the whole
// network, since every pipe carries the same steam: it is built once a solve, lazily, in panels
// from the source pressure downwards, each integrated by Gauss-Legendre quadrature, and inverted
// by Newton's method inside its panel. A segment cut into ten gives the same outlet pressure,
// whatever its length, since the pieces add up the same targets.
#include "network/network.h"

#include "calc/elementary.h"
#include "network/solver_parts.h"
#include "network/steam_line.h"
#include "pipes/sizing.h"
#include "steam/if97.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <map>

namespace network {

namespace {

namespace if97 = steam::if97;
using steam_line::Antiderivative;
using steam_line::SteamByPressure;

constexpr double kKelvin = 273.15;

// One pipe tried for a segment.
struct TriedPipe {
    pipes::NamedPipe pipe;
    SegmentResult result;
    double phiOut = 0;
    double mpaOut = 0; // absolute, as the next segment starts from it
    bool fits = false; // not exhausted, end velocity not above its band, R not above the limit
};

class Solver {
public:
    explicit Solver(const Network& network)
        : m_network(network), m_source(network.source.unit.absoluteMpa(network.source.pressure)),
          m_line(network.source.superheated, m_source, network.source.temperature + kKelvin),
          m_phi(m_line, m_source),
          m_steam(network.source.superheated ? pipes::SteamKind::Superheated
                                             : pipes::SteamKind::Saturated),
          m_friction(network.roughness) {}

    Result solve();

private:
    TriedPipe trial(const Segment& segment, const pipes::NamedPipe& pipe, double flow, double pIn,
                    double phiIn, double densityIn);
    double shown(double mpa) const { return m_network.source.unit.reading(mpa); }

    const Network& m_network;
    double m_source;
    SteamByPressure m_line;
    Antiderivative m_phi;
    pipes::SteamKind m_steam;
    solver_parts::Friction m_friction;
};

TriedPipe Solver::trial(const Segment& segment, const pipes::NamedPipe& pipe, double flow,
                        double pIn, double phiIn, double densityIn) {
    TriedPipe t{.pipe = pipe, .result = {}, .phiOut = 0, .fits = false};
    SegmentResult& r = t.result;
    const double bore = pipe.boreMm() / 1000;
    const double factor = 1 + segment.localLoss / 100;
    const double rho = m_friction.lossTimesDensity(flow, bore);
    r.flow = flow;
    r.pipe = pipe.name;
    r.bore = pipe.boreMm();
    r.pIn = shown(pIn);
    r.densityIn = densityIn;
    r.velocityIn = flow / 3.6 / solver_parts::area(bore) / densityIn;
    // Φ in MPa · kg/m³, R · ρ in Pa/m · kg/m³.
    t.phiOut = phiIn + factor * rho * segment.length / 1e6;
    const std::optional<double> pOut = m_phi.pressureAt(t.phiOut);
    if (!pOut) {
        r.verdicts.push_back(Verdict::PressureExhausted);
        return t;
    }
    // The root lies within a rounding of the inlet for a short pipe; never above it.
    const double out = std::min(*pOut, pIn);
    t.mpaOut = out;
    const double densityOut = m_line.density(out);
    r.pOut = shown(out);
    r.densityOut = densityOut;
    r.densityMean = m_phi.density(0.5 * (pIn + out));
    r.velocityOut = flow / 3.6 / solver_parts::area(bore) / densityOut;
    const double drop = (pIn - out) * 1e6; // Pa
    r.pressureDrop = drop / 1000;
    // A pipe without length has the loss per metre of its inlet.
    r.specificLoss =
        segment.length * factor > 0 ? drop / (segment.length * factor) : rho / densityIn;
    t.fits = solver_parts::judgeEnd(m_network, m_steam, bore, r);
    return t;
}

Result Solver::solve() {
    const auto& segments = m_network.segments;
    Result result;
    result.segments.resize(segments.size());

    // The flow of each segment: its load and every load below it.
    auto [below, order] = solver_parts::tree(m_network);
    std::vector<double> flow(segments.size());
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        flow[*it] += segments[*it].load;
        for (std::size_t i : below[segments[*it].to])
            flow[*it] += flow[i];
    }

    // Each node's pressure and Φ, where it has them.
    struct NodeState {
        std::optional<double> mpa;
        double phi = 0;
        double density = 0;
    };
    std::map<std::string, NodeState> nodes;
    nodes[m_network.source.node] = {m_source, 0.0, m_line.density(m_source)};
    const auto series = pipes::catalogue(m_network.series);
    std::vector<std::optional<double>> mpaOut(segments.size());
    for (std::size_t i : order) {
        const Segment& segment = segments[i];
        const NodeState in = nodes[segment.from];
        SegmentResult& r = result.segments[i];
        if (!in.mpa) {
            r.flow = flow[i];
            r.verdicts = {Verdict::UpstreamExhausted};
            if (segment.pipe != kAutoPipe) {
                const pipes::PipeLookup lookup = pipes::pipeNamed(segment.pipe);
                r.pipe = lookup.pipe->name;
                r.bore = lookup.pipe->boreMm();
                solver_parts::noteSeries(*lookup.pipe, r);
            }
            nodes[segment.to] = {};
            continue;
        }
        const double densityIn = in.density;
        TriedPipe chosen;
        if (segment.pipe != kAutoPipe) {
            const pipes::NamedPipe named = *pipes::pipeNamed(segment.pipe).pipe;
            chosen = trial(segment, named, flow[i], *in.mpa, in.phi, densityIn);
            solver_parts::noteSeries(named, chosen.result);
        } else {
            bool found = false;
            for (const pipes::CataloguePipe& pipe : series) {
                const pipes::NamedPipe named{std::string(pipe.name), pipe.outerMm, pipe.wallMm};
                if (solver_parts::hopeless(m_network, m_steam, m_friction, named, flow[i],
                                           densityIn))
                    continue;
                chosen = trial(segment, named, flow[i], *in.mpa, in.phi, densityIn);
                if (chosen.fits) {
                    found = true;
                    break;
                }
            }
            if (!found) {
                const pipes::CataloguePipe& largest = series.back();
                chosen =
                    trial(segment, {std::string(largest.name), largest.outerMm, largest.wallMm},
                          flow[i], *in.mpa, in.phi, densityIn);
                chosen.result.verdicts.push_back(Verdict::NoSuitablePipe);
            }
        }
        r = std::move(chosen.result);
        if (r.pOut)
            mpaOut[i] = chosen.mpaOut;
        nodes[segment.to] =
            r.pOut ? NodeState{chosen.mpaOut, chosen.phiOut, *r.densityOut} : NodeState{};
    }
    if (m_line.outside()) {
        result = {};
        result.fault = "沿管网的蒸汽状态超出计算范围（IF97 第 2 区，或 350 ℃ 以下的饱和线）";
        return result;
    }

    solver_parts::adiabaticTemperatures(m_network, mpaOut, result);
    const double sourceC = m_network.source.superheated
                               ? m_network.source.temperature
                               : if97::saturationTemperature(m_source) - kKelvin;
    solver_parts::placeNodes(m_network, sourceC, result);
    return result;
}

} // namespace

std::string_view verdictCode(Verdict verdict) {
    switch (verdict) {
    case Verdict::VelocityAbove:
        return "velocity-above";
    case Verdict::VelocityBelow:
        return "velocity-below";
    case Verdict::LossAboveLimit:
        return "loss-above-limit";
    case Verdict::LossAboveRange:
        return "loss-above-range";
    case Verdict::PressureExhausted:
        return "pressure-exhausted";
    case Verdict::UpstreamExhausted:
        return "upstream-exhausted";
    case Verdict::NoSuitablePipe:
        return "no-suitable-pipe";
    case Verdict::NonStandardPipe:
        return "non-standard-pipe";
    case Verdict::Condensing:
        return "condensing";
    case Verdict::HeatLossAboveAllowed:
        return "heat-loss-above-allowed";
    case Verdict::SurfaceHot:
        return "surface-hot";
    case Verdict::TemperatureBelowRequired:
        return "temperature-below-required";
    }
    return {};
}

Result solve(const Network& network) {
    if (const std::optional<Fault> fault = validate(network)) {
        Result result;
        result.fault = fault->why;
        return result;
    }
    if (network.heatLoss)
        return solver_parts::solveWithHeatLoss(network);
    return Solver(network).solve();
}

} // namespace network
