#pragma once

#include "calc/recal.h"
#include "calc/state.h"
#include "sheet/sheet.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pipes {

enum class SteamKind { Saturated, Superheated };

struct VelocityBand {
    float low; // m/s
    float high;
};

// Recommended velocities in steam mains by inner diameter (under 100 mm, 100 to 200 mm, over
// 200 mm), saturated steam first. We know no standard giving these six: the table common in design
// handbooks has them but 30–40 m/s for superheated steam under 100 mm; CJJ/T 34 gives only
// maxima, DL/T 5054 bands by a pipe's service, not by its size.
inline constexpr std::array<std::array<VelocityBand, 3>, 2> kVelocityBands{{
    {{{15, 30}, {25, 35}, {30, 40}}},
    {{{20, 40}, {30, 50}, {40, 60}}},
}};

VelocityBand velocityBand(SteamKind steam, float boreMetres);

// The loss per metre of steam mains, from the table that gives the bands above beside them: its
// "最大允许压降", in kgf/cm² per 100 m, is 0.20 for saturated and 0.35 for superheated steam, and
// 0.06 to 0.35 by pressure class (the table "一般蒸汽管道的流速", as reproduced at
// doczj.com/doc/0613202909.html and 360docs.net/doc/5911076747.html). 1 kgf/cm² is 98 066.5 Pa.
// Saturated steam's, 196.1 Pa/m: a new network's limit on R, written as the round 200.
inline constexpr double kSaturatedSpecificLoss = 0.20 * 98066.5 / 100;
// The table's highest, 343.2 Pa/m: without a limit of the user's, a pipe whose R is above it is
// beyond anything that table lets an engineer sign, and is not called 适宜 whatever its velocity.
inline constexpr double kHighestSpecificLoss = 0.35 * 98066.5 / 100;

// The steam whose density the main window uses, where the program knows it: its absolute pressure
// and kind, as the property window handed them over.
struct KnownSteam {
    double absoluteMpa;
    SteamKind kind;
};

// Past this share of the absolute pressure lost over a run, the density at the run's start no
// longer stands for the whole run: the loss per metre grows as the pressure falls.
inline constexpr double kOneDensityShare = 0.10;

// Local losses above this share of the friction loss, in %, are likelier a fraction typed as a
// percentage (or a slip) than a run: loop compensators reach about 120 %.
inline constexpr double kLikelyLocalPercent = 300;

// The run a table is computed for.
struct SizingRun {
    double length;                     // m
    double fraction;                   // local losses as a share of the friction loss
    std::optional<double> limit;       // the highest R wanted, Pa/m
    std::optional<double> absoluteMpa; // the steam's pressure, where known
};

// One size of a series as the sizing table shows it.
struct SizingRow {
    std::string_view size; // the welded DN or the seamless outer diameter, as its list says it
    std::string_view wall; // the seamless default wall; empty for a welded size
    calc::FlowResults results;
    sheet::Look look;    // Plain inside its band
    bool largeDrop;      // the run loses more than kOneDensityShare of the known pressure
    bool lossAboveRange; // without a limit, R above kHighestSpecificLoss and velocity in band
    std::string cells;   // name, bore mm, velocity, R, run loss kPa, band, verdict; tab-separated
};

// The sizing table's headings, in the order of SizingRow::cells.
inline constexpr std::array<std::string_view, 7> kSizingHeadings{
    "管径",           "内径 (mm)", "流速 (m/s)", "比摩阻 R (Pa/m)", "管段压降 ΔP (kPa)",
    "推荐流速 (m/s)", "评价"};

struct SizingTable {
    std::vector<SizingRow> rows;
    // The smallest size whose velocity is not above its band and whose R is not above the limit
    // (without one, kHighestSpecificLoss).
    std::optional<std::size_t> recommended;
    // Whether kHighestSpecificLoss refused a size the velocity alone would have recommended.
    bool rangeDecided = false;
};

// Every size of a series for the main window's flow, roughness and density (which must be
// positive), computed as the main window computes the same pipe, and the loss over the run with
// local losses a share of the friction loss.
SizingTable sizingTable(const calc::CalcState& main, bool seamless, SteamKind steam,
                        const SizingRun& run);

} // namespace pipes
