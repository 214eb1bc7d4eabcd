#include "pipes/catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using pipes::Series;

struct Printed {
    const char* name;
    double outerMm;
    double wallMm;
};

// Each series against its printed rows, in order: a mistyped figure or a row out of place.
void expectRows(Series series, std::span<const Printed> rows) {
    const auto pipes = pipes::catalogue(series);
    ASSERT_EQ(pipes.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(pipes[i].name, rows[i].name) << i;
        EXPECT_EQ(pipes[i].outerMm, rows[i].outerMm) << rows[i].name;
        EXPECT_EQ(pipes[i].wallMm, rows[i].wallMm) << rows[i].name;
    }
}

TEST(Catalogue, SeamlessIsTheMainWindowsListWithItsFirstOfferedWallThenTheLargeSizes) {
    // The main window's outer diameters with the wall it offers first, as its lists show them.
    const Printed rows[] = {
        {"D14x2.5", 14, 2.5},   {"D17x2.5", 17, 2.5},   {"D18x3", 18, 3},
        {"D22x3", 22, 3},       {"D25x3", 25, 3},       {"D27x3", 27, 3},
        {"D32x3", 32, 3},       {"D34x3", 34, 3},       {"D38x3.5", 38, 3.5},
        {"D42x3.5", 42, 3.5},   {"D45x3.5", 45, 3.5},   {"D48x3.5", 48, 3.5},
        {"D57x3.5", 57, 3.5},   {"D60x3.5", 60, 3.5},   {"D76x4", 76, 4},
        {"D89x4", 89, 4},       {"D108x4.5", 108, 4.5}, {"D114x4.5", 114, 4.5},
        {"D133x4.5", 133, 4.5}, {"D140x4.5", 140, 4.5}, {"D159x5", 159, 5},
        {"D168x5", 168, 5},     {"D219x8", 219, 8},     {"D273x9", 273, 9},
        {"D325x11", 325, 11},   {"D377x12", 377, 12},   {"D426x10", 426, 10},
        {"D480x11", 480, 11},   {"D530x12", 530, 12},   {"D630x10", 630, 10},
        {"D720x11", 720, 11},   {"D820x12", 820, 12},   {"D920x13", 920, 13},
        {"D1020x14", 1020, 14},
    };
    expectRows(Series::Seamless, rows);
}

TEST(Catalogue, WeldedHasTheStandardsOuterDiametersAndOrdinaryWalls) {
    const Printed rows[] = {
        {"DN15", 21.3, 2.8}, {"DN20", 26.9, 2.8}, {"DN25", 33.7, 3.2},   {"DN32", 42.4, 3.5},
        {"DN40", 48.3, 3.5}, {"DN50", 60.3, 3.8}, {"DN65", 76.1, 4},     {"DN80", 88.9, 4},
        {"DN100", 114.3, 4}, {"DN125", 139.7, 4}, {"DN150", 168.3, 4.5}, {"DN200", 219, 6},
        {"DN250", 273, 7},   {"DN300", 325, 8},   {"DN350", 377, 8},     {"DN400", 426, 8},
        {"DN450", 478, 8},   {"DN500", 529, 9},   {"DN600", 630, 9},     {"DN700", 720, 10},
        {"DN800", 820, 10},  {"DN900", 920, 11},  {"DN1000", 1020, 12},
    };
    expectRows(Series::Welded, rows);
}

// Auto-sizing takes the first pipe that will do, so a series must run from the smallest bore.
// D17x2.5 and D18x3 share a 12 mm bore; the larger outer diameter comes second.
TEST(Catalogue, EachSeriesRunsInAscendingBore) {
    for (const Series series : {Series::Seamless, Series::Welded}) {
        const auto pipes = pipes::catalogue(series);
        for (std::size_t i = 1; i < pipes.size(); ++i) {
            const double before = pipes[i - 1].outerMm - 2 * pipes[i - 1].wallMm;
            const double after = pipes[i].outerMm - 2 * pipes[i].wallMm;
            EXPECT_LE(before, after) << pipes[i].name;
            EXPECT_LT(pipes[i - 1].outerMm, pipes[i].outerMm) << pipes[i].name;
        }
    }
}

TEST(Catalogue, SeriesNamesGoBothWays) {
    EXPECT_EQ(pipes::seriesName(Series::Seamless), "seamless");
    EXPECT_EQ(pipes::seriesName(Series::Welded), "welded");
    EXPECT_EQ(pipes::seriesNamed("seamless"), Series::Seamless);
    EXPECT_EQ(pipes::seriesNamed("welded"), Series::Welded);
    EXPECT_EQ(pipes::seriesNamed("Welded"), std::nullopt);
    EXPECT_EQ(pipes::seriesNamed(""), std::nullopt);
}

// The decimal difference of two dimensions of at most two decimals, worked in hundredths.
std::string boreText(double outer, double wall) {
    const long hundredths = std::lround(outer * 100) - 2 * std::lround(wall * 100);
    return std::to_string(hundredths / 100) + "." + std::to_string(hundredths % 100 / 10) +
           std::to_string(hundredths % 10);
}

// A pipe as engineers write it: the series' spelling where the size is of the series (the
// main window's seamless sizes with any wall its list offers, the large seamless, the welded
// by DN, in that order), else its figures as typed and marked outside the series.
TEST(Catalogue, NamesAreReadAsEngineersWriteThemAndSpelledAsTheSeriesSpellsThem) {
    const struct {
        const char* name;
        const char* spelled;
        double outerMm;
        double wallMm;
        bool inSeries;
    } found[] = {
        {"DN100", "DN100", 114.3, 4, true},       // welded by its catalogue name
        {"D1020x14", "D1020x14", 1020, 14, true}, // a seamless catalogue name
        {"D325x8", "D325x8", 325, 8, true},       // a wall the main window offers, not first
        {"D101.6x3.2", "D101.6x3.2", 101.6, 3.2, false},
        {"D325×8", "D325x8", 325, 8, true}, // the sign a window shows
        {"D10x4.99", "D10x4.99", 10, 4.99, false},
        {"DN15", "DN15", 21.3, 2.8, true}, // 15.7 mm, not 15.700000000000001
        // The forms the issue names, all D219×6: the main window offers D219 with 6 mm.
        {"Φ219×6", "D219x6", 219, 6, true},
        {"219x6", "D219x6", 219, 6, true},
        {"d219x6", "D219x6", 219, 6, true},
        {"D219*6", "D219x6", 219, 6, true},
        {"D 219 × 6", "D219x6", 219, 6, true},
        {"φ219X6", "D219x6", 219, 6, true},
        {"D219＊6", "D219x6", 219, 6, true},
        {"  D219.0x6.00 ", "D219x6", 219, 6, true}, // the same figures written longer
        {"Φ630×10", "D630x10", 630, 10, true},      // a large seamless size
        {"21.3x2.8", "DN15", 21.3, 2.8, true},      // a welded size, by its DN
        // A slip for D219 and other sizes of no series: computed, spelled as typed.
        {"D220x6", "D220x6", 220, 6, false},
        {"D219x7", "D219x7", 219, 7, false},
        {"D220.0x6", "D220.0x6", 220, 6, false},
    };
    for (const auto& row : found) {
        const pipes::PipeLookup lookup = pipes::pipeNamed(row.name);
        ASSERT_TRUE(lookup.pipe) << row.name << ": " << lookup.fault;
        EXPECT_EQ(lookup.pipe->name, row.spelled) << row.name;
        EXPECT_EQ(lookup.pipe->inSeries, row.inSeries) << row.name;
        EXPECT_EQ(lookup.pipe->outerMm, row.outerMm) << row.name;
        // The bore as the dimensions print it, never a binary difference's last bits.
        EXPECT_EQ(lookup.pipe->boreMm(), std::stod(boreText(row.outerMm, row.wallMm))) << row.name;
        EXPECT_EQ(lookup.pipe->wallMm, row.wallMm) << row.name;
        EXPECT_EQ(lookup.fault, "");
    }

    const std::string unknown = "不在管子目录中，也不是“D外径x壁厚”（mm）的写法";
    const struct {
        std::string name;
        std::string fault;
    } refused[] = {
        {"DN110", unknown},
        {"dn100", unknown},
        {"auto", unknown},
        {"", unknown},
        {"D", unknown},
        {"D325", unknown},
        {"D325x", unknown},
        {"Dx8", unknown},
        {"D219×", unknown},
        {"abc", unknown},
        {"×6", unknown},
        {"ΦD219x6", unknown},
        {"D2 19x6", unknown},
        {"D+325x8", unknown},
        {"D325x1e1", unknown},
        {"Φ0×6", "的外径须大于零"},
        {"D100x50", "的壁厚不小于外径的一半"},
        {"D100x60", "的壁厚不小于外径的一半"},
        {"D0x1", "的外径须大于零"},
        {"D-100x5", "的外径须大于零"},
        {"D100x0", "的壁厚须大于零"},
        {"D100x-1", "的壁厚须大于零"},
        {"Dinfx5", "的外径不是有限的数"},
        {"D100xnan", "的壁厚不是有限的数"},
        {"D1" + std::string(400, '0') + "x5", "的外径不是有限的数"},
    };
    for (const auto& row : refused) {
        const pipes::PipeLookup lookup = pipes::pipeNamed(row.name);
        EXPECT_FALSE(lookup.pipe) << row.name;
        EXPECT_EQ(lookup.fault, "管子 “" + row.name + "” " + row.fault);
    }
}

TEST(Catalogue, AShownNameHasTheTimesSign) {
    EXPECT_EQ(pipes::shownPipeName("D325x8"), "D325×8");
    EXPECT_EQ(pipes::shownPipeName("D325×8"), "D325×8");
    EXPECT_EQ(pipes::shownPipeName("DN100"), "DN100");
}

// The list of a series opens at a pipe of it, else at the nearest bore (the bores worked by hand
// from the printed rows above), the smaller of two as near.
TEST(Catalogue, AListOpensAtThePipeOrTheNearestBore) {
    const struct {
        Series series;
        const char* name;
        std::size_t at;
    } rows[] = {
        {Series::Seamless, "D219x8", 22},   // the catalogue's own
        {Series::Seamless, "D219x6", 22},   // 207 mm: D219x8's 203 before D273x9's 255
        {Series::Seamless, "D220x6", 22},   // 208 mm
        {Series::Seamless, "D325x8", 24},   // 309 mm: D325x11's 303 before D377x12's 353
        {Series::Seamless, "D14.5x2", 0},   // 10.5 mm, as near D14x2.5's 9 as D17x2.5's 12
        {Series::Seamless, "D2000x20", 33}, // beyond the largest
        {Series::Welded, "D220x6", 11},     // DN200's 207 mm
        {Series::Welded, "DN65", 6},
    };
    for (const auto& row : rows) {
        const pipes::PipeLookup lookup = pipes::pipeNamed(row.name);
        ASSERT_TRUE(lookup.pipe) << row.name;
        EXPECT_EQ(pipes::nearestInSeries(row.series, *lookup.pipe), row.at) << row.name;
    }
}

} // namespace
