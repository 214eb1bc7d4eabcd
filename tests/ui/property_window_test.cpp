#include "tests/ui/main_window.h"

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

// Reopened after 返  回 or the title bar, the window shows the state the engineer left.
TEST(PropertyWindow, ReopenedItShowsTheInputsLastUsed) {
    for (const bool byTitleBar : {false, true}) {
        PropertyWindow w;
        w.gui.dropDownList("Form3.Combo1").userPick(2);
        w.gui.textBox("Form3.Text1").userType("10");
        w.gui.optionButton("Form3.Option2", "Form3.Frame2").userClick();
        w.gui.textBox("Form3.Text2").userType("250.0");
        if (byTitleBar)
            w.gui.window("Form3").userClose();
        else
            w.gui.pushButton("Form3.Command2").userClick();
        w.gui.menuCommand("Form1.mnuSteam").userClick();
        EXPECT_EQ(w.gui.dropDownList("Form3.Combo1").text(), "bar(表压)");
        EXPECT_EQ(w.gui.textBox("Form3.Text1").text(), "10");
        EXPECT_TRUE(w.gui.optionButton("Form3.Option2", "Form3.Frame2").isChecked());
        EXPECT_EQ(w.gui.textBox("Form3.Text2").text(), "250.0");
        // 10 bar(表压) at 250 ℃, by an independent implementation of the same standard.
        EXPECT_EQ(w.gui.label("Form3.Label9").caption(), " 4.751176 kg/m3");
    }
}

} // namespace
