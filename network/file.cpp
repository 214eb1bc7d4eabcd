#include "network/file.h"

#include "files/save.h"
#include "files/text.h"
#include "network/faults.h"
#include "network/file_syntax.h"
#include "network/file_values.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cerrno>
#include <variant>
#include <vector>

namespace network {

namespace {

using files::errnoWords;
using files::fileNameOf;
using files::firstNonUtf8;
using files::inQuotes;
using reader::expect;
using reader::Json;
using reader::member;
using reader::number;
using reader::oneOf;
using reader::optionalNumber;
using reader::Refusal;
using reader::required;
using reader::text;

constexpr std::string_view kFormat = "steam-network";
// Version 1 has no heat loss; the program reads both and writes the latest.
constexpr int kVersion = 2;
// A network of thousands of segments is a few hundred kB; anything this large is not one, and
// reading it whole would only stall the program.
constexpr std::size_t kLargestFile = 16 * 1024 * 1024;

// The units as a file names them, in the order of the windows' lists.
constexpr auto kUnitKeys = [] {
    std::array<std::string_view, steam::kPressureUnits.size()> keys;
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = steam::kPressureUnits[i].key;
    return keys;
}();

// The heat loss's names, each list in the order of its enum.
constexpr std::array<std::string_view, 4> kMaterials{"rock-wool", "glass-wool",
                                                     "composite-silicate", "calcium-silicate"};
constexpr std::array<std::string_view, 2> kLayings{"overhead", "indoor"};
constexpr std::array<std::string_view, 2> kOperations{"year-round", "seasonal"};

// A key that version 1 never had: a file that says it is version 1 and holds one was written by
// hand, and reading it as version 1 would drop the heat loss typed into it without a word.
constexpr std::string_view kNotInVersion1 = "第 1 版的格式没有这一项：要用它，请把 version 写作 2";

std::string openFault(std::string_view fileName, std::string_view why) {
    return placedFault("无法打开" + inQuotes(fileName), why);
}

// A fault of validate's, placed as the reader places its own.
std::string faultWords(const Network& network, const Fault& fault) {
    const std::string where =
        fault.segment
            ? segmentWhere(*fault.segment, network.segments[*fault.segment].name, fault.field)
            : fault.field;
    return placedFault(where, fault.why);
}

Source readSource(const Json& root) {
    const Json& object = required(root, "source", "source");
    expect(object.is_object(), object, "source", "对象");
    Source source;
    source.node = text(required(object, "node", "source.node"), "source.node");
    source.pressure = number(required(object, "pressure", "source.pressure"), "source.pressure");
    source.unit = steam::kPressureUnits[oneOf(required(object, "unit", "source.unit"),
                                              "source.unit", "压力单位", kUnitKeys)];
    constexpr std::array<std::string_view, 2> kSteam{"saturated", "superheated"};
    source.superheated =
        oneOf(required(object, "steam", "source.steam"), "source.steam", "蒸汽状态", kSteam) == 1;
    const Json* temperature = member(object, "temperature");
    if (source.superheated) {
        source.temperature =
            number(required(object, "temperature", "source.temperature"), "source.temperature");
    } else if (temperature != nullptr && !temperature->is_null()) {
        // Saturated steam's temperature is its pressure's: a second one would be a contradiction
        // the file does not get to win silently.
        throw Refusal{
            "source.temperature",
            "饱和蒸汽的温度由压力决定，不能另给：删去这一项，或把 steam 写作 superheated"};
    }
    return source;
}

// A segment's thermal keys: required where the network loses heat, else optional and kept, so that
// switching the heat loss off loses nothing typed.
void readSegmentHeat(const Json& value, int version, bool heatLoss, Segment& segment,
                     const auto& where) {
    const auto given = [&](const char* key) {
        const Json* found = member(value, key);
        if (version == 1 && found != nullptr)
            throw Refusal{where(key), std::string(kNotInVersion1)};
        return found;
    };
    const auto field = [&](const char* key) -> const Json* {
        const Json* found = given(key);
        if (heatLoss)
            return &required(value, key, where(key));
        return found == nullptr || found->is_null() ? nullptr : found;
    };
    if (const Json* insulation = field("insulation"))
        segment.insulation = number(*insulation, where("insulation"));
    if (const Json* laying = field("laying"))
        segment.laying =
            static_cast<heat::Laying>(oneOf(*laying, where("laying"), "敷设方式", kLayings));
    segment.requiredTemperature =
        optionalNumber(given("requiredTemperature"), where("requiredTemperature"));
}

Segment readSegment(const Json& value, std::size_t index, int version, bool heatLoss) {
    expect(value.is_object(), value, segmentPlace(index, {}), "对象");
    Segment segment;
    const std::string nameWhere = segmentWhere(index, {}, "name");
    segment.name = text(required(value, "name", nameWhere), nameWhere);
    const auto where = [&](std::string_view field) {
        return segmentWhere(index, segment.name, field);
    };
    const auto field = [&](const char* key) -> const Json& {
        return required(value, key, where(key));
    };
    segment.from = text(field("from"), where("from"));
    segment.to = text(field("to"), where("to"));
    segment.length = number(field("length"), where("length"));
    segment.localLoss = number(field("localLoss"), where("localLoss"));
    segment.pipe = text(field("pipe"), where("pipe"));
    segment.load = number(field("load"), where("load"));
    segment.requiredPressure =
        optionalNumber(member(value, "requiredPressure"), where("requiredPressure"));
    readSegmentHeat(value, version, heatLoss, segment, where);
    return segment;
}

// A material of the table by its name, or a conductivity as a number.
heat::Insulation readInsulation(const Json& value, const std::string& where) {
    if (value.is_number())
        return value.get<double>();
    expect(value.is_string(), value, where, "文本或数");
    return static_cast<heat::Material>(
        oneOf(value, where, "保温材料", kMaterials, "导热系数（数，W/(m·K)）"));
}

// Every key is required, a fixed surface coefficient too (null to compute it), so that a key
// misspelt is refused rather than quietly left at a default.
std::optional<HeatLoss> readHeatLoss(const Json& root, int version) {
    const Json* object = member(root, "heatLoss");
    if (object != nullptr && version == 1)
        throw Refusal{"heatLoss", std::string(kNotInVersion1)};
    if (object == nullptr || object->is_null())
        return std::nullopt;
    expect(object->is_object(), *object, "heatLoss", "对象");
    const auto where = [](std::string_view key) { return "heatLoss." + std::string(key); };
    const auto field = [&](const char* key) -> const Json& {
        return required(*object, key, where(key));
    };
    HeatLoss heat;
    heat.air.ambient = number(field("ambient"), where("ambient"));
    heat.air.wind = number(field("wind"), where("wind"));
    heat.insulation = readInsulation(field("insulation"), where("insulation"));
    heat.air.emissivity = number(field("emissivity"), where("emissivity"));
    heat.air.surfaceCoefficient =
        optionalNumber(&field("surfaceCoefficient"), where("surfaceCoefficient"));
    heat.factor = number(field("factor"), where("factor"));
    heat.operation = static_cast<heat::Operation>(
        oneOf(field("operation"), where("operation"), "运行方式", kOperations));
    return heat;
}

Network readFields(const Json& root, int version) {
    Network network;
    if (const Json* title = member(root, "title"); title != nullptr && !title->is_null())
        network.title = text(*title, "title");
    network.source = readSource(root);
    network.roughness = number(required(root, "roughness", "roughness"), "roughness");
    const std::string series = text(required(root, "series", "series"), "series");
    const std::optional<pipes::Series> named = pipes::seriesNamed(series);
    if (!named)
        throw Refusal{"series", "未知的管材系列 " + inQuotes(series) + "：应为 seamless 或 welded"};
    network.series = *named;
    network.maxSpecificLoss = optionalNumber(member(root, "maxSpecificLoss"), "maxSpecificLoss");
    network.heatLoss = readHeatLoss(root, version);
    const Json& segments = required(root, "segments", "segments");
    expect(segments.is_array(), segments, "segments", "数组");
    for (std::size_t i = 0; i < segments.size(); ++i)
        network.segments.push_back(
            readSegment(segments[i], i, version, network.heatLoss.has_value()));
    return network;
}

Json optionalJson(const std::optional<double>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json heatLossJson(const HeatLoss& heat) {
    const double* conductivity = std::get_if<double>(&heat.insulation);
    const Json insulation =
        conductivity
            ? Json(*conductivity)
            : Json(kMaterials[static_cast<std::size_t>(std::get<heat::Material>(heat.insulation))]);
    return {{"ambient", heat.air.ambient},
            {"wind", heat.air.wind},
            {"insulation", insulation},
            {"emissivity", heat.air.emissivity},
            {"surfaceCoefficient", optionalJson(heat.air.surfaceCoefficient)},
            {"factor", heat.factor},
            {"operation", kOperations[static_cast<std::size_t>(heat.operation)]}};
}

Json segmentJson(const Segment& s, bool heatLoss) {
    Json segment{{"name", s.name},
                 {"from", s.from},
                 {"to", s.to},
                 {"length", s.length},
                 {"localLoss", s.localLoss},
                 {"pipe", s.pipe},
                 {"load", s.load},
                 {"requiredPressure", optionalJson(s.requiredPressure)}};
    // A network without heat loss writes only what differs from the defaults, so that its file is
    // the one version 1 wrote but for the version.
    if (heatLoss || s.insulation != 0)
        segment["insulation"] = s.insulation;
    if (heatLoss || s.laying != heat::Laying::Overhead)
        segment["laying"] = kLayings[static_cast<std::size_t>(s.laying)];
    if (heatLoss || s.requiredTemperature)
        segment["requiredTemperature"] = optionalJson(s.requiredTemperature);
    return segment;
}

} // namespace

std::string networkJson(const Network& network) {
    Json source{{"node", network.source.node},
                {"pressure", network.source.pressure},
                {"unit", network.source.unit.key},
                {"steam", network.source.superheated ? "superheated" : "saturated"}};
    if (network.source.superheated)
        source["temperature"] = network.source.temperature;
    Json segments = Json::array();
    for (const Segment& s : network.segments)
        segments.push_back(segmentJson(s, network.heatLoss.has_value()));
    Json root{{"format", kFormat},
              {"version", kVersion},
              {"title", network.title},
              {"source", source},
              {"roughness", network.roughness},
              {"series", pipes::seriesName(network.series)},
              {"maxSpecificLoss", optionalJson(network.maxSpecificLoss)}};
    if (network.heatLoss)
        root["heatLoss"] = heatLossJson(*network.heatLoss);
    root["segments"] = segments;
    // Names stay readable UTF-8; the doubles are written to the shortest digits that read back
    // as the same double.
    return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Reading readNetwork(std::string_view bytes, std::string_view fileName) {
    const auto refuse = [&](std::string_view why) { return Reading{{}, openFault(fileName, why)}; };
    if (bytes.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return refuse("文件是空的");
    if (const std::optional<std::size_t> bad = firstNonUtf8(bytes))
        return refuse("不是 UTF-8 文本：第 " + std::to_string(*bad + 1) + " 字节（" +
                      position(bytes, *bad) + "）不是 UTF-8 编码");
    if (const std::string fault = syntaxFault(bytes); !fault.empty())
        return refuse(fault);
    const Json root = Json::parse(bytes);

    const Json* format = root.is_object() ? member(root, "format") : nullptr;
    if (format == nullptr || *format != kFormat)
        return refuse(std::string("不是蒸汽管网文件（没有 \"format\": \"") + std::string(kFormat) +
                      "\"）");
    const Json* version = member(root, "version");
    const std::string notAVersion = "version：须为整数 1 或 2";
    if (version == nullptr || !version->is_number_integer())
        return refuse(notAVersion);
    if (*version > kVersion)
        return refuse("文件是第 " + version->dump() +
                      " 版的格式，本程序只读得懂第 1、2 版：请用更新的程序打开");
    if (*version < 1)
        return refuse(notAVersion);

    Network network;
    try {
        network = readFields(root, version->get<int>());
    } catch (const Refusal& refusal) {
        return refuse(placedFault(refusal.where, refusal.why));
    }
    if (const std::optional<Fault> fault = validate(network)) {
        return refuse(faultWords(network, *fault));
    }
    return {std::move(network), {}};
}

Reading loadNetwork(const std::filesystem::path& path) {
    const std::string name = fileNameOf(path);
    const auto refuse = [&](std::string_view why) { return Reading{{}, openFault(name, why)}; };
    files::SmallFile file =
        files::readSmallFile(path, kLargestFile, "文件大于 16 MiB，不是管网文件");
    if (!file.fault.empty())
        return refuse(file.fault);
    return readNetwork(file.bytes, name);
}

std::string saveNetwork(const Network& network, const std::filesystem::path& path,
                        const ByteWriter& write) {
    const auto refuse = [&](std::string_view why) {
        return files::saveFault(fileNameOf(path), why);
    };
    // A network the reader would refuse is not written: the file could not be opened again.
    if (const std::optional<Fault> fault = validate(network))
        return refuse(faultWords(network, *fault));
    const std::string why = files::saveBytes(path, networkJson(network), write);
    return why.empty() ? why : refuse(why);
}

} // namespace network
