#pragma once

#include "network/network.h"
#include "network/result_table.h"
#include "pipes/catalogue.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

// A network as the texts its window's boxes and grid hold: the texts that show a network, and
// the network a window's texts describe or the words of their first fault.
namespace network {

// The grid's columns, in the order of its headings. The heat's (the insulation's thickness, how
// the pipe is laid and the temperature its user needs) follow the hydraulics' so that the
// columns a user knows keep their places; `Laid` is not `Laying`, which heat::Laying names.
enum Column {
    Name,
    From,
    To,
    Length,
    LocalLoss,
    Pipe,
    Load,
    Required,
    Thickness,
    Laid,
    RequiredTemperature,
    kColumns
};

// The pipe cell's word for a pipe chosen by the calculation.
inline constexpr std::string_view kAutoShown = "自动";

// The laying cell's words, in the order of heat::Laying.
inline constexpr std::array<std::string_view, 2> kLayingShown{"架空", "室内"};
// The insulation list's words, in the order of heat::Material, then the one for a conductivity
// the user types.
inline constexpr std::array<std::string_view, 5> kMaterialShown{"岩棉", "玻璃棉", "复合硅酸盐",
                                                                "硅酸钙", "自定导热系数"};
// The operation list's words, in the order of heat::Operation.
inline constexpr std::array<std::string_view, 2> kOperationShown{"常年运行", "季节运行"};

using SegmentTexts = std::array<std::string, kColumns>;

// A column of the grid: its heading with its unit, as the window and the sheet head it (the
// window names the source's pressure unit once, beside the source's pressure), the widest cell
// it is sized for, and whether it holds figures, which the sheet files as numbers, or texts
// (names, a pipe, a laying), which it files as typed however they read.
struct GridColumn {
    std::string_view heading;
    Unit unit;
    std::string_view widest;
    bool figure = false;
};
// In the order of Column.
inline constexpr std::array<GridColumn, kColumns> kGridColumns{{
    {"管段", {}, "主干 12"},
    {"起点", {}, "用户 12"},
    {"终点", {}, "用户 12"},
    {"长度", {"m"}, "12345.6", true},
    {"局部损失", {"%"}, "120", true},
    {"管子", {}, "D1020×14"},
    {"负荷", {"t/h"}, "123.45", true},
    {"要求压力", kSource, "0.8", true},
    {"保温厚度", {"mm"}, "1000", true},
    {"敷设", {}, "架空"},
    {"要求温度", {"℃"}, "250", true},
}};

// The grid's headings with their fixed units, one a tab, as the window's description gives
// them: made once, when the program is compiled.
inline constexpr auto kGridHeadingChars = [] {
    constexpr auto append = [](auto& text, std::size_t& at, std::string_view part) {
        for (const char c : part)
            text[at++] = c;
    };
    constexpr auto length = [] {
        std::size_t length = kColumns - 1;
        for (const GridColumn& column : kGridColumns)
            length += column.heading.size() +
                      (column.unit.fixed.empty() ? 0 : column.unit.fixed.size() + 3);
        return length;
    }();
    std::array<char, length> text{};
    std::size_t at = 0;
    for (const GridColumn& column : kGridColumns) {
        if (at > 0)
            append(text, at, "\t");
        append(text, at, column.heading);
        if (!column.unit.fixed.empty()) {
            append(text, at, " (");
            append(text, at, column.unit.fixed);
            append(text, at, ")");
        }
    }
    return text;
}();
inline constexpr std::string_view kGridHeadings{kGridHeadingChars.data(), kGridHeadingChars.size()};

// The 散热 group's inputs, as typed; a new network's by default (heat::Surroundings' and
// HeatLoss' defaults), off. Kept while off, so that switching it off and on loses nothing.
struct HeatTexts {
    bool on = false;
    std::string ambient = "10";
    std::string wind = "3";
    std::string material{kMaterialShown[0]};
    std::string conductivity; // read only with the last material, a typed λ
    std::string emissivity = "0.25";
    std::string surfaceCoefficient; // blank: computed from radiation and convection
    std::string factor = "1.2";
    std::string operation{kOperationShown[0]};

    auto members() const {
        const auto& [on, ambient, wind, material, conductivity, emissivity, surfaceCoefficient,
                     factor, operation] = *this;
        return std::tie(on, ambient, wind, material, conductivity, emissivity, surfaceCoefficient,
                        factor, operation);
    }
    bool operator==(const HeatTexts& other) const { return members() == other.members(); }
};

// Everything the window's inputs hold, as typed; a new network's texts by default.
struct NetworkTexts {
    std::string node = "S";
    std::string pressure = "1";
    std::string unit = "MPa(表压)";
    bool superheated = false;
    std::string temperature = "250";
    std::string roughness = "0.2";
    std::string series{pipes::kSeries[0].shown};
    // A new network sizes its pipes within the saturated steam's usual loss per metre,
    // pipes::kSaturatedSpecificLoss as the round figure an engineer writes; a file without a
    // limit opens without one.
    std::string limit = "200";
    std::string title;
    std::vector<SegmentTexts> segments;
    HeatTexts heat;

    // A tie rather than a defaulted comparison, as network.h says why.
    auto members() const {
        const auto& [node, pressure, unit, superheated, temperature, roughness, series, limit,
                     title, segments, heat] = *this;
        return std::tie(node, pressure, unit, superheated, temperature, roughness, series, limit,
                        title, segments, heat);
    }
    bool operator==(const NetworkTexts& other) const { return members() == other.members(); }
};

// The texts that show a network: numbers in their shortest exact form, pipes as the window
// names them.
NetworkTexts textsOf(const Network& network);

// A cell of the grid: its segment's row and its column.
struct CellPlace {
    std::size_t row;
    Column column;
    bool operator==(const CellPlace&) const = default;
};

// A cell that cannot be used, with the words the status line says of it.
struct CellFault {
    CellPlace place;
    std::string words;
};

// How a fault in one segment's cell comes from another segment: its name repeats an earlier
// segment's, no line from the source reaches its from-node, or an earlier segment already feeds
// its to-node. `other` is that earlier segment; none for a node unreached.
enum class Tie { SameName, Unreached, SecondFeeder };
struct FaultTie {
    Tie kind;
    std::optional<std::size_t> other;
    bool operator==(const FaultTie&) const = default;
};

// The network the texts describe, or the words of the first fault: a box without a number, or
// with more after it, or the first fault network::validate finds, whichever comes first in the
// order of the fields and then of the segments. A segment's fault names it by its row.
struct TextReading {
    std::optional<Network> network;
    std::string fault;
    // The first fault's cell; none for a box's fault, or where there is none.
    std::optional<CellPlace> place;
    // Where the first fault is a cell's that another segment makes.
    std::optional<FaultTie> tie;
    // Every cell that cannot be used, whatever the other segments hold, row by row and column by
    // column, with the first fault's cell among them: each cell the user must mend.
    std::vector<CellFault> cells;
};
TextReading readTexts(const NetworkTexts& texts);

// The words for a fault that an edit of one cell made in another: "第 1 段的终点改为“52”后，第 2
// 段的起点“T1”不再连通热源", naming the edited cell by its segment and its column's heading and
// what it now holds; empty where the reading's first fault is the edited cell's own, or no
// segment's tie to another.
std::string editFault(const TextReading& reading, const NetworkTexts& texts, CellPlace edited);

// What a pipe cell shows for the text typed into it: 自动, the pipe's name as the window spells
// it (the series' spelling of a size of the series), or the text as typed where it names no
// pipe; and whether the pipe is of the series, so that a size outside it is marked.
struct PipeCellText {
    std::string shown;
    bool inSeries;
};
PipeCellText pipeCell(std::string_view typed);
// The note a pipe cell outside the series carries.
inline constexpr std::string_view kNonStandardNote = "非标准规格";

// A text without the blanks around it, as a name or a cell is read.
std::string trimmed(std::string_view text);

} // namespace network
