#include "network/profile.h"

#include "files/save.h"
#include "network/cli.h"
#include "network/file.h"
#include "network/heat_loss.h"
#include "steam/if97.h"
#include "steam/properties.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace if97 = steam::if97;
using Json = nlohmann::json;

constexpr double kKelvin = 273.15;
constexpr double kLowest = 611.213e-6; // MPa, IF97's lowest saturation pressure

std::string example(const std::string& name) {
    const bool heated = name.find("heat-loss") != std::string::npos;
    return std::string(heated ? STEAM_HEAT_LOSS_EXAMPLES : STEAM_NETWORK_EXAMPLES) + "/" + name;
}

network::Network load(const std::string& path) {
    network::Reading reading = network::loadNetwork(files::pathOf(path));
    EXPECT_TRUE(reading.network) << reading.fault;
    return reading.network ? *reading.network : network::Network{};
}

// What `steam-network calc --json` prints for the file: the figures a script reads.
Json calcJson(const std::string& path) {
    std::ostringstream out, err;
    EXPECT_EQ(network::runCommandLine(std::vector<std::string>{"calc", "--json", path}, out, err),
              0)
        << err.str();
    return Json::parse(out.str());
}

// The segments from the source to node n (the source 0, then each segment's to-node), walked
// up by the segments' names.
std::vector<std::size_t> pathTo(const network::Network& n, std::size_t node) {
    std::vector<std::size_t> path;
    for (std::size_t at = node; at > 0;) {
        path.insert(path.begin(), at - 1);
        const std::string& from = n.segments[at - 1].from;
        at = 0;
        for (std::size_t i = 0; i < n.segments.size(); ++i)
            if (n.segments[i].to == from)
                at = i + 1;
    }
    return path;
}

std::optional<double> numberOrNone(const Json& value) {
    return value.is_null() ? std::nullopt : std::optional(value.get<double>());
}

// Every node of every example, and the default: the node points the command's figures to the
// printed digits, the distances the lengths summed along the path, the points by distance with
// the pressure falling.
TEST(Profile, EveryNodeIsTheCommandsFigureAtTheSumOfTheLengths) {
    for (const char* name :
         {"saturated-network.json", "superheated-network.json", "forty-segments.json",
          "saturated-heat-loss.json", "superheated-heat-loss.json"}) {
        SCOPED_TRACE(name);
        const network::Network n = load(example(name));
        const network::Result result = network::solve(n);
        const Json json = calcJson(example(name));
        const Json& nodes = json["nodes"];
        ASSERT_EQ(nodes.size(), n.segments.size() + 1);
        for (std::size_t node = 0; node < nodes.size(); ++node) {
            SCOPED_TRACE(node);
            const std::optional<network::Profile> made = network::profile(n, result, node);
            ASSERT_TRUE(made);
            EXPECT_EQ(made->title, n.title);
            EXPECT_EQ(made->heatLoss, n.heatLoss.has_value());
            const std::vector<std::size_t> path = pathTo(n, node);
            ASSERT_EQ(made->nodes.size(), path.size() + 1);
            ASSERT_EQ(made->spans.size(), path.size());
            double distance = 0;
            std::vector<double> at{0};
            for (std::size_t k = 0; k < path.size(); ++k) {
                EXPECT_EQ(made->spans[k].segment, path[k]);
                EXPECT_EQ(made->spans[k].from, distance);
                distance += n.segments[path[k]].length;
                EXPECT_EQ(made->spans[k].to, distance);
                EXPECT_FALSE(made->spans[k].exhaustedAt);
                at.push_back(distance);
            }
            std::size_t nodePoints = 0;
            for (std::size_t k = 0; k < made->points.size(); ++k) {
                const network::ProfilePoint& p = made->points[k];
                if (k > 0) {
                    EXPECT_LT(made->points[k - 1].distance, p.distance);
                    EXPECT_LE(p.pressure, made->points[k - 1].pressure);
                }
                // Saturated steam stays at its saturation temperature, superheated above it.
                if (n.source.superheated) {
                    EXPECT_GT(*p.temperature, *p.saturation) << p.distance;
                } else {
                    EXPECT_NEAR(*p.temperature, *p.saturation, 1e-9) << p.distance;
                }
                if (!p.node)
                    continue;
                const std::size_t on = nodePoints++;
                ASSERT_LT(on, made->nodes.size());
                const std::size_t expected = on == 0 ? 0 : path[on - 1] + 1;
                EXPECT_EQ(*p.node, expected);
                EXPECT_EQ(p.distance, at[on]);
                EXPECT_EQ(p.pressure, nodes[expected]["pressure"].get<double>());
                EXPECT_EQ(p.temperature, numberOrNone(nodes[expected]["temperature"]));
                const network::ProfileNode& marker = made->nodes[on];
                EXPECT_EQ(marker.name, nodes[expected]["name"].get<std::string>());
                EXPECT_EQ(marker.distance, at[on]);
                EXPECT_EQ(marker.required, numberOrNone(nodes[expected]["required"]));
                EXPECT_EQ(marker.margin, numberOrNone(nodes[expected]["margin"]));
                EXPECT_EQ(marker.temperatureMargin,
                          numberOrNone(nodes[expected]["temperatureMargin"]));
            }
            EXPECT_EQ(nodePoints, path.size() + 1);
            EXPECT_EQ(made->points.back().node, node);
        }
        // The most unfavourable user by default: the least margin among the users that need a
        // pressure, as the command's figures give it.
        std::optional<std::size_t> worst;
        for (std::size_t k = 1; k < nodes.size(); ++k)
            if (!nodes[k]["margin"].is_null() &&
                (!worst || nodes[k]["margin"] < nodes[*worst]["margin"]))
                worst = k;
        if (worst) {
            const std::optional<network::Profile> made = network::profile(n, result);
            ASSERT_TRUE(made);
            EXPECT_EQ(made->nodes.back().node, *worst);
        }
    }
}

// ρ of the steam of the source's enthalpy at p, the test's own: dry saturated vapour at or below
// the vapour's enthalpy, else region 2 at the temperature bisected for that enthalpy.
struct Steam {
    double kelvin, density;
};
Steam steamAt(double mpa, double enthalpy) {
    const double saturated = if97::saturationTemperature(mpa);
    const if97::SteamProperties vapour = if97::region2(mpa, saturated);
    if (enthalpy <= vapour.enthalpy)
        return {saturated, vapour.density};
    double low = saturated, high = 1073.15;
    for (int i = 0; i < 60; ++i) {
        const double middle = 0.5 * (low + high);
        (if97::region2(mpa, middle).enthalpy < enthalpy ? low : high) = middle;
    }
    const double kelvin = 0.5 * (low + high);
    return {kelvin, if97::region2(mpa, kelvin).density};
}

// The superheated example to its most unfavourable user: each point inside a segment within
// 1e-9 of its inlet pressure of a Runge-Kutta march of dp/dx = -(1 + α) · R from the inlet (R at
// the density of the source's enthalpy), its temperature the steam's at that pressure; and each
// piece straight: the march's pressure at its middle within the path's fall / 2000 of the line
// between its ends, half a pixel at 1000.
TEST(Profile, ASegmentsInsideIsAFineMarchOfItsGradient) {
    const network::Network n = load(example("superheated-network.json"));
    const network::Result result = network::solve(n);
    const std::optional<network::Profile> made = network::profile(n, result);
    ASSERT_TRUE(made);
    const steam::PressureUnit& unit = n.source.unit;
    const double source = unit.absoluteMpa(n.source.pressure);
    const double enthalpy = if97::region2(source, n.source.temperature + kKelvin).enthalpy;
    const double fall = n.source.pressure - made->points.back().pressure;
    int inside = 0;
    for (const network::ProfileSpan& span : made->spans) {
        const network::Segment& segment = n.segments[span.segment];
        const network::SegmentResult& r = result.segments[span.segment];
        // R · ρ of the friction formula, Pa/m · kg/m³, times 1 + α.
        const double rho = (1 + segment.localLoss / 100) * 0.00688 *
                           std::pow(n.roughness / 1000, 0.25) * r.flow * r.flow /
                           std::pow(r.bore / 1000, 5.25);
        const auto slope = [&](double pa) { return -rho / steamAt(pa / 1e6, enthalpy).density; };
        double x = 0, pa = unit.absoluteMpa(*r.pIn) * 1e6;
        const double inlet = pa / 1e6;
        // From x to `to` in steps of at most a four-hundredth of the segment.
        const auto marchTo = [&](double to) {
            const int steps =
                std::max(1, static_cast<int>(std::ceil((to - x) * 400 / segment.length)));
            const double h = (to - x) / steps;
            for (int i = 0; i < steps; ++i) {
                const double k1 = slope(pa), k2 = slope(pa + h / 2 * k1),
                             k3 = slope(pa + h / 2 * k2), k4 = slope(pa + h * k3);
                pa += h / 6 * (k1 + 2 * k2 + 2 * k3 + k4);
            }
            x = to;
            return pa / 1e6;
        };
        std::vector<network::ProfilePoint> points;
        for (const network::ProfilePoint& p : made->points)
            if (p.distance >= span.from && p.distance <= span.to)
                points.push_back(p);
        ASSERT_GE(points.size(), 3u) << "the ends and the middle at least";
        for (std::size_t k = 1; k < points.size(); ++k) {
            const network::ProfilePoint &a = points[k - 1], &b = points[k];
            const double middle = marchTo(0.5 * (a.distance + b.distance) - span.from);
            EXPECT_LE(std::abs(unit.reading(middle) - 0.5 * (a.pressure + b.pressure)), fall / 2000)
                << "the piece before " << b.distance << " m is not straight";
            const double mpa = marchTo(b.distance - span.from);
            EXPECT_NEAR(unit.absoluteMpa(b.pressure), mpa, 1e-9 * inlet) << b.distance;
            EXPECT_NEAR(*b.temperature, steamAt(mpa, enthalpy).kelvin - kKelvin, 1e-6)
                << b.distance;
            EXPECT_NEAR(*b.saturation,
                        if97::saturationTemperature(unit.absoluteMpa(b.pressure)) - kKelvin, 1e-9);
            inside += b.node ? 0 : 1;
        }
    }
    EXPECT_GE(inside, 4);
}

// The superheated main losing heat: each point within 1e-8 of a Runge-Kutta march of the test's
// own of the same equations (heat_line.h's), dp/dx = -R(ρ(p, h)) and dh/dx = -k·q(T)/ṁ at the
// constant flow of steam that stays superheated, with the insulated pipe's loss per metre.
TEST(Profile, WithHeatLossTheInsideIsAFineMarchOfTheSameLoss) {
    const network::Network n = load(example("superheated-heat-loss.json"));
    const network::Result result = network::solve(n);
    const std::optional<network::Profile> made = network::profile(n, result);
    ASSERT_TRUE(made);
    ASSERT_EQ(made->spans.size(), 1u);
    const network::Segment& segment = n.segments[0];
    ASSERT_EQ(segment.pipe, "D325x8");
    const double outer = 0.325, bore = outer - 2 * 0.008, flow = segment.load; // m, t/h
    const network::heat::InsulatedPipe pipe(
        outer, segment.insulation / 1000, n.heatLoss->insulation, segment.laying, n.heatLoss->air);
    // Rock wool's step in the loss lies below the steam's temperatures: the loss is smooth.
    ASSERT_TRUE(!pipe.stepC() || *pipe.stepC() < *made->points.back().temperature);
    const double c = 0.00688 * std::pow(n.roughness / 1000, 0.25) * flow * flow /
                     std::pow(bore, 5.25) * (1 + segment.localLoss / 100);
    const auto slope = [&](std::array<double, 2> y) { // p MPa, h kJ/kg
        const Steam steam = steamAt(y[0], y[1]);
        const double loss = n.heatLoss->factor * pipe.at(steam.kelvin - kKelvin).perMetre;
        return std::array<double, 2>{-c / steam.density / 1e6, -loss / 1000 / (flow / 3.6)};
    };
    const double source = n.source.unit.absoluteMpa(n.source.pressure);
    std::array<double, 2> y{source, if97::region2(source, n.source.temperature + kKelvin).enthalpy};
    double x = 0;
    int inside = 0;
    for (const network::ProfilePoint& p : made->points) {
        const int steps = static_cast<int>(std::ceil((p.distance - x) / 5));
        const double h = steps > 0 ? (p.distance - x) / steps : 0;
        const auto add = [](std::array<double, 2> a, std::array<double, 2> d, double by) {
            return std::array<double, 2>{a[0] + by * d[0], a[1] + by * d[1]};
        };
        for (int i = 0; i < steps; ++i) {
            const auto k1 = slope(y), k2 = slope(add(y, k1, h / 2)), k3 = slope(add(y, k2, h / 2)),
                       k4 = slope(add(y, k3, h));
            y = add(add(add(add(y, k1, h / 6), k2, h / 3), k3, h / 3), k4, h / 6);
        }
        x = p.distance;
        EXPECT_NEAR(n.source.unit.absoluteMpa(p.pressure), y[0], 1e-8 * source) << p.distance;
        EXPECT_NEAR(*p.temperature, steamAt(y[0], y[1]).kelvin - kKelvin, 1e-6) << p.distance;
        inside += p.node ? 0 : 1;
    }
    EXPECT_GE(inside, 8) << "more than the integration's few long steps";
}

// A segment too long for its pressure: the curve stops where the pressure runs out, at the
// distance where ∫ρ dp from its inlet down to IF97's lowest pressure (Simpson's rule in the
// test) equals (1 + α) · R · ρ · x, and nothing is drawn below it; the segment failing.
// How far segment `i`'s steam goes from `inlet` (MPa, absolute) until ∫ρ dp runs out at the
// saturation line's lowest pressure: Simpson's rule in the logarithm of p, where ρ is nearly
// proportional to p, over the friction formula's ρ-free factor.
double reachOf(const network::Network& n, const network::SegmentResult& r, std::size_t i,
               double inlet) {
    const auto density = [](double mpa) {
        return if97::region2(mpa, if97::saturationTemperature(mpa)).density;
    };
    const int steps = 20000;
    const double a = std::log(kLowest), b = std::log(inlet), h = (b - a) / steps;
    double sum = 0;
    for (int k = 0; k <= steps; ++k) {
        const double p = std::exp(a + k * h);
        sum += (k == 0 || k == steps ? 1 : k % 2 ? 4 : 2) * density(p) * p;
    }
    const double rho = (1 + n.segments[i].localLoss / 100) * 0.00688 *
                       std::pow(n.roughness / 1000, 0.25) * r.flow * r.flow /
                       std::pow(r.bore / 1000, 5.25);
    return sum * h / 3 * 1e6 / rho;
}

TEST(Profile, AnExhaustedSegmentEndsWhereItsPressureRunsOut) {
    network::Network n = load(example("saturated-network.json"));
    n.segments[2].length = 3000; // J2 to J3, D159x5, with 烘干车间 and two more users below
    const network::Result result = network::solve(n);
    std::size_t dryer = 0;
    while (result.nodes[dryer].name != "烘干车间")
        ++dryer;
    const std::optional<network::Profile> made = network::profile(n, result, dryer);
    ASSERT_TRUE(made);
    ASSERT_EQ(made->spans.size(), 4u);
    const network::ProfileSpan& exhausted = made->spans[2];
    EXPECT_TRUE(exhausted.failing);
    EXPECT_TRUE(made->spans[3].failing);
    EXPECT_FALSE(made->spans[3].exhaustedAt);
    ASSERT_TRUE(exhausted.exhaustedAt);

    const network::SegmentResult& r = result.segments[2];
    const double reach = reachOf(n, r, 2, n.source.unit.absoluteMpa(*r.pIn));
    EXPECT_NEAR(*exhausted.exhaustedAt - exhausted.from, reach, 1e-6 * reach);

    const network::ProfilePoint& last = made->points.back();
    EXPECT_EQ(last.distance, *exhausted.exhaustedAt);
    EXPECT_EQ(last.pressure, n.source.unit.reading(kLowest));
    EXPECT_FALSE(last.node);
    for (const network::ProfilePoint& p : made->points)
        EXPECT_LE(p.distance, *exhausted.exhaustedAt);
    EXPECT_FALSE(made->nodes[3].pressure);
    EXPECT_FALSE(made->nodes[4].pressure);

    // A source within a few per cent of the line's end: its first segment runs out as far
    // from it as its own ∫ρ dp reaches.
    n.source.unit = steam::kMPaAbsolute;
    n.source.pressure = kLowest * 1.02;
    const network::Result starved = network::solve(n);
    const std::optional<network::Profile> low = network::profile(n, starved, dryer);
    ASSERT_TRUE(low);
    ASSERT_TRUE(low->spans[0].exhaustedAt);
    EXPECT_EQ(low->points.front().pressure, n.source.pressure);
    const double first = reachOf(n, starved.segments[0], 0, n.source.pressure);
    EXPECT_NEAR(*low->spans[0].exhaustedAt, first, 1e-6 * first);
}

TEST(Profile, NoneForANodeNotInTheResultOrAResultNotComputed) {
    const network::Network n = load(example("saturated-network.json"));
    const network::Result result = network::solve(n);
    EXPECT_TRUE(network::profile(n, result, n.segments.size()));
    EXPECT_FALSE(network::profile(n, result, n.segments.size() + 1));
    network::Result refused;
    refused.fault = "管网中没有管段";
    EXPECT_FALSE(network::profile(n, refused));
    EXPECT_FALSE(network::profile(n, network::Result{}));
}

} // namespace
