#pragma once

#include "network/network.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The network drawn as a tree from the source, laid out so that no two labels overlap and no
// two lines cross. Coordinates are the drawing's, y downwards, in units of the text measure
// the caller gives (pixels of a font at zoom 1). A label's box is as wide as its widest line and
// `lineHeight` high a line; the layout keeps at least a quarter line clear round each, for a
// frame. Toolkit-free; ui/qt draws it.
namespace network {

struct Box {
    double x = 0, y = 0; // top left
    double width = 0, height = 0;
};

struct TreeNode {
    std::size_t node = 0;           // into Result::nodes
    double x = 0, y = 0;            // the dot's centre
    std::vector<std::string> label; // its lines: the name, the pressure, its unit; or
                                    // the name and "—" where not computed
    Box labelBox;
};

struct TreeSegment {
    std::size_t segment = 0;                 // into Network::segments
    std::size_t from = 0, to = 0;            // into TreeLayout::nodes
    std::vector<std::array<double, 2>> line; // a polyline from the from-node's dot to the to-node's
    std::vector<std::string> label;          // its lines: the name, the pipe, the flow
    Box labelBox;
};

struct TreeLayout {
    std::vector<TreeNode> nodes;       // in Result::nodes's order
    std::vector<TreeSegment> segments; // in the network's order
    Box bounds;                        // everything drawn, with a margin; at 0, 0
    double dotRadius = 0;              // each node's dot, a disc of this radius round x, y
};

// The width of a line of text as it will be drawn.
using TextWidth = std::function<double(std::string_view)>;

// The tree of a network. `lineHeight` is a text line's height in the units of `width`. The source
// is at the left, each further node one column to the right, a column as wide as its widest
// label; a parent is level with its first child and each segment is a line from its from-node's
// dot down its column's left edge and across to its to-node's dot, its label above the run
// across. Figures are given to four significant digits, "—" where not computed. A network that
// is not a tree from its source (one the checks refuse) gives an empty layout.
TreeLayout layoutTree(const Network& network, const Result& result, const TextWidth& width,
                      double lineHeight);

} // namespace network
