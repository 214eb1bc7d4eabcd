#include "ui/form1_inputs.h"

#include "calc/messages.h"
#include "calc/numbers.h"

#include <cmath>
#include <string>

namespace calc {

namespace {

// The first unit whose label equals the list's text, compared whole and with case.
template <std::size_t N>
void matchUnit(const std::array<Unit, N>& units, const std::string& text, float& factor) {
    for (const Unit& unit : units) {
        if (unit.label == text) {
            factor = unit.factor;
            return;
        }
    }
}

float scaled(const controls::TextBox& box, float factor) {
    return storedFloat(prefixNumber(box.text()) * static_cast<double>(factor));
}

} // namespace

InputHandlings::InputHandlings(CalcState& state, InputControls controls,
                               controls::MessageBox& messages, ui::Recalculation& recalculation)
    : m_state(state), m_controls(controls), m_messages(messages), m_recalculation(recalculation) {}

void InputHandlings::reject(controls::TextBox& box, std::string_view message) {
    m_messages.show(message, kErrorTitle);
    box.setText("0");
    box.setFocus();
}

void InputHandlings::takeNonNegative(controls::TextBox& box, float CalcState::*value, float factor,
                                     std::string_view negativeMessage,
                                     std::string_view rangeMessage) {
    m_state.*value = scaled(box, factor);
    const float stored = m_state.*value;
    if (!(stored >= 0)) {
        reject(box, negativeMessage);
    } else if (std::isinf(stored)) {
        reject(box, rangeMessage);
    } else {
        m_recalculation.recal();
    }
}

void InputHandlings::Text1_Change() {
    takeNonNegative(m_controls.flow, &CalcState::flow, m_state.flowUnitFactor, kFlowNegative,
                    kFlowOutOfRange);
}

void InputHandlings::Text2_Change() {
    takeNonNegative(m_controls.roughness, &CalcState::roughness, m_state.roughnessUnitFactor,
                    kRoughnessNegative, kRoughnessOutOfRange);
}

void InputHandlings::Text3_Change() {
    m_state.density = storedFloat(prefixNumber(m_controls.density.text()));
    const float density = m_state.density;
    if (!(density > 0)) {
        // When the box held another text the reset runs this handling again, which finds 0
        // and shows the message a second time; neither run recalculates.
        reject(m_controls.density, kDensityNotPositive);
    } else if (std::isinf(density)) {
        reject(m_controls.density, kDensityOutOfRange);
    } else {
        m_recalculation.recal();
    }
}

void InputHandlings::Combo1_Click() {
    matchUnit(kFlowUnits, m_controls.flowUnit.text(), m_state.flowUnitFactor);
    // No sign test: the box only ever holds a text that was accepted as not negative.
    m_state.flow = scaled(m_controls.flow, m_state.flowUnitFactor);
    m_recalculation.recal();
}

void InputHandlings::Combo2_Click() {
    matchUnit(kRoughnessUnits, m_controls.roughUnit.text(), m_state.roughnessUnitFactor);
    m_state.roughness = scaled(m_controls.roughness, m_state.roughnessUnitFactor);
    m_recalculation.recal();
}

} // namespace calc
