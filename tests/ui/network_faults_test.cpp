#include "tests/ui/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// The network window's faults at their place, through the in-memory window: each cell that
// cannot be used marked with its words, the edited cell named with the fault it made elsewhere,
// and the last figures kept greyed until the network computes again. The words are worked by
// hand from the grid typed below.
namespace {

using controls::memory::Op;
using network::Column;

// S feeds T1 and 4; T1 feeds 2, which feeds 3: typed as a user types them.
struct FaultWindow : MainWindow {
    FaultWindow() {
        gui.recorder().setListener([this](const Op& op) { ops.push_back(op); });
        gui.menuCommand("Form1.mnuNetwork").userClick();
        for (int i = 0; i < 3; ++i)
            press("add");
        grid().setCurrentRow(-1);
        press("add");
        edit(0, Column::To, "T1");
        edit(1, Column::From, "T1");
        edit(1, Column::Load, "5");
        edit(2, Column::Load, "2");
        edit(3, Column::Load, "1");
    }
    controls::memory::MemoryGrid& grid() { return gui.grid("Network.segments"); }
    controls::memory::MemoryTableList& table(const std::string& name) {
        return gui.tableList("Network." + name);
    }
    controls::memory::MemoryNetworkPictures& pictures() {
        return gui.networkPictures("Network.pictures");
    }
    void edit(int row, Column column, const std::string& text) {
        grid().userEdit(row, column, text);
    }
    void press(const std::string& button) { gui.pushButton("Network." + button).userClick(); }
    std::string status() { return gui.statusText("Network.status").text(); }
    bool statusRed() const {
        for (auto op = ops.rbegin(); op != ops.rend(); ++op)
            if (op->kind == "status")
                return op->on;
        return false;
    }
    // Every marked cell as "row,column words".
    std::vector<std::string> marks() {
        std::vector<std::string> marked;
        for (int row = 0; row < grid().rowCount(); ++row)
            for (int column = 0; column < network::kColumns; ++column)
                if (const std::string why = grid().cellFault(row, column); !why.empty())
                    marked.push_back(std::to_string(row) + "," + std::to_string(column) + " " +
                                     why);
        return marked;
    }
    int count(std::string_view kind, std::string_view control) const {
        int n = 0;
        for (const Op& op : ops)
            n += op.kind == kind && op.control == control;
        return n;
    }

    std::vector<Op> ops;
};

using Marks = std::vector<std::string>;

// The engineer mends the cells one after another: each is marked until mended, the status
// naming the first.
TEST(NetworkFaults, EveryCellThatCannotBeUsedIsMarkedUntilMended) {
    FaultWindow w;
    ASSERT_FALSE(w.statusRed()) << w.status();
    EXPECT_EQ(w.marks(), Marks{});
    const int set = w.count("cellfault", "Network.segments");
    w.edit(1, Column::Length, "abc");
    w.edit(2, Column::Load, "x");
    w.edit(3, Column::To, "S");
    EXPECT_EQ(w.marks(), (Marks{"1,3 第 2 段“2”：请输入长度", "2,6 第 3 段“3”：请输入负荷",
                                "3,2 第 4 段“4”：终点是热源 “S”：没有管段能通向热源"}));
    EXPECT_EQ(w.status(), "第 2 段“2”：请输入长度");
    EXPECT_TRUE(w.statusRed());

    w.edit(1, Column::Length, "100");
    EXPECT_EQ(w.marks(), (Marks{"2,6 第 3 段“3”：请输入负荷",
                                "3,2 第 4 段“4”：终点是热源 “S”：没有管段能通向热源"}));
    EXPECT_EQ(w.status(), "第 3 段“3”：请输入负荷");
    w.edit(2, Column::Load, "2");
    w.edit(3, Column::To, "4");
    EXPECT_EQ(w.marks(), Marks{});
    EXPECT_FALSE(w.statusRed()) << w.status();
    EXPECT_EQ(w.count("cellfault", "Network.segments") - set, 3)
        << "each mark set once, however many changes it lasted, and gone with its text";
}

// A change that breaks the network in another row says what the edited cell did and marks both
// cells with it; the words last while the fault does, and go with it.
TEST(NetworkFaults, TheEditedCellIsNamedForTheFaultItMadeElsewhere) {
    const struct {
        const char* name;
        int row;
        Column column;
        const char* typed;
        const char* before;
        const char* said;
        const char* atFault; // "row,column"
    } cases[] = {
        {"the issue's 52 into 终点", 0, Column::To, "52", "T1",
         "第 1 段的终点改为“52”后，第 2 段的起点“T1”不再连通热源", "1,1"},
        {"a name taken", 0, Column::Name, "3", "1",
         "第 1 段的管段改为“3”后，第 3 段的名称“3”与第 1 段重复", "2,0"},
        {"a node fed twice", 2, Column::To, "4", "3",
         "第 3 段的终点改为“4”后，第 4 段的终点“4”也由第 3 段供汽：一个节点只能由一个管段供汽",
         "3,2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FaultWindow w;
        w.edit(c.row, c.column, c.typed);
        EXPECT_EQ(w.status(), c.said);
        EXPECT_TRUE(w.statusRed());
        const std::string edited = std::to_string(c.row) + "," + std::to_string(c.column);
        Marks both{edited + " " + c.said, std::string(c.atFault) + " " + c.said};
        std::sort(both.begin(), both.end());
        EXPECT_EQ(w.marks(), both);

        w.edit(3, Column::Length, "120");
        EXPECT_EQ(w.status(), c.said) << "a change elsewhere leaves the cause named";
        w.edit(c.row, c.column, c.before);
        EXPECT_FALSE(w.statusRed()) << w.status();
        EXPECT_EQ(w.marks(), Marks{});
    }
}

// While the inputs are at fault the last results stay, greyed, and nothing hands them on; the
// network computed again shows its own, live.
TEST(NetworkFaults, TheLastResultsStayGreyedUntilTheNetworkComputesAgain) {
    FaultWindow w;
    const std::vector<std::string> results = w.table("results").items();
    const std::vector<std::string> nodes = w.table("nodes").items();
    ASSERT_EQ(results.size(), 4u);
    const int clears = w.count("clear", "Network.results");
    const int greyed = w.count("stale", "Network.results");

    w.edit(0, Column::To, "52");
    w.edit(1, Column::Length, "abc");
    EXPECT_EQ(w.table("results").items(), results);
    EXPECT_EQ(w.table("nodes").items(), nodes);
    EXPECT_TRUE(w.table("results").stale());
    EXPECT_TRUE(w.table("nodes").stale());
    EXPECT_TRUE(w.pictures().stale());
    EXPECT_TRUE(w.pictures().network()) << "the drawing kept";
    EXPECT_EQ(w.count("clear", "Network.results"), clears);
    EXPECT_EQ(w.count("stale", "Network.results") - greyed, 1) << "greyed once for both faults";
    EXPECT_FALSE(w.gui.pushButton("Network.showInMain").enabled());
    w.gui.tableList("Network.results").userPick(1);
    w.gui.menuCommand("Network.exportSheet").userClick();
    EXPECT_EQ(w.status(),
              "没有可输出的计算结果。第 1 段的终点改为“52”后，第 2 段的起点“T1”不再连通热源");
    EXPECT_EQ(w.count("savepath", "Network.files"), 0) << "no stale figures exported";

    w.edit(0, Column::To, "T1");
    EXPECT_EQ(w.marks(), Marks{"1,3 第 2 段“2”：请输入长度"}) << "the edit's words gone with it";
    EXPECT_EQ(w.status(), "第 2 段“2”：请输入长度");
    w.edit(1, Column::Length, "120");
    EXPECT_FALSE(w.table("results").stale());
    EXPECT_FALSE(w.pictures().stale());
    EXPECT_NE(w.table("results").items(), results) << "the new length's figures";
    EXPECT_EQ(w.table("results").items().size(), 4u);
    EXPECT_TRUE(w.gui.pushButton("Network.showInMain").enabled());
}

} // namespace
