#include "network/solver_parts.h"

#include "calc/state.h"
#include "network/steam_line.h"
#include "steam/if97.h"
#include "steam/if97_fast.h"

#include <algorithm>

namespace network::solver_parts {

namespace {

namespace if97 = steam::if97;
namespace fast = steam::if97::fast;

constexpr double kKelvin = 273.15;

} // namespace

std::optional<double> superheatAt(double mpa, const SteamPoint& steam) {
    if (steam.saturated)
        return 0.0;
    if (mpa > if97::kCriticalPressure)
        return std::nullopt;
    // fast's T_s has if97's bits, for a fraction of its cost.
    return steam.kelvin - fast::saturation(mpa).kelvin;
}

double area(double boreMetres) {
    return calc::kAreaFactor * boreMetres * boreMetres;
}

double Friction::lossTimesDensity(double flow, double boreMetres) const {
    auto [at, fresh] = m_powers.try_emplace(boreMetres);
    if (fresh)
        at->second = calc::frictionPowers(m_roughness, boreMetres);
    return calc::specificFrictionLoss(at->second, flow, 1);
}

bool hopeless(const Network& network, pipes::SteamKind steam, const Friction& friction,
              const pipes::NamedPipe& pipe, double flow, double densityIn) {
    // Without heat loss the velocity only rises and R only grows along the pipe, as the density
    // falls: a pipe too small at its inlet is too small. With heat loss the flow falls along it
    // and cooling makes superheated steam denser, so its end may be slower; the rule is kept so
    // that both solvers size alike.
    const double bore = pipe.boreMm() / 1000;
    const pipes::VelocityBand band = pipes::velocityBand(steam, static_cast<float>(bore));
    if (flow / 3.6 / area(bore) / densityIn > band.high)
        return true;
    return network.maxSpecificLoss &&
           friction.lossTimesDensity(flow, bore) / densityIn > *network.maxSpecificLoss;
}

Tree tree(const Network& network) {
    Tree t;
    const auto& segments = network.segments;
    for (std::size_t i = 0; i < segments.size(); ++i)
        t.below[segments[i].from].push_back(i);
    for (std::size_t i : t.below[network.source.node])
        t.order.push_back(i);
    for (std::size_t k = 0; k < t.order.size(); ++k)
        for (std::size_t i : t.below[segments[t.order[k]].to])
            t.order.push_back(i);
    return t;
}

SteamPoint steamPoint(double mpa, double enthalpy) {
    double low = 0;
    if (mpa <= steam_line::saturationTopPressure()) {
        low = if97::saturationTemperature(mpa);
        const if97::SteamProperties vapour = if97::region2(mpa, low);
        if (enthalpy <= vapour.enthalpy)
            return {low, vapour.density, true};
    } else {
        // Above 350 ℃ on the saturation line region 2 ends at its boundary to region 3: a state
        // below it is one the solvers refuse, and only has to be finite here.
        low = std::max(steam_line::kSaturationTop, if97::b23Temperature(mpa));
        const if97::SteamProperties edge = if97::region2(mpa, low);
        if (enthalpy <= edge.enthalpy)
            return {low, edge.density, false};
    }
    const double kelvin = if97::region2Temperature(mpa, enthalpy, low);
    return {kelvin, if97::region2(mpa, kelvin).density, false};
}

bool judgeEnd(const Network& network, pipes::SteamKind steam, double boreMetres, SegmentResult& r) {
    const pipes::VelocityBand band = pipes::velocityBand(steam, static_cast<float>(boreMetres));
    if (*r.velocityOut > band.high)
        r.verdicts.push_back(Verdict::VelocityAbove);
    else if (*r.velocityOut < band.low)
        r.verdicts.push_back(Verdict::VelocityBelow);
    const bool overLimit = network.maxSpecificLoss && *r.specificLoss > *network.maxSpecificLoss;
    if (overLimit)
        r.verdicts.push_back(Verdict::LossAboveLimit);
    return *r.velocityOut <= band.high && !overLimit;
}

// The temperature of steam at p of the source's enthalpy, from the fast forms: these figures are
// new beside the hydraulics, which keep steamPoint's, and at every keystroke they would
// otherwise cost the network a fifth of its time. Starting from the inlet's temperature, Newton
// takes two or three evaluations of region 2.
SteamPoint adiabaticPoint(double mpa, double enthalpy, double inletKelvin) {
    if (mpa > steam_line::saturationTopPressure())
        return steamPoint(mpa, enthalpy);
    const double saturated = fast::saturation(mpa).kelvin;
    if (enthalpy <= fast::region2(mpa, saturated).enthalpy)
        return {saturated, 0, true};
    const fast::Superheated found =
        fast::region2AtEnthalpy(mpa, enthalpy, saturated, std::max(inletKelvin, saturated));
    return {found.kelvin, found.vapour.density, false};
}

void adiabaticTemperatures(const Network& network, const std::vector<std::optional<double>>& mpaOut,
                           Result& result) {
    const double source = network.source.unit.absoluteMpa(network.source.pressure);
    const bool superheated = network.source.superheated;
    const double enthalpy =
        superheated ? if97::region2(source, network.source.temperature + kKelvin).enthalpy : 0.0;
    const double sourceC =
        superheated ? network.source.temperature : if97::saturationTemperature(source) - kKelvin;
    std::map<std::string, std::optional<double>> celsius{{network.source.node, sourceC}};
    for (std::size_t i : tree(network).order) {
        SegmentResult& r = result.segments[i];
        r.flowOut = r.flow;
        r.tIn = celsius[network.segments[i].from];
        if (r.tIn && mpaOut[i]) {
            const double mpa = *mpaOut[i];
            // Saturated steam stays dry saturated vapour; superheated keeps its enthalpy.
            const SteamPoint steam = superheated
                                         ? adiabaticPoint(mpa, enthalpy, *r.tIn + kKelvin)
                                         : SteamPoint{fast::saturation(mpa).kelvin, 0, true};
            r.tOut = steam.kelvin - kKelvin;
            r.superheatOut = superheatAt(mpa, steam);
        }
        celsius[network.segments[i].to] = r.tOut;
    }
}

heat_line::Outlet integrateHeat(const Network& network, const Segment& segment,
                                const heat::InsulatedPipe& insulated, const Friction& friction,
                                double bore, const heat_line::Steam& inlet, double length,
                                double tolerance) {
    const double k = network.heatLoss->factor;
    const heat_line::LossPerMetre loss = [&](double celsius) {
        return k * insulated.at(celsius).perMetre;
    };
    return heat_line::integrate(inlet,
                                {length, segment.localLoss / 100, network.roughness / 1000, bore,
                                 friction.lossTimesDensity(1, bore)},
                                loss, insulated.stepC(), tolerance);
}

void placeNodes(const Network& network, double sourceC, Result& result) {
    const auto& segments = network.segments;
    const double source = network.source.unit.absoluteMpa(network.source.pressure);
    const NodeResult first{
        .name = network.source.node,
        .pressure = network.source.pressure,
        .temperature = sourceC,
        .superheat = superheatAt(source, {sourceC + kKelvin, 0, !network.source.superheated})};
    result.nodes.push_back(first);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        SegmentResult& r = result.segments[i];
        NodeResult node{
            .name = segments[i].to, .pressure = r.pOut, .required = segments[i].requiredPressure};
        if (node.pressure && node.required)
            node.margin = *node.pressure - *node.required;
        node.temperature = r.tOut;
        node.superheat = r.superheatOut;
        node.requiredTemperature = segments[i].requiredTemperature;
        if (node.temperature && node.requiredTemperature) {
            node.temperatureMargin = *node.temperature - *node.requiredTemperature;
            if (*node.temperatureMargin < 0)
                r.verdicts.push_back(Verdict::TemperatureBelowRequired);
        }
        result.nodes.push_back(node);
        if (segments[i].from == network.source.node)
            result.sourceFlow += r.flow;
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
}

} // namespace network::solver_parts
