// The network pictures' hit test on a tree laid out by hand, and their looks' colours against
// WCAG's contrast levels.
#include "ui/qt/colours.h"
#include "ui/qt/network_pictures.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

// Two nodes and the segment between them: the source's dot at (10, 10), the user's at
// (100, 50), the segment's line down and across, each with a label box.
network::TreeLayout twoNodes() {
    network::TreeLayout layout;
    layout.nodes = {{.node = 0, .x = 10, .y = 10, .label = {}, .labelBox = {15, 12, 40, 20}},
                    {.node = 1, .x = 100, .y = 50, .label = {}, .labelBox = {105, 52, 40, 20}}};
    layout.segments = {{.segment = 0,
                        .from = 0,
                        .to = 1,
                        .line = {{10, 10}, {10, 50}, {100, 50}},
                        .label = {},
                        .labelBox = {40, 30, 30, 15}}};
    layout.bounds = {0, 0, 150, 80};
    return layout;
}

TEST(NetworkPictures, WhatAPointOfTheTreeIsOn) {
    struct Case {
        const char* name;
        QPointF at;
        std::optional<std::size_t> node, segment;
    };
    const std::vector<Case> cases{
        {"a dot's centre", {10, 10}, 0, {}},
        {"within reach of a dot (√5 < 3)", {12, 11}, 0, {}},
        {"a node's label", {20, 20}, 0, {}},
        {"on the line's run down", {10, 30}, {}, 0},
        {"beside the line, within reach", {12.9, 30}, {}, 0},
        {"beside the line, out of reach", {13.1, 30}, {}, {}},
        {"the segment's label", {50, 35}, {}, 0},
        // The line ends in the dot: a click there is on the node.
        {"a dot on the line's end", {98, 50}, 1, {}},
        {"past the line's end", {110, 50}, {}, {}},
        {"nothing", {140, 5}, {}, {}},
    };
    const network::TreeLayout layout = twoNodes();
    for (const Case& c : cases) {
        const controls::qt::TreeHit hit = controls::qt::hitTree(layout, c.at, 3);
        EXPECT_EQ(hit.node, c.node) << c.name;
        EXPECT_EQ(hit.segment, c.segment) << c.name;
    }
}

// Every text reads on the background and in a tree's label box (WCAG's 4.5), every curve and
// marker stands out from the background (WCAG's 3 for graphics), in each look.
TEST(NetworkPictures, EveryLookReadsOnItsBackground) {
    const QFont font;
    for (const auto& [name, look] : {std::pair{"light", controls::qt::lightLook(font)},
                                     std::pair{"dark", controls::qt::darkLook(font)},
                                     std::pair{"print", controls::qt::printLook(font)}}) {
        SCOPED_TRACE(name);
        for (const QColor& ground : {look.background, look.labelFill}) {
            for (const QColor& text : {look.ink, look.required, look.failing, look.looks[0],
                                       look.looks[1], look.looks[2], look.looks[3]})
                EXPECT_GE(controls::qt::contrast(text, ground), controls::qt::kReadable)
                    << text.name().toStdString() << " on " << ground.name().toStdString();
        }
        for (const QColor& curve : {look.pressure, look.temperature, look.saturation})
            EXPECT_GE(controls::qt::contrast(curve, look.background), 3.0)
                << curve.name().toStdString();
        // A failing band under the curves: seen, but light enough to read the curves on it.
        EXPECT_GE(controls::qt::contrast(look.pressure, look.failingFill), 3.0);
        EXPECT_GT(controls::qt::contrast(look.failingFill, look.background), 1.1);
    }
}

} // namespace
