#include "network/tree_layout.h"

#include "calc/numbers.h"
#include "pipes/catalogue.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <unordered_map>
#include <utility>

namespace network {

namespace {

constexpr std::string_view kNone = "—";
constexpr std::size_t kNoParent = std::numeric_limits<std::size_t>::max();

// A figure to four significant digits. The tables give all seven; the picture is for seeing
// where the pressure goes along the tree, and seven digits would make a deep network's every
// column wider again.
std::string shortFigure(double value) {
    const double magnitude = std::abs(value);
    const int exponent = magnitude > 0 && std::isfinite(magnitude)
                             ? static_cast<int>(std::floor(std::log10(magnitude)))
                             : 0;
    return calc::decimalText(value, std::clamp(3 - exponent, 0, 9));
}

// The tree's shape: node 0 the source, node i + 1 segment i's to-node, as Result::nodes.
struct Shape {
    std::vector<std::size_t> parent;                // kNoParent for the source
    std::vector<std::vector<std::size_t>> children; // nodes, in the order of their segments
    std::vector<std::size_t> order;                 // each parent before its children
    std::vector<std::size_t> depth;
};

// None when a segment starts at no node or the segments do not all hang from the source.
std::optional<Shape> shapeOf(const Network& network) {
    const std::size_t count = network.segments.size() + 1;
    std::unordered_map<std::string_view, std::size_t> named;
    named.emplace(network.source.node, 0);
    for (std::size_t i = 0; i < network.segments.size(); ++i)
        if (!named.emplace(network.segments[i].to, i + 1).second)
            return std::nullopt;
    Shape shape{std::vector<std::size_t>(count, kNoParent),
                std::vector<std::vector<std::size_t>>(count),
                {},
                std::vector<std::size_t>(count)};
    for (std::size_t i = 0; i < network.segments.size(); ++i) {
        const auto from = named.find(network.segments[i].from);
        if (from == named.end())
            return std::nullopt;
        shape.parent[i + 1] = from->second;
        shape.children[from->second].push_back(i + 1);
    }
    // Breadth first from the source: a loop apart from it is never reached.
    shape.order.reserve(count);
    shape.order.push_back(0);
    for (std::size_t at = 0; at < shape.order.size(); ++at)
        for (const std::size_t child : shape.children[shape.order[at]]) {
            shape.depth[child] = shape.depth[shape.order[at]] + 1;
            shape.order.push_back(child);
        }
    if (shape.order.size() != count)
        return std::nullopt;
    return shape;
}

struct Span {
    double top, bottom;
};

// The spans a subtree's drawing takes in each column, from its deepest column (first) to its
// root's (last), so that the parent's column, where the segment to the root runs, is one more
// at the end. A span's real y
// is the stored one plus `shift`, so that moving a whole subtree is one addition.
struct Outline {
    std::vector<Span> columns;
    double shift = 0;

    Span at(std::size_t fromRoot) const {
        const Span& s = columns[columns.size() - 1 - fromRoot];
        return {s.top + shift, s.bottom + shift};
    }
};

// How far below `above` the subtree `below` must go to keep `gap` clear of it in every column
// they share. Only the shorter's columns are compared, so that the whole tree costs one pass
// over its nodes rather than one a pair of subtrees.
double clearance(const Outline& above, const Outline& below, double gap) {
    const std::size_t shared = std::min(above.columns.size(), below.columns.size());
    double shift = -std::numeric_limits<double>::infinity();
    for (std::size_t k = 0; k < shared; ++k)
        shift = std::max(shift, above.at(k).bottom - below.at(k).top + gap);
    return shift;
}

// `into` takes `child` moved down by `by`; the longer outline's storage is kept.
void merge(Outline& into, Outline&& child, double by) {
    child.shift += by;
    if (child.columns.size() > into.columns.size())
        std::swap(into, child);
    const std::size_t shared = child.columns.size();
    for (std::size_t k = 0; k < shared; ++k) {
        const Span mine = into.at(k), theirs = child.at(k);
        into.columns[into.columns.size() - 1 - k] = {std::min(mine.top, theirs.top) - into.shift,
                                                     std::max(mine.bottom, theirs.bottom) -
                                                         into.shift};
    }
}

struct Label {
    std::vector<std::string> lines;
    double width = 0, height = 0;
};

Label measured(std::vector<std::string> lines, const TextWidth& width, double lineHeight) {
    Label label{std::move(lines)};
    for (const std::string& line : label.lines)
        label.width = std::max(label.width, width(line));
    label.height = lineHeight * static_cast<double>(label.lines.size());
    return label;
}

void cover(Box& bounds, double left, double top, double right, double bottom) {
    const double x1 = std::max(bounds.x + bounds.width, right);
    const double y1 = std::max(bounds.y + bounds.height, bottom);
    bounds.x = std::min(bounds.x, left);
    bounds.y = std::min(bounds.y, top);
    bounds.width = x1 - bounds.x;
    bounds.height = y1 - bounds.y;
}

} // namespace

TreeLayout layoutTree(const Network& network, const Result& result, const TextWidth& width,
                      double lineHeight) {
    const std::optional<Shape> shape = shapeOf(network);
    if (!shape)
        return {};
    const std::size_t count = shape->parent.size();
    const double radius = lineHeight / 4;
    const double pad = lineHeight / 4; // between a label and its dot or its line
    const double gap = lineHeight / 2; // between the drawings of two subtrees
    const std::string_view unit = unitLabel(network.source.unit);

    std::vector<Label> nodeLabels(count), segmentLabels(count);
    for (std::size_t n = 0; n < count; ++n) {
        const std::string& name = n == 0 ? network.source.node : network.segments[n - 1].to;
        // The unit on a line of its own: beside the figure, it would make the pressure the
        // widest line of most columns, and the forty-segment example half as wide again.
        const NodeResult* computed = n < result.nodes.size() ? &result.nodes[n] : nullptr;
        std::vector<std::string> lines{name};
        if (computed && computed->pressure) {
            lines.push_back(shortFigure(*computed->pressure));
            lines.emplace_back(unit);
        } else {
            lines.emplace_back(kNone);
        }
        nodeLabels[n] = measured(std::move(lines), width, lineHeight);
    }
    for (std::size_t i = 0; i < network.segments.size(); ++i) {
        const Segment& segment = network.segments[i];
        const SegmentResult* computed = i < result.segments.size() ? &result.segments[i] : nullptr;
        // The pipe computed, else the one the user gave; an auto pipe not computed has none.
        std::string_view given =
            computed ? std::string_view(computed->pipe) : std::string_view(segment.pipe);
        if (!computed && given == kAutoPipe)
            given = {};
        std::string pipe(kNone);
        if (!given.empty())
            pipe = pipes::shownPipeName(given);
        std::string flow = computed ? shortFigure(computed->flow) + " t/h" : std::string(kNone);
        segmentLabels[i + 1] =
            measured({segment.name, std::move(pipe), std::move(flow)}, width, lineHeight);
    }

    // Each column as wide as the widest label in it: its nodes' and the segments leaving them.
    std::size_t depths = 0;
    for (const std::size_t d : shape->depth)
        depths = std::max(depths, d + 1);
    std::vector<double> column(depths + 1, 0);
    for (std::size_t n = 0; n < count; ++n) {
        double& w = column[shape->depth[n] + 1];
        w = std::max({w, nodeLabels[n].width + 2 * (radius + pad), 2 * lineHeight});
        if (n != 0) {
            double& across = column[shape->depth[n]];
            across = std::max(across, segmentLabels[n].width + 2 * (radius + pad));
        }
    }
    for (std::size_t d = 1; d <= depths; ++d)
        column[d] += column[d - 1];

    // From the leaves up: each child's subtree as high as the ones before it allow, the first
    // level with its parent. A segment's label and the run to its to-node take the parent's
    // column above the run; a node's label takes its own column below its dot.
    std::vector<double> below(count, 0); // a child's y less its parent's
    std::vector<Outline> outlines(count);
    for (auto n = shape->order.rbegin(); n != shape->order.rend(); ++n) {
        Outline own{{{-radius, std::max(radius, pad + nodeLabels[*n].height)}}};
        bool first = true;
        for (const std::size_t child : shape->children[*n]) {
            Outline& theirs = outlines[child];
            theirs.columns.push_back(
                {-pad - segmentLabels[child].height - theirs.shift, radius - theirs.shift});
            below[child] = first ? 0 : clearance(own, theirs, gap);
            merge(own, std::move(theirs), below[child]);
            theirs = {};
            first = false;
        }
        outlines[*n] = std::move(own);
    }

    TreeLayout layout;
    layout.dotRadius = radius;
    layout.nodes.resize(count);
    std::vector<double> y(count, 0);
    for (const std::size_t n : shape->order) {
        if (n != 0)
            y[n] = y[shape->parent[n]] + below[n];
        const double x = column[shape->depth[n]];
        TreeNode& node = layout.nodes[n];
        node.node = n;
        node.x = x;
        node.y = y[n];
        node.labelBox = {x + radius + pad, y[n] + pad, nodeLabels[n].width, nodeLabels[n].height};
        node.label = std::move(nodeLabels[n].lines);
    }
    layout.segments.resize(network.segments.size());
    for (std::size_t i = 0; i < network.segments.size(); ++i) {
        const TreeNode& from = layout.nodes[shape->parent[i + 1]];
        const TreeNode& to = layout.nodes[i + 1];
        TreeSegment& segment = layout.segments[i];
        segment.segment = i;
        segment.from = from.node;
        segment.to = to.node;
        segment.line.push_back({from.x, from.y});
        if (to.y != from.y)
            segment.line.push_back({from.x, to.y});
        segment.line.push_back({to.x, to.y});
        Label& label = segmentLabels[i + 1];
        segment.labelBox = {from.x + radius + pad, to.y - pad - label.height, label.width,
                            label.height};
        segment.label = std::move(label.lines);
    }

    Box& bounds = layout.bounds;
    bounds = {-radius, -radius, 2 * radius, 2 * radius};
    for (const TreeNode& node : layout.nodes) {
        cover(bounds, node.x - radius, node.y - radius, node.x + radius, node.y + radius);
        const Box& b = node.labelBox;
        cover(bounds, b.x, b.y, b.x + b.width, b.y + b.height);
    }
    for (const TreeSegment& segment : layout.segments) {
        const Box& b = segment.labelBox;
        cover(bounds, b.x, b.y, b.x + b.width, b.y + b.height);
    }
    // Moved so that the margin's corner is at 0, 0.
    const double dx = lineHeight - bounds.x, dy = lineHeight - bounds.y;
    for (TreeNode& node : layout.nodes) {
        node.x += dx;
        node.y += dy;
        node.labelBox.x += dx;
        node.labelBox.y += dy;
    }
    for (TreeSegment& segment : layout.segments) {
        for (std::array<double, 2>& point : segment.line)
            point = {point[0] + dx, point[1] + dy};
        segment.labelBox.x += dx;
        segment.labelBox.y += dy;
    }
    bounds = {0, 0, bounds.width + 2 * lineHeight, bounds.height + 2 * lineHeight};
    return layout;
}

} // namespace network
