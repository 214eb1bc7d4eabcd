#include "ui/form1.h"

#include "calc/recal.h"
#include "calc/units.h"
#include "pipes/seamless.h"
#include "pipes/welded.h"

namespace ui {

Form1Controls Form1Controls::from(const ControlSet& set) {
    return {
        .window = set.window(),
        .text1 = set.get<controls::TextBox>("Text1"),
        .text2 = set.get<controls::TextBox>("Text2"),
        .text3 = set.get<controls::TextBox>("Text3"),
        .text4 = set.get<controls::TextBox>("Text4"),
        .combo1 = set.get<controls::DropDownList>("Combo1"),
        .combo2 = set.get<controls::DropDownList>("Combo2"),
        .combo3 = set.get<controls::DropDownList>("Combo3"),
        .combo4 = set.get<controls::DropDownList>("Combo4"),
        .combo5 = set.get<controls::DropDownList>("Combo5"),
        .option1 = set.get<controls::OptionButton>("Option1"),
        .option2 = set.get<controls::OptionButton>("Option2"),
        .option3 = set.get<controls::OptionButton>("Option3"),
        .command1 = set.get<controls::PushButton>("Command1"),
        .command2 = set.get<controls::PushButton>("Command2"),
        .command3 = set.get<controls::PushButton>("Command3"),
        .label4 = set.get<controls::Label>("Label4"),
        .label5 = set.get<controls::Label>("Label5"),
        .label7 = set.get<controls::Label>("Label7"),
        .label10 = set.get<controls::Label>("Label10"),
        .label11 = set.get<controls::Label>("Label11"),
        .label13 = set.get<controls::Label>("Label13"),
        .messages = set.get<controls::MessageBox>("messages"),
        .program = set.get<controls::Program>("program"),
        .mnuSteam = set.get<controls::MenuCommand>("mnuSteam"),
        .mnuSizing = set.get<controls::MenuCommand>("mnuSizing"),
        .mnuNetwork = set.get<controls::MenuCommand>("mnuNetwork"),
        .mnuGuide = set.get<controls::MenuCommand>("mnuGuide"),
        .mnuAbout = set.get<controls::MenuCommand>("mnuAbout"),
        .help = set.get<controls::HelpWindows>("help"),
        .question = set.get<controls::Question>("question"),
        .files = set.get<controls::FileDialogs>("files"),
    };
}

Form1::Form1(Form1Controls controls, WindowLoaders loaders, HandlingTrace trace)
    : m_controls(controls), m_trace(std::move(trace)),
      m_recalculation(m_state,
                      {.velocity = controls.label4,
                       .specificLoss = controls.label5,
                       .density = controls.label13,
                       .flow = controls.label7,
                       .roughness = controls.label10,
                       .innerDiameter = controls.label11},
                      controls.text4, controls.messages),
      m_inputs(m_state,
               {.flow = controls.text1,
                .roughness = controls.text2,
                .density = controls.text3,
                .flowUnit = controls.combo1,
                .roughUnit = controls.combo2},
               controls.messages, m_recalculation),
      m_pipes(m_state,
              {.welded = controls.combo3,
               .outer = controls.combo4,
               .wall = controls.combo5,
               .customBore = controls.text4},
              m_recalculation),
      m_form2(loaders.form2), m_propertyWindow(loaders.propertyWindow),
      m_sizingWindow(loaders.sizingWindow), m_networkWindow(loaders.networkWindow),
      m_recovery(std::move(loaders.recovery), m_network),
      m_solveExecutor(std::move(loaders.solveExecutor)) {
    auto& c = m_controls;
    c.text1.onChange(traced(m_trace, "Text1_Change", [this] { m_inputs.Text1_Change(); }));
    c.text2.onChange(traced(m_trace, "Text2_Change", [this] { m_inputs.Text2_Change(); }));
    c.text3.onChange(traced(m_trace, "Text3_Change", [this] {
        m_densitySteam.reset();
        m_inputs.Text3_Change();
    }));
    c.text4.onChange(traced(m_trace, "Text4_Change", [this] { m_pipes.Text4_Change(); }));
    c.combo1.onClick(traced(m_trace, "Form1.Combo1_Click", [this] { m_inputs.Combo1_Click(); }));
    c.combo2.onClick(traced(m_trace, "Combo2_Click", [this] { m_inputs.Combo2_Click(); }));
    c.combo3.onClick(traced(m_trace, "Combo3_Click", [this] { m_pipes.Combo3_Click(); }));
    c.combo4.onClick(traced(m_trace, "Combo4_Click", [this] { m_pipes.Combo4_Click(); }));
    c.combo5.onClick(traced(m_trace, "Combo5_Click", [this] { m_pipes.Combo5_Click(); }));
    c.option1.onClick(traced(m_trace, "Option1_Click", [this] { m_pipes.Option1_Click(); }));
    c.option2.onClick(traced(m_trace, "Option2_Click", [this] { m_pipes.Option2_Click(); }));
    c.option3.onClick(traced(m_trace, "Option3_Click", [this] { m_pipes.Option3_Click(); }));
    c.command1.onClick([this] { Command1_Click(); });
    c.command2.onClick([this] { Command2_Click(); });
    c.command3.onClick([this] { Command3_Click(); });
    c.mnuSteam.onClick([this] { mnuSteam_Click(); });
    c.mnuSizing.onClick([this] { mnuSizing_Click(); });
    c.mnuNetwork.onClick([this] { mnuNetwork_Click(); });
    c.mnuGuide.onClick(traced(m_trace, "mnuGuide_Click", [this] { m_controls.help.showGuide(); }));
    c.mnuAbout.onClick(traced(m_trace, "mnuAbout_Click", [this] { m_controls.help.showAbout(); }));
    // Closing the main window unloads it without a handling of its own, which ends the program.
    c.window.onClose([this] { end(); });
}

Form1::~Form1() = default;

void Form1::start() {
    Form_Load();
    m_controls.window.show();
    // Restored, the network is shown at once: the user was working on it, and its window is where
    // its unsaved mark and its figures are seen.
    if (m_recovery.offer(m_controls.question))
        mnuNetwork_Click();
}

void Form1::Form_Load() {
    announce(m_trace, "Form1.Form_Load");
    auto& c = m_controls;
    c.text1.setText("0");
    c.text2.setText("0.2");
    c.text3.setText("1");
    c.text4.setText("10");

    int index = 0;
    for (const calc::Unit& unit : calc::kFlowUnits)
        c.combo1.addItem(unit.label, index++);
    index = 0;
    for (const calc::Unit& unit : calc::kRoughnessUnits)
        c.combo2.addItem(unit.label, index++);
    index = 0;
    for (const pipes::WeldedPipe& pipe : pipes::kWeldedPipes)
        c.combo3.addItem(pipe.label, index++);
    index = 0;
    for (const pipes::SeamlessPipe& pipe : pipes::kSeamlessPipes)
        c.combo4.addItem(pipe.entry, index++);
    const pipes::SeamlessPipe& d18 = pipes::kSeamlessPipes[2];
    index = 0;
    for (std::string_view thickness : d18.thicknesses())
        c.combo5.addItem(thickness, index++);

    c.option1.setChecked(true);
    c.option2.setChecked(false);
    c.option3.setChecked(false);

    c.combo3.setEnabled(true);
    c.combo4.setEnabled(false);
    c.combo5.setEnabled(false);
    c.text4.setEnabled(false);

    c.combo1.setText("t/h");
    c.combo2.setText("mm");
    c.combo3.setText("DN15");
    c.combo4.setText("D18");
    c.combo5.setText("3");

    // Every value the handlings above wrote is replaced here, after all of them have ended.
    m_state.innerDiameter = 0.015f;
    m_state.weldedDiameter = 0.015f;
    m_state.flowUnitFactor = 1;
    m_state.roughnessUnitFactor = 0.001f;
    m_state.flow = 0;
    m_state.roughness = 0.0002f;
    m_state.outerDiameter = 0.018f;
    m_state.customDiameter = 0.01f;
    m_state.wallThickness = 0.003f;
    m_state.density = 1;
    calc::setInnerDiameter(m_state, m_state.innerDiameter);

    // The results start as zeros with three decimals, unlike any number text recal writes.
    c.label4.setCaption(std::string("0.000").append(calc::kResultUnits.velocity));
    c.label5.setCaption(std::string("0.000").append(calc::kResultUnits.specificLoss));
    c.label7.setCaption(calc::fieldText(m_state.flow, calc::kResultUnits.flow));
    c.label10.setCaption(calc::millimetreText(m_state.roughness));
    c.label11.setCaption(calc::millimetreText(m_state.innerDiameter));
    c.label13.setCaption(calc::fieldText(m_state.density, calc::kResultUnits.density));
}

void Form1::Command1_Click() {
    announce(m_trace, "Form1.Command1_Click");
    m_controls.text2.setText("0.2");
    m_controls.combo2.setText("mm");
}

void Form1::Command2_Click() {
    announce(m_trace, "Command2_Click");
    m_form2.open([this](const Form2Controls& controls) {
        return std::make_unique<Form2>(
            controls, m_controls.text3, m_controls.window, [this] { m_form2.unload(); }, m_trace);
    });
    m_controls.window.hide();
}

void Form1::mnuSteam_Click() {
    announce(m_trace, "mnuSteam_Click");
    m_propertyWindow.open([this](const PropertyWindowControls& controls) {
        return std::make_unique<PropertyWindow>(
            controls, m_controls.text3, m_controls.window,
            [this](const pipes::KnownSteam& steam) { m_densitySteam = steam; }, m_propertyInputs,
            [this] { m_propertyWindow.unload(); }, m_trace);
    });
    m_controls.window.hide();
}

void Form1::mnuSizing_Click() {
    announce(m_trace, "mnuSizing_Click");
    m_sizingWindow.open([this](const SizingWindowControls& controls) {
        const auto& c = m_controls;
        return std::make_unique<SizingWindow>(
            controls, m_state,
            MainWindowPipe{.welded = c.option1,
                           .seamless = c.option2,
                           .dn = c.combo3,
                           .outer = c.combo4,
                           .wall = c.combo5},
            m_densitySteam, m_sizingInputs, c.window, [this] { m_sizingWindow.unload(); }, m_trace);
    });
    m_controls.window.hide();
}

void Form1::mnuNetwork_Click() {
    announce(m_trace, "mnuNetwork_Click");
    m_networkWindow.open([this](const NetworkWindowControls& controls) {
        const auto& c = m_controls;
        return std::make_unique<NetworkWindow>(
            controls, m_network,
            MainWindowInputs{.flow = c.text1,
                             .flowUnit = c.combo1,
                             .roughness = c.text2,
                             .roughnessUnit = c.combo2,
                             .density = c.text3,
                             .customBore = c.option3,
                             .bore = c.text4},
            [this](const pipes::KnownSteam& steam) { m_densitySteam = steam; }, c.window,
            [this] { m_networkWindow.unload(); }, m_trace, m_solveExecutor,
            [this] { m_recovery.changed(); });
    });
    m_controls.window.hide();
}

void Form1::end() {
    auto& c = m_controls;
    if (m_network &&
        !mayLose(*m_network, {.question = c.question, .files = c.files, .messages = c.messages}))
        return;
    // Saved or given up: nothing is left to recover.
    m_recovery.discard();
    c.program.end();
}

void Form1::Command3_Click() {
    announce(m_trace, "Command3_Click");
    end();
}

} // namespace ui
