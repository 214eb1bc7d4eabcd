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

std::string sourceOf(const fs::path& file) {
    std::ifstream in(file);
    return nlohmann::json::parse(in).at("source").at("node");
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

struct LinkedWindow : MainWindow {
    explicit LinkedWindow(const fs::path& file = kExamples / "saturated-network.json") {
        gui.recorder().setListener(
            [this](const Op& op) { heardOps.push_back(std::string(op.kind) + " " + op.control); });
        gui.menuCommand("Form1.mnuNetwork").userClick();
        if (!file.empty()) {
            gui.fileDialogs("Network.files").answerNext(files::utf8Of(file));
            gui.menuCommand("Network.openFile").userClick();
        }
        heardOps.clear();
    }
    controls::memory::MemoryGrid& grid() { return gui.grid("Network.segments"); }
    controls::memory::MemoryTableList& results() { return gui.tableList("Network.results"); }
    controls::memory::MemoryTableList& nodes() { return gui.tableList("Network.nodes"); }
    controls::memory::MemoryStatusText& status() { return gui.statusText("Network.status"); }
    // What the selected row's first cell shows: the segment's or the node's name.
    static std::string shown(controls::memory::MemoryTableList& table) {
        const int row = table.selectedIndex();
        return row < 0 ? std::string() : cells(table.items().at(static_cast<std::size_t>(row)))[0];
    }
    std::string gridShown() {
        const int row = grid().currentRow();
        return row < 0 ? std::string() : grid().cell(row, network::Name);
    }
    // The node the profile was asked to go to; empty for the default.
    std::string profileTo() {
        auto& pictures = gui.networkPictures("Network.pictures");
        const auto node = pictures.node();
        return node ? pictures.result().nodes.at(*node).name : std::string();
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
         [&](LinkedWindow& w) {
             w.gui.networkPictures("Network.pictures").userClickSegment(canteen);
         },
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

// The source is fed by no segment: the grid and the results stay where they were. A pick by an
// index the network does not have changes nothing.
TEST(NetworkWindowLinks, TheSourceSelectsNoSegment) {
    const fs::path file = kExamples / "saturated-network.json";
    LinkedWindow w(file);
    w.grid().userSelectRow(2);
    w.nodes().userPick(0);
    EXPECT_EQ(LinkedWindow::shown(w.nodes()), sourceOf(file));
    EXPECT_EQ(w.grid().currentRow(), 2);
    EXPECT_EQ(w.results().selectedIndex(), 2);
}

// An edit is a click into a row first: the row's segment is selected, and stays selected, node
// and all, as the tables are filled anew with the edit's figures. While the inputs are at fault
// the greyed tables keep what they showed and follow no row: they are of other inputs.
TEST(NetworkWindowLinks, TheSelectionOutlivesTheEditsAndStaysPutAtAFault) {
    const fs::path file = kExamples / "saturated-network.json";
    const std::vector<Segment> segments = segmentsOf(file);
    LinkedWindow w(file);
    w.grid().userEdit(4, network::Length, "60");
    EXPECT_EQ(LinkedWindow::shown(w.results()), segments[4].name);
    EXPECT_EQ(LinkedWindow::shown(w.nodes()), segments[4].to);

    w.grid().userEdit(1, network::Length, "-1");
    EXPECT_EQ(LinkedWindow::shown(w.results()), segments[1].name);
    w.grid().userSelectRow(3);
    EXPECT_EQ(LinkedWindow::shown(w.results()), segments[1].name);
    EXPECT_EQ(LinkedWindow::shown(w.nodes()), segments[1].to);
}

// The most unfavourable user of the saturated example is 染整车间, the least margin of its users
// (0.2918 MPa) in `steam-network calc --json docs/examples/saturated-network.json`, whose users
// are the nodes with a required pressure: 烘干车间 0.3706, 食堂 0.6629, 纺纱车间 0.3260,
// 染整车间 0.2918, 办公楼 0.6652.
TEST(NetworkWindowLinks, TheCommandAndTheStatusLineGoToTheMostUnfavourableUser) {
    const fs::path file = kExamples / "saturated-network.json";
    const std::vector<Segment> segments = segmentsOf(file);
    const int feeding = segmentTo(segments, "染整车间");
    const struct {
        const char* way;
        std::function<void(LinkedWindow&)> go;
    } ways[] = {
        {"the command",
         [](LinkedWindow& w) { w.gui.menuCommand("Network.goToWorst").userClick(); }},
        {"a click on the status line", [](LinkedWindow& w) { w.status().userClick(); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.way);
        LinkedWindow w(file);
        EXPECT_TRUE(w.status().text().starts_with("最不利用户：染整车间，"));
        EXPECT_TRUE(w.status().clickable()) << "it names the user";
        w.grid().userSelectRow(0);
        way.go(w);
        EXPECT_EQ(LinkedWindow::shown(w.nodes()), "染整车间");
        EXPECT_EQ(w.grid().currentRow(), feeding);
        EXPECT_EQ(w.results().selectedIndex(), feeding);
        EXPECT_EQ(w.profileTo(), "染整车间");
    }
}

// With no network computed the command says why in the status line, keeping the reason the line
// gave, and the line names no user to click.
TEST(NetworkWindowLinks, WithNothingComputedTheCommandSaysWhy) {
    LinkedWindow w{fs::path()};
    EXPECT_FALSE(w.status().clickable());
    w.gui.menuCommand("Network.goToWorst").userClick();
    EXPECT_EQ(w.status().text(),
              "没有算出的管网，无从转到最不利用户。管网中还没有管段：点击“添加”输入第一段");

    LinkedWindow loads;
    // Every load and required pressure taken away: no segment ends at a user.
    for (int row = 0; row < loads.grid().rowCount(); ++row) {
        loads.grid().userEdit(row, network::Load, "0");
        loads.grid().userEdit(row, network::Required, "");
    }
    EXPECT_FALSE(loads.status().clickable());
    loads.gui.menuCommand("Network.goToWorst").userClick();
    EXPECT_TRUE(loads.status().text().starts_with(
        "管网中没有用户（终点负荷或要求压力），无从转到最不利用户。共 10 个管段"))
        << loads.status().text();
    loads.gui.textBox("Network.sourcePressure").userType("x");
    EXPECT_FALSE(loads.status().clickable()) << "a fault names no user";
}

} // namespace
