#include "ui/form2.h"

#include "steam/steam_table.h"

namespace ui {

Form2Controls Form2Controls::from(const ControlSet& set) {
    return {
        .window = set.window(),
        .combo1 = set.get<controls::SimpleCombo>("Combo1"),
        .label9 = set.get<controls::Label>("Label9"),
        .command1 = set.get<controls::PushButton>("Command1"),
    };
}

Form2::Form2(Form2Controls controls, controls::TextBox& form1Text3, controls::Window& form1,
             std::function<void()> unload, HandlingTrace trace)
    : m_controls(controls), m_form1Text3(form1Text3), m_form1(form1), m_unload(std::move(unload)),
      m_trace(std::move(trace)), m_handOff(controls.combo1, controls.label9, form1Text3) {
    m_controls.combo1.onClick([this] { Combo1_Click(); });
    m_controls.combo1.onDoubleClick([this] { Combo1_DblClick(); });
    m_controls.command1.onClick([this] { Command1_Click(); });
    m_controls.window.onClose([this] { m_unload(); });
}

void Form2::Form_Load() {
    announce(m_trace, "Form2.Form_Load");
    for (std::size_t i = 0; i < steam::steamTable.size(); ++i)
        m_controls.combo1.addItem(steam::rowText(i), static_cast<int>(i));
    m_controls.combo1.setText(steam::rowText(steam::kDefaultEntry));
    m_controls.combo1.showRow(static_cast<int>(steam::kDefaultEntry));
    m_controls.label9.setCaption(
        steam::densityChoice(static_cast<int>(steam::kDefaultEntry))->label);
    // Opening the window sets the density whether or not a row is picked afterwards.
    m_form1Text3.setText("1.122");
}

void Form2::Combo1_Click() {
    announce(m_trace, "Form2.Combo1_Click");
    m_handOff.STREAM_D_SET();
}

void Form2::Combo1_DblClick() {
    announce(m_trace, "Combo1_DblClick");
    m_handOff.STREAM_D_SET();
    m_unload();
    m_form1.show();
}

void Form2::Command1_Click() {
    announce(m_trace, "Form2.Command1_Click");
    m_unload();
    m_form1.show();
}

void Form2::Form_Unload() {
    announce(m_trace, "Form_Unload");
    m_form1.show();
}

} // namespace ui
