#pragma once

#include "calc/state.h"
#include "calc/units.h"
#include "ui/controls/controls.h"
#include "ui/form1_recal.h"

#include <string_view>

namespace calc {

// The controls the flow, roughness and density handlings read, reset and focus.
struct InputControls {
    controls::TextBox& flow;           // Form1.Text1
    controls::TextBox& roughness;      // Form1.Text2
    controls::TextBox& density;        // Form1.Text3
    controls::DropDownList& flowUnit;  // Form1.Combo1
    controls::DropDownList& roughUnit; // Form1.Combo2
};

// The main window's handlings of the flow, roughness and density inputs and their units.
class InputHandlings {
public:
    InputHandlings(CalcState& state, InputControls controls, controls::MessageBox& messages,
                   ui::Recalculation& recalculation);

    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Combo1_Click();
    void Combo2_Click();

private:
    // Stores the scaled number of a flow or roughness box, then accepts it, or rejects it with
    // its message and resets the box to "0", which runs this handling again nested.
    void takeNonNegative(controls::TextBox& box, float CalcState::*value, float factor,
                         std::string_view negativeMessage, std::string_view rangeMessage);
    void reject(controls::TextBox& box, std::string_view message);

    CalcState& m_state;
    InputControls m_controls;
    controls::MessageBox& m_messages;
    ui::Recalculation& m_recalculation;
};

} // namespace calc
