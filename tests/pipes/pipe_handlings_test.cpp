#include "pipes/pipe_handlings.h"
#include "pipes/seamless.h"
#include "pipes/welded.h"
#include "tests/calc/main_window_fixture.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// The calculation controls of the main window with the pipe handlings bound as the window
// binds them.
class Pipes : public MainWindowFixture {
protected:
    Pipes() {
        int index = 0;
        for (const pipes::WeldedPipe& pipe : pipes::kWeldedPipes)
            combo3.addItem(pipe.label, index++);
        index = 0;
        for (const pipes::SeamlessPipe& pipe : pipes::kSeamlessPipes)
            combo4.addItem(pipe.entry, index++);
        combo3.onClick([this] { handlings.Combo3_Click(); });
        combo4.onClick([this] { handlings.Combo4_Click(); });
        combo5.onClick([this] { handlings.Combo5_Click(); });
        text4.onChange([this] { handlings.Text4_Change(); });
        gui.clearRecord();
    }

    int indexOf(const std::vector<std::string>& items, const std::string& text) {
        return static_cast<int>(std::find(items.begin(), items.end(), text) - items.begin());
    }
    void pickOuter(const std::string& entry) { combo4.userPick(indexOf(combo4.items(), entry)); }
    void pickWall(const std::string& item) { combo5.userPick(indexOf(combo5.items(), item)); }

    controls::memory::MemoryDropDownList& combo3 = gui.dropDownList("Form1.Combo3");
    controls::memory::MemoryDropDownList& combo4 = gui.dropDownList("Form1.Combo4");
    controls::memory::MemoryDropDownList& combo5 = gui.dropDownList("Form1.Combo5");
    pipes::PipeHandlings handlings{state, {combo3, combo4, combo5, text4}, recalculation};
};

TEST_F(Pipes, EveryWeldedSizeShowsItsNominalBore) {
    const char* shown[] = {
        " 15 mm",  " 20 mm",  " 25 mm",  " 32 mm",  " 40 mm",  " 50 mm",   " 65 mm",
        " 80 mm",  " 100 mm", " 125 mm", " 150 mm", " 200 mm", " 250 mm",  " 300 mm",
        " 350 mm", " 400 mm", " 450 mm", " 500 mm", " 550 mm", " 600 mm",  " 650 mm",
        " 700 mm", " 750 mm", " 800 mm", " 850 mm", " 900 mm", " 1000 mm",
    };
    ASSERT_EQ(combo3.items().size(), std::size(shown));
    for (int i = 0; i < static_cast<int>(std::size(shown)); ++i) {
        combo3.userPick(i);
        EXPECT_EQ(label11.caption(), shown[i]) << combo3.text();
        EXPECT_EQ(state.innerDiameter, state.weldedDiameter);
    }
    EXPECT_EQ(combo3.items().back(), "DN1000");
    EXPECT_EQ(state.innerDiameter, 1.0f);
}

TEST_F(Pipes, Dn100SetsBoreAndArea) {
    combo3.userPick(8);
    EXPECT_EQ(combo3.text(), "DN100");
    EXPECT_EQ(state.weldedDiameter, 0.100000001f);
    EXPECT_EQ(state.flowArea, 0.7853975 * double(0.100000001f) * double(0.100000001f));
    EXPECT_EQ(label11.caption(), " 100 mm");
}

TEST_F(Pipes, SeamlessDefaultsGiveThePublishedBores) {
    // Outer diameter and the bore with the default wall, in mm, as the catalogue lists them.
    const struct {
        const char* entry;
        const char* defaultWall;
        int boreMm;
    } rows[] = {
        {"D14", "2.5", 9},   {"D17", "2.5", 12},   {"D18", "3", 12},     {"D22", "3", 16},
        {"D25", "3", 19},    {"D27", "3", 21},     {"D32", "3", 26},     {"D34", "3", 28},
        {"D38", "3.5", 31},  {"D42", "3.5", 35},   {"D45", "3.5", 38},   {"D48", "3.5", 41},
        {"D57", "3.5", 50},  {"D60", "3.5", 53},   {"D76", "4", 68},     {"D89", "4", 81},
        {"D108", "4.5", 99}, {"D114", "4.5", 105}, {"D133", "4.5", 124}, {"D140", "4.5", 131},
        {"D159", "5", 149},  {"D168", "5", 158},   {"D219", "8", 203},   {"D273", "9", 255},
        {"D325", "11", 303}, {"D377", "12", 353},  {"D426", "10", 406},  {"D480", "11", 458},
        {"D530", "12", 506},
    };
    ASSERT_EQ(combo4.items().size(), std::size(rows));
    for (const auto& row : rows) {
        pickOuter(row.entry);
        EXPECT_EQ(combo4.text(), row.entry);
        EXPECT_EQ(combo5.text(), row.defaultWall) << row.entry;
        // The bore is formed from two 32-bit values, so it is within float rounding of the
        // catalogue's whole millimetres.
        EXPECT_EQ(std::round(double(state.innerDiameter) * 1e6) / 1000, row.boreMm) << row.entry;
    }
}

TEST_F(Pipes, BoresShowTheirFloatRoundingWhereSevenDigitsReachIt) {
    pickOuter("D14");
    EXPECT_EQ(label11.caption(), " 9.000001 mm");
    pickOuter("D108");
    EXPECT_EQ(label11.caption(), " 99.00001 mm");
    pickOuter("D219");
    EXPECT_EQ(label11.caption(), " 203 mm");
}

TEST_F(Pipes, EveryThicknessOfEveryRowGivesOuterLessTwoWalls) {
    for (const std::string& entry : Lines(combo4.items())) {
        pickOuter(entry);
        for (const std::string& item : Lines(combo5.items())) {
            pickWall(item);
            const double outer = std::stod(entry.substr(1)) / 1000;
            const double wall = std::stod(item) / 1000;
            EXPECT_EQ(state.outerDiameter, static_cast<float>(outer)) << entry;
            EXPECT_EQ(state.wallThickness, static_cast<float>(wall)) << entry << " " << item;
            EXPECT_EQ(state.innerDiameter,
                      static_cast<float>(double(state.outerDiameter) - double(state.wallThickness) -
                                         double(state.wallThickness)));
            EXPECT_GE(state.innerDiameter, 0.008f);
            EXPECT_LE(state.innerDiameter, 0.512f);
        }
    }
}

TEST_F(Pipes, D18ListsItsFourThicknessesAndRecalculatesTwice) {
    pickOuter("D14");
    gui.clearRecord();
    pickOuter("D18");
    EXPECT_EQ(combo5.items(), (Lines{"2.5", "3", "3.5", "4"}));
    EXPECT_EQ(state.outerDiameter, 0.018f);
    EXPECT_EQ(state.wallThickness, 0.003f);
    // 0.018f - 0.003f - 0.003f formed wide: one float step below the float nearest to 0.012.
    EXPECT_EQ(state.innerDiameter, 0.011999999f);
    const Lines recal = {
        R"(caption Form1.Label4 " 0 m/s")",    R"(caption Form1.Label5 " 0 Pa/m")",
        R"(caption Form1.Label13 " 1 kg/m3")", R"(caption Form1.Label7 " 0 t/h")",
        R"(caption Form1.Label10 " 0.2 mm")",  R"(caption Form1.Label11 " 12 mm")",
    };
    Lines expected = {
        "clear Form1.Combo5",
        R"(additem Form1.Combo5 0 "2.5")",
        R"(additem Form1.Combo5 1 "3")",
        R"(additem Form1.Combo5 2 "3.5")",
        R"(additem Form1.Combo5 3 "4")",
        R"(select Form1.Combo5 "3")",
    };
    expected.insert(expected.end(), recal.begin(), recal.end()); // the nested thickness pick
    expected.insert(expected.end(), recal.begin(), recal.end()); // the outer pick's own
    EXPECT_EQ(gui.lines(), expected);
}

TEST_F(Pipes, ChoosingAnOuterDiameterAgainResetsTheThickness) {
    pickOuter("D89");
    pickWall("10");
    EXPECT_EQ(state.wallThickness, 0.01f);
    pickOuter("D89");
    EXPECT_EQ(combo5.text(), "4");
    EXPECT_EQ(state.wallThickness, 0.004f);
}

TEST_F(Pipes, ExtremesOfTheTable) {
    pickOuter("D530");
    EXPECT_EQ(combo5.items(), (Lines{"9", "12", "16", "21"}));
    EXPECT_EQ(combo5.text(), "12");
    EXPECT_EQ(state.innerDiameter, 0.506f);
    pickOuter("D14");
    pickWall("3");
    EXPECT_EQ(state.innerDiameter, 0.008f);
    EXPECT_EQ(label11.caption(), " 8 mm");
}

TEST_F(Pipes, OuterTextMatchingNoRowOnlyRecomputes) {
    pickOuter("D273");
    pickWall("12");
    for (const char* text : {"", "d18", "D18 "}) {
        // A drop-down list cannot show such a text; a list without items shows the empty one.
        combo4.clear();
        if (*text)
            combo4.addItem(text, 0), combo4.setText(text);
        gui.clearRecord();
        handlings.Combo4_Click();
        EXPECT_EQ(state.outerDiameter, 0.273f) << '"' << text << '"';
        EXPECT_EQ(state.wallThickness, 0.012f);
        EXPECT_EQ(combo5.text(), "12");
        EXPECT_EQ(state.innerDiameter, 0.249f);
        EXPECT_EQ(gui.lines().back(), R"(caption Form1.Label11 " 249 mm")");
    }
}

TEST_F(Pipes, OptionsSwitchSourcesAndRestoreTheirLastBore) {
    pickOuter("D273");
    pickWall("12");
    text4.setText("10");
    combo3.userPick(11); // DN200
    gui.clearRecord();
    handlings.Option3_Click();
    EXPECT_EQ(state.innerDiameter, 0.01f);
    EXPECT_EQ(label11.caption(), " 10 mm");
    Lines lines = gui.lines();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4),
              (Lines{"enable Form1.Combo3 off", "enable Form1.Combo4 off",
                     "enable Form1.Combo5 off", "enable Form1.Text4 on"}));

    handlings.Option1_Click();
    EXPECT_EQ(state.innerDiameter, 0.2f) << "the last welded pick, without reading the list";

    gui.clearRecord();
    handlings.Option2_Click();
    EXPECT_EQ(state.innerDiameter, 0.249f);
    lines = gui.lines();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4),
              (Lines{"enable Form1.Combo3 off", "enable Form1.Combo4 on", "enable Form1.Combo5 on",
                     "enable Form1.Text4 off"}));
}

TEST_F(Pipes, TypingABoreRecalculatesAtEveryCharacter) {
    text4.setText("");
    gui.clearRecord();
    for (const char* typed : {"1", "15", "150"})
        text4.userType(typed);
    Lines bores;
    for (const std::string& line : gui.lines())
        if (line.rfind("caption Form1.Label11", 0) == 0)
            bores.push_back(line);
    EXPECT_EQ(bores, (Lines{R"(caption Form1.Label11 " 1 mm")", R"(caption Form1.Label11 " 15 mm")",
                            R"(caption Form1.Label11 " 150 mm")"}));
}

TEST_F(Pipes, EmptiedBoreFallsBackSilently) {
    text4.userType("20");
    gui.clearRecord();
    text4.userType("");
    EXPECT_EQ(state.customDiameter, 0.0f);
    EXPECT_EQ(state.innerDiameter, 0.015f);
    EXPECT_EQ(state.flowArea, 0.0);
    EXPECT_TRUE(gui.lines().empty());
}

TEST_F(Pipes, NegativeBoreShowsOneMessageAndKeepsTheResults) {
    text4.userType("20");
    const std::string before = label11.caption();
    gui.clearRecord();
    text4.userType("-5");
    EXPECT_EQ(
        gui.lines(),
        (Lines{R"(message "管道内径不得小于等于0，点击确定按钮后重新输入管内径！" "错误提示")",
               R"(settext Form1.Text4 "")", "focus Form1.Text4"}));
    EXPECT_EQ(label11.caption(), before);
    EXPECT_EQ(text4.text(), "");
}

} // namespace
