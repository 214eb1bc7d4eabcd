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
#include "calc/friction.h"
#include "calc/state.h"
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

constexpr double kLowest = if97::kLowestSaturationPressure; // MPa
constexpr double kSaturationTop = 623.15; // K: above it the saturation line leaves region 2
constexpr double kHighestKelvin = 1073.15;
constexpr double kKelvin = 273.15;

double saturatedEnthalpy(double mpa) {
    return if97::region2(mpa, if97::saturationTemperature(mpa)).enthalpy;
}

double saturationTopPressure() {
    static const double top = if97::saturationPressure(kSaturationTop);
    return top;
}

// The steam at each pressure along the pipes: saturated steam stays dry saturated vapour;
// superheated steam keeps the source's enthalpy, and is dry saturated vapour wherever that
// enthalpy lies below the saturated vapour's.
class Line {
public:
    Line(bool superheated, double sourceMpa, double sourceKelvin)
        : m_superheated(superheated), m_sourceKelvin(sourceKelvin) {
        if (superheated)
            m_enthalpy = if97::region2(sourceMpa, sourceKelvin).enthalpy;
    }

    double density(double mpa) {
        if (!m_superheated || mpa <= saturationTopPressure()) {
            const double kelvin = if97::saturationTemperature(mpa);
            const if97::SteamProperties saturated = if97::region2(mpa, kelvin);
            if (!m_superheated || m_enthalpy <= saturated.enthalpy)
                return saturated.density;
            return superheated(mpa, kelvin);
        }
        // Above 350 ℃ on the saturation line region 2 ends at the boundary to region 3. The
        // enthalpy along that boundary is highest near 22.7 MPa, so steam that starts just inside
        // region 2 at 30 MPa crosses into region 3 as it throttles down to there.
        const double kelvin = std::max(kSaturationTop, if97::b23Temperature(mpa));
        const double enthalpy = if97::region2(mpa, kelvin).enthalpy;
        if (m_enthalpy < enthalpy) {
            m_outside = true;
            return if97::region2(mpa, kelvin).density;
        }
        return superheated(mpa, kelvin);
    }

    // Whether some density was asked of a state outside region 2 and the saturation line.
    bool outside() const { return m_outside; }

    // The pressures below `top` where the enthalpy meets the saturated vapour's: ρ(p) has a
    // kink there, and a panel edge must fall on it. The vapour's enthalpy rises from the lowest
    // pressure to its maximum near 3 MPa and falls from there, so there are at most two.
    std::vector<double> kinks(double top) const {
        if (!m_superheated)
            return {};
        const auto excess = [this](double mpa) { return saturatedEnthalpy(mpa) - m_enthalpy; };
        const double high = std::min(top, saturationTopPressure());
        // The maximum, found once: golden-section search in the logarithm of the pressure.
        static const double peak = [] {
            double a = calc::elementary::log(kLowest),
                   b = calc::elementary::log(saturationTopPressure());
            const double ratio = (std::sqrt(5.0) - 1) / 2;
            for (int i = 0; i < 100 && b - a > 1e-12; ++i) {
                const double c = b - ratio * (b - a), d = a + ratio * (b - a);
                if (saturatedEnthalpy(calc::elementary::exp(c)) >
                    saturatedEnthalpy(calc::elementary::exp(d)))
                    b = d;
                else
                    a = c;
            }
            return calc::elementary::exp(0.5 * (a + b));
        }();
        std::vector<double> found;
        const auto crossing = [&](double low, double high) {
            const double lowExcess = excess(low);
            if ((lowExcess > 0) == (excess(high) > 0))
                return;
            for (int i = 0; i < 200 && high - low > 1e-13 * high; ++i) {
                const double middle = 0.5 * (low + high);
                ((excess(middle) > 0) == (lowExcess > 0) ? low : high) = middle;
            }
            found.push_back(0.5 * (low + high));
        };
        if (peak < high) {
            crossing(peak, high);
            crossing(kLowest, peak);
        } else {
            crossing(kLowest, high);
        }
        return found;
    }

private:
    // The temperature at which region 2 gives the source's enthalpy, above `low` (where the
    // enthalpy is below the source's) and at most 800 ℃: Newton's method with the slope of its
    // last two points, from the source temperature, and bisection where a step would leave the
    // bracket. The start depends on nothing but the source, so ρ(p) is a function of p alone,
    // to the bit, whatever was asked before.
    double superheated(double mpa, double low) {
        double high = kHighestKelvin;
        double kelvin = std::clamp(m_sourceKelvin, low, high);
        if97::SteamProperties state = if97::region2(mpa, kelvin);
        double excess = state.enthalpy - m_enthalpy;
        double slope = 2.0; // kJ/(kg·K), about the heat capacity of such steam
        for (int i = 0; i < 100 && excess != 0; ++i) {
            (excess < 0 ? low : high) = kelvin;
            double next = kelvin - excess / slope;
            if (!(next > low && next < high))
                next = 0.5 * (low + high);
            const if97::SteamProperties nextState = if97::region2(mpa, next);
            const double nextExcess = nextState.enthalpy - m_enthalpy;
            if ((nextExcess - excess) / (next - kelvin) > 0)
                slope = (nextExcess - excess) / (next - kelvin);
            const bool converged = std::abs(next - kelvin) <= 1e-11 * kelvin;
            kelvin = next, state = nextState, excess = nextExcess;
            if (converged)
                break;
        }
        // Throttling cools steam of region 2, so the temperature never reaches the 800 ℃ bound.
        return state.density;
    }

    bool m_superheated;
    double m_sourceKelvin;
    double m_enthalpy = 0;
    bool m_outside = false;
};

// Gauss-Legendre nodes and weights of order 8 on [-1, 1].
constexpr std::array<double, 8> kNodes{
    -0.9602898564975363, -0.7966664774136267, -0.5255324099163290, -0.1834346424956498,
    0.1834346424956498,  0.5255324099163290,  0.7966664774136267,  0.9602898564975363};
constexpr std::array<double, 8> kWeights{0.1012285362903763, 0.2223810344533745, 0.3137066458778873,
                                         0.3626837833783620, 0.3626837833783620, 0.3137066458778873,
                                         0.2223810344533745, 0.1012285362903763};

// P_0(x) … P_8(x).
std::array<double, 9> legendre(double x) {
    std::array<double, 9> p{1.0, x};
    for (int n = 1; n < 8; ++n)
        p[n + 1] = ((2 * n + 1) * x * p[n] - n * p[n - 1]) / (n + 1);
    return p;
}

// A stretch of pressure over which ρ(p) is smooth, with ρ as its Legendre series.
struct Panel {
    double low, high; // MPa
    double phiHigh;   // Φ(high)
    std::array<double, 8> series;

    double half() const { return 0.5 * (high - low); }
    double x(double mpa) const { return (mpa - 0.5 * (low + high)) / half(); }
    double density(double x) const {
        const auto p = legendre(x);
        double sum = 0;
        for (std::size_t n = 0; n < series.size(); ++n)
            sum += series[n] * p[n];
        return sum;
    }
    // ∫ from x to 1 of the series, in the panel's pressure.
    double integralAbove(double x) const {
        const auto p = legendre(x);
        double sum = series[0] * (1 - x);
        for (std::size_t n = 1; n < series.size(); ++n)
            sum += series[n] * (p[n - 1] - p[n + 1]) / static_cast<double>(2 * n + 1);
        return half() * sum;
    }
    double phiLow() const { return phiHigh + half() * 2 * series[0]; }
};

// Φ(p) = ∫ from p to the source pressure of ρ, built panel by panel as far down as a segment
// needs it.
class Antiderivative {
public:
    Antiderivative(Line& line, double source) : m_line(line) {
        // Each panel spans a tenth of its upper pressure: ρ is nearly proportional to p there,
        // and eight nodes leave an error below 1e-9 of the inlet pressure, the tolerance the
        // solver's test holds an outlet pressure to against a fine march.
        constexpr double kRatio = 0.9;
        std::vector<double> edges;
        for (double p = source; p > kLowest * 1.05; p *= kRatio)
            edges.push_back(p);
        edges.push_back(kLowest);
        for (double kink : line.kinks(source))
            if (kink > kLowest && kink < source)
                edges.push_back(kink);
        std::sort(edges.begin(), edges.end(), std::greater<>());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        m_edges = std::move(edges);
    }

    // The pressure at which Φ reaches `target` (≥ 0), none when even the lowest pressure of the
    // saturation line leaves it short.
    std::optional<double> pressureAt(double target) {
        std::size_t k = 0;
        for (;; ++k) {
            if (k + 1 >= m_edges.size())
                return std::nullopt;
            const Panel& panel = this->panel(k);
            if (panel.phiLow() >= target)
                break;
            // ρ rises with the pressure, so below `low` Φ grows by less than ρ(low) · low.
            if (target - panel.phiLow() > panel.density(-1) * 1.001 * (panel.low - kLowest) &&
                k + 2 < m_edges.size())
                return std::nullopt;
        }
        const Panel& panel = m_panels[k];
        const double need = target - panel.phiHigh;
        double low = -1, high = 1;
        double x = 1 - 2 * need / (panel.phiLow() - panel.phiHigh);
        for (int i = 0; i < 60; ++i) {
            const double excess = panel.integralAbove(x) - need; // falls as x rises
            (excess > 0 ? low : high) = x;
            double next = x + excess / (panel.half() * panel.density(x));
            if (!(next > low && next < high))
                next = 0.5 * (low + high);
            if (std::abs(next - x) <= 1e-16 || high - low <= 1e-16)
                return panel.low + panel.half() * (next + 1);
            x = next;
        }
        return panel.low + panel.half() * (x + 1);
    }

    // ρ from the panels' series, at a pressure they already reach: the curve Φ integrates.
    double density(double mpa) const {
        for (const Panel& panel : m_panels)
            if (mpa >= panel.low)
                return panel.density(panel.x(mpa));
        return m_panels.back().density(-1);
    }

private:
    const Panel& panel(std::size_t k) {
        while (m_panels.size() <= k) {
            const std::size_t i = m_panels.size();
            Panel panel{.low = m_edges[i + 1],
                        .high = m_edges[i],
                        .phiHigh = i == 0 ? 0.0 : m_panels.back().phiLow(),
                        .series = {}};
            std::array<double, 8> weighted{};
            for (std::size_t j = 0; j < kNodes.size(); ++j)
                weighted[j] =
                    kWeights[j] * m_line.density(panel.low + panel.half() * (kNodes[j] + 1));
            for (std::size_t j = 0; j < kNodes.size(); ++j) {
                const auto p = legendre(kNodes[j]);
                for (std::size_t n = 0; n < panel.series.size(); ++n)
                    panel.series[n] += (2.0 * n + 1) / 2 * weighted[j] * p[n];
            }
            m_panels.push_back(panel);
        }
        return m_panels[k];
    }

    Line& m_line;
    std::vector<double> m_edges;
    std::deque<Panel> m_panels; // stable references as it grows
};

// One pipe tried for a segment.
struct Trial {
    pipes::NamedPipe pipe;
    SegmentResult result;
    double phiOut = 0;
    double mpaOut = 0; // absolute, as the next segment starts from it
    bool fits = false; // not exhausted, end velocity not above its band, R not above the limit
};

class Solver {
public:
    explicit Solver(const Network& network)
        : m_network(network), m_source(absoluteMpa(network.source.pressure, network.source.unit)),
          m_line(network.source.superheated, m_source, network.source.temperature + kKelvin),
          m_phi(m_line, m_source),
          m_steam(network.source.superheated ? pipes::SteamKind::Superheated
                                             : pipes::SteamKind::Saturated) {}

    Result solve();

private:
    Trial trial(const Segment& segment, const pipes::NamedPipe& pipe, double flow, double pIn,
                double phiIn, double densityIn);
    bool hopeless(const pipes::NamedPipe& pipe, double flow, double densityIn) const;
    double shown(double mpa) const { return reading(mpa, m_network.source.unit); }

    const Network& m_network;
    double m_source;
    Line m_line;
    Antiderivative m_phi;
    pipes::SteamKind m_steam;
};

double area(double boreMetres) {
    return calc::kAreaFactor * boreMetres * boreMetres;
}

// R · ρ for a flow in a bore, constant along the pipe: R at a density of 1 kg/m³.
double lossTimesDensity(double roughnessMm, double flow, double boreMetres) {
    return calc::specificFrictionLoss(roughnessMm / 1000, flow, boreMetres, 1);
}

bool Solver::hopeless(const pipes::NamedPipe& pipe, double flow, double densityIn) const {
    // The velocity only rises and R only grows along the pipe, as the density falls: a pipe too
    // small at its inlet is too small.
    const double bore = pipe.boreMm() / 1000;
    const pipes::VelocityBand band = pipes::velocityBand(m_steam, static_cast<float>(bore));
    if (flow / 3.6 / area(bore) / densityIn > band.high)
        return true;
    return m_network.maxSpecificLoss &&
           lossTimesDensity(m_network.roughness, flow, bore) / densityIn >
               *m_network.maxSpecificLoss;
}

Trial Solver::trial(const Segment& segment, const pipes::NamedPipe& pipe, double flow, double pIn,
                    double phiIn, double densityIn) {
    Trial t{.pipe = pipe, .result = {}, .phiOut = 0, .fits = false};
    SegmentResult& r = t.result;
    const double bore = pipe.boreMm() / 1000;
    const double factor = 1 + segment.localLoss / 100;
    const double rho = lossTimesDensity(m_network.roughness, flow, bore);
    r.flow = flow;
    r.pipe = pipe.name;
    r.bore = pipe.boreMm();
    r.pIn = shown(pIn);
    r.densityIn = densityIn;
    r.velocityIn = flow / 3.6 / area(bore) / densityIn;
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
    r.velocityOut = flow / 3.6 / area(bore) / densityOut;
    const double drop = (pIn - out) * 1e6; // Pa
    r.pressureDrop = drop / 1000;
    // A pipe without length has the loss per metre of its inlet.
    r.specificLoss =
        segment.length * factor > 0 ? drop / (segment.length * factor) : rho / densityIn;
    const pipes::VelocityBand band = pipes::velocityBand(m_steam, static_cast<float>(bore));
    if (*r.velocityOut > band.high)
        r.verdicts.push_back(Verdict::VelocityAbove);
    else if (*r.velocityOut < band.low)
        r.verdicts.push_back(Verdict::VelocityBelow);
    const bool overLimit =
        m_network.maxSpecificLoss && *r.specificLoss > *m_network.maxSpecificLoss;
    if (overLimit)
        r.verdicts.push_back(Verdict::LossAboveLimit);
    t.fits = *r.velocityOut <= band.high && !overLimit;
    return t;
}

Result Solver::solve() {
    const auto& segments = m_network.segments;
    Result result;
    result.segments.resize(segments.size());

    // The flow of each segment: its load and every load below it.
    std::map<std::string, std::vector<std::size_t>> below; // a node's outgoing segments
    for (std::size_t i = 0; i < segments.size(); ++i)
        below[segments[i].from].push_back(i);
    std::vector<std::size_t> order; // from the source outwards
    for (std::size_t i : below[m_network.source.node])
        order.push_back(i);
    for (std::size_t k = 0; k < order.size(); ++k)
        for (std::size_t i : below[segments[order[k]].to])
            order.push_back(i);
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
            }
            nodes[segment.to] = {};
            continue;
        }
        const double densityIn = in.density;
        Trial chosen;
        if (segment.pipe != kAutoPipe) {
            chosen = trial(segment, *pipes::pipeNamed(segment.pipe).pipe, flow[i], *in.mpa, in.phi,
                           densityIn);
        } else {
            bool found = false;
            for (const pipes::CataloguePipe& pipe : series) {
                const pipes::NamedPipe named{std::string(pipe.name), pipe.outerMm, pipe.wallMm};
                if (hopeless(named, flow[i], densityIn))
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
        nodes[segment.to] =
            r.pOut ? NodeState{chosen.mpaOut, chosen.phiOut, *r.densityOut} : NodeState{};
    }
    if (m_line.outside()) {
        result = {};
        result.fault = "沿管网的蒸汽状态超出计算范围（IF97 第 2 区，或 350 ℃ 以下的饱和线）";
        return result;
    }

    result.nodes.push_back({m_network.source.node, m_network.source.pressure, {}, {}});
    for (std::size_t i = 0; i < segments.size(); ++i) {
        NodeResult node{segments[i].to, result.segments[i].pOut, segments[i].requiredPressure, {}};
        if (node.pressure && node.required)
            node.margin = *node.pressure - *node.required;
        result.nodes.push_back(node);
    }
    // The most unfavourable user: an exhausted one first, then the least margin, then, where no
    // user states a pressure it needs, the lowest pressure.
    const auto user = [&](std::size_t n) {
        return segments[n - 1].load > 0 || segments[n - 1].requiredPressure;
    };
    const auto worse = [&](std::size_t a, std::size_t b) {
        const NodeResult &x = result.nodes[a], &y = result.nodes[b];
        if (!x.pressure || !y.pressure)
            return !x.pressure && y.pressure;
        if (x.margin || y.margin)
            return x.margin && (!y.margin || *x.margin < *y.margin);
        return *x.pressure < *y.pressure;
    };
    for (std::size_t n = 1; n < result.nodes.size(); ++n)
        if (user(n) && (!result.worstNode || worse(n, *result.worstNode)))
            result.worstNode = n;
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
    case Verdict::PressureExhausted:
        return "pressure-exhausted";
    case Verdict::UpstreamExhausted:
        return "upstream-exhausted";
    case Verdict::NoSuitablePipe:
        return "no-suitable-pipe";
    }
    return {};
}

Result solve(const Network& network) {
    if (const std::optional<Fault> fault = validate(network)) {
        Result result;
        result.fault = fault->why;
        return result;
    }
    return Solver(network).solve();
}

} // namespace network
