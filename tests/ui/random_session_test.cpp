#include "ui/memory_windows.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using controls::memory::Gui;

// Long random sessions of user actions, with texts chosen to hit the edges: whatever the user
// does, exactly one window is visible, the stored inputs stay in range and no result field
// shows anything but a number with its unit, an empty text or one of the program's messages.
TEST(RandomSessions, NeverBreakTheStateOrShowNonsense) {
    const char* texts[] = {"",    "0",    "-2",   "10",       "1e39", "-1e999", "1e-999",  "&HFF",
                           "0.2", "abc",  " 5",   "1.2.3",    "1e",   "--1",    ".",       "150",
                           "-5",  "1e45", "１０", "\xff\xfe", "3e38", "0.0001", "99999999"};
    const char* boxes[] = {"Form1.Text1", "Form1.Text2", "Form1.Text3", "Form1.Text4"};
    const char* lists[] = {"Form1.Combo1", "Form1.Combo2", "Form1.Combo3", "Form1.Combo4",
                           "Form1.Combo5"};
    const char* results[] = {"Form1.Label4",  "Form1.Label5",  "Form1.Label7",
                             "Form1.Label10", "Form1.Label11", "Form1.Label13"};

    for (unsigned seed = 1; seed <= 20; ++seed) {
        Gui gui;
        ui::MemoryForm2Loader loader{gui};
        ui::Form1 form1{ui::memoryForm1Controls(gui), loader};
        form1.start();
        std::mt19937 random(seed);
        auto below = [&](std::size_t n) {
            return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
        };

        for (int step = 0; step < 300; ++step) {
            if (form1.form2Loaded()) {
                auto& list = gui.simpleCombo("Form2.Combo1");
                switch (below(4)) {
                case 0:
                    list.userPick(static_cast<int>(below(40)) - 1);
                    break;
                case 1:
                    list.userDoubleClick(static_cast<int>(below(38)));
                    break;
                case 2:
                    gui.pushButton("Form2.Command1").userClick();
                    break;
                default:
                    gui.window("Form2").userClose();
                    break;
                }
            } else {
                switch (below(5)) {
                case 0:
                    gui.textBox(boxes[below(4)]).userType(texts[below(std::size(texts))]);
                    break;
                case 1: {
                    auto& list = gui.dropDownList(lists[below(5)]);
                    list.userPick(static_cast<int>(below(list.items().size() + 1)));
                    break;
                }
                case 2:
                    gui.optionButton("Form1.Option" + std::to_string(1 + below(3)), "Form1.Frame3")
                        .userClick();
                    break;
                case 3:
                    gui.pushButton("Form1.Command1").userClick();
                    break;
                default:
                    gui.pushButton("Form1.Command2").userClick();
                    break;
                }
            }

            const calc::CalcState& s = form1.state();
            ASSERT_NE(gui.window("Form1").visible(), form1.form2Loaded()) << seed << ":" << step;
            ASSERT_GE(s.roughness, 0) << seed << ":" << step;
            ASSERT_TRUE(s.density >= 0) << seed << ":" << step;
            ASSERT_TRUE(s.innerDiameter > 0 && s.innerDiameter < 1e38f) << seed << ":" << step;
            for (const char* name : results) {
                const std::string shown = gui.label(name).caption();
                for (const char* bad : {"inf", "nan", "Inf", "NaN"})
                    ASSERT_EQ(shown.find(bad), std::string::npos) << name << " " << shown;
            }
        }
    }
}

} // namespace
