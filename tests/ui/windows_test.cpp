#include "ui/memory_windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using controls::memory::Gui;
using Lines = std::vector<std::string>;

class Windows : public ::testing::Test {
protected:
    Windows() { form1.start(); }

    Lines linesSince(std::size_t from) const {
        const Lines all = gui.lines();
        return Lines(all.begin() + static_cast<long>(from), all.end());
    }
    std::string caption(const std::string& name) { return gui.label(name).caption(); }
    int messages() const {
        const Lines all = gui.lines();
        return static_cast<int>(std::count_if(all.begin(), all.end(), [](const std::string& l) {
            return l.rfind("message", 0) == 0;
        }));
    }

    Gui gui;
    ui::MemoryForm2Loader loader{gui};
    ui::Form1 form1{ui::memoryForm1Controls(gui), loader};
};

TEST_F(Windows, StartUpLeavesTheDefaultsAndNoMessage) {
    const calc::CalcState& s = form1.state();
    EXPECT_EQ(s.flow, 0.0f);
    EXPECT_EQ(s.roughness, 0.0002f);
    EXPECT_EQ(s.weldedDiameter, 0.015f);
    EXPECT_EQ(s.innerDiameter, 0.015f);
    EXPECT_EQ(s.outerDiameter, 0.018f);
    EXPECT_EQ(s.customDiameter, 0.01f);
    EXPECT_EQ(s.wallThickness, 0.003f);
    EXPECT_EQ(s.flowArea, 3.14159 / 4 * double(0.015f) * double(0.015f));
    EXPECT_EQ(s.velocity, 0.0f);
    EXPECT_EQ(s.specificLoss, 0.0f);
    EXPECT_EQ(s.density, 1.0f);
    EXPECT_EQ(s.flowUnitFactor, 1.0f);
    EXPECT_EQ(s.roughnessUnitFactor, 0.001f);

    EXPECT_EQ(gui.textBox("Form1.Text1").text(), "0");
    EXPECT_EQ(gui.textBox("Form1.Text2").text(), "0.2");
    EXPECT_EQ(gui.textBox("Form1.Text3").text(), "1");
    EXPECT_EQ(gui.textBox("Form1.Text4").text(), "10");
    EXPECT_FALSE(gui.textBox("Form1.Text4").enabled());
    EXPECT_EQ(gui.dropDownList("Form1.Combo1").text(), "t/h");
    EXPECT_EQ(gui.dropDownList("Form1.Combo2").text(), "mm");
    EXPECT_EQ(gui.dropDownList("Form1.Combo3").text(), "DN15");
    EXPECT_TRUE(gui.dropDownList("Form1.Combo3").enabled());
    EXPECT_EQ(gui.dropDownList("Form1.Combo4").text(), "D18");
    EXPECT_FALSE(gui.dropDownList("Form1.Combo4").enabled());
    EXPECT_EQ(gui.dropDownList("Form1.Combo5").items(), (Lines{"2.5", "3", "3.5", "4"}));
    EXPECT_EQ(gui.dropDownList("Form1.Combo5").text(), "3");
    EXPECT_FALSE(gui.dropDownList("Form1.Combo5").enabled());
    EXPECT_EQ(gui.dropDownList("Form1.Combo3").items().size(), 27u);
    EXPECT_EQ(gui.dropDownList("Form1.Combo4").items().size(), 29u);
    EXPECT_TRUE(gui.optionButton("Form1.Option1", "Form1.Frame3").isChecked());
    EXPECT_FALSE(gui.optionButton("Form1.Option2", "Form1.Frame3").isChecked());
    EXPECT_FALSE(gui.optionButton("Form1.Option3", "Form1.Frame3").isChecked());

    EXPECT_EQ(caption("Form1.Label4"), "0.000 m/s");
    EXPECT_EQ(caption("Form1.Label5"), "0.000 Pa/m");
    EXPECT_EQ(caption("Form1.Label7"), " 0 t/h");
    EXPECT_EQ(caption("Form1.Label10"), " 0.2 mm");
    EXPECT_EQ(caption("Form1.Label11"), " 15 mm");
    EXPECT_EQ(caption("Form1.Label13"), " 1 kg/m3");
    EXPECT_EQ(messages(), 0);
    EXPECT_TRUE(gui.window("Form1").visible());
    EXPECT_EQ(gui.lines().back(), "show Form1");
}

TEST_F(Windows, TypingAFlowRightAfterStartUsesTheDn15Bore) {
    gui.textBox("Form1.Text1").userType("1");
    EXPECT_EQ(caption("Form1.Label4"), " 1571.902 m/s");
    EXPECT_EQ(caption("Form1.Label11"), " 15 mm");
}

TEST_F(Windows, RestoreDefaultRoughness) {
    auto& text2 = gui.textBox("Form1.Text2");
    text2.userType("0.5");
    gui.dropDownList("Form1.Combo2").userPick(1); // in
    gui.pushButton("Form1.Command1").userClick();
    EXPECT_EQ(text2.text(), "0.2");
    EXPECT_EQ(gui.dropDownList("Form1.Combo2").text(), "mm");
    EXPECT_EQ(caption("Form1.Label10"), " 0.2 mm");
    EXPECT_EQ(form1.state().roughnessUnitFactor, 0.001f);

    const std::size_t before = gui.lines().size();
    gui.pushButton("Form1.Command1").userClick();
    EXPECT_EQ(linesSince(before),
              (Lines{R"(settext Form1.Text2 "0.2")", R"(select Form1.Combo2 "mm")"}))
        << "pressed again it raises nothing";
}

TEST_F(Windows, LookupOpenedAndLeftAtOnceSetsTheDefaultDensity) {
    gui.textBox("Form1.Text3").userType("5");
    gui.textBox("Form1.Text1").userType("5");
    gui.pushButton("Form1.Command2").userClick();
    EXPECT_TRUE(gui.window("Form2").visible());
    EXPECT_FALSE(gui.window("Form1").visible());
    EXPECT_EQ(gui.simpleCombo("Form2.Combo1").items().size(), 38u);
    EXPECT_EQ(gui.simpleCombo("Form2.Combo1").editText(),
              "  120       1.9854         1.122          2202.3");
    EXPECT_EQ(gui.label("Form2.Label9").caption(), "蒸汽密度：  1.122 kg/m3");

    gui.pushButton("Form2.Command1").userClick();
    EXPECT_TRUE(gui.window("Form1").visible());
    EXPECT_FALSE(form1.form2Loaded());
    EXPECT_EQ(gui.textBox("Form1.Text3").text(), "1.122");
    EXPECT_EQ(form1.state().density, 1.122f);
    EXPECT_EQ(gui.textBox("Form1.Text1").text(), "5") << "start-up does not run again";
    EXPECT_EQ(caption("Form1.Label13"), " 1.122 kg/m3");
}

TEST_F(Windows, PickedRowsHandOverAndDoubleClickCloses) {
    gui.pushButton("Form1.Command2").userClick();
    auto& list = gui.simpleCombo("Form2.Combo1");
    for (int row : {13, 14, 15}) {
        list.userPick(row);
        EXPECT_TRUE(gui.window("Form2").visible());
    }
    EXPECT_EQ(gui.textBox("Form1.Text3").text(), " 2.548");
    list.userEdit("  999");
    EXPECT_EQ(gui.textBox("Form1.Text3").text(), " 2.548") << "only a selected row counts";

    list.userDoubleClick(16);
    EXPECT_EQ(gui.textBox("Form1.Text3").text(), " 3.26");
    EXPECT_EQ(form1.state().density, 3.26f);
    EXPECT_TRUE(gui.window("Form1").visible());
    EXPECT_FALSE(form1.form2Loaded());
}

TEST_F(Windows, TitleBarCloseOfTheLookupBringsTheMainWindowBack) {
    gui.pushButton("Form1.Command2").userClick();
    gui.window("Form2").userClose();
    EXPECT_TRUE(gui.window("Form1").visible());
    EXPECT_FALSE(form1.form2Loaded());

    gui.pushButton("Form1.Command2").userClick();
    EXPECT_EQ(gui.simpleCombo("Form2.Combo1").items().size(), 38u) << "not 76: it starts afresh";
    EXPECT_EQ(gui.simpleCombo("Form2.Combo1").selectedIndex(), 12);
}

TEST_F(Windows, CloseEndsTheProgramAtOnce) {
    const std::size_t before = gui.lines().size();
    gui.pushButton("Form1.Command3").userClick();
    EXPECT_EQ(linesSince(before), (Lines{"end"}));
    Gui other;
    ui::MemoryForm2Loader otherLoader{other};
    ui::Form1 second{ui::memoryForm1Controls(other), otherLoader};
    second.start();
    other.window("Form1").userClose();
    EXPECT_TRUE(other.program().ended());
}

} // namespace

namespace {

// A whole session; every expected caption was worked out from the formulas by hand, in
// 32-bit values with 64-bit intermediates, not by this program.
TEST_F(Windows, SessionThroughEveryPipeSourceAndTheSteamTable) {
    auto captions = [this] {
        return Lines{caption("Form1.Label4"), caption("Form1.Label5"), caption("Form1.Label11")};
    };
    gui.textBox("Form1.Text1").userType("10");
    gui.dropDownList("Form1.Combo3").userPick(11); // DN200
    EXPECT_EQ(captions(), (Lines{" 88.41949 m/s", " 382.33 Pa/m", " 200 mm"}));

    gui.optionButton("Form1.Option2", "Form1.Frame3").userClick();
    gui.dropDownList("Form1.Combo4").userPick(22); // D219
    gui.dropDownList("Form1.Combo5").userPick(0);  // 6 mm wall
    EXPECT_EQ(captions(), (Lines{" 82.54053 m/s", " 319.155 Pa/m", " 207 mm"}));

    gui.optionButton("Form1.Option3", "Form1.Frame3").userClick();
    auto& text4 = gui.textBox("Form1.Text4");
    text4.userType("");
    for (const char* typed : {"1", "15", "150"})
        text4.userType(typed);
    EXPECT_EQ(captions(), (Lines{" 157.1902 m/s", " 1731.278 Pa/m", " 150 mm"}));

    gui.pushButton("Form1.Command2").userClick();
    gui.simpleCombo("Form2.Combo1").userPick(18); // 180 °C, 5.160 kg/m3
    gui.pushButton("Form2.Command1").userClick();
    EXPECT_EQ(captions(), (Lines{" 30.46321 m/s", " 335.519 Pa/m", " 150 mm"}));
    EXPECT_EQ(caption("Form1.Label13"), " 5.16 kg/m3");
    EXPECT_EQ(caption("Form1.Label7"), " 10 t/h");
    EXPECT_EQ(caption("Form1.Label10"), " 0.2 mm");
    EXPECT_EQ(messages(), 0);
}

} // namespace

namespace {

Lines matching(const Lines& lines, const std::string& prefix) {
    Lines out;
    for (const std::string& line : lines)
        if (line.rfind(prefix, 0) == 0)
            out.push_back(line);
    return out;
}

// Start-up raises Text4_Change (density still 0), Option1_Click (zero-bore fallback, no
// caption), then the four list clicks, Combo4's with Combo5's nested; its own values come last.
TEST(StartUp, RaisesTheHandlingsInTheTracedOrder) {
    Gui gui;
    ui::MemoryForm2Loader loader{gui};
    ui::Form1 form1{ui::memoryForm1Controls(gui), loader};
    form1.start();
    const Lines lines = gui.lines();

    EXPECT_EQ(matching(lines, "caption Form1.Label11"),
              (Lines{
                  R"(caption Form1.Label11 " 10 mm")", // Text4_Change
                  R"(caption Form1.Label11 " 15 mm")", // Combo1_Click, after the fallback
                  R"(caption Form1.Label11 " 15 mm")", // Combo2_Click
                  R"(caption Form1.Label11 " 15 mm")", // Combo3_Click
                  R"(caption Form1.Label11 " 12 mm")", // Combo5_Click nested in Combo4_Click
                  R"(caption Form1.Label11 " 12 mm")", // Combo4_Click
                  R"(caption Form1.Label11 " 15 mm")", // start-up's own captions
              }));
    Lines densities(6, "caption Form1.Label13 \"请输入蒸汽密度\"");
    densities.push_back(R"(caption Form1.Label13 " 1 kg/m3")");
    EXPECT_EQ(matching(lines, "caption Form1.Label13"), densities)
        << "every recalculation during start-up sees no density";
    EXPECT_EQ(matching(lines, "select"),
              (Lines{R"(select Form1.Combo1 "t/h")", R"(select Form1.Combo2 "mm")",
                     R"(select Form1.Combo3 "DN15")", R"(select Form1.Combo4 "D18")",
                     R"(select Form1.Combo5 "3")", R"(select Form1.Combo5 "3")"}));
    EXPECT_EQ(matching(lines, "check"), (Lines{"check Form1.Option1 on", "check Form1.Option2 off",
                                               "check Form1.Option3 off"}));
    EXPECT_TRUE(matching(lines, "message").empty());
    EXPECT_EQ(lines.back(), "show Form1");
}

} // namespace
