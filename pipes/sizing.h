#pragma once

#include "calc/recal.h"
#include "calc/state.h"
#include "sheet/sheet.h"
#include "ui/controls/controls.h"

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
    std::optional<controls::TableList::Look> look; // none inside its band
    bool largeDrop;    // the run loses more than kOneDensityShare of the known pressure
    std::string cells; // name, bore mm, velocity, R, run loss kPa, band, verdict; tab-separated
};

// The sizing table's headings, in the order of SizingRow::cells.
inline constexpr std::array<std::string_view, 7> kSizingHeadings{
    "管径",           "内径 (mm)", "流速 (m/s)", "比摩阻 R (Pa/m)", "管段压降 ΔP (kPa)",
    "推荐流速 (m/s)", "评价"};

struct SizingTable {
    std::vector<SizingRow> rows;
    // The smallest size whose velocity is not above its band and whose R is not above the limit.
    std::optional<std::size_t> recommended;
};

// Every size of a series for the main window's flow, roughness and density (which must be
// positive), computed as the main window computes the same pipe, and the loss over the run with
// local losses a share of the friction loss.
SizingTable sizingTable(const calc::CalcState& main, bool seamless, SteamKind steam,
                        const SizingRun& run);

// The controls the sizing window's handlings read and write.
struct SizingControls {
    controls::DropDownList& series; // Form4.Combo1
    controls::DropDownList& steam;  // Form4.Combo2
    controls::TextBox& length;      // Form4.Text1
    controls::TextBox& fraction;    // Form4.Text2, in % of the friction loss
    controls::TextBox& limit;       // Form4.Text3, empty for no limit
    controls::TableList& table;     // Form4.List1
    controls::StatusText& status;   // Form4.Label4
    controls::PushButton& choose;   // Form4.Command1
};

inline constexpr std::array<std::string_view, 2> kSeriesItems{"焊接钢管", "无缝钢管"};
inline constexpr std::array<std::string_view, 2> kSteamItems{"饱和蒸汽", "过热蒸汽"};

// The sizing window's input handlings: every change fills the table anew.
class SizingHandlings {
public:
    SizingHandlings(const calc::CalcState& main, std::optional<KnownSteam> steam,
                    SizingControls controls)
        : m_main(main), m_steam(steam), m_controls(controls) {}

    void Combo1_Click() { fill(); }
    void Combo2_Click() { fill(); }
    void Text1_Change() { fill(); }
    void Text2_Change() { fill(); }
    void Text3_Change() { fill(); }

    // The steam of the main window's density, where it is known.
    const std::optional<KnownSteam>& knownSteam() const { return m_steam; }
    // The row the user has selected, while the table shows it.
    const SizingRow* selectedRow() const;
    // The table's calculation sheet, made on `date`, while the window shows a table.
    std::optional<sheet::Sheet> sheet(std::string_view date) const;

private:
    void fill();
    void fault(std::string_view why);

    const calc::CalcState& m_main;
    std::optional<KnownSteam> m_steam;
    SizingControls m_controls;
    SizingTable m_table;
    // What the shown table was computed from, and the status said of it.
    std::optional<SizingRun> m_run;
    std::string m_seriesItem;
    std::string m_steamItem;
    std::string m_status;
};

} // namespace pipes
