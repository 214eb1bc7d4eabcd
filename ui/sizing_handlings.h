#pragma once

#include "calc/state.h"
#include "pipes/catalogue.h"
#include "pipes/sizing.h"
#include "sheet/sheet.h"
#include "ui/controls/controls.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The sizing window's handlings over its controls; the table itself is pipes::sizingTable's.
namespace ui {

// The controls the sizing window's handlings read and write.
struct SizingControls {
    controls::DropDownList& series;
    controls::DropDownList& steam;
    controls::TextBox& length;
    controls::TextBox& fraction; // Sizing.localLoss, in % of the friction loss
    controls::TextBox& limit;    // Sizing.limit, empty for no limit
    controls::TableList& table;
    controls::StatusText& status;
    controls::PushButton& choose;
};

// The sizing list names the welded series first, as the main window offers its pipes.
inline constexpr std::array<pipes::Series, 2> kSizingSeries{pipes::Series::Welded,
                                                            pipes::Series::Seamless};
inline constexpr std::array<std::string_view, 2> kSteamItems{"饱和蒸汽", "过热蒸汽"};

// The sizing window's input handlings: every change fills the table anew.
class SizingHandlings {
public:
    SizingHandlings(const calc::CalcState& main, std::optional<pipes::KnownSteam> steam,
                    SizingControls controls)
        : m_main(main), m_steam(steam), m_controls(controls) {}

    void series_Click() { fill(); }
    void steam_Click() { fill(); }
    void length_Change() { fill(); }
    void localLoss_Change() { fill(); }
    void limit_Change() { fill(); }

    // The steam of the main window's density, where it is known.
    const std::optional<pipes::KnownSteam>& knownSteam() const { return m_steam; }
    // The row the user has selected, while the table shows it.
    const pipes::SizingRow* selectedRow() const;
    // The table's calculation sheet, made on `date`, while the window shows a table.
    std::optional<sheet::Sheet> sheet(std::string_view date) const;

private:
    void fill();
    void fault(std::string_view why);

    const calc::CalcState& m_main;
    std::optional<pipes::KnownSteam> m_steam;
    SizingControls m_controls;
    pipes::SizingTable m_table;
    // What the shown table was computed from, and the status said of it.
    std::optional<pipes::SizingRun> m_run;
    std::string m_seriesItem;
    std::string m_steamItem;
    std::string m_status;
};

} // namespace ui
