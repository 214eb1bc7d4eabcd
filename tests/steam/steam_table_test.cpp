#include "steam/hand_off.h"
#include "steam/steam_table.h"
#include "ui/controls/memory_gui.h"

#include <gtest/gtest.h>

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

TEST(SteamDensity, EveryDensityTextReadsAsTheTableValue) {
    // The value handed on must equal the printed density, trailing zeros aside.
    for (std::size_t i = 0; i < steam::steamTable.size(); ++i)
        EXPECT_EQ(std::stod(std::string(steam::steamTable[i].density)),
                  steam::steamTable[i].densityValue)
            << i;
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
    list.userPick(23);
    EXPECT_EQ(gui.lines().size(), 4u) << "the same entry twice writes both texts again";
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
