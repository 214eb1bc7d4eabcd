#include "tests/calc/main_window_fixture.h"

namespace {

class Inputs : public MainWindowFixture {};

const std::string kFlowMessage =
    R"(message "蒸汽质量流量不得小于0，点击确定按钮后重新输入蒸汽流量！" "错误提示")";
const std::string kDensityMessage =
    R"(message "蒸汽密度不得小于等于0，点击确定按钮后重新输入蒸汽密度！" "错误提示")";

TEST_F(Inputs, FlowWithoutANumberIsZeroAndRecalculates) {
    for (const char* text : {"5", "", "-", "abc"}) {
        text1.userType(text);
        EXPECT_EQ(state.flow, text == std::string("5") ? 5.0f : 0.0f) << text;
    }
    EXPECT_EQ(label7.caption(), " 0 t/h");
    for (const std::string& line : gui.lines())
        EXPECT_EQ(line.rfind("message", 0), std::string::npos) << line;
}

TEST_F(Inputs, NegativeFlowIsRejectedResetAndRecalculatedNested) {
    text1.userType("-2");
    EXPECT_EQ(gui.lines(), (Lines{
                               kFlowMessage,
                               R"(settext Form1.Text1 "0")",
                               R"(caption Form1.Label4 " 0 m/s")",
                               R"(caption Form1.Label5 " 0 Pa/m")",
                               R"(caption Form1.Label13 " 1 kg/m3")",
                               R"(caption Form1.Label7 " 0 t/h")",
                               R"(caption Form1.Label10 " 0.2 mm")",
                               R"(caption Form1.Label11 " 15 mm")",
                               "focus Form1.Text1",
                           }));
    EXPECT_EQ(text1.text(), "0");
    EXPECT_EQ(state.flow, 0.0f);
}

TEST_F(Inputs, FlowUnitsReinterpretTheText) {
    text1.userType("1000");
    combo1.userPick(1); // kg/h
    EXPECT_EQ(state.flow, 1.0f);
    text1.userType("1");
    combo1.userPick(2); // kg/s
    EXPECT_EQ(state.flow, 3.5999999f);
    EXPECT_EQ(label7.caption(), " 3.6 t/h");
    text1.userType("10");
    EXPECT_EQ(state.flow, 36.0f);
    combo1.userPick(0);
    EXPECT_EQ(state.flow, 10.0f);
    EXPECT_EQ(text1.text(), "10");
}

TEST_F(Inputs, RoughnessUnits) {
    struct {
        int unit;
        float roughness;
        const char* shown;
    } const cases[] = {
        // 0.2 × 0.001f formed wide is one ulp above the float nearest to 0.0002, yet shows 0.2.
        {0, 0.00020000001f, " 0.2 mm"},
        {1, 0.00508f, " 5.08 mm"},
        {2, 0.2f, " 200 mm"},
    };
    for (const auto& c : cases) {
        combo2.userPick(c.unit);
        EXPECT_EQ(state.roughness, c.roughness);
        EXPECT_EQ(label10.caption(), c.shown);
    }
}

TEST_F(Inputs, DensityZeroTypedShowsTheMessageOnce) {
    text3.userType("0");
    EXPECT_EQ(gui.lines(),
              (Lines{kDensityMessage, R"(settext Form1.Text3 "0")", "focus Form1.Text3"}));
    EXPECT_EQ(state.density, 0.0f);
}

TEST_F(Inputs, DensityEmptiedShowsTheMessageTwiceAndNoCaption) {
    for (const char* text : {"", "-1"}) {
        text3.userType("2");
        gui.clearRecord();
        text3.userType(text);
        EXPECT_EQ(gui.lines(), (Lines{
                                   kDensityMessage,
                                   R"(settext Form1.Text3 "0")",
                                   kDensityMessage,
                                   R"(settext Form1.Text3 "0")",
                                   "focus Form1.Text3",
                                   "focus Form1.Text3",
                               }))
            << '"' << text << '"';
        EXPECT_EQ(text3.text(), "0");
        EXPECT_EQ(state.density, 0.0f);
        EXPECT_EQ(label13.caption(), " 2 kg/m3") << "the last results stay until a recalculation";
    }
    text1.userType("1");
    EXPECT_EQ(label13.caption(), "请输入蒸汽密度");
}

TEST_F(Inputs, DensityFromTheSteamTableWithLeadingBlank) {
    text3.userType(" 1.122");
    EXPECT_EQ(state.density, 1.122f);
    EXPECT_EQ(label13.caption(), " 1.122 kg/m3");
    text3.userType(" 0.004847");
    EXPECT_EQ(state.density, 0.004847f);
}

struct OutOfRange {
    const char* name;
    int box;
    const char* text;
    std::vector<std::string> expected;
};

TEST_F(Inputs, ValuesPastTheFloatRangeAreRejectedWithTheirOwnMessage) {
    const OutOfRange cases[] = {
        {"flow",
         1,
         "1e39",
         {R"(message "蒸汽质量流量超出数值范围，点击确定按钮后重新输入蒸汽流量！" "错误提示")",
          R"(settext Form1.Text1 "0")"}},
        {"roughness, 1e42 mm",
         2,
         "1e42",
         {R"(message "管道当量绝对粗糙度超出数值范围，点击确定按钮后重新输入粗糙度！" "错误提示")",
          R"(settext Form1.Text2 "0")"}},
        {"density: range message, then the nested run finds 0",
         3,
         "1e39",
         {R"(message "蒸汽密度超出数值范围，点击确定按钮后重新输入蒸汽密度！" "错误提示")",
          R"(settext Form1.Text3 "0")", kDensityMessage, R"(settext Form1.Text3 "0")",
          "focus Form1.Text3", "focus Form1.Text3"}},
        {"negative infinity gets the negative message",
         1,
         "-1e999",
         {kFlowMessage, R"(settext Form1.Text1 "0")"}},
    };
    controls::memory::MemoryTextBox* boxes[] = {nullptr, &text1, &text2, &text3};
    for (const OutOfRange& c : cases) {
        gui.clearRecord();
        boxes[c.box]->userType(c.text);
        const Lines lines = gui.lines();
        ASSERT_GE(lines.size(), c.expected.size()) << c.name;
        if (c.box == 3)
            EXPECT_EQ(lines, c.expected) << c.name;
        else
            EXPECT_EQ(Lines(lines.begin(), lines.begin() + 2), c.expected) << c.name;
        EXPECT_EQ(boxes[c.box]->text(), "0") << c.name;
        EXPECT_EQ(gui.focused(), boxes[c.box]->name()) << c.name;
    }
    EXPECT_EQ(state.flow, 0.0f);
    EXPECT_EQ(state.roughness, 0.0f);
    EXPECT_EQ(state.density, 0.0f);
}

TEST_F(Inputs, UnitChangeOverflowingTheFlowShowsBeyondRange) {
    text1.userType("1e38");
    combo1.userPick(2); // kg/s: 3.6e38 t/h is past the float range
    EXPECT_EQ(label7.caption(), "超出计算范围");
    EXPECT_EQ(label4.caption(), "超出计算范围");
}

TEST_F(Inputs, UnitTextMatchingNoEntryKeepsTheFactor) {
    state.flowUnitFactor = 0.001f;
    combo1.clear();
    text1.userType("5");
    inputs.Combo1_Click();
    EXPECT_EQ(state.flowUnitFactor, 0.001f);
    EXPECT_EQ(state.flow, 0.00500000035f); // 5 × 0.001f, formed wide
}

} // namespace
