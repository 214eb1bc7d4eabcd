#include "tests/ui/main_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each row of the catalogues against its printed text, in list order (start-up picks the first
// item), as the bore field shows it.
TEST(PipeTables, EveryWeldedSizeShowsItsNominalBore) {
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
    MainWindow window;
    auto& list = window.gui.dropDownList("Form1.Combo3");
    ASSERT_EQ(list.items().size(), std::size(rows));
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        list.userPick(i);
        EXPECT_EQ(list.text(), rows[i].entry);
        EXPECT_EQ(window.caption("Label11"), rows[i].shown) << rows[i].entry;
    }
}

TEST(PipeTables, SeamlessRowsListTheirWallsAndGiveThePublishedBores) {
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
    MainWindow window;
    window.gui.optionButton("Form1.Option2", "Form1.Frame3").userClick();
    auto& outer = window.gui.dropDownList("Form1.Combo4");
    auto& wall = window.gui.dropDownList("Form1.Combo5");
    ASSERT_EQ(outer.items().size(), std::size(rows));
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        outer.userPick(i);
        EXPECT_EQ(outer.text(), rows[i].entry);
        std::string walls;
        for (const std::string& item : wall.items())
            walls += (walls.empty() ? "" : " ") + item;
        EXPECT_EQ(walls, rows[i].walls) << rows[i].entry;
        EXPECT_EQ(wall.text(), rows[i].defaultWall) << rows[i].entry;
        EXPECT_EQ(window.caption("Label11"), rows[i].shown) << rows[i].entry;
    }
}

} // namespace
