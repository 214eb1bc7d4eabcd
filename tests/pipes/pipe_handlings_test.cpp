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
    pipes::PipeHandlings handlings{
        state,
        {.welded = combo3, .outer = combo4, .wall = combo5, .customBore = text4},
        recalculation};
};

TEST_F(Pipes, EveryWeldedSizeShowsItsNominalBore) {
    const struct {
        const char* entry;
        const char* shown;
    } rows[] = {
        {"DN15", " 15 mm"},   {"DN20", " 20 mm"},   {"DN25", " 25 mm"},     {"DN32", " 32 mm"},
        {"DN40", " 40 mm"},   {"DN50", " 50 mm"},   {"DN65", " 65 mm"},     {"DN80", " 80 mm"},
        {"DN100", " 100 mm"}, {"DN125", " 125 mm"}, {"DN150", " 150 mm"},   {"DN200", " 200 mm"},
        {"DN250", " 250 mm"}, {"DN300", " 300 mm"}, {"DN350", " 350 mm"},   {"DN400", " 400 mm"},
        {"DN450", " 450 mm"}, {"DN500", " 500 mm"}, {"DN550", " 550 mm"},   {"DN600", " 600 mm"},
        {"DN650", " 650 mm"}, {"DN700", " 700 mm"}, {"DN750", " 750 mm"},   {"DN800", " 800 mm"},
        {"DN850", " 850 mm"}, {"DN900", " 900 mm"}, {"DN1000", " 1000 mm"},
    };
    ASSERT_EQ(combo3.items().size(), std::size(rows));
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        // List order matters as much as the bores: start-up picks the first item.
        combo3.userPick(i);
        EXPECT_EQ(combo3.text(), rows[i].entry);
        EXPECT_EQ(label11.caption(), rows[i].shown) << rows[i].entry;
        EXPECT_EQ(state.innerDiameter, state.weldedDiameter) << rows[i].entry;
    }
    EXPECT_EQ(state.innerDiameter, 1.0f);
}

TEST_F(Pipes, Dn100SetsBoreAndArea) {
    combo3.userPick(8);
    EXPECT_EQ(combo3.text(), "DN100");
    EXPECT_EQ(state.weldedDiameter, 0.100000001f);
    EXPECT_EQ(state.flowArea, 0.7853975 * double(0.100000001f) * double(0.100000001f));
    EXPECT_EQ(label11.caption(), " 100 mm");
}

TEST_F(Pipes, SeamlessRowsListTheirWallsAndGiveThePublishedBores) {
    // The catalogue's walls in mm and its bore with the default wall. The bore is formed from two
    // 32-bit values, and for D14 and D108 seven digits reach the float error of that difference.
    const struct {
        const char* entry;
        const char* walls;
        const char* defaultWall;
        const char* shown;
    } rows[] = {
        {"D14", "2 2.5 3", "2.5", " 9.000001 mm"},
        {"D17", "2 2.5 3", "2.5", " 12 mm"},
        {"D18", "2.5 3 3.5 4", "3", " 12 mm"},
        {"D22", "2.5 3 3.5 4", "3", " 16 mm"},
        {"D25", "2.5 3 3.5 4", "3", " 19 mm"},
        {"D27", "2.5 3 3.5 4", "3", " 21 mm"},
        {"D32", "2.5 3 3.5 4 5", "3", " 26 mm"},
        {"D34", "2.5 3 3.5 4 5", "3", " 28 mm"},
        {"D38", "3 3.5 4 4.5 5.5", "3.5", " 31 mm"},
        {"D42", "3 3.5 4 4.5 5.5", "3.5", " 35 mm"},
        {"D45", "3 3.5 4 5 6", "3.5", " 38 mm"},
        {"D48", "3 3.5 4 5 6", "3.5", " 41 mm"},
        {"D57", "3 3.5 4 5.5 7", "3.5", " 50 mm"},
        {"D60", "3 3.5 4 5.5 7", "3.5", " 53 mm"},
        {"D76", "3.5 4 4.5 7 8", "4", " 68 mm"},
        {"D89", "3.5 4 5 7 10", "4", " 81 mm"},
        {"D108", "4 4.5 6 9 12", "4.5", " 99.00001 mm"},
        {"D114", "4 4.5 6 9 12", "4.5", " 105 mm"},
        {"D133", "4 4.5 5 7 10", "4.5", " 124 mm"},
        {"D140", "4 4.5 5 7 10", "4.5", " 131 mm"},
        {"D159", "4.5 5 7 8 10", "5", " 149 mm"},
        {"D168", "4.5 5 7 8 10", "5", " 158 mm"},
        {"D219", "6 8 10 12 15", "8", " 203 mm"},
        {"D273", "7 9 12 15 18", "9", " 255 mm"},
        {"D325", "8 11 14 17 21", "11", " 303 mm"},
        {"D377", "9 12 15 20 24", "12", " 353 mm"},
        {"D426", "9 10 13 17 22", "10", " 406 mm"},
        {"D480", "9 11 15 19 24", "11", " 458 mm"},
        {"D530", "9 12 16 21", "12", " 506 mm"},
    };
    ASSERT_EQ(combo4.items().size(), std::size(rows));
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        combo4.userPick(i);
        EXPECT_EQ(combo4.text(), rows[i].entry);
        std::string walls;
        for (const std::string& item : combo5.items())
            walls += (walls.empty() ? "" : " ") + item;
        EXPECT_EQ(walls, rows[i].walls) << rows[i].entry;
        EXPECT_EQ(combo5.text(), rows[i].defaultWall) << rows[i].entry;
        EXPECT_EQ(label11.caption(), rows[i].shown) << rows[i].entry;
    }
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
            // Formed wide from the stored values, not from the decimals and not in float.
            const float bore =
                static_cast<float>(double(state.outerDiameter) - double(state.wallThickness) -
                                   double(state.wallThickness));
            EXPECT_EQ(state.innerDiameter, bore) << entry << " " << item;
            EXPECT_EQ(state.flowArea, 0.7853975 * double(bore) * double(bore));
            EXPECT_GE(state.innerDiameter, 0.008f);
            EXPECT_LE(state.innerDiameter, 0.512f);
        }
    }
}

TEST_F(Pipes, D18ListsItsFourThicknessesAndRecalculatesTwice) {
    pickOuter("D14");
    gui.clearRecord();
    pickOuter("D18");
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
    EXPECT_EQ(label11.caption(), " 69.00001 mm");
    gui.clearRecord();
    pickOuter("D89");
    EXPECT_EQ(combo5.text(), "4");
    EXPECT_EQ(state.wallThickness, 0.004f);
    EXPECT_EQ(state.innerDiameter, 0.081f);
    const Lines recal = {
        R"(caption Form1.Label4 " 0 m/s")",    R"(caption Form1.Label5 " 0 Pa/m")",
        R"(caption Form1.Label13 " 1 kg/m3")", R"(caption Form1.Label7 " 0 t/h")",
        R"(caption Form1.Label10 " 0.2 mm")",  R"(caption Form1.Label11 " 81 mm")",
    };
    Lines expected = {
        "clear Form1.Combo5",
        R"(additem Form1.Combo5 0 "3.5")",
        R"(additem Form1.Combo5 1 "4")",
        R"(additem Form1.Combo5 2 "5")",
        R"(additem Form1.Combo5 3 "7")",
        R"(additem Form1.Combo5 4 "10")",
        R"(select Form1.Combo5 "4")",
    };
    expected.insert(expected.end(), recal.begin(), recal.end());
    expected.insert(expected.end(), recal.begin(), recal.end());
    EXPECT_EQ(gui.lines(), expected);
}

TEST_F(Pipes, OuterTextMatchingNoRowOnlyRecomputes) {
    pickOuter("D273");
    pickWall("12");
    const Lines recal = {
        R"(caption Form1.Label4 " 0 m/s")",    R"(caption Form1.Label5 " 0 Pa/m")",
        R"(caption Form1.Label13 " 1 kg/m3")", R"(caption Form1.Label7 " 0 t/h")",
        R"(caption Form1.Label10 " 0.2 mm")",  R"(caption Form1.Label11 " 249 mm")",
    };
    for (const char* text : {"", "d273", "D273 ", " D273", "D2", "D2730"}) {
        // A drop-down list cannot show such a text; a list without items shows the empty one.
        combo4.clear();
        if (*text)
            combo4.addItem(text, 0), combo4.setText(text);
        ASSERT_EQ(combo4.text(), text);
        // A bore from elsewhere, so that the recomputation from the stored values shows.
        setBore(0.05f);
        gui.clearRecord();
        handlings.Combo4_Click();
        EXPECT_EQ(state.outerDiameter, 0.273f) << '"' << text << '"';
        EXPECT_EQ(state.wallThickness, 0.012f) << '"' << text << '"';
        EXPECT_EQ(state.innerDiameter, 0.249f) << '"' << text << '"';
        EXPECT_EQ(combo5.text(), "12");
        EXPECT_EQ(gui.lines(), recal) << "no refill of the walls for \"" << text << '"';
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

    gui.clearRecord();
    handlings.Option1_Click();
    EXPECT_EQ(state.innerDiameter, 0.2f) << "the last welded pick, without reading the list";
    lines = gui.lines();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4),
              (Lines{"enable Form1.Combo3 on", "enable Form1.Combo4 off", "enable Form1.Combo5 off",
                     "enable Form1.Text4 off"}));

    gui.clearRecord();
    handlings.Option2_Click();
    EXPECT_EQ(state.innerDiameter, 0.249f);
    lines = gui.lines();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4),
              (Lines{"enable Form1.Combo3 off", "enable Form1.Combo4 on", "enable Form1.Combo5 on",
                     "enable Form1.Text4 off"}));
    EXPECT_EQ(lines.back(), R"(caption Form1.Label11 " 249 mm")");
}

TEST_F(Pipes, CustomBoreIsReadAgainWhenItsOptionIsChosen) {
    handlings.Option3_Click();
    handlings.Option1_Click();
    // The program's own change of the disabled box still runs its handling.
    text4.setText("25");
    EXPECT_EQ(state.customDiameter, 0.025f);
    handlings.Option1_Click();
    text4.setText("32");
    handlings.Option3_Click();
    EXPECT_EQ(state.customDiameter, 0.032f);
    EXPECT_EQ(state.innerDiameter, 0.032f);
    EXPECT_EQ(label11.caption(), " 32 mm");
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
    EXPECT_EQ(gui.lines().size(), 18u) << "three whole recalculations, nothing else";
    EXPECT_EQ(state.customDiameter, 0.15f);
    EXPECT_EQ(state.innerDiameter, 0.15f);
}

TEST_F(Pipes, EmptiedBoreFallsBackSilently) {
    text4.userType("20");
    gui.clearRecord();
    text4.userType("");
    EXPECT_EQ(state.customDiameter, 0.0f);
    EXPECT_EQ(state.innerDiameter, 0.015f);
    EXPECT_EQ(state.flowArea, 0.0);
    EXPECT_TRUE(gui.lines().empty());
    EXPECT_EQ(label11.caption(), " 20 mm");
}

TEST_F(Pipes, NegativeBoreShowsOneMessageAndKeepsTheResults) {
    text1.userType("10");
    text4.userType("20");
    const Lines before = {label4.caption(), label5.caption(),  label13.caption(),
                          label7.caption(), label10.caption(), label11.caption()};
    ASSERT_EQ(before[5], " 20 mm");
    const float velocity = state.velocity;
    gui.clearRecord();
    text4.userType("-5");
    // The emptying runs Text4_Change nested; its recal takes the zero fallback and writes nothing.
    EXPECT_EQ(
        gui.lines(),
        (Lines{R"(message "管道内径不得小于等于0，点击确定按钮后重新输入管内径！" "错误提示")",
               R"(settext Form1.Text4 "")", "focus Form1.Text4"}));
    EXPECT_EQ(text4.text(), "");
    EXPECT_EQ(state.customDiameter, 0.0f);
    EXPECT_EQ(state.innerDiameter, 0.015f);
    EXPECT_EQ(state.flowArea, 0.0);
    EXPECT_EQ(state.velocity, velocity);
    const Lines after = {label4.caption(), label5.caption(),  label13.caption(),
                         label7.caption(), label10.caption(), label11.caption()};
    EXPECT_EQ(after, before);
}

} // namespace
