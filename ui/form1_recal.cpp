#include "ui/form1_recal.h"

#include "calc/messages.h"
#include "calc/recal.h"

#include <cmath>

namespace calc {

Recalculation::Recalculation(CalcState& state, ResultFields fields,
                             controls::TextBox& customDiameterBox, controls::MessageBox& messages)
    : m_state(state), m_fields(fields), m_customDiameterBox(customDiameterBox),
      m_messages(messages) {}

void Recalculation::recal() {
    const float bore = m_state.innerDiameter;
    if (bore < 0 || std::isnan(bore) || std::isinf(bore)) {
        m_messages.show(std::isinf(bore) && bore > 0 ? kDiameterOutOfRange : kDiameterNotPositive,
                        kErrorTitle);
        // Emptying the box runs its change handling, and with it a nested recal, at once.
        m_customDiameterBox.setText("");
        m_customDiameterBox.setFocus();
        return;
    }
    if (bore == 0) {
        m_state.innerDiameter = 0.015f;
        return;
    }

    if (m_state.density > 0) {
        const FlowResults results = flowResults(m_state);
        m_state.specificLoss = results.specificLoss;
        m_state.velocity = results.velocity;
        m_fields.velocity.setCaption(fieldText(m_state.velocity, kResultUnits.velocity));
        m_fields.specificLoss.setCaption(
            fieldText(m_state.specificLoss, kResultUnits.specificLoss));
        m_fields.density.setCaption(fieldText(m_state.density, kResultUnits.density));
    } else {
        m_fields.velocity.setCaption("");
        m_fields.specificLoss.setCaption("");
        m_fields.density.setCaption(kDensityMissing);
    }
    m_fields.flow.setCaption(fieldText(m_state.flow, kResultUnits.flow));
    m_fields.roughness.setCaption(millimetreText(m_state.roughness));
    m_fields.innerDiameter.setCaption(millimetreText(m_state.innerDiameter));
}

} // namespace calc
