#include "ui/form1_recal.h"

#include "calc/messages.h"
#include "calc/recal.h"

#include <cmath>

namespace ui {

Recalculation::Recalculation(calc::CalcState& state, ResultFields fields,
                             controls::TextBox& customDiameterBox, controls::MessageBox& messages)
    : m_state(state), m_fields(fields), m_customDiameterBox(customDiameterBox),
      m_messages(messages) {}

void Recalculation::recal() {
    const float bore = m_state.innerDiameter;
    if (bore < 0 || std::isnan(bore) || std::isinf(bore)) {
        m_messages.show(std::isinf(bore) && bore > 0 ? calc::kDiameterOutOfRange
                                                     : calc::kDiameterNotPositive,
                        calc::kErrorTitle);
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
        const calc::FlowResults results = flowResults(m_state);
        m_state.specificLoss = results.specificLoss;
        m_state.velocity = results.velocity;
        m_fields.velocity.setCaption(
            calc::fieldText(m_state.velocity, calc::kResultUnits.velocity));
        m_fields.specificLoss.setCaption(
            calc::fieldText(m_state.specificLoss, calc::kResultUnits.specificLoss));
        m_fields.density.setCaption(calc::fieldText(m_state.density, calc::kResultUnits.density));
    } else {
        m_fields.velocity.setCaption("");
        m_fields.specificLoss.setCaption("");
        m_fields.density.setCaption(calc::kDensityMissing);
    }
    m_fields.flow.setCaption(calc::fieldText(m_state.flow, calc::kResultUnits.flow));
    m_fields.roughness.setCaption(calc::millimetreText(m_state.roughness));
    m_fields.innerDiameter.setCaption(calc::millimetreText(m_state.innerDiameter));
}

} // namespace ui
