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
namespace pipes {

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

// The sizing list names the welded series first, as the main window offers its pipes.
inline constexpr std::array<Series, 2> kSizingSeries{Series::Welded, Series::Seamless};
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
