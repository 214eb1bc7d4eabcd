#include "steam/steam_table.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Each row of the printed table of dry saturated steam as the lookup list shows it (temperature
// right-aligned in five places, then pressure in bar, density in kg/m3 and latent heat in kJ/kg
// with their points in columns 14, 29 and 47, the printed trailing zeros kept), and the density
// text it hands over: the printed figure without its trailing zeros.
TEST(SteamTable, EveryRowAsPrintedAndTheDensityItHandsOver) {
    const struct {
        const char* row;
        const char* density;
    } rows[] = {
        {"    0       0.00611        0.004847       2501.6", " 0.004847"},
        {"   10       0.01227        0.009396       2477.7", " 0.009396"},
        {"   20       0.02338        0.01729        2454.3", " 0.01729"},
        {"   30       0.04241        0.03037        2430.9", " 0.03037"},
        {"   40       0.07375        0.05116        2407.0", " 0.05116"},
        {"   50       0.12335        0.08302        2382.7", " 0.08302"},
        {"   60       0.19920        0.1302         2358.4", " 0.1302"},
        {"   70       0.3116         0.1982         2334.1", " 0.1982"},
        {"   80       0.4736         0.2933         2309.0", " 0.2933"},
        {"   90       0.7011         0.4235         2283.1", " 0.4235"},
        {"  100       1.0130         0.5977         2257.1", " 0.5977"},
        {"  110       1.4327         0.8265         2229.9", " 0.8265"},
        {"  120       1.9854         1.122          2202.3", " 1.122"},
        {"  130       2.7013         1.497          2173.8", " 1.497"},
        {"  140       3.614          1.967          2144.1", " 1.967"},
        {"  150       4.760          2.548          2113.1", " 2.548"},
        {"  160       6.181          3.260          2081.3", " 3.26"},
        {"  170       7.920          4.123          2047.8", " 4.123"},
        {"  180      10.027          5.160          2013.0", " 5.16"},
        {"  190      12.551          6.397          1976.6", " 6.397"},
        {"  200      15.549          7.864          1938.5", " 7.864"},
        {"  210      19.077          9.593          1898.3", " 9.593"},
        {"  220      23.198         11.62           1856.4", " 11.62"},
        {"  230      27.976         14.00           1811.6", " 14"},
        {"  240      33.478         16.76           1764.7", " 16.76"},
        {"  250      39.776         19.99           1714.4", " 19.99"},
        {"  260      46.943         23.73           1661.3", " 23.73"},
        {"  270      55.058         28.10           1604.8", " 28.1"},
        {"  280      64.202         33.19           1543.7", " 33.19"},
        {"  290      74.461         39.16           1477.5", " 39.16"},
        {"  300      85.927         46.19           1405.9", " 46.19"},
        {"  310      98.700         54.54           1327.6", " 54.54"},
        {"  320     112.89          64.60           1241.0", " 64.6"},
        {"  330     128.63          76.99           1143.8", " 76.99"},
        {"  340     146.05          92.76           1030.8", " 92.76"},
        {"  350     165.35         113.6             895.6", " 113.6"},
        {"  360     186.75         144.1             721.4", " 144.1"},
        {"  370     210.54         201.1             452.6", " 201.1"},
    };
    ASSERT_EQ(steam::steamTable.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(steam::rowText(i), rows[i].row);
        const auto choice = steam::densityChoice(static_cast<int>(i));
        ASSERT_TRUE(choice) << rows[i].row;
        EXPECT_EQ(choice->density, rows[i].density) << rows[i].row;
        EXPECT_EQ(choice->label, std::string("蒸汽密度： ") + rows[i].density + " kg/m3");
    }
    EXPECT_FALSE(steam::densityChoice(-1));
    EXPECT_FALSE(steam::densityChoice(38));
}

} // namespace
