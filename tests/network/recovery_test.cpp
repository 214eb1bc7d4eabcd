#include "network/recovery.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <functional>
#include <string>

namespace {

using network::Column;
using network::readRecovery;
using network::RecoveryCopy;
using Json = nlohmann::json;

// A copy as the format describes it, typed by hand: an unsaved network of one segment whose
// length is not a number, which a network file would refuse.
constexpr std::string_view kCopy = R"json({
 "format": "steam-network-recovery", "version": 1,
 "file": "/home/王工/厂区.json", "time": "2026-12-09 15:30:12",
 "texts": {"node": "热源", "pressure": "0.8", "unit": "bar(表压)", "superheated": true,
  "temperature": "280", "roughness": "0.5", "series": "焊接钢管", "limit": "", "title": "厂区",
  "segments": [["A", "热源", "a", "12o", "20", "自动", "5", "", "60", "室内", "170"]],
  "heat": {"on": true, "ambient": "-5", "wind": "3", "material": "自定导热系数",
   "conductivity": "0.05", "emissivity": "0.25", "surfaceCoefficient": "", "factor": "1.2",
   "operation": "季节运行"}}})json";

TEST(Recovery, ReadsEveryFieldAsTypedFaultsAndAll) {
    const network::RecoveryReading reading = readRecovery(kCopy);
    ASSERT_TRUE(reading.copy) << reading.fault;
    const RecoveryCopy& copy = *reading.copy;
    EXPECT_EQ(copy.path, "/home/王工/厂区.json");
    EXPECT_EQ(copy.time, "2026-12-09 15:30:12");
    const network::NetworkTexts& t = copy.texts;
    EXPECT_EQ(t.node, "热源");
    EXPECT_EQ(t.pressure, "0.8");
    EXPECT_EQ(t.unit, "bar(表压)");
    EXPECT_TRUE(t.superheated);
    EXPECT_EQ(t.temperature, "280");
    EXPECT_EQ(t.roughness, "0.5");
    EXPECT_EQ(t.series, "焊接钢管");
    EXPECT_EQ(t.limit, "");
    EXPECT_EQ(t.title, "厂区");
    ASSERT_EQ(t.segments.size(), 1u);
    EXPECT_EQ(t.segments[0], (network::SegmentTexts{"A", "热源", "a", "12o", "20", "自动", "5", "",
                                                    "60", "室内", "170"}));
    const network::HeatTexts heat{.on = true,
                                  .ambient = "-5",
                                  .wind = "3",
                                  .material = "自定导热系数",
                                  .conductivity = "0.05",
                                  .emissivity = "0.25",
                                  .surfaceCoefficient = "",
                                  .factor = "1.2",
                                  .operation = "季节运行"};
    EXPECT_EQ(t.heat, heat);
}

TEST(Recovery, RefusesEachFieldThatIsNotAsWritten) {
    using Change = std::function<void(Json&)>;
    const auto at = [](const char* time) { return Change([time](Json& j) { j["time"] = time; }); };
    const struct {
        const char* name;
        Change change;
        std::string_view fault;
    } cases[] = {
        {"another format", [](Json& j) { j["format"] = "steam-network"; }, "format："},
        {"a later version", [](Json& j) { j["version"] = 2; }, "version："},
        {"a version as text", [](Json& j) { j["version"] = "1"; }, "version："},
        {"an empty file", [](Json& j) { j["file"] = ""; }, "file："},
        {"a file as a number", [](Json& j) { j["file"] = 3; }, "file："},
        {"no time", [](Json& j) { j.erase("time"); }, "time："},
        {"a time without seconds", at("2026-12-09 15:30"), "time："},
        {"a letter for a digit", at("2026-12-0x 15:30:12"), "time："},
        {"slashes for dashes", at("2026/12/09 15:30:12"), "time："},
        {"month 0", at("2026-00-09 15:30:12"), "time："},
        {"a thirteenth month", at("2026-13-09 15:30:12"), "time："},
        {"day 0", at("2026-12-00 15:30:12"), "time："},
        {"day 32", at("2026-12-32 15:30:12"), "time："},
        {"hour 24", at("2026-12-09 24:30:12"), "time："},
        {"minute 60", at("2026-12-09 15:60:12"), "time："},
        {"second 61", at("2026-12-09 15:30:61"), "time："},
        {"a key of its own", [](Json& j) { j["extra"] = 1; }, "extra："},
        {"texts as a list", [](Json& j) { j["texts"] = Json::array(); }, "texts："},
        {"a node as a number", [](Json& j) { j["texts"]["node"] = 1; }, "texts.node："},
        {"no pressure", [](Json& j) { j["texts"].erase("pressure"); }, "texts.pressure："},
        {"a unit not listed", [](Json& j) { j["texts"]["unit"] = "psi"; }, "texts.unit："},
        {"superheated as text", [](Json& j) { j["texts"]["superheated"] = "true"; },
         "texts.superheated："},
        {"a temperature as null", [](Json& j) { j["texts"]["temperature"] = nullptr; },
         "texts.temperature："},
        {"a series not listed", [](Json& j) { j["texts"]["series"] = "铸铁管"; }, "texts.series："},
        {"a limit as a number", [](Json& j) { j["texts"]["limit"] = 200; }, "texts.limit："},
        {"segments as an object", [](Json& j) { j["texts"]["segments"] = Json::object(); },
         "texts.segments："},
        {"a segment a cell short", [](Json& j) { j["texts"]["segments"][0].erase(10); },
         "texts.segments.0："},
        {"a cell as a number", [](Json& j) { j["texts"]["segments"][0][3] = 120; },
         "texts.segments.0.3："},
        {"heat on as 1", [](Json& j) { j["texts"]["heat"]["on"] = 1; }, "texts.heat.on："},
        {"a material not listed", [](Json& j) { j["texts"]["heat"]["material"] = "石棉"; },
         "texts.heat.material："},
        {"an operation not listed", [](Json& j) { j["texts"]["heat"]["operation"] = ""; },
         "texts.heat.operation："},
        {"a factor missing", [](Json& j) { j["texts"]["heat"].erase("factor"); },
         "texts.heat.factor："},
    };
    for (const auto& c : cases) {
        Json copy = Json::parse(kCopy);
        c.change(copy);
        const network::RecoveryReading reading = readRecovery(copy.dump());
        EXPECT_FALSE(reading.copy) << c.name;
        EXPECT_TRUE(reading.fault.starts_with(c.fault)) << c.name << ": " << reading.fault;
    }
    // Not even JSON: damaged bytes, a half-written text, invalid UTF-8.
    for (const std::string_view bytes :
         {std::string_view(""), kCopy.substr(0, kCopy.size() / 2), std::string_view("\"\xff\"")})
        EXPECT_EQ(readRecovery(bytes).fault, "不是 JSON 文件");
}

} // namespace
