#include "files/text.h"
#include "network/network.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

// What only a network held in memory can be at fault with: figures no JSON number can be,
// values no name in a file stands for, and text that is not UTF-8. The faults a file can carry
// are proven through the file's own messages in file_test.cpp.
namespace {

using network::Network;

Network aNetwork() {
    Network n;
    n.source = {.node = "热源",
                .pressure = 1.0,
                .unit = steam::kMPaGauge,
                .superheated = true,
                .temperature = 250};
    n.segments = {{.name = "1", .from = "热源", .to = "a", .length = 500, .load = 10},
                  {.name = "2", .from = "a", .to = "b", .length = 120, .load = 2}};
    return n;
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(Validate, RefusesWhatOnlyAModelCanHold) {
    struct Row {
        const char* name;
        std::function<void(Network&)> change;
        const char* field;
        std::optional<std::size_t> segment;
        const char* why;
    };
    // clang-format off
    const Row rows[] = {
        {"title not UTF-8", [](Network& n) { n.title = "\xb3\xa7"; },
         "title", {}, "标题不是有效的 UTF-8 文本"},
        {"pressure infinite", [](Network& n) { n.source.pressure = kInfinity; },
         "source.pressure", {}, "热源压力不是有限的数"},
        {"temperature NaN", [](Network& n) { n.source.temperature = kNaN; },
         "source.temperature", {}, "过热蒸汽的温度不是有限的数"},
        {"roughness NaN", [](Network& n) { n.roughness = kNaN; },
         "roughness", {}, "粗糙度不是有限的数"},
        {"limit infinite", [](Network& n) { n.maxSpecificLoss = kInfinity; },
         "maxSpecificLoss", {}, "比摩阻上限须是大于 0 的有限数"},
        {"name not UTF-8", [](Network& n) { n.segments[1].name = "\xff"; },
         "name", 1, "管段的名称不是有效的 UTF-8 文本"},
        {"a node named in no UTF-8",
         [](Network& n) { n.segments[1].from = "c"; n.segments.push_back({.name = "3", .from = "\xff\x01\x7f", .to = "c"}); },
         "from", 1, "起点 “c” 与热源不相连：没有管段通到 “\uFFFD\\u0001\\u007f”"},
        {"length NaN", [](Network& n) { n.segments[1].length = kNaN; },
         "length", 1, "长度不是有限的数"},
        {"required pressure NaN", [](Network& n) { n.segments[0].requiredPressure = kNaN; },
         "requiredPressure", 0, "要求压力不是有限的数"},
        {"air NaN", [](Network& n) { n.heatLoss = network::HeatLoss{}; n.heatLoss->air.ambient = kNaN; },
         "heatLoss.ambient", {}, "环境温度不是有限的数"},
        {"conductivity infinite", [](Network& n) { n.heatLoss = network::HeatLoss{.air = {}, .insulation = kInfinity}; },
         "heatLoss.insulation", {}, "保温材料的导热系数不是有限的数"},
        {"emissivity NaN", [](Network& n) { n.heatLoss = network::HeatLoss{}; n.heatLoss->air.emissivity = kNaN; },
         "heatLoss.emissivity", {}, "外表面黑度不是有限的数"},
        {"surface coefficient infinite", [](Network& n) { n.heatLoss = network::HeatLoss{}; n.heatLoss->air.surfaceCoefficient = kInfinity; },
         "heatLoss.surfaceCoefficient", {}, "表面放热系数不是有限的数"},
        {"thickness NaN, no heat lost", [](Network& n) { n.segments[1].insulation = kNaN; },
         "insulation", 1, "保温层厚度不是有限的数"},
        {"required temperature infinite", [](Network& n) { n.segments[0].requiredTemperature = kInfinity; },
         "requiredTemperature", 0, "要求温度不是有限的数"},
    };
    // clang-format on
    ASSERT_FALSE(network::validate(aNetwork())) << "the unchanged network is usable";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Network n = aNetwork();
        row.change(n);
        const std::optional<network::Fault> fault = network::validate(n);
        ASSERT_TRUE(fault);
        EXPECT_EQ(fault->field, row.field);
        EXPECT_EQ(fault->segment, row.segment);
        EXPECT_EQ(fault->why, row.why);
    }
}

} // namespace

// The well-formed byte sequences of the Unicode Standard (chapter 3, table 3-7), each of its
// exclusions at its edge: overlong forms, surrogates, past U+10FFFF, cut off, a stray
// continuation byte.
TEST(Utf8, TheFirstIllFormedByteIsFound) {
    const struct {
        std::string_view bytes;
        std::optional<std::size_t> bad;
    } rows[] = {
        {"a\xc2\x80\xdf\xbf", {}},
        {"\xc1\xbf", 0},
        {"\xe0\xa0\x80\xef\xbf\xbf", {}},
        {"\xe0\x9f\xbf", 0},
        {"\xed\x9f\xbf", {}},
        {"x\xed\xa0\x80", 1},
        {"\xf0\x90\x80\x80", {}},
        {"\xf0\x8f\xbf\xbf", 0},
        {"\xf4\x8f\xbf\xbf", {}},
        {"\xf4\x90\x80\x80", 0},
        {"\xf5\x80\x80\x80", 0},
        {"ab\xe5\x8e", 2},
        {"\xe5\x8ex", 0},
        {"\x80", 0},
    };
    for (const auto& row : rows)
        EXPECT_EQ(files::firstNonUtf8(row.bytes), row.bad) << testing::PrintToString(row.bytes);
}
