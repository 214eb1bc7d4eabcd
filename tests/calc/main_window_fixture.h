#pragma once

#include "calc/inputs.h"
#include "calc/numbers.h"
#include "calc/recal.h"
#include "calc/state.h"
#include "ui/controls/memory_gui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The main window's calculation controls over the in-memory GUI, with the state as start-up
// leaves it. Text4's handling is the custom-bore one (bore in mm, then recal), wired here
// directly so that recal's reset of the box runs it nested, as in the program.
class MainWindowFixture : public ::testing::Test {
protected:
    using Lines = std::vector<std::string>;

    MainWindowFixture() {
        for (const calc::Unit& unit : calc::kFlowUnits)
            combo1.addItem(unit.label, static_cast<int>(&unit - calc::kFlowUnits.data()));
        for (const calc::Unit& unit : calc::kRoughnessUnits)
            combo2.addItem(unit.label, static_cast<int>(&unit - calc::kRoughnessUnits.data()));
        combo1.setText("t/h");
        combo2.setText("mm");
        text4.setText("10");

        text1.onChange([this] { inputs.Text1_Change(); });
        text2.onChange([this] { inputs.Text2_Change(); });
        text3.onChange([this] { inputs.Text3_Change(); });
        combo1.onClick([this] { inputs.Combo1_Click(); });
        combo2.onClick([this] { inputs.Combo2_Click(); });
        text4.onChange([this] {
            state.customDiameter = calc::storedFloat(calc::prefixNumber(text4.text()) / 1000.0);
            calc::setInnerDiameter(state, state.customDiameter);
            recalculation.recal();
        });

        state.flow = 0;
        state.roughness = 0.0002f;
        state.weldedDiameter = 0.015f;
        state.outerDiameter = 0.018f;
        state.customDiameter = 0.01f;
        state.wallThickness = 0.003f;
        state.density = 1;
        state.flowUnitFactor = 1;
        state.roughnessUnitFactor = 0.001f;
        calc::setInnerDiameter(state, 0.015f);
        gui.clearRecord();
    }

    void setBore(float metres) { calc::setInnerDiameter(state, metres); }

    controls::memory::Gui gui;
    calc::CalcState state;
    controls::memory::MemoryTextBox& text1 = gui.textBox("Form1.Text1", "0");
    controls::memory::MemoryTextBox& text2 = gui.textBox("Form1.Text2", "0.2");
    controls::memory::MemoryTextBox& text3 = gui.textBox("Form1.Text3", "1");
    controls::memory::MemoryTextBox& text4 = gui.textBox("Form1.Text4", "Text4");
    controls::memory::MemoryDropDownList& combo1 = gui.dropDownList("Form1.Combo1");
    controls::memory::MemoryDropDownList& combo2 = gui.dropDownList("Form1.Combo2");
    controls::memory::MemoryLabel& label4 = gui.label("Form1.Label4");
    controls::memory::MemoryLabel& label5 = gui.label("Form1.Label5");
    controls::memory::MemoryLabel& label13 = gui.label("Form1.Label13");
    controls::memory::MemoryLabel& label7 = gui.label("Form1.Label7");
    controls::memory::MemoryLabel& label10 = gui.label("Form1.Label10");
    controls::memory::MemoryLabel& label11 = gui.label("Form1.Label11");
    calc::Recalculation recalculation{state,
                                      {.velocity = label4,
                                       .specificLoss = label5,
                                       .density = label13,
                                       .flow = label7,
                                       .roughness = label10,
                                       .innerDiameter = label11},
                                      text4,
                                      gui.messageBox()};
    calc::InputHandlings inputs{state,
                                {.flow = text1,
                                 .roughness = text2,
                                 .density = text3,
                                 .flowUnit = combo1,
                                 .roughUnit = combo2},
                                gui.messageBox(),
                                recalculation};
};
