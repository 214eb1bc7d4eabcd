// The profile along one path of a solved network: the solver's own figures at the nodes, and
// inside each segment the solution's own curve.
//
// Without heat loss a segment's interior follows from Φ as its outlet does (solver.cpp): Φ rises
// linearly along the pipe, so the pressure x metres in is Φ inverted at Φ_in + (1 + α) · C · x,
// replayed here from the source with the solver's own Φ, friction and expressions, so that the
// curve meets each node's pressure to the bit. With heat loss the points are the states each
// segment's integration accepted, which the heat solver keeps in its result, and between them
// the same integration from the segment's inlet to a shorter length.
//
// How many: p(x) falls ever faster as the steam thins, and steepest where a segment runs out of
// pressure. Each piece is halved, its middle kept, until the middle lies within 1/2000 of the
// path's fall in pressure (and of its range of temperature) from the straight line between the
// piece's ends: half a pixel on a drawing 1000 pixels high, so that the straight pieces a
// painter draws are the curve to the eye at 1600 × 1000.
#include "network/profile.h"

#include "network/report.h"
#include "network/solver_parts.h"
#include "network/steam_line.h"
#include "steam/if97.h"
#include "steam/if97_fast.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string_view>

namespace network {

namespace {

namespace if97 = steam::if97;

constexpr double kKelvin = 273.15;
constexpr double kFlatness = 1.0 / 2000; // of the path's fall in pressure, range of temperature
constexpr int kDeepest = 20; // halvings: a piece of a millionth of its segment at the least

// T_s in ℃ at p (MPa, absolute); none above the critical point.
std::optional<double> saturationC(double mpa) {
    if (mpa > if97::kCriticalPressure)
        return std::nullopt;
    return if97::fast::saturation(mpa).kelvin - kKelvin;
}

// How far a curve's middle may lie from the straight line between its ends, in the source's
// unit and in ℃, and the narrowest piece worth halving, m.
struct Flatness {
    double pressure = 0, temperature = 0, width = 0;

    bool straight(const ProfilePoint& a, const ProfilePoint& middle, const ProfilePoint& b) const {
        if (std::abs(middle.pressure - 0.5 * (a.pressure + b.pressure)) > pressure)
            return false;
        return !a.temperature || !b.temperature || !middle.temperature ||
               std::abs(*middle.temperature - 0.5 * (*a.temperature + *b.temperature)) <=
                   temperature;
    }
};

// A segment's curve at a distance from the source; none where it has none.
using CurveAt = std::function<std::optional<ProfilePoint>(double distance)>;

// The points strictly between a and b that keep every piece straight, in order.
void refine(const CurveAt& at, const ProfilePoint& a, const ProfilePoint& b,
            const Flatness& flatness, int depth, std::vector<ProfilePoint>& out) {
    if (depth == kDeepest || b.distance - a.distance <= flatness.width)
        return;
    const std::optional<ProfilePoint> middle = at(0.5 * (a.distance + b.distance));
    // The first middle always, so that a segment's middle is seen.
    if (!middle || (depth > 0 && flatness.straight(a, *middle, b)))
        return;
    refine(at, a, *middle, flatness, depth + 1, out);
    out.push_back(*middle);
    refine(at, *middle, b, flatness, depth + 1, out);
}

// The segments from the source to the node, in order.
std::vector<std::size_t> pathTo(const Network& network, std::size_t node) {
    std::map<std::string_view, std::size_t> into;
    for (std::size_t i = 0; i < network.segments.size(); ++i)
        into[network.segments[i].to] = i;
    std::vector<std::size_t> path;
    for (std::size_t n = node; n > 0;) {
        path.push_back(n - 1);
        const std::string& from = network.segments[n - 1].from;
        if (from == network.source.node)
            break;
        n = into.at(from) + 1;
    }
    std::reverse(path.begin(), path.end());
    return path;
}

// What a segment's curve starts from and ends at: its inlet, the node point at its outlet (none
// where its pressure runs out) and where it begins on the path.
struct Ends {
    const ProfilePoint& inlet;
    const ProfilePoint* outlet;
    double from; // m
};

// The adiabatic line from the source: Φ, the steam's enthalpy and the friction, as the solver
// has them, and each node's Φ and pressure (MPa, absolute) in turn along the path.
class Adiabatic {
public:
    explicit Adiabatic(const Network& network)
        : m_network(network), m_mpa(network.source.unit.absoluteMpa(network.source.pressure)),
          m_line(network.source.superheated, m_mpa, network.source.temperature + kKelvin),
          m_phi(m_line, m_mpa), m_friction(network.roughness),
          m_enthalpy(network.source.superheated
                         ? if97::region2(m_mpa, network.source.temperature + kKelvin).enthalpy
                         : 0.0) {}

    // The segment's points after its inlet; where its pressure runs out, the distance from its
    // inlet where it does.
    std::optional<double> points(std::size_t i, const SegmentResult& r, const Ends& ends,
                                 const Flatness& flatness, std::vector<ProfilePoint>& out);

private:
    const Network& m_network;
    double m_mpa; // the segment's inlet's
    steam_line::SteamByPressure m_line;
    steam_line::Antiderivative m_phi;
    solver_parts::Friction m_friction;
    double m_enthalpy;
    double m_phiIn = 0;
};

std::optional<double> Adiabatic::points(std::size_t i, const SegmentResult& r, const Ends& ends,
                                        const Flatness& flatness, std::vector<ProfilePoint>& out) {
    const Segment& segment = m_network.segments[i];
    const steam::PressureUnit& unit = m_network.source.unit;
    const double factor = 1 + segment.localLoss / 100;
    const double rho = m_friction.lossTimesDensity(r.flow, r.bore / 1000);
    const double phi = m_phiIn, mpaIn = m_mpa;
    // The solver's expressions, term by term, so that at the full length it is its outlet.
    const auto mpaAt = [&](double x) {
        const std::optional<double> mpa = m_phi.pressureAt(phi + factor * rho * x / 1e6);
        return std::min(mpa.value_or(steam_line::kLowest), mpaIn);
    };
    m_phiIn = phi + factor * rho * segment.length / 1e6;
    const double inletKelvin = *r.tIn + kKelvin;
    const auto point = [&](double x, double mpa) {
        ProfilePoint p{.distance = ends.from + x, .pressure = unit.reading(mpa)};
        p.temperature =
            m_network.source.superheated
                ? solver_parts::adiabaticPoint(mpa, m_enthalpy, inletKelvin).kelvin - kKelvin
                : saturationC(mpa);
        p.saturation = saturationC(mpa);
        return p;
    };
    const CurveAt at = [&](double distance) {
        return std::optional(point(distance - ends.from, mpaAt(distance - ends.from)));
    };
    if (ends.outlet) {
        m_mpa = mpaAt(segment.length);
        refine(at, ends.inlet, *ends.outlet, flatness, 0, out);
        return std::nullopt;
    }
    // Φ cannot rise above its value at the saturation line's lowest pressure: the curve ends
    // where it reaches it.
    const double reach = std::clamp((m_phi.phiAt(steam_line::kLowest) - phi) * 1e6 / (factor * rho),
                                    0.0, segment.length);
    const ProfilePoint end = point(reach, steam_line::kLowest);
    refine(at, ends.inlet, end, flatness, 0, out);
    out.push_back(end);
    return reach;
}

// A segment's steam with heat loss, its points the integration's accepted states and between
// them the same integration from the segment's inlet to a shorter length.
std::optional<double> heatedPoints(const Network& network, std::size_t i, const SegmentResult& r,
                                   const Ends& ends, const Flatness& flatness,
                                   std::vector<ProfilePoint>& out) {
    const steam::PressureUnit& unit = network.source.unit;
    const Segment& segment = network.segments[i];
    if (r.points.empty())
        return ends.outlet ? std::nullopt : std::optional(0.0);
    const heat_line::Point& inlet = r.points.front();
    const pipes::NamedPipe pipe = *pipes::pipeNamed(r.pipe).pipe;
    const heat::InsulatedPipe insulated(pipe.outerMm / 1000, segment.insulation / 1000,
                                        network.heatLoss->insulation, segment.laying,
                                        network.heatLoss->air);
    const solver_parts::Friction friction(network.roughness);
    const auto point = [&](double x, double mpa, double celsius) {
        return ProfilePoint{.distance = ends.from + x,
                            .pressure = unit.reading(mpa),
                            .temperature = celsius,
                            .saturation = saturationC(mpa)};
    };
    const CurveAt at = [&](double distance) -> std::optional<ProfilePoint> {
        const heat_line::Outlet o =
            solver_parts::integrateHeat(network, segment, insulated, friction, r.bore / 1000,
                                        {inlet.mpa, inlet.enthalpy, inlet.flow, *r.tIn + kKelvin},
                                        distance - ends.from, heat_line::kRelativeTolerance);
        if (o.exhausted)
            return std::nullopt;
        return point(distance - ends.from, o.steam.mpa, o.kelvin - kKelvin);
    };
    // The accepted states, the segment's ends as the node points have them.
    std::vector<ProfilePoint> states{ends.inlet};
    for (const heat_line::Point& p : r.points)
        if (p.x > 0 && (!ends.outlet || p.x < segment.length))
            states.push_back(
                point(p.x, p.mpa, solver_parts::steamPoint(p.mpa, p.enthalpy).kelvin - kKelvin));
    if (ends.outlet)
        states.push_back(*ends.outlet);
    for (std::size_t k = 1; k < states.size(); ++k) {
        refine(at, states[k - 1], states[k], flatness, 0, out);
        if (k + 1 < states.size() || !ends.outlet)
            out.push_back(states[k]);
    }
    return ends.outlet ? std::nullopt : std::optional(r.points.back().x);
}

} // namespace

std::optional<Profile> profile(const Network& network, const Result& result,
                               std::optional<std::size_t> node) {
    if (!result.fault.empty() || result.segments.size() != network.segments.size() ||
        result.nodes.size() != network.segments.size() + 1)
        return std::nullopt;
    const std::size_t chosen = node.value_or(result.worstNode.value_or(result.nodes.size() - 1));
    if (chosen >= result.nodes.size())
        return std::nullopt;
    const std::vector<std::size_t> path = pathTo(network, chosen);
    const steam::PressureUnit& unit = network.source.unit;

    Profile made;
    made.title = network.title;
    made.unit = unitLabel(unit);
    made.heatLoss = network.heatLoss.has_value();
    const auto addNode = [&](std::size_t n, double distance) {
        const NodeResult& r = result.nodes[n];
        made.nodes.push_back({.node = n,
                              .name = r.name,
                              .distance = distance,
                              .pressure = r.pressure,
                              .required = r.required,
                              .margin = r.margin,
                              .temperature = r.temperature,
                              .requiredTemperature = r.requiredTemperature,
                              .temperatureMargin = r.temperatureMargin});
    };
    const auto nodePoint = [&](std::size_t n, double distance) {
        const NodeResult& r = result.nodes[n];
        return ProfilePoint{.distance = distance,
                            .pressure = *r.pressure,
                            .temperature = r.temperature,
                            .saturation = saturationC(unit.absoluteMpa(*r.pressure)),
                            .node = n};
    };

    // The path's fall in pressure and range of temperature, which the curve is drawn straight
    // to a share of: its nodes' and, where its pressure runs out, the saturation line's end; at
    // least the saturation temperature's fall over it, the temperature of saturated steam and
    // the one superheated steam tends to. A piece narrower than a share of the path is under
    // half a pixel wide, where a steep curve is a vertical line.
    const double source = network.source.pressure;
    double lowest = source, length = 0;
    double coldest = *result.nodes[0].temperature, warmest = coldest;
    for (std::size_t i : path) {
        const SegmentResult& r = result.segments[i];
        length += network.segments[i].length;
        if (r.pIn)
            lowest = std::min(lowest, r.pOut.value_or(unit.reading(steam_line::kLowest)));
        if (r.tOut) {
            coldest = std::min(coldest, *r.tOut);
            warmest = std::max(warmest, *r.tOut);
        }
    }
    const double fall = (source - lowest) * kFlatness;
    const double saturationFall =
        *saturationC(std::min(unit.absoluteMpa(source), if97::kCriticalPressure)) -
        *saturationC(unit.absoluteMpa(lowest));
    const Flatness flatness{
        .pressure = std::max(fall, unit.absoluteMpa(source) * 1e-9 / unit.megapascals),
        .temperature = std::max({warmest - coldest, saturationFall, 1e-3}) * kFlatness,
        .width = length * kFlatness / 2};

    std::optional<Adiabatic> adiabatic;
    if (!network.heatLoss)
        adiabatic.emplace(network);
    addNode(0, 0);
    made.points.push_back(nodePoint(0, 0));
    double distance = 0;
    for (std::size_t i : path) {
        const SegmentResult& r = result.segments[i];
        const double from = distance;
        distance += network.segments[i].length;
        ProfileSpan span{.segment = i,
                         .from = from,
                         .to = distance,
                         .failing = segmentLook(r) == sheet::Look::Above};
        if (r.pIn) {
            // The inlet is the point last made: the node above, or the source.
            const ProfilePoint inlet = made.points.back();
            const std::optional<ProfilePoint> outlet =
                r.pOut ? std::optional(nodePoint(i + 1, distance)) : std::nullopt;
            const Ends ends{inlet, outlet ? &*outlet : nullptr, from};
            const std::optional<double> reach =
                adiabatic ? adiabatic->points(i, r, ends, flatness, made.points)
                          : heatedPoints(network, i, r, ends, flatness, made.points);
            if (reach)
                span.exhaustedAt = from + *reach;
            if (outlet)
                made.points.push_back(*outlet);
        }
        made.spans.push_back(span);
        addNode(i + 1, distance);
    }
    return made;
}

} // namespace network
