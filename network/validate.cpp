#include "network/network.h"

#include "calc/numbers.h"
#include "files/text.h"
#include "network/faults.h"
#include "steam/if97.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <variant>
#include <vector>

namespace network {

namespace {

using files::firstNonUtf8;
using files::inQuotes;

constexpr double kKelvin = 273.15;
// The network's steam is IF97 region 2, or the saturation line up to 350 ℃, where region 4
// leaves regions 1 and 2 for region 3: above it the saturated vapour is dense region-3 steam.
constexpr double kHighestSaturatedKelvin = 623.15;
constexpr double kHighestCelsius = 800;
constexpr double kHighestMpa = 100;
// The heat loss's limits: the air a plant stands in, a storm's wind, the standard's additional
// losses (typically 1.1 to 1.3) with room to spare, and a metre of insulation. A required
// temperature beyond the network's steam (at most 800 ℃, and never below 0 ℃ in region 2 or on the
// saturation line) could never be met, or never missed: a slip of the keyboard either way.
constexpr double kColdestAir = -50;
constexpr double kWarmestAir = 60;
constexpr double kStrongestWind = 40;
constexpr double kLeastFactor = 1;
constexpr double kGreatestFactor = 3;
constexpr double kThickestInsulation = 1000;
constexpr double kLowestRequiredCelsius = 0;

Fault topFault(std::string field, std::string why) {
    return {std::move(field), std::nullopt, std::move(why)};
}

// Text a grid cell, a title bar and a one-line message can show: UTF-8 without control
// characters, which would break the grid's tab-separated rows and the message's one line.
std::optional<std::string> textFault(std::string_view text, std::string_view what) {
    if (firstNonUtf8(text))
        return std::string(what) + "不是有效的 UTF-8 文本";
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return std::string(what) + "含有控制字符（如换行、制表符）";
    return std::nullopt;
}

std::optional<std::string> nameFault(std::string_view name, std::string_view what) {
    if (name.empty())
        return std::string(what) + "的名称为空";
    return textFault(name, std::string(what) + "的名称");
}

// A length, a load or a local loss: any finite figure from 0 up.
std::optional<std::string> nonNegativeFault(double value, std::string_view what) {
    if (!std::isfinite(value))
        return notFinite(what);
    if (value < 0)
        return std::string(what) + "不得为负";
    return std::nullopt;
}

// A figure that must be above 0, as a roughness or a conductivity.
std::optional<std::string> positiveFault(double value, std::string_view what) {
    if (!std::isfinite(value))
        return notFinite(what);
    if (!(value > 0))
        return std::string(what) + "须大于 0";
    return std::nullopt;
}

// A figure between two limits, both allowed; `unit` with its blank before it.
std::optional<std::string> betweenFault(double value, std::string_view what, double low,
                                        double high, std::string_view unit) {
    if (!std::isfinite(value))
        return notFinite(what);
    if (value < low || value > high)
        return std::string(what) + "须在 " + calc::shortestText(low) + "～" +
               calc::shortestText(high) + std::string(unit) + " 之间";
    return std::nullopt;
}

std::optional<Fault> heatLossFault(const HeatLoss& heat) {
    const auto fault = [](std::string_view key, std::string why) {
        return topFault("heatLoss." + std::string(key), std::move(why));
    };
    const heat::Surroundings& air = heat.air;
    if (std::optional<std::string> why =
            betweenFault(air.ambient, "环境温度", kColdestAir, kWarmestAir, " ℃"))
        return fault("ambient", *why);
    if (std::optional<std::string> why = betweenFault(air.wind, "风速", 0, kStrongestWind, " m/s"))
        return fault("wind", *why);
    if (const double* conductivity = std::get_if<double>(&heat.insulation))
        if (std::optional<std::string> why = positiveFault(*conductivity, "保温材料的导热系数"))
            return fault("insulation", *why);
    if (!std::isfinite(air.emissivity))
        return fault("emissivity", notFinite("外表面黑度"));
    if (!(air.emissivity > 0 && air.emissivity <= 1))
        return fault("emissivity", "外表面黑度须大于 0 且不大于 1");
    if (air.surfaceCoefficient)
        if (std::optional<std::string> why = positiveFault(*air.surfaceCoefficient, "表面放热系数"))
            return fault("surfaceCoefficient", *why);
    if (std::optional<std::string> why =
            betweenFault(heat.factor, "散热附加系数", kLeastFactor, kGreatestFactor, ""))
        return fault("factor", *why);
    return std::nullopt;
}

std::optional<Fault> sourceFault(const Source& source) {
    if (std::optional<std::string> why = nameFault(source.node, "热源节点"))
        return topFault("source.node", *why);
    if (!std::isfinite(source.pressure))
        return topFault("source.pressure", notFinite("热源压力"));
    const double p = source.unit.absoluteMpa(source.pressure);
    if (!(p > 0))
        return topFault("source.pressure",
                        "热源压力折合绝压为 " + calc::decimalText(p, 6) + " MPa，须大于 0");
    if (p > kHighestMpa)
        return topFault("source.pressure", "热源压力高于 100 MPa（绝压），超出计算范围");

    if (!source.superheated) {
        const double highest = steam::if97::saturationPressure(kHighestSaturatedKelvin);
        if (p < steam::if97::kLowestSaturationPressure || p > highest)
            return topFault("source.pressure", "饱和蒸汽的压力须在 611.213 Pa～" +
                                                   calc::decimalText(highest, 3) +
                                                   " MPa（绝压，350 ℃ 的饱和压力）之间");
        return std::nullopt;
    }

    const double celsius = source.temperature;
    if (!std::isfinite(celsius))
        return topFault("source.temperature", notFinite("过热蒸汽的温度"));
    if (celsius > kHighestCelsius)
        return topFault("source.temperature", "过热蒸汽的温度高于 800 ℃，超出计算范围");
    const double kelvin = celsius + kKelvin;
    if (p >= steam::if97::kLowestSaturationPressure && p <= steam::if97::kCriticalPressure) {
        const double saturation = steam::if97::saturationTemperature(p);
        if (!(kelvin > saturation))
            return topFault("source.temperature", "过热蒸汽的温度须高于该压力下的饱和温度 " +
                                                      calc::decimalText(saturation - kKelvin, 2) +
                                                      " ℃");
    }
    // Only below 611.213 Pa, where the saturation temperature is under 0 ℃ and region 2 ends.
    if (celsius < 0)
        return topFault("source.temperature", "过热蒸汽的温度低于 0 ℃，超出计算范围");
    // Region 2 ends at the B23 line above 350 ℃. At or below 350 ℃ the check above has kept a
    // state under the critical pressure off the saturation line; what is left is supercritical
    // pressure over cold steam, which is region 1 or 3.
    const bool region2 = kelvin > kHighestSaturatedKelvin
                             ? p <= steam::if97::b23Pressure(kelvin)
                             : p <= steam::if97::saturationPressure(kHighestSaturatedKelvin);
    if (!region2)
        return topFault(
            "source.temperature",
            "该压力下 " + calc::decimalText(celsius, 2) +
                " ℃ 的蒸汽是接近临界点的稠密流体（IF97 第 2 区之外），不在管网的计算范围");
    return std::nullopt;
}

// Where each node is fed from, walking towards the source along each node's first feeding
// segment: the source, a node nothing feeds, or round a loop. Each node's answer is kept, so
// that a long chain is walked once, not once for every segment on it.
class Reach {
public:
    Reach(const Network& network, const std::unordered_map<std::string, std::size_t>& feeder)
        : m_network(network), m_feeder(feeder) {}

    std::optional<std::string> fault(const std::string& from) {
        const End& end = endOf(from);
        if (end.kind == Kind::Source)
            return std::nullopt;
        if (end.kind == Kind::Loop)
            return "起点 " + inQuotes(from) + " 接在一个环路上，到不了热源：管网须是从热源出发的树";
        if (end.node == from)
            return "起点 " + inQuotes(from) + " 不是热源，也没有管段通到它";
        return "起点 " + inQuotes(from) + " 与热源不相连：没有管段通到 " + inQuotes(end.node);
    }

private:
    enum class Kind { Source, Unfed, Loop };
    struct End {
        Kind kind;
        std::string node; // the node nothing feeds
    };

    const End& endOf(const std::string& from) {
        static const End kSource{Kind::Source, {}};
        if (from == m_network.source.node)
            return kSource;
        std::vector<std::string> path;
        std::unordered_set<std::string> onPath;
        std::string node = from;
        End end{Kind::Source, {}};
        while (node != m_network.source.node) {
            if (const auto known = m_known.find(node); known != m_known.end()) {
                end = known->second;
                break;
            }
            if (!onPath.insert(node).second) {
                end = {Kind::Loop, {}};
                break;
            }
            path.push_back(node);
            const auto fed = m_feeder.find(node);
            if (fed == m_feeder.end()) {
                end = {Kind::Unfed, node};
                break;
            }
            node = m_network.segments[fed->second].from;
        }
        for (const std::string& passed : path)
            m_known.insert_or_assign(passed, end);
        return m_known.at(from);
    }

    const Network& m_network;
    const std::unordered_map<std::string, std::size_t>& m_feeder;
    std::unordered_map<std::string, End> m_known;
};

// What a segment's checks against the others need: each name's first segment, each node's first
// feeding segment, and the walks towards the source.
struct Others {
    const std::unordered_map<std::string, std::size_t>& named;
    const std::unordered_map<std::string, std::size_t>& feeder;
    Reach& reach;
};

// A segment's faults in the order of its fields, the first of each field only; those that need
// the other segments (a name repeated, a from-node the source does not reach, a to-node fed a
// second time) only where `others` is given.
std::vector<Fault> segmentFaults(const Network& network, std::size_t index, Others* others) {
    const Segment& s = network.segments[index];
    std::vector<Fault> faults;
    const auto fault = [&](std::string field, std::string why) {
        faults.push_back({std::move(field), index, std::move(why)});
    };
    const auto earlier = [&](const std::unordered_map<std::string, std::size_t>& firsts,
                             const std::string& key) -> std::optional<std::size_t> {
        const std::size_t first = firsts.at(key);
        return first < index ? std::optional(first) : std::nullopt;
    };

    if (std::optional<std::string> why = nameFault(s.name, "管段"))
        fault("name", *why);
    else if (std::optional<std::size_t> first =
                 others ? earlier(others->named, s.name) : std::nullopt)
        fault("name", "管段名称 " + inQuotes(s.name) + " 与" + segmentNumber(*first) + "重复");
    if (std::optional<std::string> why = nameFault(s.from, "起点节点"))
        fault("from", *why);
    else if (std::optional<std::string> why = others ? others->reach.fault(s.from) : std::nullopt)
        fault("from", *why);
    if (std::optional<std::string> why = nameFault(s.to, "终点节点"))
        fault("to", *why);
    else if (s.to == network.source.node)
        fault("to", "终点是热源 " + inQuotes(s.to) + "：没有管段能通向热源");
    else if (std::optional<std::size_t> first =
                 others ? earlier(others->feeder, s.to) : std::nullopt)
        fault("to", "节点 " + inQuotes(s.to) + " 已由" + segmentNumber(*first) +
                        "供汽：一个节点只能由一个管段供汽");
    if (std::optional<std::string> why = nonNegativeFault(s.length, "长度"))
        fault("length", *why);
    if (std::optional<std::string> why = nonNegativeFault(s.localLoss, "局部阻力损失"))
        fault("localLoss", *why);
    if (std::optional<std::string> why = textFault(s.pipe, "管子的名称"))
        fault("pipe", *why);
    else if (s.pipe != kAutoPipe) {
        if (pipes::PipeLookup lookup = pipes::pipeNamed(s.pipe); !lookup.pipe)
            fault("pipe", std::move(lookup.fault));
    }
    if (std::optional<std::string> why = nonNegativeFault(s.load, "负荷"))
        fault("load", *why);
    if (s.requiredPressure && !std::isfinite(*s.requiredPressure))
        fault("requiredPressure", notFinite("要求压力"));
    // Checked whether the network loses heat or not: the file keeps them either way.
    if (std::optional<std::string> why =
            betweenFault(s.insulation, "保温层厚度", 0, kThickestInsulation, " mm"))
        fault("insulation", *why);
    if (s.requiredTemperature)
        if (std::optional<std::string> why = betweenFault(
                *s.requiredTemperature, "要求温度", kLowestRequiredCelsius, kHighestCelsius, " ℃"))
            fault("requiredTemperature", *why);
    return faults;
}

} // namespace

std::optional<Fault> validate(const Network& network) {
    if (std::optional<std::string> why = textFault(network.title, "标题"))
        return topFault("title", *why);
    if (std::optional<Fault> fault = sourceFault(network.source))
        return fault;
    // Zero roughness would be pipe without friction: every user at the source pressure, a
    // result that looks computed and is not.
    if (std::optional<std::string> why = positiveFault(network.roughness, "粗糙度"))
        return topFault("roughness", *why);
    if (network.maxSpecificLoss &&
        !(std::isfinite(*network.maxSpecificLoss) && *network.maxSpecificLoss > 0))
        return topFault("maxSpecificLoss", "比摩阻上限须是大于 0 的有限数");
    if (network.heatLoss)
        if (std::optional<Fault> fault = heatLossFault(*network.heatLoss))
            return fault;

    // Each name's first segment, and each node's first feeding segment: later ones are the
    // faults, and the walks towards the source follow the first.
    std::unordered_map<std::string, std::size_t> named;
    std::unordered_map<std::string, std::size_t> feeder;
    for (std::size_t i = 0; i < network.segments.size(); ++i) {
        named.try_emplace(network.segments[i].name, i);
        feeder.try_emplace(network.segments[i].to, i);
    }
    Reach reach(network, feeder);
    Others others{named, feeder, reach};
    for (std::size_t i = 0; i < network.segments.size(); ++i)
        if (std::vector<Fault> faults = segmentFaults(network, i, &others); !faults.empty())
            return std::move(faults.front());
    return std::nullopt;
}

std::vector<Fault> ownFaults(const Network& network) {
    std::vector<Fault> faults;
    for (std::size_t i = 0; i < network.segments.size(); ++i)
        for (Fault& fault : segmentFaults(network, i, nullptr))
            faults.push_back(std::move(fault));
    return faults;
}

} // namespace network
