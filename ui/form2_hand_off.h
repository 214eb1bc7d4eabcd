#pragma once

#include "ui/controls/controls.h"

namespace steam {

// The lookup window's hand-off of a chosen row's density to the main window's density box,
// whose change handling stores it and recalculates.
class DensityHandOff {
public:
    DensityHandOff(controls::SimpleCombo& list, controls::Label& label,
                   controls::TextBox& densityBox)
        : m_list(list), m_label(label), m_densityBox(densityBox) {}

    void STREAM_D_SET();

private:
    controls::SimpleCombo& m_list;   // Form2.Combo1
    controls::Label& m_label;        // Form2.Label9
    controls::TextBox& m_densityBox; // Form1.Text3
};

} // namespace steam
