#include "steam/hand_off.h"
#include "steam/steam_table.h"
#include "ui/controls/memory_gui.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using steam::densityChoice;
using steam::rowText;

TEST(SteamRows, AreFortyEightCharactersAlignedOnTheirPoints) {
    for (std::size_t i = 0; i < steam::steamTable.size(); ++i) {
        const std::string row = rowText(i);
        ASSERT_EQ(row.size(), 48u) << i;
        EXPECT_EQ(row.find_first_not_of("0123456789. "), std::string::npos) << i;
        EXPECT_EQ(row[13], '.') << i;
        EXPECT_EQ(row[28], '.') << i;
        EXPECT_EQ(row[46], '.') << i;
        EXPECT_NE(row[47], ' ') << i;
        EXPECT_EQ(std::stoi(row.substr(0, 5)), 10 * static_cast<int>(i)) << i;
    }
}

TEST(SteamRows, CarryThePrintedFiguresOfEveryTemperature) {
    // The printed table, one line a temperature: pressure in bar, density in kg/m3, latent heat in
    // kJ/kg, with the printed trailing zeros.
    const char* printed[] = {
        "0 0.00611 0.004847 2501.6", "10 0.01227 0.009396 2477.7", "20 0.02338 0.01729 2454.3",
        "30 0.04241 0.03037 2430.9", "40 0.07375 0.05116 2407.0",  "50 0.12335 0.08302 2382.7",
        "60 0.19920 0.1302 2358.4",  "70 0.3116 0.1982 2334.1",    "80 0.4736 0.2933 2309.0",
        "90 0.7011 0.4235 2283.1",   "100 1.0130 0.5977 2257.1",   "110 1.4327 0.8265 2229.9",
        "120 1.9854 1.122 2202.3",   "130 2.7013 1.497 2173.8",    "140 3.614 1.967 2144.1",
        "150 4.760 2.548 2113.1",    "160 6.181 3.260 2081.3",     "170 7.920 4.123 2047.8",
        "180 10.027 5.160 2013.0",   "190 12.551 6.397 1976.6",    "200 15.549 7.864 1938.5",
        "210 19.077 9.593 1898.3",   "220 23.198 11.62 1856.4",    "230 27.976 14.00 1811.6",
        "240 33.478 16.76 1764.7",   "250 39.776 19.99 1714.4",    "260 46.943 23.73 1661.3",
        "270 55.058 28.10 1604.8",   "280 64.202 33.19 1543.7",    "290 74.461 39.16 1477.5",
        "300 85.927 46.19 1405.9",   "310 98.700 54.54 1327.6",    "320 112.89 64.60 1241.0",
        "330 128.63 76.99 1143.8",   "340 146.05 92.76 1030.8",    "350 165.35 113.6 895.6",
        "360 186.75 144.1 721.4",    "370 210.54 201.1 452.6",
    };
    ASSERT_EQ(steam::steamTable.size(), std::size(printed));
    for (std::size_t i = 0; i < std::size(printed); ++i) {
        std::istringstream fields(rowText(i));
        std::string temperature, pressure, density, latentHeat;
        fields >> temperature >> pressure >> density >> latentHeat;
        EXPECT_EQ(temperature + " " + pressure + " " + density + " " + latentHeat, printed[i]);
        // The value handed on is the printed density's, never one parsed from the row.
        EXPECT_EQ(steam::steamTable[i].densityValue, std::stod(density)) << printed[i];
    }
}

TEST(SteamRows, ExampleRowsByteForByte) {
    EXPECT_EQ(rowText(0), "    0       0.00611        0.004847       2501.6");
    EXPECT_EQ(rowText(12), "  120       1.9854         1.122          2202.3");
    EXPECT_EQ(rowText(35), "  350     165.35         113.6             895.6");
    EXPECT_EQ(rowText(16).substr(27, 5), "3.260") << "trailing zeros stay";
    EXPECT_EQ(rowText(23).substr(26, 5), "14.00");
}

TEST(SteamDensity, TextsAreTheShortestReadBackOfTheValue) {
    const struct {
        int entry;
        const char* density;
    } cases[] = {{12, " 1.122"}, {16, " 3.26"},   {23, " 14"},      {27, " 28.1"},
                 {37, " 201.1"}, {10, " 0.5977"}, {0, " 0.004847"}, {32, " 64.6"}};
    for (const auto& c : cases) {
        const auto choice = densityChoice(c.entry);
        ASSERT_TRUE(choice) << c.entry;
        EXPECT_EQ(choice->density, c.density) << c.entry;
        EXPECT_EQ(choice->label, std::string("蒸汽密度： ") + c.density + " kg/m3");
    }
    EXPECT_EQ(densityChoice(12)->label, "蒸汽密度：  1.122 kg/m3");
    EXPECT_FALSE(densityChoice(-1));
    EXPECT_FALSE(densityChoice(38));
}

class HandOff : public ::testing::Test {
protected:
    HandOff() {
        for (std::size_t i = 0; i < steam::steamTable.size(); ++i)
            list.addItem(rowText(i), static_cast<int>(i));
        list.onClick([this] { handOff.STREAM_D_SET(); });
        gui.clearRecord();
    }

    controls::memory::Gui gui;
    controls::memory::MemorySimpleCombo& list = gui.simpleCombo("Form2.Combo1");
    controls::memory::MemoryLabel& label9 = gui.label("Form2.Label9", "Label9");
    controls::memory::MemoryTextBox& text3 = gui.textBox("Form1.Text3", "1");
    steam::DensityHandOff handOff{list, label9, text3};
};

TEST_F(HandOff, WritesTheLabelThenTheDensityBox) {
    list.userPick(23);
    EXPECT_EQ(gui.lines(),
              (std::vector<std::string>{R"(caption Form2.Label9 "蒸汽密度：  14 kg/m3")",
                                        R"(settext Form1.Text3 " 14")"}));
    handOff.STREAM_D_SET();
    EXPECT_EQ(gui.lines().size(), 4u) << "the same entry twice writes both texts again";
    list.userPick(23);
    EXPECT_EQ(gui.lines().size(), 4u) << "a click on the row already selected raises nothing";
}

TEST_F(HandOff, NoSelectedRowLeavesEverythingAsItIs) {
    handOff.STREAM_D_SET();
    list.userEdit("  230  27.976  14.00  1811.6");
    handOff.STREAM_D_SET();
    EXPECT_TRUE(gui.lines().empty());
    EXPECT_EQ(label9.caption(), "Label9");
    EXPECT_EQ(text3.text(), "1");
}

} // namespace
