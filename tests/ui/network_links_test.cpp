#include "files/save.h"
#include "tests/ui/main_window.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// The network window's linked tables, through the in-memory window: a segment selected in the
// grid, the results or the node table is selected in the other two, each row found by the test
// from the example file itself; the command and the status line's click that go to the most
// unfavourable user.
namespace {

namespace fs = std::filesystem;
using controls::memory::Op;

const fs::path kExamples = STEAM_NETWORK_EXAMPLES;

struct Segment {
    std::string name, to;
};

// The file's segments in its order: the grid's rows and the results' rows, and each segment's
// end is the node it feeds.
std::vector<Segment> segmentsOf(const fs::path& file) {
    std::ifstream in(file);
    const nlohmann::json json = nlohmann::json::parse(in);
    std::vector<Segment> segments;
    for (const nlohmann::json& segment : json.at("segments"))
        segments.push_back({segment.at("name"), segment.at("to")});
    return segments;
}

int segmentNamed(const std::vector<Segment>& segments, const std::string& name) {
    const auto found = std::find_if(segments.begin(), segments.end(),
                                    [&](const Segment& s) { return s.name == name; });
    return found == segments.end() ? -1 : static_cast<int>(found - segments.begin());
}

int segmentTo(const std::vector<Segment>& segments, const std::string& node) {
    const auto found = std::find_if(segments.begin(), segments.end(),
                                    [&](const Segment& s) { return s.to == node; });
    return found == segments.end() ? -1 : static_cast<int>(found - segments.begin());
}

struct LinkedWindow : NetworkMainWindow {
    explicit LinkedWindow(const fs::path& file = kExamples / "saturated-network.json") {
        if (!file.empty())
            openFile(file);
        gui.recorder().setListener(
            [this](const Op& op) { heardOps.push_back(std::string(op.kind) + " " + op.control); });
    }
    controls::memory::MemoryTableList& results() { return table("results"); }
    controls::memory::MemoryTableList& nodes() { return table("nodes"); }
    // What the selected row's first cell shows: the segment's or the node's name.
    static std::string shown(controls::memory::MemoryTableList& table) {
        const int row = table.selectedIndex();
        return row < 0 ? std::string() : cells(table.items().at(static_cast<std::size_t>(row)))[0];
    }
    std::string gridShown() {
        const int row = grid().currentRow();
        return row < 0 ? std::string() : grid().cell(row, network::Name);
    }
    // The operations since the last call, as "kind control".
    std::vector<std::string> heard() { return std::exchange(heardOps, {}); }

    std::vector<std::string> heardOps;
};

// Each way in shows the same three places: the segment current in the grid and selected in the
// results, its end node selected in the node table. The program's own selecting raises nothing,
// so that each action selects the two other controls once and nothing comes back round, and
// the profile stays where the user last put it.
TEST(NetworkWindowLinks, ASegmentSelectedAnywhereIsSelectedInTheOtherTwo) {
    const fs::path file = kExamples / "saturated-network.json";
    const std::vector<Segment> segments = segmentsOf(file);
    const int dyeing = segmentTo(segments, "染整车间");
    const int canteen = segmentTo(segments, "食堂");
    ASSERT_GE(dyeing, 0);
    ASSERT_GE(canteen, 0);
    const struct {
        const char* way;
        std::function<void(LinkedWindow&)> select;
        std::string segment; // by name, the node it feeds is the file's `to`
        std::vector<std::string> heard;
        std::string profile; // only a node picked moves it
    } ways[] = {
        {"a grid row made current",
         [&](LinkedWindow& w) { w.grid().userSelectRow(dyeing); },
         segments[static_cast<std::size_t>(dyeing)].name,
         {"select Network.results", "select Network.nodes"},
         ""},
        {"a result row selected",
         [&](LinkedWindow& w) { w.results().userPick(canteen); },
         segments[static_cast<std::size_t>(canteen)].name,
         {"setrow Network.segments", "select Network.nodes"},
         ""},
        // The node's row by the index the file gives it: the source's row, then each end's.
        {"a node row selected",
         [&](LinkedWindow& w) { w.nodes().userPick(dyeing + 1); },
         segments[static_cast<std::size_t>(dyeing)].name,
         {"setrow Network.segments", "select Network.results"},
         "染整车间"},
        {"a segment clicked in the tree",
         [&](LinkedWindow& w) { w.pictures().userClickSegment(canteen); },
         segments[static_cast<std::size_t>(canteen)].name,
         {"setrow Network.segments", "select Network.results", "select Network.nodes"},
         ""},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        LinkedWindow w(file);
        way.select(w);
        const int at = segmentNamed(segments, way.segment);
        EXPECT_EQ(w.gridShown(), way.segment);
        EXPECT_EQ(LinkedWindow::shown(w.results()), way.segment);
        EXPECT_EQ(LinkedWindow::shown(w.nodes()), segments[static_cast<std::size_t>(at)].to);
        EXPECT_EQ(w.heard(), way.heard);
        EXPECT_EQ(w.profileTo(), way.profile);
    }
}

// While the inputs are at fault the greyed tables keep what they showed and follow no row: they
// are of other inputs. (That an edit is a click into its row first is network-links' to replay.)
TEST(NetworkWindowLinks, TheSelectionStaysPutAtAFault) {
    const fs::path file = kExamples / "saturated-network.json";
    const std::vector<Segment> segments = segmentsOf(file);
    LinkedWindow w(file);
    w.grid().userEdit(1, network::Length, "-1");
    w.grid().userSelectRow(3);
    EXPECT_EQ(LinkedWindow::shown(w.results()), segments[1].name);
    EXPECT_EQ(LinkedWindow::shown(w.nodes()), segments[1].to);
}

// The most unfavourable user of the saturated example is 染整车间, the least margin of its users
// (0.2918 MPa) in `steam-network calc --json docs/examples/saturated-network.json`, whose users
// are the nodes with a required pressure: 烘干车间 0.3706, 食堂 0.6629, 纺纱车间 0.3260,
// 染整车间 0.2918, 办公楼 0.6652. The status line's click goes the same way, as network-links
// replays.
TEST(NetworkWindowLinks, TheCommandGoesToTheMostUnfavourableUser) {
    const fs::path file = kExamples / "saturated-network.json";
    const int feeding = segmentTo(segmentsOf(file), "染整车间");
    LinkedWindow w(file);
    EXPECT_TRUE(w.status().starts_with("最不利用户：染整车间，"));
    w.grid().userSelectRow(0);
    w.menu("goToWorst");
    EXPECT_EQ(LinkedWindow::shown(w.nodes()), "染整车间");
    EXPECT_EQ(w.grid().currentRow(), feeding);
    EXPECT_EQ(w.results().selectedIndex(), feeding);
    EXPECT_EQ(w.profileTo(), "染整车间");
}

// With no network computed, or no user in it, the command says why in the status line, keeping
// the reason the line gave; that the line is then no link is network-links' to replay.
TEST(NetworkWindowLinks, WithNothingComputedTheCommandSaysWhy) {
    LinkedWindow w{fs::path()};
    w.menu("goToWorst");
    EXPECT_EQ(w.status(),
              "没有算出的管网，无从转到最不利用户。管网中还没有管段：点击“添加”输入第一段");

    LinkedWindow loads;
    // Every load and required pressure taken away: no segment ends at a user.
    for (int row = 0; row < loads.grid().rowCount(); ++row) {
        loads.grid().userEdit(row, network::Load, "0");
        loads.grid().userEdit(row, network::Required, "");
    }
    loads.menu("goToWorst");
    EXPECT_TRUE(loads.status().starts_with(
        "管网中没有用户（终点负荷或要求压力），无从转到最不利用户。共 10 个管段"))
        << loads.status();
}

} // namespace
