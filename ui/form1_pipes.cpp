#include "ui/form1_pipes.h"

#include "calc/numbers.h"
#include "pipes/seamless.h"
#include "pipes/welded.h"

namespace pipes {

PipeHandlings::PipeHandlings(calc::CalcState& state, PipeControls controls,
                             ui::Recalculation& recalculation)
    : m_state(state), m_controls(controls), m_recalculation(recalculation) {}

void PipeHandlings::enable(bool welded, bool seamless, bool custom) {
    m_controls.welded.setEnabled(welded);
    m_controls.outer.setEnabled(seamless);
    m_controls.wall.setEnabled(seamless);
    m_controls.customBore.setEnabled(custom);
}

void PipeHandlings::Combo3_Click() {
    const std::string text = m_controls.welded.text();
    for (const WeldedPipe& pipe : kWeldedPipes) {
        if (pipe.label == text) {
            m_state.weldedDiameter = pipe.boreMetres;
            break;
        }
    }
    calc::setInnerDiameter(m_state, m_state.weldedDiameter);
    m_recalculation.recal();
}

void PipeHandlings::Option1_Click() {
    enable(true, false, false);
    // The last welded pick, remembered; the list is not read again.
    calc::setInnerDiameter(m_state, m_state.weldedDiameter);
    m_recalculation.recal();
}

void PipeHandlings::readCustomBore() {
    m_state.customDiameter =
        calc::storedFloat(calc::prefixNumber(m_controls.customBore.text()) / 1000.0);
    calc::setInnerDiameter(m_state, m_state.customDiameter);
}

void PipeHandlings::Option3_Click() {
    enable(false, false, true);
    // The box is read again: it may have been changed while it was disabled.
    readCustomBore();
    m_recalculation.recal();
}

void PipeHandlings::Text4_Change() {
    // No range test here: recal rejects a negative or infinite bore and replaces 0.
    readCustomBore();
    m_recalculation.recal();
}

void PipeHandlings::readWallThickness() {
    m_state.wallThickness = wallMetres(m_controls.wall.text());
}

void PipeHandlings::seamlessUpdate() {
    calc::setInnerDiameter(m_state, seamlessBore(m_state.outerDiameter, m_state.wallThickness));
    m_recalculation.recal();
}

void PipeHandlings::Combo4_Click() {
    const std::string text = m_controls.outer.text();
    for (const SeamlessPipe& pipe : kSeamlessPipes) {
        if (pipe.entry != text)
            continue;
        m_state.outerDiameter = pipe.outerMetres;
        m_controls.wall.clear();
        int index = 0;
        for (std::string_view thickness : pipe.thicknesses())
            m_controls.wall.addItem(thickness, index++);
        // Selecting the default runs Combo5_Click nested, with its own recalculation.
        m_controls.wall.setText(pipe.defaultThickness());
        readWallThickness();
        break;
    }
    seamlessUpdate();
}

void PipeHandlings::Combo5_Click() {
    readWallThickness();
    seamlessUpdate();
}

void PipeHandlings::Option2_Click() {
    enable(false, true, false);
    seamlessUpdate();
}

} // namespace pipes
