// The calculation sheet's heat: the settings, the method and the totals that a network with heat
// loss states and one without it does not. The totals are held against sums the test makes of
// the segments' own figures and loads, not against the solver's totals.
#include "network/network_sheet.h"

#include "calc/recal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace heat = network::heat;
using network::Network;
using network::Segment;

Segment segment(std::string from, std::string to, double length, double load, std::string pipe,
                double insulationMm, heat::Laying laying = heat::Laying::Overhead) {
    return {.name = from + "-" + to,
            .from = std::move(from),
            .to = std::move(to),
            .length = length,
            .localLoss = 10,
            .pipe = std::move(pipe),
            .load = load,
            .requiredPressure = {},
            .insulation = insulationMm,
            .laying = laying,
            .requiredTemperature = {}};
}

// Saturated steam on a main and two branches, one of them bare and indoors: every segment
// condenses, so each total sums three different figures.
Network branched(std::optional<network::HeatLoss> heatLoss) {
    Network n;
    n.title = "三段";
    n.source = {.node = "S", .pressure = 0.8, .unit = steam::kMPaAbsolute};
    n.segments = {segment("S", "J", 1000, 0, "D219x6", 80), segment("J", "A", 500, 3, "D108x4", 50),
                  segment("J", "B", 300, 2.5, "D159x4.5", 0, heat::Laying::Indoor)};
    n.heatLoss = heatLoss;
    return n;
}

network::HeatLoss rockWool() {
    return {.air = {.ambient = -5.5, .wind = 4, .emissivity = 0.3, .surfaceCoefficient = {}},
            .insulation = heat::Material::RockWool,
            .factor = 1.15,
            .operation = heat::Operation::YearRound};
}

// A manufacturer's conductivity, the standard's fixed αs and the seasonal limits.
network::HeatLoss typedLambda() {
    return {.air = {.ambient = 20, .wind = 0, .emissivity = 0.9, .surfaceCoefficient = 11.63},
            .insulation = 0.05,
            .factor = 1.3,
            .operation = heat::Operation::Seasonal};
}

std::string joined(const std::vector<std::string>& paragraphs) {
    std::string text;
    for (const std::string& p : paragraphs)
        text += p + "\n";
    return text;
}

std::vector<std::string> titles(const sheet::Sheet& s) {
    std::vector<std::string> names;
    for (const sheet::Table& table : s.tables)
        names.push_back(table.title);
    return names;
}

// The inputs from the first after the limit up to the unit's line: the heat's.
std::vector<sheet::Input> heatInputs(const sheet::Sheet& s) {
    const auto named = [&](std::string_view name) {
        return std::find_if(s.inputs.begin(), s.inputs.end(),
                            [&](const sheet::Input& i) { return i.name == name; });
    };
    return {named("比摩阻上限") + 1, named("表中压力的单位")};
}

// A figure as the sheet shows it, without a positive number's leading blank.
std::string shown(double value) {
    const std::string text = calc::storedText(value);
    return text.starts_with(' ') ? text.substr(1) : text;
}

struct Case {
    const char* name;
    std::optional<network::HeatLoss> heat;
    std::vector<sheet::Input> inputs;
    std::vector<std::string> tables;
    std::vector<std::string> inMethod;  // each somewhere in the method
    std::vector<std::string> notMethod; // none of these anywhere in it
};

TEST(NetworkSheet, StatesTheHeatsSettingsMethodAndTotalsOnlyWithHeatLoss) {
    const std::vector<std::string> withHeat{"管段数据", "管段水力计算结果", "管段热力计算结果",
                                            "节点压力与温度", "管网合计"};
    const Case cases[] = {
        {"rock wool in the wind",
         rockWool(),
         {{"环境温度", "-5.5", "℃", true},
          {"风速", "4", "m/s", true},
          {"保温材料", "岩棉"},
          {"外表面黑度", "0.3", "", true},
          {"散热附加系数", "1.15", "", true},
          {"运行方式", "常年运行"}},
         withHeat,
         {"GB 50264-2013《工业设备及管道绝热工程设计规范》",
          "(T − Ts) × 2λ(tm) ÷ (D1 × ln(D1 ÷ D0)) = αs(Ts, D1) × (Ts − ta)",
          "tm ≤ 100 时 λ = 0.0337 + 0.000151 × tm", "αs = αr + αc", "外表面黑度 ε = 0.3",
          "风速 W = 4 m/s", "ta = -5.5 ℃", "k = 1.15", "附录 B 的最大允许散热损失（常年运行）",
          "dṁ/dx = −(k × q(T) + ṁ × dh″/dx) ÷ (h″ − h′)", "IAPWS-IF97",
          "忽略管壁与蒸汽侧放热的热阻", "凝结水在生成处由疏水器排出", "不计直埋管道"},
         {"不计散热损失", "玻璃棉", "给定值"}},
        {"a typed conductivity and a fixed coefficient",
         typedLambda(),
         {{"环境温度", "20", "℃", true},
          {"风速", "0", "m/s", true},
          {"保温材料", "导热系数 0.05 W/(m·K)"},
          {"表面放热系数", "给定 11.63 W/(m²·K)"},
          {"散热附加系数", "1.3", "", true},
          {"运行方式", "季节运行"}},
         withHeat,
         {"GB 50264-2013", "常数 λ = 0.05 W/(m·K)", "αs = 11.63 W/(m²·K)", "k = 1.3",
          "（季节运行）"},
         {"αs = αr + αc", "0.0337", "外表面黑度", "不计散热损失"}},
        {"no heat loss",
         std::nullopt,
         {{"散热损失", "不计"}},
         {"管段数据", "管段计算结果", "节点压力与温度", "管网合计"},
         {"过热蒸汽保持热源处的比焓（绝热管道中的节流）",
          "假定：管道绝热（不计散热损失），流动稳定，不计凝结水，流动处于阻力平方区。\n"},
         {"GB 50264", "散热附加系数", "凝结水在生成处"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Network network = branched(c.heat);
        const network::Result result = network::solve(network);
        ASSERT_EQ(result.fault, "");
        const sheet::Sheet s = network::networkSheet(network, result, "2026-12-08");

        EXPECT_EQ(heatInputs(s), c.inputs);
        EXPECT_EQ(titles(s), c.tables);
        const std::string method = joined(s.method);
        for (const std::string& words : c.inMethod)
            EXPECT_NE(method.find(words), std::string::npos) << words;
        for (const std::string& words : c.notMethod)
            EXPECT_EQ(method.find(words), std::string::npos) << words;

        // The totals by hand: the source supplies the loads (3 + 2.5 t/h) and every kg/h of
        // condensate; the heat lost is the segments' sum.
        const sheet::Table& totals = s.tables.back();
        ASSERT_EQ(totals.rows.size(), 1u);
        if (!c.heat) {
            EXPECT_EQ(totals.headings, std::vector<std::string>{"热源流量 (t/h)"});
            EXPECT_EQ(totals.rows[0], (std::vector<sheet::Cell>{{"5.5", true}}));
            continue;
        }
        double condensate = 0, lost = 0;
        for (const network::SegmentResult& r : result.segments) {
            ASSERT_TRUE(r.condensate && r.heatLoss);
            EXPECT_GT(*r.condensate, 0) << "each segment condenses, so each is in the sums";
            condensate += *r.condensate;
            lost += *r.heatLoss;
        }
        EXPECT_EQ(totals.headings,
                  (std::vector<std::string>{"热源流量 (t/h)", "散热量 (kW)", "凝结水量 (kg/h)"}));
        EXPECT_EQ(totals.rows[0], (std::vector<sheet::Cell>{{shown(5.5 + condensate / 1000), true},
                                                            {shown(lost), true},
                                                            {shown(condensate), true}}));
    }
}

// Each material of the standard's Appendix A named among the inputs and its own λ(tm) in the
// method, as the standard writes them: no other material's formula.
TEST(NetworkSheet, NamesEachMaterialWithItsOwnConductivity) {
    struct Material {
        heat::Material material;
        std::string word;
        std::string formula;
    };
    const Material materials[] = {
        {heat::Material::RockWool, "岩棉", "λ = 0.0337 + 0.000151 × tm"},
        {heat::Material::GlassWool, "玻璃棉", "λ = 0.041 + 0.00017 × (tm − 70)"},
        {heat::Material::CompositeSilicate, "复合硅酸盐", "λ = 0.043 + 0.00015 × (tm − 70)"},
        {heat::Material::CalciumSilicate, "硅酸钙", "λ = 0.0479 + 1.0185×10^-4 × tm"},
    };
    for (const Material& m : materials) {
        SCOPED_TRACE(m.word);
        network::HeatLoss heat = rockWool();
        heat.insulation = m.material;
        const Network network = branched(heat);
        const sheet::Sheet s =
            network::networkSheet(network, network::solve(network), "2026-12-08");
        const std::vector<sheet::Input> inputs = heatInputs(s);
        EXPECT_NE(std::find(inputs.begin(), inputs.end(), sheet::Input{"保温材料", m.word}),
                  inputs.end());
        const std::string method = joined(s.method);
        for (const Material& other : materials)
            EXPECT_EQ(method.find(other.formula) != std::string::npos, &other == &m)
                << other.formula;
    }
}

// Without heat loss the results table is the one it was before there was any; the node table
// gains the adiabatic temperatures, and the required ones only where a user states one.
TEST(NetworkSheet, WithoutHeatLossTheResultsReadAsBefore) {
    Network network = branched(std::nullopt);
    const auto headings = [&](std::string_view title) {
        const sheet::Sheet s =
            network::networkSheet(network, network::solve(network), "2026-12-08");
        for (const sheet::Table& table : s.tables)
            if (table.title == title)
                return table.headings;
        return std::vector<std::string>{};
    };
    EXPECT_EQ(headings("管段计算结果"),
              (std::vector<std::string>{"管段", "管子", "内径 (mm)", "流量 (t/h)",
                                        "起点压力 (MPa(绝压))", "终点压力 (MPa(绝压))",
                                        "起点密度 (kg/m3)", "终点密度 (kg/m3)", "起点流速 (m/s)",
                                        "终点流速 (m/s)", "比摩阻 (Pa/m)", "压降 (kPa)", "评价"}));
    const std::vector<std::string> nodes{
        "节点",     "压力 (MPa(绝压))", "要求压力 (MPa(绝压))", "余量 (MPa(绝压))",
        "温度 (℃)", "过热度 (℃)"};
    EXPECT_EQ(headings("节点压力与温度"), nodes);
    network.segments[1].requiredTemperature = 150;
    std::vector<std::string> required = nodes;
    required.insert(required.end(), {"要求温度 (℃)", "温度余量 (℃)"});
    EXPECT_EQ(headings("节点压力与温度"), required);
}

} // namespace
