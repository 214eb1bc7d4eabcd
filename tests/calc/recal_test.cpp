#include "tests/ui/main_window.h"

#include <gtest/gtest.h>

namespace {

// The two formulas at their stored widths. Every value was worked out by hand from the
// formulas, in 32-bit values with 64-bit intermediates, not by this program: the replay logs
// come from the program itself, so only these rows can tell a wrong formula from a right one.
TEST(Recal, WorkedExamplesStoreAndShowTheResults) {
    const struct {
        const char* name;
        const char* density;
        int welded; // a row of the welded list, or -1 for the typed bore of 150 mm
        float velocity;
        const char* velocityText;
        float loss;
        const char* lossText;
    } rows[] = {
        {"DN200, 5 kg/m3", "5", 11, 17.683897f, " 17.6839 m/s", 76.466011f, " 76.46601 Pa/m"},
        {"DN100, 1 kg/m3", "1", 8, 353.67795f, " 353.6779 m/s", 14549.428f, " 14549.43 Pa/m"},
        {"DN200, 1 kg/m3", "1", 11, 88.419487f, " 88.41949 m/s", 382.33005f, " 382.33 Pa/m"},
        {"150 mm typed, 180 °C steam", " 5.16", -1, 30.463215f, " 30.46321 m/s", 335.51895f,
         " 335.519 Pa/m"},
    };
    for (const auto& row : rows) {
        MainWindow window; // roughness 0.2 mm
        window.gui.textBox("Form1.Text1").userType("10");
        window.gui.textBox("Form1.Text3").userType(row.density);
        if (row.welded >= 0) {
            window.gui.dropDownList("Form1.Combo3").userPick(row.welded);
        } else {
            window.gui.optionButton("Form1.Option3", "Form1.Frame3").userClick();
            window.gui.textBox("Form1.Text4").userType("150");
        }
        const calc::CalcState& state = window.form1.state();
        EXPECT_EQ(state.velocity, row.velocity) << row.name;
        EXPECT_EQ(state.specificLoss, row.loss) << row.name;
        EXPECT_EQ(window.caption("Label4"), row.velocityText) << row.name;
        EXPECT_EQ(window.caption("Label5"), row.lossText) << row.name;
    }
}

} // namespace
