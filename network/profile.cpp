// The profile along one path of a solved network: the solver's own figures at the nodes, and
// inside each segment the solution's own curve.
//
// Without heat loss a segment's interior follows from Φ as its outlet does (solver.cpp): Φ rises
// linearly along the pipe, so the pressure x metres in is Φ inverted at Φ_in + (1 + α) · C · x,
// replayed here from the source with the solver's own Φ, friction and expressions, so that the
// curve meets each node's pressure to the bit. p(x) falls ever faster as the steam thins, and
// steepest where a segment runs out of pressure; the points are placed by halving each piece
// until its middle lies within 1/2000 of the path's fall in pressure from the straight line
// between its ends: half a pixel on a drawing 1000 pixels high, and the pieces as straight as
// the curve to the eye at 1600 pixels wide. With heat loss the points are the states each
// segment's integration accepted (heat_line's), which the heat solver keeps in its result.
#include "network/profile.h"

#include "network/report.h"
#include "network/solver_parts.h"
#include "network/steam_line.h"
#include "steam/if97.h"
#include "steam/if97_fast.h"

#include <algorithm>
#include <map>

namespace network {

namespace {

namespace if97 = steam::if97;
using steam_line::Antiderivative;
using steam_line::SteamByPressure;

constexpr double kKelvin = 273.15;
constexpr double kFlatness = 1.0 / 2000; // of the path's fall in pressure
constexpr int kDeepest = 20; // halvings: a piece of a millionth of its segment at the least

// T_s in ℃ at p (MPa, absolute); none above the critical point.
std::optional<double> saturationC(double mpa) {
    if (mpa > if97::kCriticalPressure)
        return std::nullopt;
    return if97::fast::saturation(mpa).kelvin - kKelvin;
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

// The adiabatic line from the source: Φ, the steam's enthalpy and the friction, as the solver
// has them.
class Adiabatic {
public:
    explicit Adiabatic(const Network& network)
        : m_network(network), m_source(network.source.unit.absoluteMpa(network.source.pressure)),
          m_line(network.source.superheated, m_source, network.source.temperature + kKelvin),
          m_phi(m_line, m_source), m_friction(network.roughness),
          m_enthalpy(network.source.superheated
                         ? if97::region2(m_source, network.source.temperature + kKelvin).enthalpy
                         : 0.0) {}

    // Where a segment starts: Φ and the pressure (MPa, absolute) as the solver has them.
    struct Inlet {
        double phi = 0, mpa = 0;
    };
    Inlet source() const { return {0, m_source}; }

    // The segment's points after its inlet, `in`, which this moves to its outlet; where its
    // pressure runs out, the distance from its inlet where it does. `flatness` in MPa.
    std::optional<double> points(std::size_t i, const SegmentResult& r, double from, Inlet& in,
                                 double flatness, std::vector<ProfilePoint>& out);

private:
    const Network& m_network;
    double m_source;
    SteamByPressure m_line;
    Antiderivative m_phi;
    solver_parts::Friction m_friction;
    double m_enthalpy;
};

std::optional<double> Adiabatic::points(std::size_t i, const SegmentResult& r, double from,
                                        Inlet& in, double flatness,
                                        std::vector<ProfilePoint>& out) {
    const Segment& segment = m_network.segments[i];
    const steam::PressureUnit& unit = m_network.source.unit;
    const double factor = 1 + segment.localLoss / 100;
    const double rho = m_friction.lossTimesDensity(r.flow, r.bore / 1000);
    const double phi = in.phi, mpaIn = in.mpa;
    // The solver's expression, term by term, so that at the full length it is its outlet's.
    const auto mpaAt = [&](double x) {
        const std::optional<double> mpa = m_phi.pressureAt(phi + factor * rho * x / 1e6);
        return std::min(mpa.value_or(steam_line::kLowest), mpaIn);
    };
    std::optional<double> exhausted;
    double length = segment.length;
    if (!r.pOut) {
        // Φ cannot rise above its value at the saturation line's lowest pressure.
        const double reach = (m_phi.phiAt(steam_line::kLowest) - phi) * 1e6 / (factor * rho);
        exhausted = length = std::clamp(reach, 0.0, segment.length);
    }
    in.phi = phi + factor * rho * segment.length / 1e6;
    const double inletKelvin = *r.tIn + kKelvin;
    const auto point = [&](double x, double mpa) {
        ProfilePoint p{.distance = from + x, .pressure = unit.reading(mpa)};
        p.temperature =
            m_network.source.superheated
                ? solver_parts::adiabaticPoint(mpa, m_enthalpy, inletKelvin).kelvin - kKelvin
                : saturationC(mpa);
        p.saturation = saturationC(mpa);
        return p;
    };
    // Each piece halved, and its middle kept, until the middle lies on the straight line
    // between its ends; the first always, so that a segment's middle is seen.
    const auto split = [&](auto& self, double x0, double p0, double x1, double p1,
                           int depth) -> void {
        const double middle = 0.5 * (x0 + x1), p = mpaAt(middle);
        if (depth == kDeepest || (depth > 0 && std::abs(p - 0.5 * (p0 + p1)) <= flatness))
            return;
        self(self, x0, p0, middle, p, depth + 1);
        out.push_back(point(middle, p));
        self(self, middle, p, x1, p1, depth + 1);
    };
    const double end = exhausted ? steam_line::kLowest : mpaAt(length);
    in.mpa = end;
    if (length > 0) {
        split(split, 0, mpaIn, length, end, 0);
        if (exhausted)
            out.push_back(point(length, end));
    }
    return exhausted;
}

} // namespace

std::optional<Profile> profile(const Network& network, const Result& result,
                               std::optional<std::size_t> node) {
    if (!result.fault.empty() || result.nodes.empty() ||
        result.segments.size() != network.segments.size() ||
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
        if (r.pressure)
            made.points.push_back({.distance = distance,
                                   .pressure = *r.pressure,
                                   .temperature = r.temperature,
                                   .saturation = saturationC(unit.absoluteMpa(*r.pressure)),
                                   .node = n});
    };

    // The path's fall in pressure (MPa), which the adiabatic curve is drawn flat to a share of;
    // a rounding's worth at least, where nothing flows.
    const double source = unit.absoluteMpa(network.source.pressure);
    double lowest = source;
    for (std::size_t i : path)
        if (const SegmentResult& r = result.segments[i]; r.pIn)
            lowest = std::min(lowest, r.pOut ? unit.absoluteMpa(*r.pOut) : steam_line::kLowest);
    const double flatness = std::max((source - lowest) * kFlatness, source * 1e-12);

    std::optional<Adiabatic> adiabatic;
    if (!network.heatLoss)
        adiabatic.emplace(network);
    Adiabatic::Inlet inlet = adiabatic ? adiabatic->source() : Adiabatic::Inlet{};
    double distance = 0;
    addNode(0, 0);
    for (std::size_t i : path) {
        const SegmentResult& r = result.segments[i];
        const double from = distance;
        distance += network.segments[i].length;
        ProfileSpan span{.segment = i,
                         .from = from,
                         .to = distance,
                         .failing = segmentLook(r) == sheet::Look::Above};
        if (r.pIn && adiabatic) {
            if (const std::optional<double> reach =
                    adiabatic->points(i, r, from, inlet, flatness, made.points))
                span.exhaustedAt = from + *reach;
        } else if (r.pIn) {
            // Heat loss: the integration's own states between the inlet and the outlet, and up
            // to where the pressure ran out.
            for (const heat_line::Point& p : r.points) {
                if (p.x <= 0 || (r.pOut && p.x >= network.segments[i].length))
                    continue;
                ProfilePoint point{.distance = from + p.x, .pressure = unit.reading(p.mpa)};
                point.temperature = solver_parts::steamPoint(p.mpa, p.enthalpy).kelvin - kKelvin;
                point.saturation = saturationC(p.mpa);
                made.points.push_back(point);
            }
            if (!r.pOut)
                span.exhaustedAt = from + (r.points.empty() ? 0.0 : r.points.back().x);
        }
        made.spans.push_back(span);
        addNode(i + 1, distance);
    }
    return made;
}

} // namespace network
