#include "network/file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using network::Network;

// Three segments, a branch at "a", one of each optional form: a required pressure given, null
// and absent.
constexpr std::string_view kFile =
    R"json({"format": "steam-network", "version": 1, "title": "厂区蒸汽管网",
 "source": {"node": "热源", "pressure": 1.0, "unit": "MPa(g)", "steam": "superheated", "temperature": 250},
 "roughness": 0.2, "series": "seamless", "maxSpecificLoss": 200,
 "segments": [
  {"name": "1", "from": "热源", "to": "a", "length": 500, "localLoss": 30, "pipe": "auto", "load": 10, "requiredPressure": 0.6},
  {"name": "2", "from": "a", "to": "b", "length": 120, "localLoss": 20, "pipe": "D159x4.5", "load": 2, "requiredPressure": null},
  {"name": "3", "from": "a", "to": "c", "length": 80, "localLoss": 15, "pipe": "DN100", "load": 1}]}
)json";

// The same network losing heat: one of each thermal form, thicknesses from a bare pipe up, both
// layings, a required temperature given, null and absent.
constexpr std::string_view kHeated =
    R"json({"format": "steam-network", "version": 2, "title": "厂区蒸汽管网",
 "source": {"node": "热源", "pressure": 1.0, "unit": "MPa(g)", "steam": "superheated", "temperature": 250},
 "roughness": 0.2, "series": "seamless", "maxSpecificLoss": 200,
 "heatLoss": {"ambient": 10, "wind": 3, "insulation": "rock-wool", "emissivity": 0.25, "surfaceCoefficient": null, "factor": 1.2, "operation": "year-round"},
 "segments": [
  {"name": "1", "from": "热源", "to": "a", "length": 500, "localLoss": 30, "pipe": "auto", "load": 10, "requiredPressure": 0.6, "insulation": 100, "laying": "overhead", "requiredTemperature": 200},
  {"name": "2", "from": "a", "to": "b", "length": 120, "localLoss": 20, "pipe": "D159x4.5", "load": 2, "requiredPressure": null, "insulation": 80, "laying": "indoor", "requiredTemperature": null},
  {"name": "3", "from": "a", "to": "c", "length": 80, "localLoss": 15, "pipe": "DN100", "load": 1, "insulation": 0, "laying": "overhead"}]}
)json";

struct Edit {
    std::string_view from; // once in kFile; empty: the whole text is `to`
    std::string_view to;
};

std::string edited(std::initializer_list<Edit> edits, std::string_view base = kFile) {
    std::string text(base);
    for (const Edit& edit : edits) {
        if (edit.from.empty())
            return std::string(edit.to);
        const std::size_t at = text.find(edit.from);
        EXPECT_NE(at, std::string::npos) << edit.from;
        EXPECT_EQ(text.find(edit.from, at + 1), std::string::npos) << edit.from;
        if (at != std::string::npos)
            text.replace(at, edit.from.size(), edit.to);
    }
    return text;
}

// Every file the reader refuses, each with its whole message, and the edge of each range taken.
// Positions are counted by hand: columns in characters, bytes from 1.
TEST(NetworkFile, RefusesEachFaultWithOneMessageNamingTheFirst) {
    const auto heated = [](std::initializer_list<Edit> edits) { return edited(edits, kHeated); };
    const auto v2 = [](Edit edit) { return edited({{"\"version\": 1", "\"version\": 2"}, edit}); };
    const std::string notInVersion1 = "第 1 版的格式没有这一项：要用它，请把 version 写作 2";
    const struct {
        const char* name;
        std::string text;
        std::string fault; // after "无法打开“厂区.json”："; empty: the file is accepted
    } rows[] = {
        {"as given", edited({}), ""},
        {"empty", edited({{"", " \n"}}), "文件是空的"},
        {"not JSON", edited({{"", "{\"format\": \n \"厂\" steam}"}}),
         "不是 JSON 文件：第 2 行第 6 列有语法错误"},
        {"cut off", edited({{"", "{\"format\": \"steam-network\","}}),
         "不是 JSON 文件：在第 1 行第 28 列意外结束"},
        {"number too large", edited({{"", "{\"version\": 1e999}"}}),
         "第 1 行第 13 列的数 “1e999” 超出范围"},
        {"number too long", edited({{"", "{\"version\": 1" + std::string(400, '0') + "}"}}),
         "第 1 行第 13 列的数 “1" + std::string(39, '0') + "…” 超出范围"},
        {"GBK title", edited({{"厂区蒸汽管网", "\xb3\xa7\xc7\xf8"}}),
         "不是 UTF-8 文本：第 53 字节（第 1 行第 53 列）不是 UTF-8 编码"},
        {"key twice", edited({{"\"load\": 1}", "\"load\": 1, \"load\": 2}"}}),
         "第 3 段的 load：这一项写了两次"},
        {"key twice in the source", edited({{"\"unit\": \"MPa(g)\"", "\"unit\": 1, \"unit\": 2"}}),
         "source.unit：这一项写了两次"},
        {"not an object", edited({{"", "[1]"}}),
         "不是蒸汽管网文件（没有 \"format\": \"steam-network\"）"},
        {"another format", edited({{"\"steam-network\"", "\"pipe-list\""}}),
         "不是蒸汽管网文件（没有 \"format\": \"steam-network\"）"},
        {"newer version", edited({{"\"version\": 1", "\"version\": 3"}}),
         "文件是第 3 版的格式，本程序只读得懂第 1、2 版：请用更新的程序打开"},
        {"version as text", edited({{"\"version\": 1", "\"version\": \"1\""}}),
         "version：须为整数 1 或 2"},
        {"version 0", edited({{"\"version\": 1", "\"version\": 0"}}), "version：须为整数 1 或 2"},
        {"extra keys ignored", edited({{"\"roughness\"", "\"colour\": [1], \"roughness\""}}), ""},
        {"title absent", edited({{"\"title\": \"厂区蒸汽管网\",", ""}}), ""},
        {"title null", edited({{"\"厂区蒸汽管网\"", "null"}}), ""},
        {"no source", edited({{"\"source\"", "\"origin\""}}), "source：缺少这一项"},
        {"source a list", edited({{"\"source\": {", "\"source\": [{"}, {"250},", "250}],"}}),
         "source：须为对象（文件中是数组）"},
        {"length missing", edited({{"\"length\": 120, ", ""}}),
         "第 2 段（“2”）的 length：缺少这一项"},
        {"length as text", edited({{"\"length\": 120", "\"length\": \"120\""}}),
         "第 2 段（“2”）的 length：须为数（文件中是文本）"},
        {"name a number", edited({{"\"name\": \"3\"", "\"name\": 3"}}),
         "第 3 段的 name：须为文本（文件中是数）"},
        {"name null", edited({{"\"name\": \"3\"", "\"name\": null"}}),
         "第 3 段的 name：须为文本（文件中是 null）"},
        {"required pressure as text", edited({{"0.6", "\"0.6\""}}),
         "第 1 段（“1”）的 requiredPressure：须为数（文件中是文本）"},
        {"segment not an object", edited({{"{\"name\": \"3\"", "true, {\"name\": \"3\""}}),
         "第 3 段：须为对象（文件中是 true 或 false）"},
        {"segments an object",
         edited({{"\"segments\": [", "\"segments\": {\"x\": ["}, {"}]}", "}]}}"}}),
         "segments：须为数组（文件中是对象）"},
        {"no segments", edited({{"\"segments\": [", "\"segments\": [], \"old\": ["}}), ""},
        {"unknown unit, its tab shown", edited({{"MPa(g)", "p\\tsi"}}),
         "source.unit：未知的压力单位 “p\\tsi”：应为 MPa(g)、MPa(a)、bar(g)、bar(a) 或 kgf/cm2(g)"},
        {"unknown steam", edited({{"\"superheated\"", "\"wet\""}}),
         "source.steam：未知的蒸汽状态 “wet”：应为 saturated 或 superheated"},
        {"unknown series", edited({{"seamless", "copper"}}),
         "series：未知的管材系列 “copper”：应为 seamless 或 welded"},
        {"superheated without temperature", edited({{", \"temperature\": 250", ""}}),
         "source.temperature：缺少这一项"},
        {"saturated with a temperature", edited({{"\"superheated\"", "\"saturated\""}}),
         "source.temperature：饱和蒸汽的温度由压力决定，不能另给：删去这一项，或把 steam 写作 "
         "superheated"},
        {"saturated, temperature null",
         edited(
             {{"\"superheated\", \"temperature\": 250", "\"saturated\", \"temperature\": null"}}),
         ""},

        // What validate refuses, in its words, placed as the reader places its own faults.
        {"source unnamed", edited({{"\"node\": \"热源\"", "\"node\": \"\""}}),
         "source.node：热源节点的名称为空"},
        {"above 100 MPa", edited({{"\"pressure\": 1.0", "\"pressure\": 100"}}),
         "source.pressure：热源压力高于 100 MPa（绝压），超出计算范围"},
        {"below vacuum", edited({{"\"pressure\": 1.0", "\"pressure\": -0.2"}}),
         "source.pressure：热源压力折合绝压为 -0.098675 MPa，须大于 0"},
        // IF97's saturation temperature at 1 MPa is 453.035632 K, 179.885632 ℃.
        {"at saturation", edited({{"MPa(g)", "MPa(a)"}, {"250", "179.885"}}),
         "source.temperature：过热蒸汽的温度须高于该压力下的饱和温度 179.89 ℃"},
        {"just above saturation", edited({{"MPa(g)", "MPa(a)"}, {"250", "179.886"}}), ""},
        {"800 ℃", edited({{"250", "800"}}), ""},
        {"above 800 ℃", edited({{"250", "800.001"}}),
         "source.temperature：过热蒸汽的温度高于 800 ℃，超出计算范围"},
        // The B23 line of IF97: p = 348.05185628969 − 1.1671859879975 T + 1.0192970039326e-3 T²
        // MPa, 24.2356 MPa at 673.15 K, 18.5569 MPa at 640 K; saturation at 640 K is 20.3 MPa.
        {"region 2 at 400 ℃",
         edited({{"1.0, \"unit\": \"MPa(g)\"", "24.2, \"unit\": \"MPa(a)\""}, {"250", "400"}}), ""},
        {"region 3 at 400 ℃",
         edited({{"1.0, \"unit\": \"MPa(g)\"", "24.3, \"unit\": \"MPa(a)\""}, {"250", "400"}}),
         "source.temperature：该压力下 400.00 ℃ 的蒸汽是接近临界点的稠密流体（IF97 第 2 "
         "区之外），不在管网的计算范围"},
        {"region 3 vapour",
         edited({{"1.0, \"unit\": \"MPa(g)\"", "19, \"unit\": \"MPa(a)\""}, {"250", "366.85"}}),
         "source.temperature：该压力下 366.85 ℃ 的蒸汽是接近临界点的稠密流体（IF97 第 2 "
         "区之外），不在管网的计算范围"},
        // Saturation at 623.15 K is 16.5291643 MPa (IF97's B23 check value); 611.213 Pa at 0 ℃.
        {"saturated at 350 ℃",
         edited({{"1.0, \"unit\": \"MPa(g)\", \"steam\": \"superheated\", \"temperature\": 250",
                  "16.529, \"unit\": \"MPa(a)\", \"steam\": \"saturated\""}}),
         ""},
        {"saturated above 350 ℃",
         edited({{"1.0, \"unit\": \"MPa(g)\", \"steam\": \"superheated\", \"temperature\": 250",
                  "16.53, \"unit\": \"MPa(a)\", \"steam\": \"saturated\""}}),
         "source.pressure：饱和蒸汽的压力须在 611.213 Pa～16.529 MPa（绝压，350 ℃ "
         "的饱和压力）之间"},
        {"saturated at 0 ℃",
         edited({{"1.0, \"unit\": \"MPa(g)\", \"steam\": \"superheated\", \"temperature\": 250",
                  "0.000611213, \"unit\": \"MPa(a)\", \"steam\": \"saturated\""}}),
         ""},
        {"saturated below 0 ℃",
         edited({{"1.0, \"unit\": \"MPa(g)\", \"steam\": \"superheated\", \"temperature\": 250",
                  "0.00061121, \"unit\": \"MPa(a)\", \"steam\": \"saturated\""}}),
         "source.pressure：饱和蒸汽的压力须在 611.213 Pa～16.529 MPa（绝压，350 ℃ "
         "的饱和压力）之间"},
        // Below 611.213 Pa no saturation line bounds the steam from below; region 2 ends at 0 ℃.
        {"superheated below 0 ℃",
         edited({{"1.0, \"unit\": \"MPa(g)\"", "0.0005, \"unit\": \"MPa(a)\""}, {"250", "-1"}}),
         "source.temperature：过热蒸汽的温度低于 0 ℃，超出计算范围"},
        {"roughness 0", edited({{"0.2", "0"}}), "roughness：粗糙度须大于 0"},
        {"limit 0", edited({{"200", "0"}}), "maxSpecificLoss：比摩阻上限须是大于 0 的有限数"},
        {"limit null", edited({{"200", "null"}}), ""},
        {"segment unnamed", edited({{"\"name\": \"2\"", "\"name\": \"\""}}),
         "第 2 段的 name：管段的名称为空"},
        {"name of two lines", edited({{"\"name\": \"2\"", "\"name\": \"2\\n\""}}),
         "第 2 段（“2\\n”）的 name：管段的名称含有控制字符（如换行、制表符）"},
        {"name twice", edited({{"\"name\": \"3\"", "\"name\": \"1\""}}),
         "第 3 段（“1”）的 name：管段名称 “1” 与第 1 段重复"},
        {"from unnamed",
         edited({{"\"from\": \"a\", \"to\": \"c\"", "\"from\": \"\", \"to\": \"c\""}}),
         "第 3 段（“3”）的 from：起点节点的名称为空"},
        {"from nowhere",
         edited({{"\"from\": \"a\", \"to\": \"c\"", "\"from\": \"x\", \"to\": \"c\""}}),
         "第 3 段（“3”）的 from：起点 “x” 不是热源，也没有管段通到它"},
        {"from a branch hanging from nowhere",
         edited({{"\"from\": \"a\", \"to\": \"b\"", "\"from\": \"c\", \"to\": \"b\""},
                 {"\"from\": \"a\", \"to\": \"c\"", "\"from\": \"y\", \"to\": \"c\""}}),
         "第 2 段（“2”）的 from：起点 “c” 与热源不相连：没有管段通到 “y”"},
        {"loop", edited({{"\"from\": \"a\", \"to\": \"c\"", "\"from\": \"c\", \"to\": \"c\""}}),
         "第 3 段（“3”）的 from：起点 “c” 接在一个环路上，到不了热源：管网须是从热源出发的树"},
        {"loop of two",
         edited({{"\"from\": \"a\", \"to\": \"b\"", "\"from\": \"c\", \"to\": \"b\""},
                 {"\"from\": \"a\", \"to\": \"c\"", "\"from\": \"b\", \"to\": \"c\""}}),
         "第 2 段（“2”）的 from：起点 “c” 接在一个环路上，到不了热源：管网须是从热源出发的树"},
        {"to unnamed", edited({{"\"to\": \"c\"", "\"to\": \"\""}}),
         "第 3 段（“3”）的 to：终点节点的名称为空"},
        {"into the source", edited({{"\"to\": \"c\"", "\"to\": \"热源\""}}),
         "第 3 段（“3”）的 to：终点是热源 “热源”：没有管段能通向热源"},
        {"fed twice", edited({{"\"to\": \"c\"", "\"to\": \"b\""}}),
         "第 3 段（“3”）的 to：节点 “b” 已由第 2 段供汽：一个节点只能由一个管段供汽"},
        {"length negative", edited({{"\"length\": 120", "\"length\": -120"}}),
         "第 2 段（“2”）的 length：长度不得为负"},
        {"length 0", edited({{"\"length\": 120", "\"length\": 0"}}), ""},
        {"local loss negative", edited({{"\"localLoss\": 15", "\"localLoss\": -1e-9"}}),
         "第 3 段（“3”）的 localLoss：局部阻力损失不得为负"},
        {"unknown pipe", edited({{"DN100", "DN101"}}),
         "第 3 段（“3”）的 pipe：管子 “DN101” 不在管子目录中，也不是“D外径x壁厚”（mm）的写法"},
        {"load negative", edited({{"\"load\": 1}", "\"load\": -1}"}}),
         "第 3 段（“3”）的 load：负荷不得为负"},

        // Version 2: the heat loss, absent or null for none, and each segment's thermal keys,
        // required where it is set and kept where it is not; each range at both its edges.
        // clang-format off
        {"heat loss", heated({}), ""},
        {"version 2 without heat loss", v2({"\"load\": 1}", "\"load\": 1}"}), ""},
        {"heat loss null, thermal keys kept", heated({{"{\"ambient\": 10, \"wind\": 3, \"insulation\": \"rock-wool\", \"emissivity\": 0.25, \"surfaceCoefficient\": null, \"factor\": 1.2, \"operation\": \"year-round\"}", "null"}, {"\"insulation\": 80", "\"insulation\": null"}}), ""},
        {"version 1 with heat loss", heated({{"\"version\": 2", "\"version\": 1"}}), "heatLoss：" + notInVersion1},
        {"version 1 with heat loss null", edited({{"\"segments\"", "\"heatLoss\": null, \"segments\""}}), "heatLoss：" + notInVersion1},
        {"version 1 with a laying", edited({{"\"load\": 1}", "\"load\": 1, \"laying\": null}"}}), "第 3 段（“3”）的 laying：" + notInVersion1},
        {"version 1 with a required temperature", edited({{"\"load\": 1}", "\"load\": 1, \"requiredTemperature\": 150}"}}), "第 3 段（“3”）的 requiredTemperature：" + notInVersion1},
        {"heat loss a number", heated({{"{\"ambient\"", "7, \"x\": {\"ambient\""}}), "heatLoss：须为对象（文件中是数）"},
        {"ambient missing", heated({{"\"ambient\": 10, ", ""}}), "heatLoss.ambient：缺少这一项"},
        {"wind as text", heated({{"\"wind\": 3", "\"wind\": \"3\""}}), "heatLoss.wind：须为数（文件中是文本）"},
        {"insulation null", heated({{"\"rock-wool\"", "null"}}), "heatLoss.insulation：须为文本或数（文件中是 null）"},
        {"insulation unknown", heated({{"\"rock-wool\"", "\"cork\""}}), "heatLoss.insulation：未知的保温材料 “cork”：应为 rock-wool、glass-wool、composite-silicate、calcium-silicate 或导热系数（数，W/(m·K)）"},
        {"conductivity 0", heated({{"\"rock-wool\"", "0"}}), "heatLoss.insulation：保温材料的导热系数须大于 0"},
        {"conductivity just above 0", heated({{"\"rock-wool\"", "5e-324"}}), ""},
        {"emissivity null", heated({{"0.25", "null"}}), "heatLoss.emissivity：须为数（文件中是 null）"},
        {"surface coefficient missing", heated({{"\"surfaceCoefficient\": null, ", ""}}), "heatLoss.surfaceCoefficient：缺少这一项"},
        {"surface coefficient as text", heated({{"null, \"factor\"", "\"11.63\", \"factor\""}}), "heatLoss.surfaceCoefficient：须为数（文件中是文本）"},
        {"surface coefficient 0", heated({{"null, \"factor\"", "0, \"factor\""}}), "heatLoss.surfaceCoefficient：表面放热系数须大于 0"},
        {"surface coefficient just above 0", heated({{"null, \"factor\"", "5e-324, \"factor\""}}), ""},
        {"factor missing", heated({{"\"factor\": 1.2, ", ""}}), "heatLoss.factor：缺少这一项"},
        {"operation unknown", heated({{"year-round", "winter"}}), "heatLoss.operation：未知的运行方式 “winter”：应为 year-round 或 seasonal"},
        {"insulation missing where heat is lost", heated({{"\"insulation\": 0, ", ""}}), "第 3 段（“3”）的 insulation：缺少这一项"},
        {"insulation null where heat is lost", heated({{"\"insulation\": 80", "\"insulation\": null"}}), "第 2 段（“2”）的 insulation：须为数（文件中是 null）"},
        {"laying missing where heat is lost", heated({{", \"laying\": \"indoor\"", ""}}), "第 2 段（“2”）的 laying：缺少这一项"},
        {"laying unknown", heated({{"\"indoor\"", "\"buried\""}}), "第 2 段（“2”）的 laying：未知的敷设方式 “buried”：应为 overhead 或 indoor"},
        {"required temperature as text", heated({{"\"requiredTemperature\": 200", "\"requiredTemperature\": \"200\""}}), "第 1 段（“1”）的 requiredTemperature：须为数（文件中是文本）"},
        {"laying a number without heat loss", v2({"\"load\": 1}", "\"load\": 1, \"laying\": 1}"}), "第 3 段（“3”）的 laying：须为文本（文件中是数）"},
        {"air at -50 ℃", heated({{"\"ambient\": 10", "\"ambient\": -50"}}), ""},
        {"air below -50 ℃", heated({{"\"ambient\": 10", "\"ambient\": -50.001"}}), "heatLoss.ambient：环境温度须在 -50～60 ℃ 之间"},
        {"air at 60 ℃", heated({{"\"ambient\": 10", "\"ambient\": 60"}}), ""},
        {"air above 60 ℃", heated({{"\"ambient\": 10", "\"ambient\": 60.001"}}), "heatLoss.ambient：环境温度须在 -50～60 ℃ 之间"},
        {"still air", heated({{"\"wind\": 3", "\"wind\": 0"}}), ""},
        {"wind negative", heated({{"\"wind\": 3", "\"wind\": -0.001"}}), "heatLoss.wind：风速须在 0～40 m/s 之间"},
        {"wind at 40 m/s", heated({{"\"wind\": 3", "\"wind\": 40"}}), ""},
        {"wind above 40 m/s", heated({{"\"wind\": 3", "\"wind\": 40.001"}}), "heatLoss.wind：风速须在 0～40 m/s 之间"},
        {"emissivity 0", heated({{"0.25", "0"}}), "heatLoss.emissivity：外表面黑度须大于 0 且不大于 1"},
        {"emissivity just above 0", heated({{"0.25", "5e-324"}}), ""},
        {"emissivity 1", heated({{"0.25", "1"}}), ""},
        {"emissivity above 1", heated({{"0.25", "1.001"}}), "heatLoss.emissivity：外表面黑度须大于 0 且不大于 1"},
        {"factor 1", heated({{"1.2", "1"}}), ""},
        {"factor below 1", heated({{"1.2", "0.999"}}), "heatLoss.factor：散热附加系数须在 1～3 之间"},
        {"factor 3", heated({{"1.2", "3"}}), ""},
        {"factor above 3", heated({{"1.2", "3.001"}}), "heatLoss.factor：散热附加系数须在 1～3 之间"},
        {"a metre of insulation", heated({{"\"insulation\": 100", "\"insulation\": 1000"}}), ""},
        {"insulation above a metre", heated({{"\"insulation\": 100", "\"insulation\": 1000.001"}}), "第 1 段（“1”）的 insulation：保温层厚度须在 0～1000 mm 之间"},
        {"insulation negative without heat loss", v2({"\"load\": 1}", "\"load\": 1, \"insulation\": -1}"}), "第 3 段（“3”）的 insulation：保温层厚度须在 0～1000 mm 之间"},
        {"required 0 ℃", heated({{"\"requiredTemperature\": 200", "\"requiredTemperature\": 0"}}), ""},
        {"required below 0 ℃", heated({{"\"requiredTemperature\": 200", "\"requiredTemperature\": -0.001"}}), "第 1 段（“1”）的 requiredTemperature：要求温度须在 0～800 ℃ 之间"},
        {"required 800 ℃", heated({{"\"requiredTemperature\": 200", "\"requiredTemperature\": 800"}}), ""},
        {"required above 800 ℃ without heat loss", v2({"\"load\": 1}", "\"load\": 1, \"requiredTemperature\": 800.001}"}), "第 3 段（“3”）的 requiredTemperature：要求温度须在 0～800 ℃ 之间"},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const network::Reading reading = network::readNetwork(row.text, "厂区.json");
        if (row.fault.empty()) {
            EXPECT_EQ(reading.fault, "");
            EXPECT_TRUE(reading.network);
        } else {
            EXPECT_EQ(reading.fault, "无法打开“厂区.json”：" + std::string(row.fault));
            EXPECT_FALSE(reading.network);
        }
    }
}

// The writer's text for a small network, as docs/network-file.md shows it: keys in that order,
// names as UTF-8, an absent figure as null. Without heat loss it is version 1's text but for the
// version, a thermal key written only where it is not the default; with it, every one.
TEST(NetworkFile, WritesTheDocumentedText) {
    Network n;
    n.title = "单线";
    n.source = {.node = "热源", .pressure = 1.0, .unit = steam::kBarAbsolute};
    n.segments = {{.name = "1", .from = "热源", .to = "用户", .length = 0.1, .load = 2.5}};
    const std::string head = R"json({
  "format": "steam-network",
  "version": 2,
  "title": "单线",
  "source": {
    "node": "热源",
    "pressure": 1.0,
    "unit": "bar(a)",
    "steam": "saturated"
  },
  "roughness": 0.2,
  "series": "seamless",
  "maxSpecificLoss": null,
)json";
    const std::string segment = R"json(  "segments": [
    {
      "name": "1",
      "from": "热源",
      "to": "用户",
      "length": 0.1,
      "localLoss": 0.0,
      "pipe": "auto",
      "load": 2.5,
      "requiredPressure": null)json";
    const std::string tail = "\n    }\n  ]\n}\n";
    EXPECT_EQ(network::networkJson(n), head + segment + tail);

    n.segments[0].laying = network::heat::Laying::Indoor;
    EXPECT_EQ(network::networkJson(n), head + segment + ",\n      \"laying\": \"indoor\"" + tail);

    n.heatLoss = network::HeatLoss{.air = {.ambient = -5, .wind = 0, .surfaceCoefficient = 11.63},
                                   .insulation = 0.06,
                                   .factor = 1,
                                   .operation = network::heat::Operation::Seasonal};
    EXPECT_EQ(network::networkJson(n), head + R"json(  "heatLoss": {
    "ambient": -5.0,
    "wind": 0.0,
    "insulation": 0.06,
    "emissivity": 0.25,
    "surfaceCoefficient": 11.63,
    "factor": 1.0,
    "operation": "seasonal"
  },
)json" + segment + R"json(,
      "insulation": 0.0,
      "laying": "indoor",
      "requiredTemperature": null)json" + tail);
}

// Each name of the heat loss's lists read as what it names, and a conductivity as itself.
TEST(NetworkFile, ReadsTheHeatLossItsNamesSay) {
    namespace heat = network::heat;
    const network::Reading typed = network::readNetwork(kHeated, "厂区.json");
    ASSERT_EQ(typed.fault, "");
    EXPECT_EQ(typed.network->heatLoss,
              (network::HeatLoss{
                  .air = {.ambient = 10, .wind = 3, .emissivity = 0.25, .surfaceCoefficient = {}},
                  .insulation = heat::Material::RockWool,
                  .factor = 1.2,
                  .operation = heat::Operation::YearRound}));
    const std::vector<network::Segment>& segments = typed.network->segments;
    EXPECT_EQ(segments[0].insulation, 100);
    EXPECT_EQ(segments[0].laying, heat::Laying::Overhead);
    EXPECT_EQ(segments[0].requiredTemperature, 200);
    EXPECT_EQ(segments[1].laying, heat::Laying::Indoor);
    EXPECT_EQ(segments[1].requiredTemperature, std::nullopt);

    const struct {
        std::string_view typed;
        heat::Insulation insulation;
    } insulations[] = {
        {"\"glass-wool\"", heat::Material::GlassWool},
        {"\"composite-silicate\"", heat::Material::CompositeSilicate},
        {"\"calcium-silicate\"", heat::Material::CalciumSilicate},
        {"0.045", 0.045},
    };
    for (const auto& row : insulations) {
        SCOPED_TRACE(row.typed);
        const network::Reading reading =
            network::readNetwork(edited({{"\"rock-wool\"", row.typed}}, kHeated), "厂区.json");
        ASSERT_TRUE(reading.network);
        EXPECT_EQ(reading.network->heatLoss->insulation, row.insulation);
    }
    const network::Reading seasonal =
        network::readNetwork(edited({{"year-round", "seasonal"}}, kHeated), "厂区.json");
    EXPECT_EQ(seasonal.network->heatLoss->operation, heat::Operation::Seasonal);
}

class SavedNetwork : public testing::Test {
protected:
    void SetUp() override {
        m_folder = fs::temp_directory_path() /
                   ("network_file_test_" + std::to_string(::getpid()) + "_" +
                    testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
    }
    void TearDown() override {
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_folder);
    }

    static std::string contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(m_folder))
            names.push_back(entry.path().filename().string());
        return names;
    }
    // Root passes every permission check, so a folder it cannot write does not exist for it.
    bool permissionsBind() const { return ::access(m_folder.c_str(), W_OK) != 0; }

    fs::path m_folder;
};

// What a file can hold, read back as it was: Chinese names, every unit and series, both kinds of
// steam, nulls, and figures whose shortest digits are long, tiny or huge.
TEST_F(SavedNetwork, ReadsBackEqual) {
    Network saturated;
    saturated.title = "厂区 “北” 管网 \"\\";
    saturated.source = {.node = "锅炉房", .pressure = 8.5, .unit = steam::kBarGauge};
    saturated.roughness = 1.0 / 3;
    saturated.series = pipes::Series::Welded;
    saturated.segments = {
        {.name = "总管",
         .from = "锅炉房",
         .to = "甲",
         .length = 0.1 + 0.2,
         .localLoss = 30,
         .pipe = "DN250",
         .load = 5e-324,
         .requiredPressure = 0.7},
        {.name = "支管", .from = "甲", .to = "乙", .length = 1e300, .pipe = "D273×7", .load = 4},
    };
    Network superheated = saturated;
    superheated.title.clear();
    superheated.source = {.node = "锅炉房",
                          .pressure = 12.345678901234567,
                          .unit = steam::kKgfGauge,
                          .superheated = true,
                          .temperature = 299.99999999999994};
    superheated.maxSpecificLoss = 250.5;
    // Heat loss in each insulation's form, the segments' thermal keys given and not; and a network
    // without heat loss keeping what its segments were given for it.
    namespace heat = network::heat;
    std::vector<Network> networks{saturated, superheated};
    for (const heat::Insulation insulation :
         {heat::Insulation(heat::Material::RockWool), heat::Insulation(heat::Material::GlassWool),
          heat::Insulation(heat::Material::CompositeSilicate),
          heat::Insulation(heat::Material::CalciumSilicate), heat::Insulation(0.1 / 3)}) {
        Network heated = superheated;
        heated.heatLoss = network::HeatLoss{.air = {}, .insulation = insulation};
        heated.segments[0].insulation = 120.5;
        heated.segments[1].laying = heat::Laying::Indoor;
        heated.segments[1].requiredTemperature = 180.25;
        networks.push_back(heated);
    }
    networks.back().heatLoss->air = {
        .ambient = -50, .wind = 40, .emissivity = 1, .surfaceCoefficient = 11.63};
    networks.back().heatLoss->factor = 3;
    networks.back().heatLoss->operation = heat::Operation::Seasonal;
    Network unheated = networks.back();
    unheated.heatLoss.reset();
    networks.push_back(unheated);
    for (const Network& n : networks) {
        const fs::path path = m_folder / "管网.json";
        ASSERT_EQ(network::saveNetwork(n, path), "");
        EXPECT_EQ(contents(path).find("\\u"), std::string::npos) << "names kept as UTF-8";
        const network::Reading reading = network::loadNetwork(path);
        ASSERT_EQ(reading.fault, "");
        EXPECT_EQ(*reading.network, n);
    }
}

TEST_F(SavedNetwork, TheExamplesAreUsable) {
    std::size_t examples = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(STEAM_NETWORK_EXAMPLES)) {
        SCOPED_TRACE(entry.path().string());
        EXPECT_EQ(network::loadNetwork(entry.path()).fault, "");
        ++examples;
    }
    EXPECT_EQ(examples, 4U);
    // Kept apart from the examples whose figures the tests hold to the bit.
    const fs::path heated = fs::path(STEAM_NETWORK_EXAMPLES).parent_path() / "heat-loss-examples";
    for (const char* name : {"superheated-heat-loss.json", "saturated-heat-loss.json"}) {
        SCOPED_TRACE(name);
        const network::Reading reading = network::loadNetwork(heated / name);
        EXPECT_EQ(reading.fault, "");
        EXPECT_TRUE(reading.network && reading.network->heatLoss);
    }
}

// A save that fails after any number of bytes, the whole text among them, leaves the old file
// as it was and nothing beside it.
TEST_F(SavedNetwork, AnInterruptedSaveLeavesTheOldFileWhole) {
    const fs::path path = m_folder / "厂区.json";
    Network old;
    old.source = {.node = "热源", .pressure = 1.0};
    ASSERT_EQ(network::saveNetwork(old, path), "");
    const std::string before = contents(path);
    const network::Reading wider = network::readNetwork(kFile, "厂区.json");
    ASSERT_TRUE(wider.network);
    const std::size_t size = network::networkJson(*wider.network).size();
    for (std::size_t n = 0; n <= size; ++n) {
        const auto failing = [n](std::FILE* file, std::string_view bytes) {
            std::fwrite(bytes.data(), 1, std::min(n, bytes.size()), file);
            return false;
        };
        ASSERT_EQ(network::saveNetwork(*wider.network, path, failing),
                  "无法保存“厂区.json”：写入失败")
            << n;
        ASSERT_EQ(contents(path), before) << n;
        ASSERT_EQ(entries(), std::vector<std::string>{"厂区.json"}) << n;
    }
    // The stream's descriptor swapped for one that fails as a full disk does at the flush, and
    // for a pipe, which cannot be synchronised with a disk.
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    const struct {
        int descriptor;
        const char* fault;
    } swaps[] = {
        {::open("/dev/full", O_WRONLY), "无法保存“厂区.json”：写入失败：磁盘空间不足"},
        {pipe[1], "无法保存“厂区.json”：写入磁盘失败：Invalid argument"},
    };
    for (const auto& swap : swaps) {
        const auto swapping = [&](std::FILE* file, std::string_view bytes) {
            std::fflush(file);
            ::dup2(swap.descriptor, ::fileno(file));
            return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        };
        EXPECT_EQ(network::saveNetwork(*wider.network, path, swapping), swap.fault);
        EXPECT_EQ(contents(path), before);
        EXPECT_EQ(entries(), std::vector<std::string>{"厂区.json"});
        ::close(swap.descriptor);
    }
    ::close(pipe[0]);
    ASSERT_EQ(network::saveNetwork(*wider.network, path), "");
    EXPECT_EQ(*network::loadNetwork(path).network, *wider.network);
}

TEST_F(SavedNetwork, RefusesWhereItCannotWrite) {
    const Network usable = *network::readNetwork(kFile, "厂区.json").network;
    Network unusable = usable;
    unusable.segments[1].length = -1;
    EXPECT_EQ(network::saveNetwork(unusable, m_folder / "a.json"),
              "无法保存“a.json”：第 2 段（“2”）的 length：长度不得为负");
    EXPECT_EQ(network::saveNetwork(usable, m_folder),
              "无法保存“" + m_folder.filename().string() + "”：这是文件夹，不能存为文件");
    EXPECT_EQ(network::saveNetwork(usable, m_folder / "none" / "a.json"),
              "无法保存“a.json”：无法在它的文件夹中建立临时文件：文件或文件夹不存在");
    EXPECT_EQ(network::saveNetwork(usable, ""), "无法保存“”：没有文件名");
    EXPECT_TRUE(entries().empty());

    fs::permissions(m_folder, fs::perms::owner_write, fs::perm_options::remove);
    if (!permissionsBind())
        GTEST_SKIP() << "running as root, whom no folder's permissions stop from writing";
    EXPECT_EQ(network::saveNetwork(usable, m_folder / "a.json"),
              "无法保存“a.json”：无法在它的文件夹中建立临时文件：没有权限");
}

// The user's file stays what it was to the rest of the system: its permissions, and a link to
// it still a link.
TEST_F(SavedNetwork, KeepsTheFilesPermissionsAndLinks) {
    const Network usable = *network::readNetwork(kFile, "厂区.json").network;
    const fs::path real = m_folder / "real.json";
    const fs::path link = m_folder / "link.json";
    ASSERT_EQ(network::saveNetwork(usable, real), "");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.json", link);
    ASSERT_EQ(network::saveNetwork(usable, link), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(SavedNetwork, LoadingRefusesWhatIsNoFile) {
    const fs::path large = m_folder / "large.json";
    std::ofstream(large) << std::string(16 * 1024 * 1024 + 1, ' ');
    const fs::path fifo = m_folder / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        fs::path path;
        std::string fault;
    } rows[] = {
        {m_folder / "none.json", "无法打开“none.json”：文件不存在"},
        {m_folder, "无法打开“" + m_folder.filename().string() + "”：这是文件夹，不是文件"},
        {fifo, "无法打开“fifo”：不是普通文件"},
        {large, "无法打开“large.json”：文件大于 16 MiB，不是管网文件"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path.string());
        const network::Reading reading = network::loadNetwork(row.path);
        EXPECT_EQ(reading.fault, row.fault);
        EXPECT_FALSE(reading.network);
    }

    const fs::path closed = m_folder / "closed.json";
    std::ofstream(closed) << kFile;
    fs::permissions(closed, fs::perms::none);
    if (::access(closed.c_str(), R_OK) == 0)
        GTEST_SKIP() << "running as root, whom no file's permissions stop from reading";
    EXPECT_EQ(network::loadNetwork(closed).fault, "无法打开“closed.json”：没有权限");
}

} // namespace
