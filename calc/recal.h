#pragma once

#include "calc/state.h"
#include "ui/controls/controls.h"

#include <string>
#include <string_view>

namespace calc {

// The unit each result field shows after its number, spelled here only.
struct ResultUnits {
    std::string_view velocity;
    std::string_view specificLoss;
    std::string_view density;
    std::string_view flow;
    std::string_view length; // roughness and inner diameter
};
inline constexpr ResultUnits kResultUnits{
    .velocity = " m/s",
    .specificLoss = " Pa/m",
    .density = " kg/m3",
    .flow = " t/h",
    .length = " mm",
};

// A result field's text: the number text and its unit, or the out-of-range text for a value
// that is not finite, so that no field ever shows "inf" or "nan".
std::string fieldText(float value, std::string_view unit);
// The same for a length in m shown in mm: the product is rounded to 32 bits first.
std::string millimetreText(float metres);

// The two results for the state's flow, roughness, bore and density, rounded to their stored
// widths. The density must be positive.
struct FlowResults {
    float specificLoss; // Pa/m
    float velocity;     // m/s
};
FlowResults flowResults(const CalcState& state);

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
    Recalculation(CalcState& state, ResultFields fields, controls::TextBox& customDiameterBox,
                  controls::MessageBox& messages);

    void recal();

private:
    CalcState& m_state;
    ResultFields m_fields;
    controls::TextBox& m_customDiameterBox; // Form1.Text4
    controls::MessageBox& m_messages;
};

} // namespace calc
