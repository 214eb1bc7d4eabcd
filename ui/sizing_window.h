#pragma once

#include "calc/state.h"
#include "pipes/sizing.h"
#include "ui/control_set.h"
#include "ui/controls/controls.h"
#include "ui/loaded_window.h"
#include "ui/sheet_commands.h"
#include "ui/sizing_handlings.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// The controls of the sizing window, created afresh each time it is loaded.
struct SizingWindowControls {
    controls::Window& window;
    controls::Label& mainFlow;      // the main window's flow
    controls::Label& mainDensity;   // its density
    controls::Label& mainRoughness; // its roughness
    controls::DropDownList& series;
    controls::DropDownList& steam;
    controls::TextBox& length;
    controls::TextBox& localLoss;
    controls::TextBox& limit;
    controls::TableList& table;
    controls::StatusText& status;
    controls::PushButton& choose;
    controls::PushButton& back;
    controls::MenuCommand& exportSheet;
    controls::MenuCommand& exportPdf;
    controls::MenuCommand& print;
    controls::MessageBox& messages;
    controls::FileDialogs& files;
    controls::SheetOutput& sheet;

    // The controls of a window made from its description, each checked for its kind.
    static SizingWindowControls from(const ControlSet& set);
};

// The sizing window's inputs as the user left it, shown again when it is next opened: the
// window is created afresh each time, and the engineer sizes several pipes of one run.
struct SizingInputs {
    std::string length;
    std::string percent;
    std::string limit;
    std::string series;
    std::string steam;
};

// The main window's pipe choice, which the sizing window reads at opening and sets on hand-back.
struct MainWindowPipe {
    controls::OptionButton& welded;   // Form1.Option1
    controls::OptionButton& seamless; // Form1.Option2
    controls::DropDownList& dn;       // Form1.Combo3
    controls::DropDownList& outer;    // Form1.Combo4
    controls::DropDownList& wall;     // Form1.Combo5
};

// The sizing window: every size of a series at once for the main window's flow, roughness and
// density; the chosen size goes back to the main window's pipe controls.
class SizingWindow {
public:
    // `unload` asks the owner to unload this window, which runs Form_Unload. `steam` is the
    // steam of the main window's density where it is known; `remembered` holds the inputs as the
    // window was last left, none before it was first opened.
    SizingWindow(SizingWindowControls controls, const calc::CalcState& main, MainWindowPipe pipe,
                 std::optional<pipes::KnownSteam> steam, std::optional<SizingInputs>& remembered,
                 controls::Window& form1, std::function<void()> unload, HandlingTrace trace = {});

    void Form_Load();
    void table_DblClick();
    void choose_Click();
    void back_Click();
    void Form_Unload();

private:
    // exportSheet_Click, exportPdf_Click and print_Click, by the handling's name.
    void sheetCommand(SheetCommand command, std::string_view handling);
    // Gives the main window the selected size, as if the user had picked it there.
    void handBack();

    SizingWindowControls m_controls;
    const calc::CalcState& m_main;
    MainWindowPipe m_pipe;
    std::optional<SizingInputs>& m_remembered;
    controls::Window& m_form1;
    std::function<void()> m_unload;
    HandlingTrace m_trace;
    // Before the handlings, which tell it.
    KeptStatus m_status;
    SizingHandlings m_sizing;
};

} // namespace ui
