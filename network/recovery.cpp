#include "network/recovery.h"

#include "network/file_values.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>

namespace network {

namespace {

// The network file's reader takes its values apart the same way; a copy's refusal words are
// its, and the copy's own checks (format, keys, time) are thrown as its refusals too.
using reader::Json;
using reader::Refusal;

constexpr std::string_view kFormat = "steam-network-recovery";
constexpr int kVersion = 1;

void check(bool ok, const std::string& where, std::string_view why) {
    if (!ok)
        throw Refusal{where, std::string(why)};
}

// An object holding exactly `keys`: a key missing or one more is a copy of another format.
void onlyKeys(const Json& object, const std::string& where,
              std::initializer_list<std::string_view> keys) {
    reader::expect(object.is_object(), object, where, "对象");
    for (const std::string_view key : keys)
        (void)reader::required(object, std::string(key),
                               where.empty() ? std::string(key) : where + "." + std::string(key));
    for (const auto& [key, value] : object.items())
        check(std::find(keys.begin(), keys.end(), key) != keys.end(),
              where.empty() ? key : where + "." + key, "格式中没有这一项");
}

std::string textOf(const Json& object, const std::string& key, const std::string& where) {
    return reader::text(object.at(key), where);
}

// A list's word, which the window cannot show where it is not one of its items.
template <std::size_t N>
std::string item(const Json& object, const std::string& key, const std::string& where,
                 std::string_view what, const std::array<std::string_view, N>& names) {
    return std::string(names[reader::oneOf(object.at(key), where, what, names)]);
}

bool flag(const Json& object, const std::string& key, const std::string& where) {
    const Json& value = object.at(key);
    reader::expect(value.is_boolean(), value, where, " true 或 false");
    return value.get<bool>();
}

// "2026-12-09 15:30:12", each part in its range.
bool timeLike(std::string_view time) {
    constexpr std::string_view kPattern = "dddd-dd-dd dd:dd:dd";
    if (time.size() != kPattern.size())
        return false;
    for (std::size_t i = 0; i < time.size(); ++i)
        if (kPattern[i] == 'd' ? time[i] < '0' || time[i] > '9' : time[i] != kPattern[i])
            return false;
    const auto part = [&](std::size_t at) { return (time[at] - '0') * 10 + (time[at + 1] - '0'); };
    return part(5) >= 1 && part(5) <= 12 && part(8) >= 1 && part(8) <= 31 && part(11) <= 23 &&
           part(14) <= 59 && part(17) <= 60;
}

constexpr auto kUnitLabels = [] {
    std::array<std::string_view, steam::kPressureUnits.size()> labels;
    for (std::size_t i = 0; i < labels.size(); ++i)
        labels[i] = steam::kPressureUnits[i].label;
    return labels;
}();

constexpr auto kSeriesShown = [] {
    std::array<std::string_view, pipes::kSeries.size()> shown;
    for (std::size_t i = 0; i < shown.size(); ++i)
        shown[i] = pipes::kSeries[i].shown;
    return shown;
}();

HeatTexts readHeat(const Json& object) {
    onlyKeys(object, "texts.heat",
             {"on", "ambient", "wind", "material", "conductivity", "emissivity",
              "surfaceCoefficient", "factor", "operation"});
    const auto where = [](std::string_view key) { return "texts.heat." + std::string(key); };
    return {.on = flag(object, "on", where("on")),
            .ambient = textOf(object, "ambient", where("ambient")),
            .wind = textOf(object, "wind", where("wind")),
            .material = item(object, "material", where("material"), "保温材料", kMaterialShown),
            .conductivity = textOf(object, "conductivity", where("conductivity")),
            .emissivity = textOf(object, "emissivity", where("emissivity")),
            .surfaceCoefficient = textOf(object, "surfaceCoefficient", where("surfaceCoefficient")),
            .factor = textOf(object, "factor", where("factor")),
            .operation =
                item(object, "operation", where("operation"), "运行方式", kOperationShown)};
}

std::vector<SegmentTexts> readSegments(const Json& list) {
    reader::expect(list.is_array(), list, "texts.segments", "数组");
    std::vector<SegmentTexts> segments;
    for (std::size_t row = 0; row < list.size(); ++row) {
        const std::string where = "texts.segments." + std::to_string(row);
        const Json& cells = list[row];
        check(cells.is_array() && cells.size() == kColumns, where,
              "不是 " + std::to_string(kColumns) + " 个格子的数组");
        SegmentTexts& segment = segments.emplace_back();
        for (std::size_t column = 0; column < kColumns; ++column) {
            segment[column] = reader::text(cells[column], where + "." + std::to_string(column));
        }
    }
    return segments;
}

NetworkTexts readNetworkTexts(const Json& object) {
    onlyKeys(object, "texts",
             {"node", "pressure", "unit", "superheated", "temperature", "roughness", "series",
              "limit", "title", "segments", "heat"});
    const auto where = [](std::string_view key) { return "texts." + std::string(key); };
    return {.node = textOf(object, "node", where("node")),
            .pressure = textOf(object, "pressure", where("pressure")),
            .unit = item(object, "unit", where("unit"), "压力单位", kUnitLabels),
            .superheated = flag(object, "superheated", where("superheated")),
            .temperature = textOf(object, "temperature", where("temperature")),
            .roughness = textOf(object, "roughness", where("roughness")),
            .series = item(object, "series", where("series"), "管材", kSeriesShown),
            .limit = textOf(object, "limit", where("limit")),
            .title = textOf(object, "title", where("title")),
            .segments = readSegments(object.at("segments")),
            .heat = readHeat(object.at("heat"))};
}

} // namespace

std::string recoveryJson(const RecoveryCopy& copy) {
    const NetworkTexts& t = copy.texts;
    const HeatTexts& h = t.heat;
    Json segments = Json::array();
    for (const SegmentTexts& segment : t.segments)
        segments.push_back(Json(segment));
    Json root{{"format", kFormat},
              {"version", kVersion},
              {"file", copy.path.empty() ? Json(nullptr) : Json(copy.path)},
              {"time", copy.time},
              {"texts",
               {{"node", t.node},
                {"pressure", t.pressure},
                {"unit", t.unit},
                {"superheated", t.superheated},
                {"temperature", t.temperature},
                {"roughness", t.roughness},
                {"series", t.series},
                {"limit", t.limit},
                {"title", t.title},
                {"segments", std::move(segments)},
                {"heat",
                 {{"on", h.on},
                  {"ambient", h.ambient},
                  {"wind", h.wind},
                  {"material", h.material},
                  {"conductivity", h.conductivity},
                  {"emissivity", h.emissivity},
                  {"surfaceCoefficient", h.surfaceCoefficient},
                  {"factor", h.factor},
                  {"operation", h.operation}}}}}};
    return root.dump(1, '\t') + "\n";
}

RecoveryReading readRecovery(std::string_view bytes) {
    if (bytes.size() > kLargestRecovery)
        return {std::nullopt, "文件太大"};
    // Texts the user typed are UTF-8; a byte that is not could only be damage.
    const Json root = Json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (root.is_discarded())
        return {std::nullopt, "不是 JSON 文件"};
    try {
        onlyKeys(root, "", {"format", "version", "file", "time", "texts"});
        check(root.at("format") == std::string(kFormat), "format", "不是恢复副本");
        check(root.at("version").is_number_integer() && root.at("version") == kVersion, "version",
              "不是本程序能读的版本");
        const Json& file = root.at("file");
        check(file.is_null() || (file.is_string() && !file.get<std::string>().empty()), "file",
              "不是文件的路径");
        RecoveryCopy copy{.texts = readNetworkTexts(root.at("texts")),
                          .path = file.is_null() ? std::string() : file.get<std::string>(),
                          .time = textOf(root, "time", "time")};
        check(timeLike(copy.time), "time", "不是“年-月-日 时:分:秒”");
        return {std::move(copy), {}};
    } catch (const Refusal& refusal) {
        return {std::nullopt, refusal.where + "：" + refusal.why};
    }
}

} // namespace network
