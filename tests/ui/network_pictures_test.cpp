#include "files/save.h"
#include "tests/ui/deferred_solves.h"
#include "tests/ui/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// The network window's pictures, through the in-memory window: what they are handed to draw at
// every change, the node the profile goes to as the user picks it, and a click in the tree.
namespace {

namespace fs = std::filesystem;
using controls::memory::MemoryNetworkPictures;

const fs::path kExamples = STEAM_NETWORK_EXAMPLES;
const fs::path kHeatExamples = STEAM_HEAT_LOSS_EXAMPLES;

// The saturated example's nodes, the source then each segment's end in the file's order.
const std::vector<std::string> kSaturatedNodes{"锅炉房",   "J1",       "J2",     "J3",
                                               "烘干车间", "食堂",     "洗衣房", "纺纱车间",
                                               "浴室",     "染整车间", "办公楼"};

struct PicturesWindow {
    explicit PicturesWindow(ui::SolveExecutor executor = {})
        : form1(ui::Form1Controls::from(ui::memoryWindow(gui, ui::kForm1Design)), with(executor)) {
        form1.start();
        gui.menuCommand("Form1.mnuNetwork").userClick();
    }
    ui::WindowLoaders with(ui::SolveExecutor executor) {
        ui::WindowLoaders all = loaders.loaders();
        all.solveExecutor = std::move(executor);
        return all;
    }
    void open(const fs::path& file) {
        gui.fileDialogs("Network.files").answerNext(files::utf8Of(file));
        gui.menuCommand("Network.openFile").userClick();
    }
    MemoryNetworkPictures& pictures() { return gui.networkPictures("Network.pictures"); }
    controls::memory::MemoryTableList& table(const std::string& name) {
        return gui.tableList("Network." + name);
    }
    // The name of the node the profile was asked to go to; empty for the default.
    std::string picked() {
        const auto node = pictures().node();
        return node ? pictures().result().nodes.at(*node).name : std::string();
    }

    controls::memory::Gui gui;
    ui::MemoryLoaders loaders{gui};
    ui::Form1 form1;
};

// The profile goes to the most unfavourable user until the user picks a node, in the node table
// or in the tree; the tree's pick selects the node's row as well. The pick is of a node by its
// name: moved to another row it is followed, renamed it is let go of, and another file starts
// afresh.
TEST(NetworkWindowPictures, TheProfileGoesToTheNodePickedInTheTableOrTheTree) {
    PicturesWindow w;
    w.open(kExamples / "saturated-network.json");
    ASSERT_TRUE(w.pictures().network());
    ASSERT_EQ(w.pictures().result().nodes.size(), kSaturatedNodes.size());
    for (std::size_t i = 0; i < kSaturatedNodes.size(); ++i)
        EXPECT_EQ(w.pictures().result().nodes[i].name, kSaturatedNodes[i]);
    EXPECT_EQ(w.pictures().node(), std::nullopt) << "the most unfavourable user's by default";

    w.table("nodes").userPick(4);
    EXPECT_EQ(w.picked(), "烘干车间");
    w.pictures().userClickNode(5);
    EXPECT_EQ(w.picked(), "食堂");
    EXPECT_EQ(w.table("nodes").selectedIndex(), 5) << "the node's row selected with it";

    // Segment 5 (to 食堂) moved above segment 4: 食堂 is now the fifth node.
    auto& grid = w.gui.grid("Network.segments");
    grid.userEdit(4, network::Name, "5");
    w.gui.pushButton("Network.moveUp").userClick();
    EXPECT_EQ(w.pictures().node(), 4u);
    EXPECT_EQ(w.picked(), "食堂");
    grid.userEdit(3, network::To, "餐厅");
    EXPECT_EQ(w.pictures().node(), std::nullopt) << "no node of the name picked";

    w.pictures().userClickNode(2);
    EXPECT_EQ(w.picked(), "J2");
    w.gui.question("Network.question").answerNext(controls::Question::Answer::Discard);
    w.open(kExamples / "superheated-network.json");
    ASSERT_EQ(w.pictures().result().nodes.size(), 11u);
    EXPECT_EQ(w.pictures().node(), std::nullopt) << "another network, its own worst user";
}

// A segment clicked in the tree is the one the grid's buttons act on and the one the result
// table hands to the main window.
TEST(NetworkWindowPictures, ASegmentClickedInTheTreeIsSelectedInTheGridAndTheResults) {
    PicturesWindow w;
    w.open(kExamples / "saturated-network.json");
    w.pictures().userClickSegment(6);
    EXPECT_EQ(w.gui.grid("Network.segments").currentRow(), 6);
    EXPECT_EQ(w.table("results").selectedIndex(), 6);
    EXPECT_EQ(w.pictures().node(), std::nullopt) << "a segment is no node to draw to";
    w.pictures().userClickSegment(10);
    EXPECT_EQ(w.gui.grid("Network.segments").currentRow(), 6) << "there is no eleventh segment";
}

// Drawn anew at every change the tables show, with the figures they show; in grey with a few
// words while there is nothing computed, the last drawing greyed while the inputs are at fault,
// and then a click in the tree does nothing.
TEST(NetworkWindowPictures, EveryChangeIsDrawnAndNothingComputedIsSaid) {
    PicturesWindow w;
    EXPECT_FALSE(w.pictures().network());
    EXPECT_EQ(w.pictures().said(), "管网中还没有管段");
    w.open(kExamples / "saturated-network.json");
    EXPECT_EQ(w.pictures().said(), "");
    const int drawn = w.pictures().drawn();
    w.gui.textBox("Network.sourcePressure").userType("0.9");
    EXPECT_EQ(w.pictures().drawn(), drawn + 1);
    EXPECT_EQ(w.pictures().result().nodes[0].pressure, 0.9);
    EXPECT_EQ(w.pictures().network()->source.pressure, 0.9);

    w.table("nodes").userPick(3);
    w.gui.textBox("Network.sourcePressure").userType("x");
    EXPECT_TRUE(w.pictures().stale()) << "the last drawing kept, greyed";
    EXPECT_TRUE(w.pictures().network());
    w.pictures().userClickSegment(0);
    EXPECT_EQ(w.table("results").selectedIndex(), 2) << "J3's segment still, the click not taken";
    w.gui.textBox("Network.sourcePressure").userType("1");
    EXPECT_EQ(w.picked(), "J3") << "the pick outlives a fault";
}

// With heat loss the pictures, as the tables, keep what they show until the solve comes back,
// and are drawn from its result then: its temperatures are those the profile draws.
TEST(NetworkWindowPictures, AHeatLossSolveIsDrawnWhenItComesBack) {
    Deferred deferred;
    PicturesWindow w(deferred.executor());
    w.open(kHeatExamples / "saturated-heat-loss.json");
    EXPECT_FALSE(w.pictures().network()) << "nothing drawn before the result is in";
    deferred.finish(0);
    ASSERT_TRUE(w.pictures().network());
    EXPECT_TRUE(w.pictures().network()->heatLoss);
    EXPECT_TRUE(w.pictures().result().nodes.at(1).temperature);
    const int drawn = w.pictures().drawn();

    w.table("nodes").userPick(1);
    w.gui.textBox("Network.sourcePressure").userType("0.7");
    EXPECT_EQ(w.pictures().drawn(), drawn + 1) << "only the pick drawn while the solve runs";
    EXPECT_EQ(w.pictures().result().nodes[0].pressure, 0.8);
    deferred.finish(1);
    EXPECT_EQ(w.pictures().drawn(), drawn + 2);
    EXPECT_EQ(w.pictures().result().nodes[0].pressure, 0.7);
    EXPECT_EQ(w.picked(), "用户");
}

} // namespace
