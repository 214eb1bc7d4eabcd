#pragma once

#include "calc/state.h"
#include "ui/controls/controls.h"

// The main window's recalculation, which writes the computed results into its labels.
namespace ui {

// The six labels of the main window that show the inputs as used and the two results.
struct ResultFields {
    controls::Label& velocity;      // Form1.Label4
    controls::Label& specificLoss;  // Form1.Label5
    controls::Label& density;       // Form1.Label13
    controls::Label& flow;          // Form1.Label7
    controls::Label& roughness;     // Form1.Label10
    controls::Label& innerDiameter; // Form1.Label11
};

// The recalculation every input handling of the main window ends with.
class Recalculation {
public:
    Recalculation(calc::CalcState& state, ResultFields fields, controls::TextBox& customDiameterBox,
                  controls::MessageBox& messages);

    void recal();

private:
    calc::CalcState& m_state;
    ResultFields m_fields;
    controls::TextBox& m_customDiameterBox; // Form1.Text4
    controls::MessageBox& m_messages;
};

} // namespace ui
