#include "files/save.h"
#include "tests/ui/deferred_solves.h"
#include "tests/ui/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

// The network window's pictures, through the in-memory window: what they are handed to draw at
// every change, the node the profile goes to as the user picks it, and a click in the tree.
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = STEAM_NETWORK_EXAMPLES;
const fs::path kHeatExamples = STEAM_HEAT_LOSS_EXAMPLES;

// The saturated example's nodes, the source then each segment's end in the file's order.
const std::vector<std::string> kSaturatedNodes{"锅炉房",   "J1",       "J2",     "J3",
                                               "烘干车间", "食堂",     "洗衣房", "纺纱车间",
                                               "浴室",     "染整车间", "办公楼"};

// The profile goes to the most unfavourable user until the user picks a node, in the node table
// or in the tree; the tree's pick selects the node's row as well. The pick is of a node by its
// name: moved to another row it is followed, renamed it is let go of, and another file starts
// afresh.
TEST(NetworkWindowPictures, TheProfileGoesToTheNodePickedInTheTableOrTheTree) {
    NetworkMainWindow w;
    w.openFile(kExamples / "saturated-network.json");
    ASSERT_TRUE(w.pictures().network());
    ASSERT_EQ(w.pictures().result().nodes.size(), kSaturatedNodes.size());
    for (std::size_t i = 0; i < kSaturatedNodes.size(); ++i)
        EXPECT_EQ(w.pictures().result().nodes[i].name, kSaturatedNodes[i]);
    EXPECT_EQ(w.pictures().node(), std::nullopt) << "the most unfavourable user's by default";

    w.table("nodes").userPick(4);
    EXPECT_EQ(w.profileTo(), "烘干车间");
    w.pictures().userClickNode(5);
    EXPECT_EQ(w.profileTo(), "食堂");
    EXPECT_EQ(w.table("nodes").selectedIndex(), 5) << "the node's row selected with it";

    // Segment 5 (to 食堂) moved above segment 4: 食堂 is now the fifth node.
    w.edit(4, network::Name, "5");
    w.press("moveUp");
    EXPECT_EQ(w.pictures().node(), 4u);
    EXPECT_EQ(w.profileTo(), "食堂");
    w.edit(3, network::To, "餐厅");
    EXPECT_EQ(w.pictures().node(), std::nullopt) << "no node of the name picked";

    w.pictures().userClickNode(2);
    EXPECT_EQ(w.profileTo(), "J2");
    w.gui.question("Network.question").answerNext(controls::Question::Answer::Discard);
    w.openFile(kExamples / "superheated-network.json");
    ASSERT_EQ(w.pictures().result().nodes.size(), 11u);
    EXPECT_EQ(w.pictures().node(), std::nullopt) << "another network, its own worst user";
}

// A click on a segment the network does not have selects nothing; one it has is
// NetworkWindowLinks'.
TEST(NetworkWindowPictures, AClickOnNoSegmentOfTheNetworkSelectsNothing) {
    NetworkMainWindow w;
    w.openFile(kExamples / "saturated-network.json");
    w.pictures().userClickSegment(6);
    w.pictures().userClickSegment(10);
    EXPECT_EQ(w.grid().currentRow(), 6) << "there is no eleventh segment";
}

// Drawn anew at every change the tables show, with the figures they show; in grey with a few
// words while there is nothing computed, the last drawing greyed while the inputs are at fault,
// and then a click in the tree does nothing.
TEST(NetworkWindowPictures, EveryChangeIsDrawnAndNothingComputedIsSaid) {
    NetworkMainWindow w;
    EXPECT_FALSE(w.pictures().network());
    EXPECT_EQ(w.pictures().said(), "管网中还没有管段");
    w.openFile(kExamples / "saturated-network.json");
    EXPECT_EQ(w.pictures().said(), "");
    const int drawn = w.pictures().drawn();
    w.type("sourcePressure", "0.9");
    EXPECT_EQ(w.pictures().drawn(), drawn + 1);
    EXPECT_EQ(w.pictures().result().nodes[0].pressure, 0.9);
    EXPECT_EQ(w.pictures().network()->source.pressure, 0.9);

    w.table("nodes").userPick(3);
    w.type("sourcePressure", "x"); // the drawing kept, greyed: NetworkFaults'
    w.pictures().userClickSegment(0);
    EXPECT_EQ(w.table("results").selectedIndex(), 2) << "J3's segment still, the click not taken";
    w.type("sourcePressure", "1");
    EXPECT_EQ(w.profileTo(), "J3") << "the pick outlives a fault";
}

// With heat loss the pictures, as the tables, keep what they show until the solve comes back,
// and are drawn from its result then: its temperatures are those the profile draws.
TEST(NetworkWindowPictures, AHeatLossSolveIsDrawnWhenItComesBack) {
    Deferred deferred;
    NetworkMainWindow w(deferred.executor());
    w.openFile(kHeatExamples / "saturated-heat-loss.json");
    EXPECT_FALSE(w.pictures().network()) << "nothing drawn before the result is in";
    deferred.finish(0);
    ASSERT_TRUE(w.pictures().network());
    EXPECT_TRUE(w.pictures().network()->heatLoss);
    EXPECT_TRUE(w.pictures().result().nodes.at(1).temperature);
    const int drawn = w.pictures().drawn();

    w.table("nodes").userPick(1);
    w.type("sourcePressure", "0.7");
    EXPECT_EQ(w.pictures().drawn(), drawn + 1) << "only the pick drawn while the solve runs";
    EXPECT_EQ(w.pictures().result().nodes[0].pressure, 0.8);
    deferred.finish(1);
    EXPECT_EQ(w.pictures().drawn(), drawn + 2);
    EXPECT_EQ(w.pictures().result().nodes[0].pressure, 0.7);
    EXPECT_EQ(w.profileTo(), "用户");
}

} // namespace
