#include "network/network_sheet.h"

#include "calc/numbers.h"
#include "network/report.h"
#include "network/tables.h"
#include "network/texts.h"
#include "pipes/sizing_sheet.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace network {

namespace {

// When a sheet's column is printed. The heat's columns hold nothing, or the same as another
// column, without heat loss: a sheet without it reads as it did before there was any.
enum class Shown {
    Always,
    WithHeat,
    WithHeatOrGiven, // also without heat loss where a row has a figure in it
};

// A column of one of the sheet's result tables: the key of its column in result_table.h.
struct SheetColumn {
    std::string_view key;
    Shown shown = Shown::Always;
};

// clang-format off
// The segments' results in two tables, each starting with the segment's name: the hydraulics
// with the verdicts, and the heat. One table of 23 columns would set its type too small to read
// even across a landscape page; two read in the type of the others.
inline constexpr std::array<SheetColumn, 14> kHydraulicColumns{{
    {"name"}, {"pipe"}, {"bore"}, {"flow"}, {"flowOut", Shown::WithHeat}, {"pIn"}, {"pOut"},
    {"densityIn"}, {"densityOut"}, {"velocityIn"}, {"velocityOut"}, {"specificLoss"},
    {"pressureDrop"}, {"status"},
}};
// Without heat loss, left out: the adiabatic temperatures are the nodes' (the node table's).
inline constexpr std::array<SheetColumn, 10> kThermalColumns{{
    {"name"}, {"tIn"}, {"tOut"}, {"superheatOut"}, {"heatLoss"}, {"condensate"}, {"qIn"},
    {"surfaceIn"}, {"lossPerAreaIn"}, {"allowedLossPerArea"},
}};
inline constexpr std::array<SheetColumn, 8> kNodeSheetColumns{{
    {"name"}, {"pressure"}, {"required"}, {"margin"}, {"temperature"}, {"superheat"},
    {"requiredTemperature", Shown::WithHeatOrGiven}, {"temperatureMargin", Shown::WithHeatOrGiven},
}};
// clang-format on

template <class Row, std::size_t N>
constexpr const ResultColumn<Row>* columnKeyed(const std::array<ResultColumn<Row>, N>& columns,
                                               std::string_view key) {
    for (const ResultColumn<Row>& column : columns)
        if (column.key == key)
            return &column;
    return nullptr;
}

template <std::size_t M>
constexpr std::size_t holders(const std::array<SheetColumn, M>& table, std::string_view key) {
    return static_cast<std::size_t>(std::count_if(
        table.begin(), table.end(), [&](const SheetColumn& c) { return c.key == key; }));
}

template <class Row, std::size_t N, std::size_t M>
constexpr bool allKeyed(const std::array<ResultColumn<Row>, N>& columns,
                        const std::array<SheetColumn, M>& table) {
    // Keys compared, not the address found against null, which GCC does not take as a
    // constant in the sanitizers' build.
    return std::all_of(table.begin(), table.end(), [&](const SheetColumn& c) {
        return std::any_of(columns.begin(), columns.end(),
                           [&](const ResultColumn<Row>& column) { return column.key == c.key; });
    });
}

// Every column the window shows is on the sheet, once (the name once in each of the segments'
// tables), and every key the sheet names is a column: a column added to result_table.h and not
// here, or renamed there, does not compile.
constexpr bool sheetTiled() {
    if (!allKeyed(kSegmentColumns, kHydraulicColumns) ||
        !allKeyed(kSegmentColumns, kThermalColumns) || !allKeyed(kNodeColumns, kNodeSheetColumns))
        return false;
    for (const ResultColumn<SegmentLine>& column : kSegmentColumns) {
        const std::size_t wanted = column.place == kHidden ? 0 : column.key == "name" ? 2 : 1;
        if (holders(kHydraulicColumns, column.key) + holders(kThermalColumns, column.key) != wanted)
            return false;
    }
    return std::all_of(kNodeColumns.begin(), kNodeColumns.end(), [](const auto& column) {
        return holders(kNodeSheetColumns, column.key) == 1;
    });
}
static_assert(sheetTiled());

// A result table of the chosen columns, one row a record, with the rows' looks.
template <class Row, std::size_t N, std::size_t M>
sheet::Table resultTable(std::string title, const std::array<ResultColumn<Row>, N>& columns,
                         const std::array<SheetColumn, M>& chosen, const std::vector<Row>& rows,
                         std::vector<sheet::Look> looks, bool heat, std::string_view unit) {
    sheet::Table table;
    table.title = std::move(title);
    table.rows.resize(rows.size());
    table.looks = std::move(looks);
    for (const SheetColumn& wanted : chosen) {
        const ResultColumn<Row>& column = *columnKeyed(columns, wanted.key);
        const auto given = [&] {
            return std::any_of(rows.begin(), rows.end(), [&](const Row& row) {
                const Value value = column.cell.read(row);
                const Figure* figure = std::get_if<Figure>(&value);
                return figure != nullptr && figure->value.has_value();
            });
        };
        if (!(wanted.shown == Shown::Always || heat ||
              (wanted.shown == Shown::WithHeatOrGiven && given())))
            continue;
        table.headings.push_back(headingOf(column, unit));
        for (std::size_t r = 0; r < rows.size(); ++r)
            table.rows[r].push_back(sheetCell(column.cell.read(rows[r])));
    }
    return table;
}

sheet::Cell figureCell(std::optional<double> value) {
    return sheetCell(Figure{value});
}

// What the source supplies, and with heat loss what the pipes lose on the way.
sheet::Table totalsTable(const Result& result, bool heat) {
    sheet::Table table;
    table.title = "管网合计";
    table.headings = {"热源流量 (t/h)"};
    table.rows = {{figureCell(result.sourceFlow)}};
    if (heat) {
        table.headings.insert(table.headings.end(), {"散热量 (kW)", "凝结水量 (kg/h)"});
        table.rows[0].insert(table.rows[0].end(),
                             {figureCell(result.heatLoss), figureCell(result.condensate)});
    }
    return table;
}

// The heat's settings as the window's 散热 group holds them, numbers as the file writes them.
std::vector<sheet::Input> heatInputs(const Network& network) {
    if (!network.heatLoss)
        return {{"散热损失", "不计"}};
    const HeatLoss& heat = *network.heatLoss;
    const auto text = [](double value) { return calc::shortestText(value); };
    std::vector<sheet::Input> inputs{
        {"环境温度", text(heat.air.ambient) + " ℃"},
        {"风速", text(heat.air.wind) + " m/s"},
        {"保温材料", insulationWords(heat.insulation)},
    };
    if (heat.air.surfaceCoefficient)
        inputs.push_back(
            {"表面放热系数", "给定 " + text(*heat.air.surfaceCoefficient) + " W/(m²·K)"});
    else
        inputs.push_back({"外表面黑度", text(heat.air.emissivity)});
    inputs.push_back({"散热附加系数", text(heat.factor)});
    inputs.push_back(
        {"运行方式", heat.operation == heat::Operation::YearRound ? "常年运行" : "季节运行"});
    return inputs;
}

} // namespace

std::string insulationWords(const heat::Insulation& insulation) {
    if (const double* lambda = std::get_if<double>(&insulation))
        return "导热系数 " + calc::shortestText(*lambda) + " W/(m·K)";
    switch (std::get<heat::Material>(insulation)) {
    case heat::Material::RockWool:
        return "岩棉";
    case heat::Material::GlassWool:
        return "玻璃棉";
    case heat::Material::CompositeSilicate:
        return "复合硅酸盐";
    case heat::Material::CalciumSilicate:
        return "硅酸钙";
    }
    return {};
}

sheet::Sheet networkSheet(const Network& network, const Result& result, std::string_view date) {
    const NetworkTexts texts = textsOf(network);
    const bool heat = network.heatLoss.has_value();
    sheet::Sheet s;
    s.title = "蒸汽管网水力计算书";
    s.subject = network.title;
    s.program = sheet::kProgram;
    s.date = date;
    s.inputs = {
        {"热源节点", texts.node},
        {"热源压力", texts.pressure + " " + texts.unit},
        {"蒸汽", texts.superheated ? "过热蒸汽，" + texts.temperature + " ℃" : "饱和蒸汽"},
        {"粗糙度", texts.roughness + " mm"},
        {"管材", texts.series},
        {"比摩阻上限", texts.limit.empty() ? "不限" : texts.limit + " Pa/m"},
    };
    for (sheet::Input& input : heatInputs(network))
        s.inputs.push_back(std::move(input));
    s.inputs.push_back({"表中压力的单位", texts.unit});
    s.method = networkMethod(network);

    sheet::Table& segments = s.tables.emplace_back();
    segments.title = "管段数据";
    // Without heat loss a segment's insulation and laying say nothing; a required temperature
    // still does, against the adiabatic temperature, where one is given.
    const bool temperatures =
        heat || std::any_of(network.segments.begin(), network.segments.end(),
                            [](const Segment& segment) { return segment.requiredTemperature; });
    const auto shown = [&](std::size_t column) {
        return heat || column < Thickness || (column == RequiredTemperature && temperatures);
    };
    for (std::size_t column = 0; column < kGridColumns.size(); ++column)
        if (shown(column))
            segments.headings.push_back(headingOf(kGridColumns[column], texts.unit));
    for (const SegmentTexts& cells : texts.segments) {
        std::vector<sheet::Cell>& row = segments.rows.emplace_back();
        for (std::size_t column = 0; column < cells.size(); ++column)
            if (shown(column))
                row.push_back(sheet::shownCell(cells[column]));
    }

    std::vector<SegmentLine> lines;
    std::vector<sheet::Look> looks;
    for (std::size_t i = 0; i < result.segments.size(); ++i) {
        lines.push_back(SegmentLine{network.segments[i], result.segments[i]});
        looks.push_back(segmentLook(result.segments[i]));
    }
    s.tables.push_back(resultTable(heat ? "管段水力计算结果" : "管段计算结果", kSegmentColumns,
                                   kHydraulicColumns, lines, looks, heat, texts.unit));
    if (heat)
        s.tables.push_back(resultTable("管段热力计算结果", kSegmentColumns, kThermalColumns, lines,
                                       looks, heat, texts.unit));
    std::vector<sheet::Look> nodeLooks;
    for (std::size_t i = 0; i < result.nodes.size(); ++i)
        nodeLooks.push_back(nodeLook(result, i));
    s.tables.push_back(resultTable("节点压力与温度", kNodeColumns, kNodeSheetColumns, result.nodes,
                                   nodeLooks, heat, texts.unit));
    s.tables.push_back(totalsTable(result, heat));
    s.findings = pipes::sentences(resultStatus(network, result).text);
    s.drawings = std::make_shared<const SheetDrawings>(network, result);
    return s;
}

} // namespace network
