#pragma once

#include "calc/state.h"
#include "ui/control_set.h"
#include "ui/controls/controls.h"
#include "ui/form1_inputs.h"
#include "ui/form1_pipes.h"
#include "ui/form1_recal.h"
#include "ui/form2.h"
#include "ui/loaded_window.h"
#include "ui/network_recovery.h"
#include "ui/network_window.h"
#include "ui/property_window.h"
#include "ui/sizing_window.h"

#include <memory>
#include <optional>

namespace ui {

struct Form1Controls {
    controls::Window& window;
    controls::TextBox& text1;
    controls::TextBox& text2;
    controls::TextBox& text3;
    controls::TextBox& text4;
    controls::DropDownList& combo1;
    controls::DropDownList& combo2;
    controls::DropDownList& combo3;
    controls::DropDownList& combo4;
    controls::DropDownList& combo5;
    controls::OptionButton& option1;
    controls::OptionButton& option2;
    controls::OptionButton& option3;
    controls::PushButton& command1;
    controls::PushButton& command2;
    controls::PushButton& command3;
    controls::Label& label4;
    controls::Label& label5;
    controls::Label& label7;
    controls::Label& label10;
    controls::Label& label11;
    controls::Label& label13;
    controls::MessageBox& messages;
    controls::Program& program;
    controls::MenuCommand& mnuSteam;
    controls::MenuCommand& mnuSizing;
    controls::MenuCommand& mnuNetwork;
    controls::MenuCommand& mnuGuide;
    controls::MenuCommand& mnuAbout;
    controls::HelpWindows& help;
    controls::Question& question;
    controls::FileDialogs& files;

    // The controls of a window made from its description, each checked for its kind.
    static Form1Controls from(const ControlSet& set);
};

// The toolkit's loaders of the windows the main window opens over itself.
struct WindowLoaders {
    WindowLoader& form2;
    WindowLoader& propertyWindow;
    WindowLoader& sizingWindow;
    WindowLoader& networkWindow;
    // How the network window solves a network that may take longer than a frame: on a worker
    // of the toolkit's; at once where none is given.
    SolveExecutor solveExecutor = {};
    // Where the network's recovery copy is kept; none is where it is not given.
    RecoveryPlace recovery = {};
};

// The main window: owns the calculation state, composes the input and pipe handlings, binds
// every notification to its handling, and opens the lookup window.
class Form1 {
public:
    // `trace`, when given, hears each handling of both windows as it starts.
    Form1(Form1Controls controls, WindowLoaders loaders, HandlingTrace trace = {});
    ~Form1();

    // Program start: loads the window (Form_Load), shows it, then offers the network a crash left
    // unsaved.
    void start();

    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void mnuSteam_Click();
    void mnuSizing_Click();
    void mnuNetwork_Click();

    const calc::CalcState& state() const { return m_state; }
    bool form2Loaded() const { return m_form2.loaded(); }
    bool propertyWindowLoaded() const { return m_propertyWindow.loaded(); }
    bool sizingWindowLoaded() const { return m_sizingWindow.loaded(); }
    bool networkWindowLoaded() const { return m_networkWindow.loaded(); }
    // The network the network window works on, kept while it is closed; none before it opened.
    const std::optional<NetworkDocument>& network() const { return m_network; }

private:
    // Ends the program, once a network with unsaved changes is saved or may be lost.
    void end();

    Form1Controls m_controls;
    HandlingTrace m_trace;
    calc::CalcState m_state;
    Recalculation m_recalculation;
    calc::InputHandlings m_inputs;
    pipes::PipeHandlings m_pipes;
    LoadedWindow<Form2, Form2Controls> m_form2;
    LoadedWindow<PropertyWindow, PropertyWindowControls> m_propertyWindow;
    LoadedWindow<SizingWindow, SizingWindowControls> m_sizingWindow;
    LoadedWindow<NetworkWindow, NetworkWindowControls> m_networkWindow;
    // The steam whose density the property window handed over, until the density box changes:
    // the window's knowledge, not a value of the calculation.
    std::optional<pipes::KnownSteam> m_densitySteam;
    std::optional<PropertyInputs> m_propertyInputs;
    std::optional<SizingInputs> m_sizingInputs;
    std::optional<NetworkDocument> m_network;
    NetworkRecovery m_recovery;
    SolveExecutor m_solveExecutor;
};

} // namespace ui
