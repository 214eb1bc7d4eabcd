#pragma once

#include "calc/state.h"
#include "ui/controls/controls.h"
#include "ui/form1_recal.h"

namespace pipes {

struct PipeControls {
    controls::DropDownList& welded; // Form1.Combo3
    controls::DropDownList& outer;  // Form1.Combo4
    controls::DropDownList& wall;   // Form1.Combo5
    controls::TextBox& customBore;  // Form1.Text4
};

// The main window's handlings of the pipe kind and of the three sources of the bore: a welded
// size, a seamless outer diameter and wall, or a bore typed in mm.
class PipeHandlings {
public:
    PipeHandlings(calc::CalcState& state, PipeControls controls, ui::Recalculation& recalculation);

    void Combo3_Click();
    void Option1_Click();
    void Option3_Click();
    void Text4_Change();
    void Combo4_Click();
    void Combo5_Click();
    void Option2_Click();

private:
    void enable(bool welded, bool seamless, bool custom);
    void readCustomBore();
    void readWallThickness();
    void seamlessUpdate();

    calc::CalcState& m_state;
    PipeControls m_controls;
    ui::Recalculation& m_recalculation;
};

} // namespace pipes
