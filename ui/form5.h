#pragma once

#include "pipes/sizing.h"
#include "ui/control_set.h"
#include "ui/controls/controls.h"
#include "ui/form5_handlings.h"
#include "ui/loaded_window.h"
#include "ui/network_document.h"
#include "ui/sheet_commands.h"

#include <functional>
#include <optional>
#include <string>

namespace ui {

// The controls of the network window, created afresh each time it is loaded.
struct Form5Controls {
    controls::Window& window;
    controls::TextBox& text1;
    controls::TextBox& text2;
    controls::DropDownList& combo1;
    controls::OptionButton& option1;
    controls::OptionButton& option2;
    controls::TextBox& text3;
    controls::TextBox& text4;
    controls::DropDownList& combo2;
    controls::TextBox& text5;
    controls::TextBox& text6;
    controls::Grid& grid1;
    controls::PushButton& command1;
    controls::PushButton& command2;
    controls::PushButton& command3;
    controls::PushButton& command4;
    controls::Label& label1;
    controls::TableList& list1;
    controls::TableList& list2;
    controls::StatusText& label2;
    controls::PushButton& command5;
    controls::PushButton& command6;
    controls::MenuCommand& mnuNew;
    controls::MenuCommand& mnuOpen;
    controls::RecentFiles& mnuRecent;
    controls::MenuCommand& mnuSave;
    controls::MenuCommand& mnuSaveAs;
    controls::MenuCommand& mnuExport;
    controls::MenuCommand& mnuPdf;
    controls::MenuCommand& mnuPrint;
    controls::MenuCommand& mnuClose;
    controls::MessageBox& messages;
    controls::Question& question;
    controls::FileDialogs& files;
    controls::SheetOutput& sheet;

    // The controls of a window made from its description, each checked for its kind.
    static Form5Controls from(const ControlSet& set);
};

// The main window's inputs a segment is handed to, set as the user would type and pick them.
struct MainWindowInputs {
    controls::TextBox& flow;               // Form1.Text1
    controls::DropDownList& flowUnit;      // Form1.Combo1
    controls::TextBox& roughness;          // Form1.Text2
    controls::DropDownList& roughnessUnit; // Form1.Combo2
    controls::TextBox& density;            // Form1.Text3
    controls::OptionButton& customBore;    // Form1.Option3
    controls::TextBox& bore;               // Form1.Text4
};

// The network window: a tree of segments from one source, each segment's pressures, densities,
// velocities and verdicts at every change, the network kept in a file.
class Form5 {
public:
    // `document` is the main window's, kept while this window is unloaded: none before the window
    // was first opened. `adopted` hears the steam whose density was just handed over; `unload`
    // asks the owner to unload this window, which runs Form_Unload.
    Form5(Form5Controls controls, std::optional<NetworkDocument>& document, MainWindowInputs main,
          std::function<void(const pipes::KnownSteam&)> adopted, controls::Window& form1,
          std::function<void()> unload, HandlingTrace trace = {});

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void mnuNew_Click();
    void mnuOpen_Click();
    // A recent file, by its place in the menu.
    void mnuRecent_Click(int index);
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuClose_Click();
    void Form_Unload();

private:
    DocumentControls documentControls() const;
    // Shows the document's inputs as they now are, saved or opened.
    void showDocument();
    void retitle();
    // mnuExport_Click, mnuPdf_Click and mnuPrint_Click, by the handling's name.
    void sheetCommand(SheetCommand command, std::string_view handling);

    Form5Controls m_controls;
    NetworkDocument& m_document;
    MainWindowInputs m_main;
    std::function<void(const pipes::KnownSteam&)> m_adopted;
    controls::Window& m_form1;
    std::function<void()> m_unload;
    HandlingTrace m_trace;
    std::string m_title;
    // Before the handlings, which tell it.
    KeptStatus m_status;
    network::NetworkHandlings m_network;
};

} // namespace ui
