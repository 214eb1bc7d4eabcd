#include "ui/form3.h"

namespace ui {

Form3Controls Form3Controls::from(const ControlSet& set) {
    return {
        .window = set.window(),
        .text1 = set.get<controls::TextBox>("Text1"),
        .combo1 = set.get<controls::DropDownList>("Combo1"),
        .option1 = set.get<controls::OptionButton>("Option1"),
        .option2 = set.get<controls::OptionButton>("Option2"),
        .text2 = set.get<controls::TextBox>("Text2"),
        .command1 = set.get<controls::PushButton>("Command1"),
        .command2 = set.get<controls::PushButton>("Command2"),
        .command3 = set.get<controls::PushButton>("Command3"),
        .clipboard = set.get<controls::Clipboard>("clipboard"),
        .label7 = set.get<controls::Label>("Label7"),
        .label8 = set.get<controls::StatusText>("Label8"),
        .label9 = set.get<controls::Label>("Label9"),
        .label10 = set.get<controls::Label>("Label10"),
        .label11 = set.get<controls::Label>("Label11"),
    };
}

Form3::Form3(Form3Controls controls, controls::TextBox& form1Text3, controls::Window& form1,
             std::function<void(const pipes::KnownSteam&)> adopted,
             std::optional<PropertyInputs>& remembered, std::function<void()> unload,
             HandlingTrace trace)
    : m_controls(controls), m_form1Text3(form1Text3), m_form1(form1), m_adopted(std::move(adopted)),
      m_remembered(remembered), m_unload(std::move(unload)), m_trace(std::move(trace)),
      m_properties({.pressure = controls.text1,
                    .unit = controls.combo1,
                    .superheated = controls.option2,
                    .temperature = controls.text2,
                    .adopt = controls.command1,
                    .saturation = controls.label7,
                    .state = controls.label8,
                    .density = controls.label9,
                    .volume = controls.label10,
                    .enthalpy = controls.label11}) {
    auto& c = m_controls;
    auto& p = m_properties;
    c.text1.onChange(traced(m_trace, "Form3.Text1_Change", [&p] { p.Text1_Change(); }));
    c.combo1.onClick(traced(m_trace, "Form3.Combo1_Click", [&p] { p.Combo1_Click(); }));
    c.option1.onClick(traced(m_trace, "Form3.Option1_Click", [&p] { p.Option1_Click(); }));
    c.option2.onClick(traced(m_trace, "Form3.Option2_Click", [&p] { p.Option2_Click(); }));
    c.text2.onChange(traced(m_trace, "Form3.Text2_Change", [&p] { p.Text2_Change(); }));
    c.command1.onClick([this] { Command1_Click(); });
    c.command2.onClick([this] { Command2_Click(); });
    c.command3.onClick([this] { Command3_Click(); });
    c.window.onClose([this] { m_unload(); });
}

void Form3::Form_Load() {
    announce(m_trace, "Form3.Form_Load");
    auto& c = m_controls;
    int index = 0;
    for (const steam::PressureUnit& unit : steam::kPressureUnits)
        c.combo1.addItem(unit.label, index++);
    if (!m_remembered) {
        c.combo1.setText(steam::kPressureUnits[0].label);
        c.option1.setChecked(true);
        return;
    }
    // The unit and the state before the texts, so that the last calculation has them all.
    c.combo1.setText(m_remembered->unit);
    (m_remembered->superheated ? c.option2 : c.option1).setChecked(true);
    c.text1.setText(m_remembered->pressure);
    c.text2.setText(m_remembered->temperature);
}

void Form3::Command1_Click() {
    announce(m_trace, "Form3.Command1_Click");
    m_form1Text3.setText(m_properties.densityText());
    // After the text: the main window forgets the steam at every change of its density box.
    m_adopted({.absoluteMpa = m_properties.absolutePressure(),
               .kind = m_properties.superheated() ? pipes::SteamKind::Superheated
                                                  : pipes::SteamKind::Saturated});
    m_unload();
}

void Form3::Command2_Click() {
    announce(m_trace, "Form3.Command2_Click");
    m_unload();
}

void Form3::Command3_Click() {
    announce(m_trace, "Form3.Command3_Click");
    m_controls.clipboard.setText(m_properties.resultsText());
}

void Form3::Form_Unload() {
    announce(m_trace, "Form3.Form_Unload");
    auto& c = m_controls;
    m_remembered = PropertyInputs{.pressure = c.text1.text(),
                                  .unit = c.combo1.text(),
                                  .superheated = c.option2.isChecked(),
                                  .temperature = c.text2.text()};
    m_form1.show();
}

} // namespace ui
