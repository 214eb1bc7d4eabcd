#pragma once

#include "steam/properties.h"
#include "ui/controls/controls.h"

#include <string>
#include <string_view>

namespace ui {

// The controls the property window's handlings read and write.
struct PropertyControls {
    controls::TextBox& pressure;
    controls::DropDownList& unit;
    controls::OptionButton& superheated;
    controls::TextBox& temperature;
    controls::PushButton& adopt;
    controls::Label& saturation;
    controls::StatusText& state;
    controls::Label& density;
    controls::Label& volume;
    controls::Label& enthalpy;
};

// The property window's input handlings: every change recalculates all its fields at once,
// and an impossible state is said in the state field instead of a message box, since a box at
// every keystroke of "250" would make the window unusable.
class PropertyHandlings {
public:
    explicit PropertyHandlings(PropertyControls controls) : m_controls(controls) {}

    void pressure_Change() { calculate(); }
    void unit_Click() { calculate(); }
    void saturated_Click();
    void superheated_Click();
    void temperature_Change() { calculate(); }

    // The density's number text as last shown; empty while the state is at fault.
    const std::string& densityText() const { return m_density; }
    // The steam of that density: its absolute pressure in MPa (0 while at fault) and kind.
    double absolutePressure() const { return m_absoluteMpa; }
    bool superheated() const { return m_superheated; }
    // The state as the window shows it, one quantity a line: its name, value and unit separated
    // by tabs, so that a paste into a spreadsheet gives each its cell; a fault on the state's
    // line, and no line for a field that shows nothing.
    std::string resultsText() const;

private:
    void calculate();

    PropertyControls m_controls;
    steam::PropertyReport m_report;
    std::string m_density;
    double m_absoluteMpa = 0;
    bool m_superheated = false;
};

} // namespace ui
