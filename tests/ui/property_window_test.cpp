#include "tests/ui/main_window.h"
#include "ui/controls/memory_gui.h"
#include "ui/property_handlings.h"

#include <gtest/gtest.h>

namespace {

struct PropertyWindow : MainWindow {
    PropertyWindow() { gui.menuCommand("Form1.mnuSteam").userClick(); }
    std::string state() { return gui.statusText("Property.state").text(); }
    bool adoptable() { return gui.pushButton("Property.adopt").enabled(); }
};

// A box with no number in it was read as 0: 0 in a gauge unit is one atmosphere, a valid
// steam, and an empty temperature was said to be water. "1,5" was read as 1 unseen.
TEST(PropertyWindow, ABoxWithoutItsNumberSaysSoAndHandsNothingOver) {
    const struct {
        const char* pressure;
        const char* temperature; // null: saturated steam
        const char* state;
    } cases[] = {
        {"", nullptr, "请输入压力"},
        {"-", nullptr, "请输入压力"},
        {"inf", "250", "请输入压力"},
        {"1", "", "请输入温度"},
        {"1", "nan", "请输入温度"},
        {"1,5", nullptr, "压力只读入了“1”，其后的“,5”不是数的一部分（小数点请用“.”）"},
        {"1", "250 ℃", "温度只读入了“250”，其后的“℃”不是数的一部分"},
    };
    for (const auto& c : cases) {
        PropertyWindow w;
        if (c.temperature) {
            w.gui.optionButton("Property.superheated", "Property.stateFrame").userClick();
            w.gui.textBox("Property.temperature").userType(c.temperature);
        }
        w.gui.textBox("Property.pressure").userType(c.pressure);
        EXPECT_EQ(w.state(), c.state) << c.pressure;
        EXPECT_FALSE(w.adoptable()) << c.pressure;
        EXPECT_EQ(w.gui.label("Property.density").caption(), "") << c.pressure;
    }
}

// 复制结果 gives what the window shows, a quantity a line as name, value and unit between tabs,
// so that a paste into a spreadsheet gives each its own cell; a fault stands on the state's line
// and no figure follows it.
TEST(PropertyWindow, CopiesWhatItShowsAQuantityALine) {
    PropertyWindow w;
    w.gui.optionButton("Property.superheated", "Property.stateFrame").userClick();
    w.gui.pushButton("Property.copy").userClick();
    // "184.1231 ℃" is a value and its unit.
    const auto cells = [&](const char* label) {
        std::string shown = w.gui.label(std::string("Property.") + label).caption();
        shown.erase(0, shown.find_first_not_of(' '));
        return shown.replace(shown.find(' '), 1, "\t");
    };
    EXPECT_EQ(w.gui.clipboard("Property.clipboard").text(),
              "压力\t1\tMPa(表压)\n温度\t250\t℃\n饱和温度\t" + cells("saturation") + "\n状态\t" +
                  w.state() + "\t\n密度\t" + cells("density") + "\n比容\t" + cells("volume") +
                  "\n比焓\t" + cells("enthalpy") + "\n");
    w.gui.textBox("Property.pressure").userType("");
    w.gui.pushButton("Property.copy").userClick();
    EXPECT_EQ(w.gui.clipboard("Property.clipboard").text(), "温度\t250\t℃\n状态\t请输入压力\t\n");
}

// "1" in each unit of the list, as the pressure the window computes with: 1 bar = 0.1 MPa,
// 1 kgf/cm² = 9.80665 N / 1e-4 m² = 0.0980665 MPa, and a gauge reading adds the standard
// atmosphere of 0.101325 MPa.
TEST(PropertyHandlings, ReadEachPressureUnitAsAnAbsolutePressure) {
    const struct {
        const char* unit;
        double absoluteMpa;
    } cases[] = {
        {"MPa(表压)", 1.101325},      // 1 + 0.101325
        {"MPa(绝压)", 1},             // as typed
        {"bar(表压)", 0.201325},      // 0.1 + 0.101325
        {"bar(绝压)", 0.1},           // 1 × 0.1
        {"kgf/cm²(表压)", 0.1993915}, // 0.0980665 + 0.101325
    };
    for (const auto& c : cases) {
        controls::memory::Gui gui;
        ui::PropertyHandlings handlings(
            {.pressure = gui.textBox("pressure", "1"),
             .unit = gui.dropDownList("unit"),
             .superheated = gui.optionButton("superheated", "stateFrame"),
             .temperature = gui.textBox("temperature"),
             .adopt = gui.pushButton("adopt"),
             .saturation = gui.label("saturation"),
             .state = gui.statusText("state"),
             .density = gui.label("density"),
             .volume = gui.label("volume"),
             .enthalpy = gui.label("enthalpy")});
        gui.dropDownList("unit").addItem(c.unit, 0);
        gui.dropDownList("unit").setText(c.unit);
        handlings.unit_Click();
        EXPECT_NEAR(handlings.absolutePressure(), c.absoluteMpa, 1e-12) << c.unit;
    }
}

} // namespace
