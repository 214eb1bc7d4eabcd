#include "tests/ui/main_window.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> cells(const std::string& row) {
    std::vector<std::string> out;
    std::istringstream in(row);
    for (std::string cell; std::getline(in, cell, '\t');)
        out.push_back(cell);
    return out;
}

std::string withoutUnit(const std::string& caption) {
    const auto blank = caption.rfind(' ');
    return blank == 0 || blank == std::string::npos ? caption : caption.substr(0, blank);
}

// The table must show, for each size, what the main window shows once that size is picked
// there: a second computation that drifted by one bit would show here.
TEST(SizingTable, EveryRowIsWhatTheMainWindowShowsForItsPipe) {
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> flow(0.1, 200), density(0.05, 60), roughness(0.01, 2);
    for (int trial = 0; trial < 6; ++trial) {
        for (const bool seamless : {false, true}) {
            MainWindow w;
            auto& gui = w.gui;
            gui.textBox("Form1.Text1").userType(std::to_string(flow(random)));
            gui.textBox("Form1.Text2").userType(std::to_string(roughness(random)));
            gui.textBox("Form1.Text3").userType(std::to_string(density(random)));
            gui.menuCommand("Form1.mnuSizing").userClick();
            gui.dropDownList("Form4.Combo1").userPick(seamless ? 1 : 0);
            const std::vector<std::string> rows = gui.tableList("Form4.List1").items();
            ASSERT_EQ(rows.size(), seamless ? 29u : 27u);
            gui.pushButton("Form4.Command2").userClick();
            if (seamless)
                gui.optionButton("Form1.Option2", "Form1.Frame3").userClick();
            for (std::size_t i = 0; i < rows.size(); ++i) {
                gui.dropDownList(seamless ? "Form1.Combo4" : "Form1.Combo3")
                    .userPick(static_cast<int>(i));
                const std::vector<std::string> row = cells(rows[i]);
                ASSERT_EQ(row.size(), 7u);
                SCOPED_TRACE(rows[i]);
                EXPECT_EQ(row[1], withoutUnit(w.caption("Label11")));
                EXPECT_EQ(row[2], withoutUnit(w.caption("Label4")));
                EXPECT_EQ(row[3], withoutUnit(w.caption("Label5")));
            }
        }
    }
}

// 10 t/h of steam at 5.642335 kg/m3 through welded pipe, worked by hand: DN125 runs at
// 40.1 m/s, above its 25–35 band; DN150 at 27.9 m/s is the smallest size within it.
TEST(SizingTable, RecommendsTheSmallestSizeNotAboveItsBand) {
    MainWindow w;
    w.gui.textBox("Form1.Text1").userType("10");
    w.gui.textBox("Form1.Text3").userType("5.642335");
    w.gui.menuCommand("Form1.mnuSizing").userClick();
    const auto& rows = w.gui.tableList("Form4.List1").items();
    const auto& table = w.gui.tableList("Form4.List1");
    const struct {
        std::size_t row;
        const char* size;
        const char* band;
        const char* verdict;
    } expected[] = {
        {7, "DN80", "15–30", "偏高"},   {8, "DN100", "25–35", "偏高"},
        {9, "DN125", "25–35", "偏高"},  {10, "DN150", "25–35", "适宜"},
        {11, "DN200", "25–35", "偏低"}, {12, "DN250", "30–40", "偏低"},
    };
    for (const auto& e : expected) {
        const std::vector<std::string> row = cells(rows[e.row]);
        EXPECT_EQ(row[0], e.size);
        EXPECT_EQ(row[5], e.band) << e.size;
        EXPECT_EQ(row[6], e.verdict) << e.size;
    }
    EXPECT_EQ(table.selectedIndex(), 10);
    EXPECT_EQ(w.gui.statusText("Form4.Label4").text(), "推荐 DN150：流速不高于推荐范围的最小管径");

    w.gui.pushButton("Form4.Command1").userClick();
    EXPECT_EQ(w.caption("Label11"), " 150 mm");
    EXPECT_TRUE(w.gui.window("Form1").visible());
}

TEST(SizingTable, SaysInPlaceWhyItIsEmpty) {
    const struct {
        const char* density;
        const char* length;
        const char* fraction;
        const char* status;
    } cases[] = {
        {"0", "100", "0.3", "主窗口中没有蒸汽密度：请先在主窗口输入密度"},
        {"5", "-1", "0.3", "管段长度不得为负"},
        {"5", "100", "-0.1", "局部损失的比例不得为负"},
    };
    for (const auto& c : cases) {
        MainWindow w;
        w.gui.textBox("Form1.Text3").userType(c.density);
        w.gui.menuCommand("Form1.mnuSizing").userClick();
        w.gui.textBox("Form4.Text1").userType(c.length);
        w.gui.textBox("Form4.Text2").userType(c.fraction);
        EXPECT_TRUE(w.gui.tableList("Form4.List1").items().empty()) << c.status;
        EXPECT_EQ(w.gui.statusText("Form4.Label4").text(), c.status);
        EXPECT_FALSE(w.gui.pushButton("Form4.Command1").enabled()) << c.status;
    }
}

} // namespace
