#include "tests/ui/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

// The network window's faults at their place, through the in-memory window. The words are
// worked by hand from the grid typed below; which cells and words the reading gives is
// CellFaults' to prove, what the window does with them is proven here; how often each mark and
// grey is set is the order network-faults replays.
namespace {

using controls::memory::Op;
using network::Column;
using Marks = std::vector<std::string>;

// S feeds T1, which feeds 2, which feeds 3: typed as a user types them.
struct FaultWindow : NetworkMainWindow {
    FaultWindow() {
        gui.recorder().setListener([this](const Op& op) { ops.push_back(op); });
        for (int i = 0; i < 3; ++i)
            press("add");
        for (const auto& [row, column, text] : {std::tuple{0, Column::To, "T1"},
                                                {1, Column::From, "T1"},
                                                {1, Column::Load, "5"},
                                                {2, Column::Load, "2"}})
            grid().userEdit(row, column, text);
    }
    controls::memory::MemoryTableList& results() { return table("results"); }
    // Every marked cell as "row,column words".
    Marks marks() {
        Marks marked;
        for (int row = 0; row < grid().rowCount(); ++row)
            for (int column = 0; column < network::kColumns; ++column)
                if (const std::string why = grid().cellFault(row, column); !why.empty())
                    marked.push_back(std::to_string(row) + "," + std::to_string(column) + " " +
                                     why);
        return marked;
    }
    int count(std::string_view kind) const {
        return static_cast<int>(
            std::count_if(ops.begin(), ops.end(), [&](const Op& op) { return op.kind == kind; }));
    }
    std::vector<Op> ops;
};

// Each cell is marked until mended; an edit that cuts another row off names itself in both
// rows' marks and the status, and keeps its words through other changes while the fault lasts.
TEST(NetworkFaults, EachCellAtFaultIsMarkedAndAnEditNamedForWhatItDidElsewhere) {
    FaultWindow w;
    w.grid().userEdit(1, Column::Length, "abc");
    w.grid().userEdit(2, Column::To, "S");
    EXPECT_EQ(w.marks(), (Marks{"1,3 第 2 段“2”：请输入长度",
                                "2,2 第 3 段“3”：终点是热源 “S”：没有管段能通向热源"}));
    EXPECT_EQ(w.status(), "第 2 段“2”：请输入长度");
    w.grid().userEdit(1, Column::Length, "100");
    w.grid().userEdit(2, Column::To, "3");
    EXPECT_EQ(w.marks(), Marks{});

    const std::string said = "第 1 段的终点改为“52”后，第 2 段的起点“T1”不再连通热源";
    w.grid().userEdit(0, Column::To, "52");
    EXPECT_EQ(w.status(), said);
    EXPECT_EQ(w.marks(), (Marks{"0,2 " + said, "1,1 " + said}));
    w.grid().userEdit(2, Column::Length, "abc");
    EXPECT_EQ(w.status(), said) << "a change elsewhere leaves the cause named";
    EXPECT_EQ(w.marks(), (Marks{"0,2 " + said, "1,1 " + said, "2,3 第 3 段“3”：请输入长度"}));
    w.grid().userEdit(0, Column::To, "T1");
    EXPECT_EQ(w.marks(), Marks{"2,3 第 3 段“3”：请输入长度"});
    EXPECT_EQ(w.status(), "第 3 段“3”：请输入长度");
}

// While at fault the last results stay, greyed, and nothing hands them on or exports them; the
// network computed again shows its own, live.
TEST(NetworkFaults, TheLastResultsStayGreyedUntilTheNetworkComputesAgain) {
    FaultWindow w;
    const Marks results = w.results().items();
    ASSERT_EQ(results.size(), 3u);
    auto& pictures = w.gui.networkPictures("Network.pictures");

    w.grid().userEdit(0, Column::To, "52");
    w.grid().userEdit(1, Column::Length, "abc");
    EXPECT_EQ(w.results().items(), results);
    EXPECT_TRUE(w.results().stale() && w.gui.tableList("Network.nodes").stale());
    EXPECT_TRUE(pictures.stale() && pictures.network()) << "the drawing kept, greyed";
    EXPECT_FALSE(w.gui.pushButton("Network.showInMain").enabled());
    w.results().userPick(1);
    w.gui.menuCommand("Network.exportSheet").userClick();
    EXPECT_EQ(w.count("savepath"), 0) << "no stale figures exported";

    w.grid().userEdit(0, Column::To, "T1");
    w.grid().userEdit(1, Column::Length, "120");
    EXPECT_FALSE(w.results().stale() || pictures.stale());
    EXPECT_TRUE(w.gui.pushButton("Network.showInMain").enabled());
}

// A network every cell of which is sound can still take its steam out of IF97's region 2 on the
// way; the window says so in red and keeps the last results greyed, with nothing to hand on.
TEST(NetworkFaults, SteamLeavingRegionTwoOnItsWayKeepsTheLastResultsGreyed) {
    FaultWindow w;
    w.gui.dropDownList("Network.unit").userPick(1); // MPa(a)
    w.type("sourcePressure", "30");
    w.gui.optionButton("Network.superheated", "Network.sourceFrame").userClick();
    // The B23 line at 30 MPa: 572.54459862746 + √((30 − 13.91883977887) / 1.0192970039326e-3)
    // = 698.15 K, 425.0 ℃; half a kelvin above it, throttled towards 22.7 MPa, the steam meets it.
    w.type("temperature", "425.5");
    w.edit(0, Column::Length, "3000");
    w.edit(0, Column::Pipe, "D219x10");
    w.edit(1, Column::Load, "300");
    EXPECT_EQ(w.status(), "沿管网的蒸汽状态超出计算范围（IF97 第 2 区，或 350 ℃ 以下的饱和线）");
    EXPECT_TRUE(w.results().stale() && w.gui.networkPictures("Network.pictures").stale());
    EXPECT_FALSE(w.gui.pushButton("Network.showInMain").enabled());
    EXPECT_EQ(w.marks(), Marks{}) << "no cell is at fault";
}

} // namespace
