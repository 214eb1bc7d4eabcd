#pragma once

#include "calc/state.h"
#include "pipes/sizing.h"
#include "ui/control_set.h"
#include "ui/controls/controls.h"
#include "ui/form4_sizing.h"
#include "ui/loaded_window.h"
#include "ui/sheet_commands.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// The controls of the sizing window, created afresh each time it is loaded.
struct Form4Controls {
    controls::Window& window;
    controls::Label& label1; // the main window's flow
    controls::Label& label2; // its density
    controls::Label& label3; // its roughness
    controls::DropDownList& combo1;
    controls::DropDownList& combo2;
    controls::TextBox& text1;
    controls::TextBox& text2;
    controls::TextBox& text3;
    controls::TableList& list1;
    controls::StatusText& label4;
    controls::PushButton& command1;
    controls::PushButton& command2;
    controls::MenuCommand& mnuExport;
    controls::MenuCommand& mnuPdf;
    controls::MenuCommand& mnuPrint;
    controls::MessageBox& messages;
    controls::FileDialogs& files;
    controls::SheetOutput& sheet;

    // The controls of a window made from its description, each checked for its kind.
    static Form4Controls from(const ControlSet& set);
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
class Form4 {
public:
    // `unload` asks the owner to unload this window, which runs Form_Unload. `steam` is the
    // steam of the main window's density where it is known; `remembered` holds the inputs as the
    // window was last left, none before it was first opened.
    Form4(Form4Controls controls, const calc::CalcState& main, MainWindowPipe pipe,
          std::optional<pipes::KnownSteam> steam, std::optional<SizingInputs>& remembered,
          controls::Window& form1, std::function<void()> unload, HandlingTrace trace = {});

    void Form_Load();
    void List1_DblClick();
    void Command1_Click();
    void Command2_Click();
    void Form_Unload();

private:
    // mnuExport_Click, mnuPdf_Click and mnuPrint_Click, by the handling's name.
    void sheetCommand(SheetCommand command, std::string_view handling);
    // Gives the main window the selected size, as if the user had picked it there.
    void handBack();

    Form4Controls m_controls;
    const calc::CalcState& m_main;
    MainWindowPipe m_pipe;
    std::optional<SizingInputs>& m_remembered;
    controls::Window& m_form1;
    std::function<void()> m_unload;
    HandlingTrace m_trace;
    // Before the handlings, which tell it.
    KeptStatus m_status;
    pipes::SizingHandlings m_sizing;
};

} // namespace ui
