#include "ui/property_window.h"

namespace ui {

PropertyWindowControls PropertyWindowControls::from(const ControlSet& set) {
    return {
        .window = set.window(),
        .pressure = set.get<controls::TextBox>("pressure"),
        .unit = set.get<controls::DropDownList>("unit"),
        .saturated = set.get<controls::OptionButton>("saturated"),
        .superheated = set.get<controls::OptionButton>("superheated"),
        .temperature = set.get<controls::TextBox>("temperature"),
        .adopt = set.get<controls::PushButton>("adopt"),
        .back = set.get<controls::PushButton>("back"),
        .copy = set.get<controls::PushButton>("copy"),
        .clipboard = set.get<controls::Clipboard>("clipboard"),
        .saturation = set.get<controls::Label>("saturation"),
        .state = set.get<controls::StatusText>("state"),
        .density = set.get<controls::Label>("density"),
        .volume = set.get<controls::Label>("volume"),
        .enthalpy = set.get<controls::Label>("enthalpy"),
    };
}

PropertyWindow::PropertyWindow(PropertyWindowControls controls, controls::TextBox& form1Text3,
                               controls::Window& form1,
                               std::function<void(const pipes::KnownSteam&)> adopted,
                               std::optional<PropertyInputs>& remembered,
                               std::function<void()> unload, HandlingTrace trace)
    : m_controls(controls), m_form1Text3(form1Text3), m_form1(form1), m_adopted(std::move(adopted)),
      m_remembered(remembered), m_unload(std::move(unload)), m_trace(std::move(trace)),
      m_properties({.pressure = controls.pressure,
                    .unit = controls.unit,
                    .superheated = controls.superheated,
                    .temperature = controls.temperature,
                    .adopt = controls.adopt,
                    .saturation = controls.saturation,
                    .state = controls.state,
                    .density = controls.density,
                    .volume = controls.volume,
                    .enthalpy = controls.enthalpy}) {
    auto& c = m_controls;
    auto& p = m_properties;
    c.pressure.onChange(traced(m_trace, "Property.pressure_Change", [&p] { p.pressure_Change(); }));
    c.unit.onClick(traced(m_trace, "Property.unit_Click", [&p] { p.unit_Click(); }));
    c.saturated.onClick(traced(m_trace, "Property.saturated_Click", [&p] { p.saturated_Click(); }));
    c.superheated.onClick(
        traced(m_trace, "Property.superheated_Click", [&p] { p.superheated_Click(); }));
    c.temperature.onChange(
        traced(m_trace, "Property.temperature_Change", [&p] { p.temperature_Change(); }));
    c.adopt.onClick([this] { adopt_Click(); });
    c.back.onClick([this] { back_Click(); });
    c.copy.onClick([this] { copy_Click(); });
    c.window.onClose([this] { m_unload(); });
}

void PropertyWindow::Form_Load() {
    announce(m_trace, "Property.Form_Load");
    auto& c = m_controls;
    int index = 0;
    for (const steam::PressureUnit& unit : steam::kPressureUnits)
        c.unit.addItem(unit.label, index++);
    if (!m_remembered) {
        c.unit.setText(steam::kPressureUnits[0].label);
        c.saturated.setChecked(true);
        return;
    }
    // The unit and the state before the texts, so that the last calculation has them all.
    c.unit.setText(m_remembered->unit);
    (m_remembered->superheated ? c.superheated : c.saturated).setChecked(true);
    c.pressure.setText(m_remembered->pressure);
    c.temperature.setText(m_remembered->temperature);
}

void PropertyWindow::adopt_Click() {
    announce(m_trace, "Property.adopt_Click");
    m_form1Text3.setText(m_properties.densityText());
    // After the text: the main window forgets the steam at every change of its density box.
    m_adopted({.absoluteMpa = m_properties.absolutePressure(),
               .kind = m_properties.superheated() ? pipes::SteamKind::Superheated
                                                  : pipes::SteamKind::Saturated});
    m_unload();
}

void PropertyWindow::back_Click() {
    announce(m_trace, "Property.back_Click");
    m_unload();
}

void PropertyWindow::copy_Click() {
    announce(m_trace, "Property.copy_Click");
    m_controls.clipboard.setText(m_properties.resultsText());
}

void PropertyWindow::Form_Unload() {
    announce(m_trace, "Property.Form_Unload");
    auto& c = m_controls;
    m_remembered = PropertyInputs{.pressure = c.pressure.text(),
                                  .unit = c.unit.text(),
                                  .superheated = c.superheated.isChecked(),
                                  .temperature = c.temperature.text()};
    m_form1.show();
}

} // namespace ui
