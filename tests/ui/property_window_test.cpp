#include "tests/ui/main_window.h"
#include "ui/controls/memory_gui.h"
#include "ui/form3_properties.h"

#include <gtest/gtest.h>

namespace {

struct PropertyWindow : MainWindow {
    PropertyWindow() { gui.menuCommand("Form1.mnuSteam").userClick(); }
    std::string state() { return gui.statusText("Form3.Label8").text(); }
    bool adoptable() { return gui.pushButton("Form3.Command1").enabled(); }
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
            w.gui.optionButton("Form3.Option2", "Form3.Frame2").userClick();
            w.gui.textBox("Form3.Text2").userType(c.temperature);
        }
        w.gui.textBox("Form3.Text1").userType(c.pressure);
        EXPECT_EQ(w.state(), c.state) << c.pressure;
        EXPECT_FALSE(w.adoptable()) << c.pressure;
        EXPECT_EQ(w.gui.label("Form3.Label9").caption(), "") << c.pressure;
    }
}

// 复制结果 gives what the window shows, a quantity a line as name, value and unit between tabs,
// so that a paste into a spreadsheet gives each its own cell; a fault stands on the state's line
// and no figure follows it.
TEST(PropertyWindow, CopiesWhatItShowsAQuantityALine) {
    PropertyWindow w;
    w.gui.optionButton("Form3.Option2", "Form3.Frame2").userClick();
    w.gui.pushButton("Form3.Command3").userClick();
    // "184.1231 ℃" is a value and its unit.
    const auto cells = [&](const char* label) {
        std::string shown = w.gui.label(std::string("Form3.") + label).caption();
        shown.erase(0, shown.find_first_not_of(' '));
        return shown.replace(shown.find(' '), 1, "\t");
    };
    EXPECT_EQ(w.gui.clipboard("Form3.clipboard").text(),
              "压力\t1\tMPa(表压)\n温度\t250\t℃\n饱和温度\t" + cells("Label7") + "\n状态\t" +
                  w.state() + "\t\n密度\t" + cells("Label9") + "\n比容\t" + cells("Label10") +
                  "\n比焓\t" + cells("Label11") + "\n");
    w.gui.textBox("Form3.Text1").userType("");
    w.gui.pushButton("Form3.Command3").userClick();
    EXPECT_EQ(w.gui.clipboard("Form3.clipboard").text(), "温度\t250\t℃\n状态\t请输入压力\t\n");
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
        steam::PropertyHandlings handlings({.pressure = gui.textBox("Text1", "1"),
                                            .unit = gui.dropDownList("Combo1"),
                                            .superheated = gui.optionButton("Option2", "Frame2"),
                                            .temperature = gui.textBox("Text2"),
                                            .adopt = gui.pushButton("Command1"),
                                            .saturation = gui.label("Label7"),
                                            .state = gui.statusText("Label8"),
                                            .density = gui.label("Label9"),
                                            .volume = gui.label("Label10"),
                                            .enthalpy = gui.label("Label11")});
        gui.dropDownList("Combo1").addItem(c.unit, 0);
        gui.dropDownList("Combo1").setText(c.unit);
        handlings.Combo1_Click();
        EXPECT_NEAR(handlings.absolutePressure(), c.absoluteMpa, 1e-12) << c.unit;
    }
}

} // namespace
