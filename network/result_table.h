#pragma once

#include "network/network.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

// The network window's two result tables, each described once: a column a row, in the order the
// command line writes them, with the column's place in the window. The window's rows, its
// calculation sheet (and so the copied text, CSV, xlsx and PDF) and the command line's CSV and
// JSON are all made from these rows; network/tables.cpp writes every cell.
namespace network {

// A cell before it is written, by the rule it is written by.
struct Figure {
    std::optional<double> value; // blank when none
};
struct PipeCell {
    std::string_view name; // as a file names it; empty when no pipe was chosen
    bool chosen;           // by the calculation, not the user
};
// A text as it stands; a figure, shown to seven significant digits of its stored float and
// written in its shortest exact form for scripts; a pipe, shown as the window names it; the
// verdicts, shown as their words and written as their codes.
using Value = std::variant<std::string_view, Figure, PipeCell, std::span<const Verdict>>;

// A column's unit: none, a fixed one shown after its heading, or the source's pressure unit,
// which the window names in a line above the tables and the sheet after the heading.
struct Unit {
    std::string_view fixed;
    bool source = false;
};
// The source's pressure unit.
inline constexpr Unit kSource{{}, true};

// The widest figure a column of seven significant digits shows.
inline constexpr std::string_view kFigure = "0.1234567";

// A column the window does not show: the command line's input columns.
inline constexpr int kHidden = -1;

// A segment's row: the segment as entered and its result.
struct SegmentLine {
    const Segment& segment;
    const SegmentResult& result;
};

// How a column's cells are written (the alternative of Value its cells hold); the window puts
// figures to the right, words to the left.
enum class Kind { Text, Figure, Pipe, Verdicts };

template <class Row> struct CellRule {
    Kind kind;
    Value (*read)(const Row&);
};

template <class Row> struct ResultColumn {
    std::string_view key;     // the command line's CSV and JSON key
    std::string_view heading; // the window's and the sheet's, without the unit
    Unit unit;
    int place;               // the window's column, from 0, or kHidden
    std::string_view widest; // the widest cell the window's column will show
    CellRule<Row> cell;
};

// The row a member is read from: a segment's row holds the segment and its result.
template <class Record>
using RowOf = std::conditional_t<std::is_same_v<Record, NodeResult>, NodeResult, SegmentLine>;
template <class Record, class Type> Record recordOf(Type Record::*);
template <auto member> using RowWith = RowOf<decltype(recordOf(member))>;

template <auto member> const auto& memberOf(const RowWith<member>& row) {
    using Record = decltype(recordOf(member));
    if constexpr (std::is_same_v<Record, Segment>)
        return row.segment.*member;
    else if constexpr (std::is_same_v<Record, SegmentResult>)
        return row.result.*member;
    else
        return row.*member;
}

// A column that reads a member of the segment, of its result or of a node, as text or figure.
template <auto member>
inline constexpr CellRule<RowWith<member>> text{
    Kind::Text,
    [](const RowWith<member>& row) -> Value { return std::string_view(memberOf<member>(row)); }};
template <auto member>
inline constexpr CellRule<RowWith<member>> figure{
    Kind::Figure,
    [](const RowWith<member>& row) -> Value { return Figure{memberOf<member>(row)}; }};

inline constexpr CellRule<SegmentLine> kPipe{
    Kind::Pipe, [](const SegmentLine& l) -> Value {
        return PipeCell{l.result.pipe, l.segment.pipe == kAutoPipe};
    }};
// An auto-sized segment below an exhausted one has no pipe and so no bore.
inline constexpr CellRule<SegmentLine> kBore{
    Kind::Figure, [](const SegmentLine& l) -> Value { return Figure{l.result.shownBore()}; }};
inline constexpr CellRule<SegmentLine> kVerdicts{
    Kind::Verdicts,
    [](const SegmentLine& l) -> Value { return std::span<const Verdict>(l.result.verdicts); }};

// clang-format off
// The segments, in the order of the command line's header (the README documents it).
inline constexpr std::array<ResultColumn<SegmentLine>, 27> kSegmentColumns{{
    {"name",         "管段",     {},        0,       "主干 12", text<&Segment::name>},
    {"from",         "起点",     {},        kHidden, {}, text<&Segment::from>},
    {"to",           "终点",     {},        kHidden, {}, text<&Segment::to>},
    {"flow",         "流量",     {"t/h"},   3,       kFigure, figure<&SegmentResult::flow>},
    {"length",       "长度",     {"m"},     kHidden, {}, figure<&Segment::length>},
    {"localLoss",    "局部损失", {"%"},     kHidden, {}, figure<&Segment::localLoss>},
    {"pipe",         "管子",     {},        1,       "D1020×14（自动）", kPipe},
    {"bore",         "内径",     {"mm"},    2,       "1000.000", kBore},
    {"pIn",          "起点压力", kSource,   5,       kFigure, figure<&SegmentResult::pIn>},
    {"pOut",         "终点压力", kSource,   6,       kFigure, figure<&SegmentResult::pOut>},
    {"densityIn",    "起点密度", {"kg/m3"}, 7,       kFigure, figure<&SegmentResult::densityIn>},
    {"densityOut",   "终点密度", {"kg/m3"}, 8,       kFigure, figure<&SegmentResult::densityOut>},
    {"velocityIn",   "起点流速", {"m/s"},   9,       kFigure, figure<&SegmentResult::velocityIn>},
    {"velocityOut",  "终点流速", {"m/s"},   10,      kFigure, figure<&SegmentResult::velocityOut>},
    {"specificLoss", "比摩阻",   {"Pa/m"},  11,      kFigure, figure<&SegmentResult::specificLoss>},
    {"pressureDrop", "压降",     {"kPa"},   12,      kFigure, figure<&SegmentResult::pressureDrop>},
    {"status",       "评价",     {},        22,      "流速偏高，比摩阻超限", kVerdicts},
    // The heat's columns follow the ones scripts read before there were any, so that a script
    // reading columns by place reads the same ones.
    {"flowOut",      "终点流量", {"t/h"},   4,       kFigure, figure<&SegmentResult::flowOut>},
    {"tIn",          "起点温度", {"℃"},     13,      kFigure, figure<&SegmentResult::tIn>},
    {"tOut",         "终点温度", {"℃"},     14,      kFigure, figure<&SegmentResult::tOut>},
    {"superheatOut", "终点过热度", {"℃"},   15,      kFigure, figure<&SegmentResult::superheatOut>},
    {"heatLoss",     "散热量",   {"kW"},    16,      kFigure, figure<&SegmentResult::heatLoss>},
    {"condensate",   "凝结水量", {"kg/h"},  17,      kFigure, figure<&SegmentResult::condensate>},
    {"qIn",          "起点线散热", {"W/m"}, 18,      kFigure, figure<&SegmentResult::qIn>},
    {"surfaceIn",    "起点表面温度", {"℃"}, 19,      kFigure, figure<&SegmentResult::surfaceIn>},
    {"lossPerAreaIn", "起点散热密度", {"W/m2"}, 20,  kFigure, figure<&SegmentResult::lossPerAreaIn>},
    {"allowedLossPerArea", "允许散热密度", {"W/m2"}, 21, kFigure,
     figure<&SegmentResult::allowedLossPerArea>},
}};

// The nodes: the source, then each segment's end, in the same order everywhere.
inline constexpr std::array<ResultColumn<NodeResult>, 8> kNodeColumns{{
    {"name",     "节点",     {},      0, "用户 12", text<&NodeResult::name>},
    {"pressure", "压力",     kSource, 1, kFigure, figure<&NodeResult::pressure>},
    {"required", "要求压力", kSource, 2, kFigure, figure<&NodeResult::required>},
    {"margin",   "余量",     kSource, 3, "-0.1234567", figure<&NodeResult::margin>},
    {"temperature", "温度",  {"℃"},   4, kFigure, figure<&NodeResult::temperature>},
    {"superheat", "过热度",  {"℃"},   5, kFigure, figure<&NodeResult::superheat>},
    {"requiredTemperature", "要求温度", {"℃"}, 6, kFigure,
     figure<&NodeResult::requiredTemperature>},
    {"temperatureMargin", "温度余量", {"℃"}, 7, "-0.1234567",
     figure<&NodeResult::temperatureMargin>},
}};
// clang-format on

// Every place of the window taken by exactly one column, so that a column added or moved with
// a place taken twice or left free does not compile.
template <class Row, std::size_t N>
constexpr bool placesTiled(const std::array<ResultColumn<Row>, N>& columns) {
    std::size_t shown = 0;
    for (const ResultColumn<Row>& column : columns)
        shown += column.place != kHidden ? 1 : 0;
    for (std::size_t place = 0; place < shown; ++place) {
        std::size_t holders = 0;
        for (const ResultColumn<Row>& column : columns)
            holders += column.place == static_cast<int>(place) ? 1 : 0;
        if (holders != 1)
            return false;
    }
    return true;
}
static_assert(placesTiled(kSegmentColumns) && placesTiled(kNodeColumns));

// The columns the window shows, in its order.
template <class Row, std::size_t N>
std::vector<const ResultColumn<Row>*> windowOrder(const std::array<ResultColumn<Row>, N>& columns) {
    std::vector<const ResultColumn<Row>*> shown;
    for (std::size_t place = 0;; ++place) {
        const auto at = std::find_if(columns.begin(), columns.end(), [&](const auto& column) {
            return column.place == static_cast<int>(place);
        });
        if (at == columns.end())
            return shown;
        shown.push_back(&*at);
    }
}

// A column's heading with its unit: "内径 (mm)"; a pressure's with the source's unit when one
// is given, as the sheet names it (the window names it once, above its tables).
template <class Column>
std::string headingOf(const Column& column, std::string_view sourceUnit = {}) {
    const std::string_view unit = column.unit.source ? sourceUnit : column.unit.fixed;
    std::string heading(column.heading);
    if (!unit.empty())
        heading.append(" (").append(unit).append(")");
    return heading;
}

} // namespace network
