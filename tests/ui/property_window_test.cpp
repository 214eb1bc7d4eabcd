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

} // namespace
