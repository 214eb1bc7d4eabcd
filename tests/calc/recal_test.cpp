#include "tests/ui/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The two formulas at their stored widths. Every value was worked out by hand from the
// formulas, in 32-bit values with 64-bit intermediates, not by this program: the replay logs
// come from the program itself, so only these rows can tell a wrong formula from a right one.
TEST(Recal, WorkedExamplesStoreAndShowTheResults) {
    const struct {
        const char* name;
        const char* flow;
        const char* flowUnit;
        const char* density;
        const char* pipe; // a size of the welded list, or a bore typed in mm
        float velocity;
        const char* velocityText;
        float loss;
        const char* lossText;
    } rows[] = {
        {"DN200, 5 kg/m3", "10", "t/h", "5", "DN200", 17.683897f, " 17.6839 m/s", 76.466011f,
         " 76.46601 Pa/m"},
        {"DN100, 1 kg/m3", "10", "t/h", "1", "DN100", 353.67795f, " 353.6779 m/s", 14549.428f,
         " 14549.43 Pa/m"},
        {"DN200, 1 kg/m3", "10", "t/h", "1", "DN200", 88.419487f, " 88.41949 m/s", 382.33005f,
         " 382.33 Pa/m"},
        {"150 mm typed, 180 °C steam", "10", "t/h", " 5.16", "150", 30.463215f, " 30.46321 m/s",
         335.51895f, " 335.519 Pa/m"},
        // 2.5 kg/s and 9000 kg/h are 9 t/h: 0.9 of the first row's velocity and 0.81 of its R.
        {"2.5 kg/s, DN200, 5 kg/m3", "2.5", "kg/s", "5", "DN200", 15.915507f, " 15.91551 m/s",
         61.937466f, " 61.93747 Pa/m"},
        {"9000 kg/h, DN200, 5 kg/m3", "9000", "kg/h", "5", "DN200", 15.915507f, " 15.91551 m/s",
         61.937466f, " 61.93747 Pa/m"},
        // A typed bore of 0 stands for DN15's 15 mm: (200/15)² = 177.8 times the first row's
        // velocity and (200/15)^5.25 = 805 246 times its R.
        {"0 mm typed, 5 kg/m3", "10", "t/h", "5", "0", 3143.8042f, " 3143.804 m/s", 61573928.0f,
         " 6.157393E+07 Pa/m"},
    };
    for (const auto& row : rows) {
        MainWindow window; // roughness 0.2 mm
        const auto pick = [&](const char* list, const char* item) {
            const auto& items = window.gui.dropDownList(list).items();
            const auto at = std::find(items.begin(), items.end(), item);
            if (at != items.end())
                window.gui.dropDownList(list).userPick(static_cast<int>(at - items.begin()));
            return at != items.end();
        };
        pick("Form1.Combo1", row.flowUnit);
        window.gui.textBox("Form1.Text1").userType(row.flow);
        if (!pick("Form1.Combo3", row.pipe)) {
            window.gui.optionButton("Form1.Option3", "Form1.Frame3").userClick();
            window.gui.textBox("Form1.Text4").userType(row.pipe);
        }
        // The density last: a bore of 0 only sets the bore it stands for, used from the next
        // change on.
        window.gui.textBox("Form1.Text3").userType(row.density);
        const calc::CalcState& state = window.form1.state();
        EXPECT_EQ(state.velocity, row.velocity) << row.name;
        EXPECT_EQ(state.specificLoss, row.loss) << row.name;
        EXPECT_EQ(window.caption("Label4"), row.velocityText) << row.name;
        EXPECT_EQ(window.caption("Label5"), row.lossText) << row.name;
    }
}

} // namespace
