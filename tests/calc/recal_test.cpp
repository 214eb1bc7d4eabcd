#include "tests/calc/main_window_fixture.h"

#include <limits>

namespace {

class Recal : public MainWindowFixture {};

struct Worked {
    const char* name;
    float flow, bore, density;
    float velocity;
    const char* velocityText;
    float specificLoss;
    const char* lossText;
};

TEST_F(Recal, WorkedExamplesStoreAndShowTheResults) {
    const Worked cases[] = {
        {"DN200, density 5", 10, 0.2f, 5, 17.683897f, " 17.6839 m/s", 76.466011f, " 76.46601 Pa/m"},
        {"DN100, density 1", 10, 0.1f, 1, 353.67795f, " 353.6779 m/s", 14549.428f,
         " 14549.43 Pa/m"},
    };
    for (const Worked& c : cases) {
        state.flow = c.flow;
        state.density = c.density;
        setBore(c.bore);
        gui.clearRecord();

        recalculation.recal();

        EXPECT_EQ(state.velocity, c.velocity) << c.name;
        EXPECT_EQ(state.specificLoss, c.specificLoss) << c.name;
        EXPECT_EQ(label4.caption(), c.velocityText) << c.name;
        EXPECT_EQ(label5.caption(), c.lossText) << c.name;
    }
    EXPECT_EQ(gui.lines(), (Lines{
                               R"(caption Form1.Label4 " 353.6779 m/s")",
                               R"(caption Form1.Label5 " 14549.43 Pa/m")",
                               R"(caption Form1.Label13 " 1 kg/m3")",
                               R"(caption Form1.Label7 " 10 t/h")",
                               R"(caption Form1.Label10 " 0.2 mm")",
                               R"(caption Form1.Label11 " 100 mm")",
                           }));
}

TEST_F(Recal, FirstWorkedExampleEchoesTheInputs) {
    state.flow = 10;
    state.density = 5;
    setBore(0.2f);
    recalculation.recal();
    EXPECT_EQ(label7.caption(), " 10 t/h");
    EXPECT_EQ(label11.caption(), " 200 mm");
    EXPECT_EQ(label13.caption(), " 5 kg/m3");
}

TEST_F(Recal, ZeroBoreFallsBackToDn15AndWritesNothing) {
    label4.setCaption("before");
    state.velocity = 3;
    setBore(0.0f);
    gui.clearRecord();

    recalculation.recal();

    EXPECT_EQ(state.innerDiameter, 0.015f);
    EXPECT_EQ(state.flowArea, 0.0) << "the fallback leaves the area as it was";
    EXPECT_EQ(state.velocity, 3);
    EXPECT_TRUE(gui.lines().empty());
    EXPECT_EQ(label4.caption(), "before");
}

TEST_F(Recal, InfiniteBoreIsRejectedWithItsOwnMessage) {
    text4.userType("1e45");
    EXPECT_EQ(gui.lines(),
              (Lines{
                  R"(message "管道内径超出数值范围，点击确定按钮后重新输入管内径！" "错误提示")",
                  R"(settext Form1.Text4 "")",
                  "focus Form1.Text4",
              }));
    EXPECT_EQ(state.innerDiameter, 0.015f);
}

TEST_F(Recal, MissingDensityEmptiesResultsButEchoesInputs) {
    state.velocity = 7;
    state.specificLoss = 8;
    state.density = 0;
    state.flow = 2;
    recalculation.recal();
    EXPECT_EQ(label4.caption(), "");
    EXPECT_EQ(label5.caption(), "");
    EXPECT_EQ(label13.caption(), "请输入蒸汽密度");
    EXPECT_EQ(label7.caption(), " 2 t/h");
    EXPECT_EQ(label10.caption(), " 0.2 mm");
    EXPECT_EQ(label11.caption(), " 15 mm");
    EXPECT_EQ(state.velocity, 7);
    EXPECT_EQ(state.specificLoss, 8);
}

TEST_F(Recal, ZeroFlowOrZeroRoughnessShowZero) {
    recalculation.recal();
    EXPECT_EQ(label4.caption(), " 0 m/s");
    EXPECT_EQ(label5.caption(), " 0 Pa/m");

    state.flow = 10;
    state.roughness = 0;
    recalculation.recal();
    EXPECT_EQ(label5.caption(), " 0 Pa/m");
    EXPECT_EQ(label10.caption(), " 0 mm");
}

TEST_F(Recal, ZeroAreaAfterFallbackUsesTheShownBore) {
    // An emptied custom bore leaves the area 0 under a 15 mm bore: no division by zero.
    text4.userType("");
    ASSERT_EQ(state.flowArea, 0.0);
    state.flow = 1;
    recalculation.recal();
    EXPECT_EQ(state.flowArea, 0.0);
    EXPECT_EQ(state.velocity,
              calc::storedFloat(1.0 / 3.6 / (calc::kAreaFactor * double(0.015f) * double(0.015f))));
    EXPECT_EQ(label4.caption(), " 1571.902 m/s");
    EXPECT_EQ(label11.caption(), " 15 mm");
}

TEST_F(Recal, OverflowingResultsShowBeyondRange) {
    state.flow = 3e38f;
    state.density = 1e-30f;
    recalculation.recal();
    EXPECT_EQ(state.specificLoss, std::numeric_limits<float>::infinity());
    EXPECT_EQ(label4.caption(), "超出计算范围");
    EXPECT_EQ(label5.caption(), "超出计算范围");
    EXPECT_EQ(label7.caption(), " 3E+38 t/h");

    state.flow = std::numeric_limits<float>::infinity();
    state.roughness = 0; // 0 × inf: not a number
    recalculation.recal();
    EXPECT_EQ(label5.caption(), "超出计算范围");
    EXPECT_EQ(label7.caption(), "超出计算范围");
}

} // namespace
