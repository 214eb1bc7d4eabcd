// The network solved with its pipes' heat loss.
//
// Each segment's steam is integrated along it by heat_line from its from-node's pressure and
// enthalpy at its inlet flow, the pipe losing k · q(T) per metre, q by GB 50264-2013 at the
// pipe's outer diameter under the segment's insulation. A segment's inlet flow is its outlet
// flow and its condensate; its outlet flow the load at its to-node and the inlet flows of the
// segments leaving there. The condensates depend on the flows only weakly (the heat lost hardly
// does, only the pressure drop and a superheat's share of the flow's enthalpy), so the flows are
// found by passes from the source outwards: each pass integrates every segment at the flows of
// the last one's condensates, until no flow moves by more than 1e-9 of itself and no auto-sized
// pipe changes. A pipe condensing more than it delivers settles too: heat_line then gives a
// negative outlet flow, but the pipe's condensate, and so the next guess of the inlet flow,
// is still right.
//
// Exhaustion and auto-sizing are judged as without heat loss (solver.cpp), on these figures: the
// velocity band by the source's steam kind at the outlet's flow and density, R = Δp / (L (1 + α)),
// and a pipe too small at its inlet is too small. The density handed to the main window is the
// one at the segment's mean state, the mean of its inlet's and outlet's pressure and enthalpy.
#include "network/heat_line.h"
#include "network/heat_loss.h"
#include "network/solver_parts.h"
#include "network/steam_line.h"
#include "pipes/sizing.h"
#include "steam/if97.h"
#include "steam/if97_fast.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <span>
#include <tuple>

namespace network::solver_parts {

namespace {

namespace if97 = steam::if97;

constexpr double kKelvin = 273.15;
constexpr int kMostPasses = 100;
constexpr double kSettled = 1e-9; // of a flow, between passes
// While the flows still move by more than this between passes, their condensates are wrong by far
// more than a looser integration's error (under 1e-10 of the flows on the bench's network): such
// passes integrate at kLoose.
constexpr double kUnsettled = 1e-6;
constexpr double kLoose = 1e-6;

// A node's steam where it has a pressure: none below an exhausted segment.
struct NodeState {
    std::optional<double> mpa; // absolute
    double enthalpy = 0;       // kJ/kg
    SteamPoint steam;
};

// One pipe tried for a segment.
struct Trial {
    SegmentResult result;
    heat_line::Outlet outlet;
    NodeState out;
    bool fits = false; // not exhausted, end velocity not above its band, R not above the limit
};

// A segment's inlet and outlet, p in MPa (absolute) and h in kJ/kg, for the density at its mean
// state and the outlet's superheat: shown only, so worked out for the settled pass alone.
struct Ends {
    double mpaIn = 0, enthalpyIn = 0, mpaOut = 0, enthalpyOut = 0;
    SteamPoint out;
};

// One pass at given inlet flows.
struct Pass {
    Result result;
    std::vector<std::optional<Ends>> ends; // none where not computed
    std::vector<double> condensate;        // kg/h; where not computed, the last pass's
    std::vector<std::string> pipes;        // as chosen
    bool outside = false;                  // some steam left region 2 and the saturation line
};

// steamPoint's density from if97_fast's region 2 and saturation line: a tenth of its cost, and
// within a few units in the last place of it.
double densityAt(double mpa, double enthalpy) {
    namespace fast = steam::if97::fast;
    const double low = mpa <= steam_line::saturationTopPressure()
                           ? fast::saturation(mpa).kelvin
                           : std::max(steam_line::kSaturationTop, if97::b23Temperature(mpa));
    const fast::Vapour edge = fast::region2(mpa, low);
    if (enthalpy <= edge.enthalpy)
        return edge.density;
    const double guess = low + (enthalpy - edge.enthalpy) / edge.heatCapacity;
    return fast::region2AtEnthalpy(mpa, enthalpy, low, guess).vapour.density;
}

class HeatSolver {
public:
    explicit HeatSolver(const Network& network)
        : m_network(network), m_heat(*network.heatLoss),
          m_source(network.source.unit.absoluteMpa(network.source.pressure)),
          m_steam(network.source.superheated ? pipes::SteamKind::Superheated
                                             : pipes::SteamKind::Saturated),
          m_tree(tree(network)), m_series(pipes::catalogue(network.series)),
          m_friction(network.roughness) {
        // Each pass asks for every segment's outflows twice: found by index, not by the name.
        m_leaving.resize(network.segments.size());
        for (std::size_t i = 0; i < network.segments.size(); ++i)
            m_leaving[i] = m_tree.below[network.segments[i].to];
    }

    Result solve();

private:
    Pass pass(const std::vector<double>& flow, const std::vector<bool>& carries,
              const std::vector<double>& lastCondensate);
    Trial trial(const Segment& segment, const pipes::NamedPipe& pipe, double flow, double flowOut,
                const NodeState& in, bool carries) const;
    double shown(double mpa) const { return m_network.source.unit.reading(mpa); }
    Result settle(Result& result, const std::vector<std::optional<Ends>>& ends, int passes) const;

    const Network& m_network;
    const HeatLoss& m_heat;
    double m_source;
    pipes::SteamKind m_steam;
    Tree m_tree;
    std::vector<std::vector<std::size_t>> m_leaving; // the segments leaving a segment's to-node
    std::span<const pipes::CataloguePipe> m_series;
    double m_tolerance = heat_line::kRelativeTolerance; // the pass's
    Friction m_friction;
    // The pipes as insulated and laid, by outer diameter, thickness and laying: a network has
    // few, and each pass asks for every segment's.
    mutable std::map<std::tuple<double, double, heat::Laying>, heat::InsulatedPipe> m_insulated;
};

// `flow` and `flowOut`: the segment's inlet and outlet flows of the pass, t/h; its condensate is
// the one integrated, which the flows settle to.
Trial HeatSolver::trial(const Segment& segment, const pipes::NamedPipe& pipe, double flow,
                        double flowOut, const NodeState& in, bool carries) const {
    Trial t;
    SegmentResult& r = t.result;
    const double bore = pipe.boreMm() / 1000;
    const double factor = 1 + segment.localLoss / 100;
    const double outer = pipe.outerMm / 1000, thickness = segment.insulation / 1000;
    const double mpaIn = *in.mpa;
    r.flow = flow;
    r.flowOut = flowOut;
    r.pipe = pipe.name;
    r.bore = pipe.boreMm();
    r.pIn = shown(mpaIn);
    r.densityIn = in.steam.density;
    r.velocityIn = flow / 3.6 / area(bore) / in.steam.density;
    r.tIn = in.steam.kelvin - kKelvin;
    // The pipe's fixed terms once for the dozens of losses its integration asks for.
    const heat::InsulatedPipe& insulated =
        m_insulated
            .try_emplace({outer, thickness, segment.laying}, outer, thickness, m_heat.insulation,
                         segment.laying, m_heat.air)
            .first->second;
    // A segment carrying nothing is valved off: its steam stands, at its inlet's state.
    t.outlet = integrateHeat(m_network, segment, insulated, m_friction, bore,
                             {mpaIn, in.enthalpy, carries ? flow / 3.6 : 0.0, in.steam.kelvin},
                             segment.length, m_tolerance);
    // Its outlet's temperature is its inlet's to the bit, not worked out again from the
    // enthalpy, which may land a rounding away.
    if (!carries)
        t.outlet.kelvin = in.steam.kelvin;
    if (t.outlet.exhausted) {
        r.verdicts.push_back(Verdict::PressureExhausted);
        return t;
    }
    const heat_line::Steam& steam = t.outlet.steam;
    const double mpaOut = std::min(steam.mpa, mpaIn);
    t.out = {mpaOut,
             steam.enthalpy,
             {t.outlet.kelvin, steam::if97::fast::region2(mpaOut, t.outlet.kelvin).density,
              t.outlet.saturatedOut}};
    r.pOut = shown(mpaOut);
    r.densityOut = t.out.steam.density;
    r.velocityOut = r.flowOut / 3.6 / area(bore) / *r.densityOut;
    const double drop = (mpaIn - mpaOut) * 1e6; // Pa
    r.pressureDrop = drop / 1000;
    // A pipe without length has the loss per metre of its inlet.
    r.specificLoss = segment.length * factor > 0
                         ? drop / (segment.length * factor)
                         : m_friction.lossTimesDensity(flow, bore) / in.steam.density;
    r.tOut = t.outlet.kelvin - kKelvin;
    r.heatLoss = t.outlet.heatLoss;
    r.condensate = t.outlet.condensate;
    if (carries) {
        const heat::PipeLoss inlet = insulated.at(*r.tIn);
        r.qIn = inlet.perMetre;
        r.surfaceIn = inlet.surface;
        r.lossPerAreaIn = inlet.perArea;
        r.allowedLossPerArea = heat::allowedLossPerArea(*r.tIn, m_heat.operation);
    }
    t.fits = judgeEnd(m_network, m_steam, bore, r);
    return t;
}

Pass HeatSolver::pass(const std::vector<double>& flow, const std::vector<bool>& carries,
                      const std::vector<double>& lastCondensate) {
    const auto& segments = m_network.segments;
    Pass p;
    p.result.segments.resize(segments.size());
    // A segment not computed in this pass (its pressure exhausted, or one above it) keeps the
    // condensate it last had. Counting none would lower its inlet flow until it carries steam
    // again, condensing as much as before, and the passes would swing between the two for ever.
    p.condensate = lastCondensate;
    p.ends.resize(segments.size());
    p.pipes.resize(segments.size());
    std::map<std::string, NodeState> nodes;
    {
        const double kelvin = m_network.source.superheated ? m_network.source.temperature + kKelvin
                                                           : if97::saturationTemperature(m_source);
        const if97::SteamProperties steam = if97::region2(m_source, kelvin);
        nodes[m_network.source.node] = {
            m_source, steam.enthalpy, {kelvin, steam.density, !m_network.source.superheated}};
    }
    for (std::size_t i : m_tree.order) {
        const Segment& segment = segments[i];
        const NodeState in = nodes[segment.from];
        SegmentResult& r = p.result.segments[i];
        // The outlet flow as the network defines it, the load at the to-node and the inlet flows
        // leaving there, not the integrated inlet flow less its condensate: an end segment
        // delivers its load to the bit.
        double out = segment.load;
        for (std::size_t j : m_leaving[i])
            out += flow[j];
        if (!in.mpa) {
            r.flow = flow[i];
            r.flowOut = out;
            r.verdicts = {Verdict::UpstreamExhausted};
            if (segment.pipe != kAutoPipe) {
                const pipes::PipeLookup lookup = pipes::pipeNamed(segment.pipe);
                r.pipe = lookup.pipe->name;
                r.bore = lookup.pipe->boreMm();
            }
            nodes[segment.to] = {};
            continue;
        }
        Trial chosen;
        if (segment.pipe != kAutoPipe) {
            chosen =
                trial(segment, *pipes::pipeNamed(segment.pipe).pipe, flow[i], out, in, carries[i]);
        } else {
            bool found = false;
            for (const pipes::CataloguePipe& pipe : m_series) {
                const pipes::NamedPipe named{std::string(pipe.name), pipe.outerMm, pipe.wallMm};
                if (hopeless(m_network, m_steam, m_friction, named, flow[i], in.steam.density))
                    continue;
                chosen = trial(segment, named, flow[i], out, in, carries[i]);
                if (chosen.fits) {
                    found = true;
                    break;
                }
            }
            if (!found) {
                const pipes::CataloguePipe& largest = m_series.back();
                chosen =
                    trial(segment, {std::string(largest.name), largest.outerMm, largest.wallMm},
                          flow[i], out, in, carries[i]);
                chosen.result.verdicts.push_back(Verdict::NoSuitablePipe);
            }
        }
        p.outside = p.outside || chosen.outlet.outside;
        r = std::move(chosen.result);
        r.points = std::move(chosen.outlet.points);
        if (r.pOut) {
            p.condensate[i] = *r.condensate;
            p.ends[i] =
                Ends{*in.mpa, in.enthalpy, *chosen.out.mpa, chosen.out.enthalpy, chosen.out.steam};
            if (chosen.outlet.condensing)
                r.verdicts.push_back(Verdict::Condensing);
            if (r.allowedLossPerArea && *r.lossPerAreaIn > *r.allowedLossPerArea)
                r.verdicts.push_back(Verdict::HeatLossAboveAllowed);
            if (r.surfaceIn && segment.laying == heat::Laying::Indoor && *r.surfaceIn > 60)
                r.verdicts.push_back(Verdict::SurfaceHot);
        }
        p.pipes[i] = r.pipe;
        nodes[segment.to] = chosen.out;
    }
    return p;
}

// The settled pass's result with what is shown of it alone: the mean densities, the nodes and
// the totals.
Result HeatSolver::settle(Result& result, const std::vector<std::optional<Ends>>& ends,
                          int passes) const {
    for (std::size_t i = 0; i < result.segments.size(); ++i)
        if (const std::optional<Ends>& e = ends[i]) {
            result.segments[i].densityMean =
                densityAt(0.5 * (e->mpaIn + e->mpaOut), 0.5 * (e->enthalpyIn + e->enthalpyOut));
            result.segments[i].superheatOut = superheatAt(e->mpaOut, e->out);
        }
    const double sourceC = m_network.source.superheated
                               ? m_network.source.temperature
                               : if97::saturationTemperature(m_source) - kKelvin;
    placeNodes(m_network, sourceC, result);
    result.heatLoss = 0.0;
    result.condensate = 0.0;
    for (const SegmentResult& r : result.segments) {
        *result.heatLoss += r.heatLoss.value_or(0);
        *result.condensate += r.condensate.value_or(0);
    }
    result.passes = passes;
    return std::move(result);
}

Result HeatSolver::solve() {
    const auto& segments = m_network.segments;
    // Whether a segment carries steam: a load at or below its to-node. Inlet flows begin as the
    // loads below, with no condensate.
    std::vector<bool> carries(segments.size());
    std::vector<double> flow(segments.size());
    const auto flowsFrom = [&](const std::vector<double>& condensate) {
        std::vector<double> next(segments.size());
        for (auto it = m_tree.order.rbegin(); it != m_tree.order.rend(); ++it) {
            double out = segments[*it].load;
            bool any = segments[*it].load > 0;
            for (std::size_t i : m_leaving[*it]) {
                out += next[i];
                any = any || carries[i];
            }
            carries[*it] = any;
            next[*it] = any ? out + condensate[*it] / 1000 : 0.0;
        }
        return next;
    };
    std::vector<double> condensate(segments.size(), 0.0);
    flow = flowsFrom(condensate);
    std::vector<std::string> pipes;
    // The most a flow moved in the last pass, of itself: none yet, so the first pass is loose
    // too. Where nothing condenses, the next pass, a full one, then settles at once.
    double moved = std::numeric_limits<double>::infinity();
    for (int passes = 1; passes <= kMostPasses; ++passes) {
        const bool loose = moved > kUnsettled;
        m_tolerance = loose ? kLoose : heat_line::kRelativeTolerance;
        Pass p = pass(flow, carries, condensate);
        if (p.outside) {
            Result result;
            result.fault = "沿管网的蒸汽状态超出计算范围（IF97 第 2 区，或 350 ℃ 以下的饱和线）";
            return result;
        }
        const std::vector<double> next = flowsFrom(p.condensate);
        bool settled = !loose && (pipes.empty() || pipes == p.pipes);
        // Each segment's inlet flow and its outlet's, the smaller of the two, since the outlet's
        // balance at its node is off by the inlet's change.
        moved = 0;
        for (std::size_t i = 0; i < segments.size(); ++i) {
            const double least =
                std::min(std::abs(next[i]), std::abs(next[i] - p.condensate[i] / 1000));
            if (const double change = std::abs(next[i] - flow[i]) / least;
                next[i] != flow[i] && !(change <= moved))
                moved = change; // a NaN too: never settled
        }
        if (settled && moved <= kSettled)
            return settle(p.result, p.ends, passes);
        pipes = std::move(p.pipes);
        condensate = std::move(p.condensate);
        flow = next;
    }
    Result result;
    result.fault = "管网的流量与凝结水经 100 轮计算仍未收敛";
    result.faultCode = "not-converged";
    return result;
}

} // namespace

Result solveWithHeatLoss(const Network& network) {
    return HeatSolver(network).solve();
}

} // namespace network::solver_parts
