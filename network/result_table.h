#pragma once

#include "network/network.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
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

enum class Align { Left, Right };

// A column's unit: none, a fixed one shown after its heading, or the source's pressure unit,
// which the window names in a line above the tables and the sheet after the heading.
struct Unit {
    std::string_view fixed;
    bool source = false;
};
inline constexpr Unit kSourceUnit{{}, true};

// A column the window does not show: the command line's input columns.
inline constexpr int kScriptsOnly = -1;

template <class Row> struct ResultColumn {
    std::string_view key;     // the command line's CSV and JSON key
    std::string_view heading; // the window's and the sheet's, without the unit
    Unit unit;
    int place; // the window's column, from 0, or kScriptsOnly
    Align align;
    std::string_view widest; // the widest cell the window's column will show
    Value (*cell)(const Row&);
};

// A segment's row: the segment as entered and its result.
struct SegmentLine {
    const Segment& segment;
    const SegmentResult& result;
};

// The segments, in the order of the command line's header (the README documents it).
inline constexpr std::array<ResultColumn<SegmentLine>, 17> kSegmentColumns{{
    {"name",
     "管段",
     {},
     0,
     Align::Left,
     "主干 12",
     [](const SegmentLine& l) -> Value { return std::string_view(l.segment.name); }},
    {"from",
     "起点",
     {},
     kScriptsOnly,
     Align::Left,
     {},
     [](const SegmentLine& l) -> Value { return std::string_view(l.segment.from); }},
    {"to",
     "终点",
     {},
     kScriptsOnly,
     Align::Left,
     {},
     [](const SegmentLine& l) -> Value { return std::string_view(l.segment.to); }},
    {"flow",
     "流量",
     {"t/h"},
     3,
     Align::Right,
     "0.1234567",
     [](const SegmentLine& l) -> Value { return Figure{l.result.flow}; }},
    {"length",
     "长度",
     {"m"},
     kScriptsOnly,
     Align::Right,
     {},
     [](const SegmentLine& l) -> Value { return Figure{l.segment.length}; }},
    {"localLoss",
     "局部损失",
     {"%"},
     kScriptsOnly,
     Align::Right,
     {},
     [](const SegmentLine& l) -> Value { return Figure{l.segment.localLoss}; }},
    {"pipe",
     "管子",
     {},
     1,
     Align::Left,
     "D1020×14（自动）",
     [](const SegmentLine& l) -> Value {
         return PipeCell{l.result.pipe, l.segment.pipe == kAutoPipe};
     }},
    {"bore",
     "内径",
     {"mm"},
     2,
     Align::Right,
     "1000.000",
     [](const SegmentLine& l) -> Value { return Figure{l.result.shownBore()}; }},
    {"pIn", "起点压力", kSourceUnit, 4, Align::Right, "0.1234567",
     [](const SegmentLine& l) -> Value { return Figure{l.result.pIn}; }},
    {"pOut", "终点压力", kSourceUnit, 5, Align::Right, "0.1234567",
     [](const SegmentLine& l) -> Value { return Figure{l.result.pOut}; }},
    {"densityIn",
     "起点密度",
     {"kg/m3"},
     6,
     Align::Right,
     "0.1234567",
     [](const SegmentLine& l) -> Value { return Figure{l.result.densityIn}; }},
    {"densityOut",
     "终点密度",
     {"kg/m3"},
     7,
     Align::Right,
     "0.1234567",
     [](const SegmentLine& l) -> Value { return Figure{l.result.densityOut}; }},
    {"velocityIn",
     "起点流速",
     {"m/s"},
     8,
     Align::Right,
     "0.1234567",
     [](const SegmentLine& l) -> Value { return Figure{l.result.velocityIn}; }},
    {"velocityOut",
     "终点流速",
     {"m/s"},
     9,
     Align::Right,
     "0.1234567",
     [](const SegmentLine& l) -> Value { return Figure{l.result.velocityOut}; }},
    {"specificLoss",
     "比摩阻",
     {"Pa/m"},
     10,
     Align::Right,
     "0.1234567",
     [](const SegmentLine& l) -> Value { return Figure{l.result.specificLoss}; }},
    {"pressureDrop",
     "压降",
     {"kPa"},
     11,
     Align::Right,
     "0.1234567",
     [](const SegmentLine& l) -> Value { return Figure{l.result.pressureDrop}; }},
    {"status",
     "评价",
     {},
     12,
     Align::Left,
     "流速偏高，比摩阻超限",
     [](const SegmentLine& l) -> Value { return std::span<const Verdict>(l.result.verdicts); }},
}};

// The nodes: the source, then each segment's end, in the same order everywhere.
inline constexpr std::array<ResultColumn<NodeResult>, 4> kNodeColumns{{
    {"name",
     "节点",
     {},
     0,
     Align::Left,
     "用户 12",
     [](const NodeResult& n) -> Value { return std::string_view(n.name); }},
    {"pressure", "压力", kSourceUnit, 1, Align::Right, "0.1234567",
     [](const NodeResult& n) -> Value { return Figure{n.pressure}; }},
    {"required", "要求压力", kSourceUnit, 2, Align::Right, "0.1234567",
     [](const NodeResult& n) -> Value { return Figure{n.required}; }},
    {"margin", "余量", kSourceUnit, 3, Align::Right, "-0.1234567",
     [](const NodeResult& n) -> Value { return Figure{n.margin}; }},
}};

// Every place of the window taken by exactly one column, so that a column added or moved with
// a place taken twice or left free does not compile.
template <class Row, std::size_t N>
constexpr bool placesTiled(const std::array<ResultColumn<Row>, N>& columns) {
    std::size_t shown = 0;
    for (const ResultColumn<Row>& column : columns)
        shown += column.place != kScriptsOnly ? 1 : 0;
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
template <class Row>
std::string headingOf(const ResultColumn<Row>& column, std::string_view sourceUnit = {}) {
    const std::string_view unit = column.unit.source ? sourceUnit : column.unit.fixed;
    std::string heading(column.heading);
    if (!unit.empty())
        heading.append(" (").append(unit).append(")");
    return heading;
}

} // namespace network
