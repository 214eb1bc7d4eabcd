#include "network/tree_layout.h"

#include "network/file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using network::Box;
using network::Network;
using network::Result;
using network::TreeLayout;
using Point = std::array<double, 2>;

// Text measures the layout must work with whatever they say: a fixed width a code point, twice
// that for CJK and the full-width signs (UTF-8 leads from 0xE3), and one far from any font's.
struct Measure {
    double narrow, wide, digit, lineHeight;
};
constexpr std::array<Measure, 2> kMeasures{{{7, 14, 7, 16}, {9, 5, 19, 9}}};
network::TextWidth widthOf(const Measure& m) {
    return [m](std::string_view text) {
        double width = 0;
        for (const unsigned char c : text) {
            const bool lead = (c & 0xC0) != 0x80; // a UTF-8 continuation byte adds nothing
            width += !lead ? 0 : std::isdigit(c) ? m.digit : c >= 0xE3 ? m.wide : m.narrow;
        }
        return width;
    };
}

network::SegmentResult carrying(double flow, const char* pipe) {
    network::SegmentResult s;
    std::tie(s.flow, s.pipe) = std::tuple(flow, pipe);
    return s;
}

// Overlapping with an inside, so that a line (a box without width) across a box overlaps it and
// one that only touches its edge does not.
bool overlaps(const Box& a, const Box& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}
// Whether two straight pieces cross, each passing through the other's inside.
bool cross(Point a, Point b, Point c, Point d) {
    const auto side = [](Point o, Point p, Point q) {
        const double turn = (p[0] - o[0]) * (q[1] - o[1]) - (p[1] - o[1]) * (q[0] - o[0]);
        return (turn > 0) - (turn < 0);
    };
    return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}
// Whether two pieces across or down run along the same line for a stretch, drawn as one.
bool alongside(Point a, Point b, Point c, Point d) {
    for (const std::size_t along : {0, 1})
        if (a[1 - along] == b[1 - along] && c[1 - along] == d[1 - along] &&
            a[1 - along] == c[1 - along])
            return std::max(std::min(a[along], b[along]), std::min(c[along], d[along])) <
                   std::min(std::max(a[along], b[along]), std::max(c[along], d[along]));
    return false;
}

// Every property of a drawable tree, on the boxes, dots and lines the layout gives: each node
// and segment once, named, each line across and down from its from-node's dot to its
// to-node's; no two labels or dots overlapping, no line through a label or a dot not its own,
// each label with a quarter line's room round it,
// no two lines crossing or drawn over each other but the trunk segments from one node share,
// and the bounds holding everything.
void expectDrawable(const Network& n, const TreeLayout& layout, double lineHeight) {
    // A frame's room: a quarter line round each label.
    const auto framed = [q = lineHeight / 4](const Box& b) {
        return Box{b.x - q, b.y - q, b.width + 2 * q, b.height + 2 * q};
    };
    ASSERT_EQ(layout.nodes.size(), n.segments.size() + 1);
    ASSERT_EQ(layout.segments.size(), n.segments.size());
    const double r = layout.dotRadius;
    std::vector<Box> boxes; // the dots', then the labels'
    std::vector<std::string> names{n.source.node};
    for (const network::Segment& s : n.segments)
        names.push_back(s.to);
    for (const network::TreeNode& node : layout.nodes)
        boxes.push_back({node.x - r, node.y - r, 2 * r, 2 * r});
    for (std::size_t i = 0; i < layout.nodes.size(); ++i) {
        EXPECT_EQ(layout.nodes[i].node, i);
        EXPECT_EQ(layout.nodes[i].label.at(0), names[i]);
        boxes.push_back(framed(layout.nodes[i].labelBox));
    }
    for (std::size_t i = 0; i < n.segments.size(); ++i) {
        const network::TreeSegment& s = layout.segments[i];
        EXPECT_EQ(s.segment, i);
        EXPECT_EQ(names.at(s.from), n.segments[i].from);
        EXPECT_EQ(s.to, i + 1);
        EXPECT_EQ(s.label.at(0), n.segments[i].name);
        EXPECT_EQ(s.line.front(), (Point{layout.nodes[s.from].x, layout.nodes[s.from].y}));
        EXPECT_EQ(s.line.back(), (Point{layout.nodes[s.to].x, layout.nodes[s.to].y}));
        boxes.push_back(framed(s.labelBox));
    }
    for (std::size_t a = 0; a < boxes.size(); ++a)
        for (std::size_t b = a + 1; b < boxes.size(); ++b)
            EXPECT_FALSE(overlaps(boxes[a], boxes[b])) << "boxes " << a << " and " << b;
    for (const network::TreeSegment& s : layout.segments)
        for (std::size_t k = 1; k < s.line.size(); ++k) {
            const Point p = s.line[k - 1], q = s.line[k];
            EXPECT_TRUE(p[0] == q[0] || p[1] == q[1]) << "segment " << s.segment;
            const Box piece{std::min(p[0], q[0]), std::min(p[1], q[1]), std::abs(q[0] - p[0]),
                            std::abs(q[1] - p[1])};
            for (std::size_t b = 0; b < boxes.size(); ++b)
                EXPECT_TRUE(b == s.from || b == s.to || !overlaps(piece, boxes[b]))
                    << "segment " << s.segment << " through box " << b;
            for (const network::TreeSegment& t : layout.segments)
                for (std::size_t j = 1; j < t.line.size(); ++j)
                    EXPECT_FALSE(cross(p, q, t.line[j - 1], t.line[j]) ||
                                 (s.from != t.from && alongside(p, q, t.line[j - 1], t.line[j])))
                        << "segments " << s.segment << " and " << t.segment;
        }
    const Box& all = layout.bounds;
    for (const Box& b : boxes)
        EXPECT_TRUE(all.x <= b.x && b.x + b.width <= all.x + all.width && all.y <= b.y &&
                    b.y + b.height <= all.y + all.height);
}

// Every example with either measure; with the first, a 12-pixel font's, each fits a
// 1600×1000 picture at four fifths of its size or more.
TEST(TreeLayout, EveryExampleIsDrawableAndFitsAPicture) {
    const std::filesystem::path docs = std::filesystem::path(STEAM_NETWORK_EXAMPLES).parent_path();
    std::size_t files = 0;
    for (const char* folder : {"examples", "heat-loss-examples"})
        for (const auto& entry : std::filesystem::directory_iterator(docs / folder)) {
            SCOPED_TRACE(entry.path().string());
            const network::Reading reading = network::loadNetwork(entry.path());
            ASSERT_TRUE(reading.network) << reading.fault;
            const Result result = network::solve(*reading.network);
            for (const Measure& m : kMeasures) {
                const TreeLayout layout =
                    network::layoutTree(*reading.network, result, widthOf(m), m.lineHeight);
                expectDrawable(*reading.network, layout, m.lineHeight);
                EXPECT_TRUE(&m != &kMeasures[0] ||
                            (layout.bounds.width <= 2000 && layout.bounds.height <= 1250));
            }
            ++files;
        }
    EXPECT_EQ(files, 6U);
}

// Random trees: chains, stars, bushes (a parent drawn among all nodes before), combs and deep
// bushes (among the last three), with Latin, CJK and long names, listed in order or shuffled
// (a segment then may come before the one feeding it). The standard fixes mt19937_64's
// numbers, not a distribution's: the trees are the same with every library.
TEST(TreeLayout, RandomTreesAreDrawable) {
    constexpr std::array<const char*, 6> kStems{"J",          "用户", "a",
                                                "蒸汽分配站", "Ω",    "很长很长的用户名称"};
    for (const std::size_t shape : {0, 1, 2, 3, 4})
        for (const std::size_t size : {1, 2, 5, 30, 200})
            for (const unsigned seed : {1, 2}) {
                SCOPED_TRACE(testing::Message()
                             << "shape " << shape << ", " << size << ", " << seed);
                std::mt19937_64 random(seed);
                Network n;
                n.source.node = "S";
                Result result;
                result.nodes.push_back({.name = "S", .pressure = 1.0});
                std::vector<std::string> name{"S"};
                for (std::size_t k = 1; k <= size; ++k) {
                    const std::array<std::size_t, 5> parents{
                        k - 1, 0, random() % k, k % 2 ? k - 1 : std::max<std::size_t>(k, 2) - 2,
                        k - 1 - random() % std::min<std::size_t>(k, 3)};
                    name.push_back(kStems[random() % kStems.size()] + std::to_string(k));
                    n.segments.push_back(
                        {.name = std::to_string(k), .from = name[parents[shape]], .to = name[k]});
                    result.segments.push_back(carrying(static_cast<double>(random() % 100000) / 7,
                                                       random() % 2 ? "D1020x14" : "DN15"));
                    result.nodes.push_back({.name = name[k], .pressure = random() % 99 * 0.37});
                }
                if (seed == 2)
                    std::shuffle(n.segments.begin(), n.segments.end(), random);
                for (const Measure& m : kMeasures)
                    expectDrawable(n,
                                   network::layoutTree(n, seed == 2 ? Result{} : result, widthOf(m),
                                                       m.lineHeight),
                                   m.lineHeight);
                if (HasFailure())
                    return;
            }
}

// The labels' texts: figures to four significant digits, worked by hand, the pipe as the
// window names it, a dash for what was not computed; no tree from the source, no drawing.
TEST(TreeLayout, LabelsSayTheFiguresToFourDigits) {
    struct Case {
        std::optional<double> pressure;
        double flow;
        const char* pipe;
        std::vector<std::string> node, segment;
    };
    const std::array<Case, 6> kCases{{
        {1.0, 3.0, "D159x5", {"U", "1.000", "MPa(表压)"}, {"1", "D159×5", "3.000 t/h"}},
        {0.987654, 12.34567, "DN200", {"U", "0.9877", "MPa(表压)"}, {"1", "DN200", "12.35 t/h"}},
        {0.0123456, 0.5, "D57x3.5", {"U", "0.01235", "MPa(表压)"}, {"1", "D57×3.5", "0.5000 t/h"}},
        {1234.567, 98765.4, "D57x3.5", {"U", "1235", "MPa(表压)"}, {"1", "D57×3.5", "98765 t/h"}},
        {-0.05, 0, "D57x3.5", {"U", "-0.05000", "MPa(表压)"}, {"1", "D57×3.5", "0.000 t/h"}},
        {std::nullopt, 2, "", {"U", "—"}, {"1", "—", "2.000 t/h"}}, // below an exhausted segment
    }};
    Network n;
    n.source.node = "S";
    n.segments.push_back({.name = "1", .from = "S", .to = "U"});
    for (const Case& c : kCases) {
        Result result;
        result.segments = {carrying(c.flow, c.pipe)};
        result.nodes = {{.name = "S"}, {.name = "U", .pressure = c.pressure}};
        const TreeLayout layout = network::layoutTree(n, result, widthOf(kMeasures[0]), 16);
        EXPECT_EQ(layout.nodes.at(1).label, c.node);
        EXPECT_EQ(layout.segments.at(0).label, c.segment);
    }
    EXPECT_EQ(network::layoutTree(n, {}, widthOf(kMeasures[0]), 16).segments.at(0).label,
              (std::vector<std::string>{"1", "—", "—"}));
    n.segments[0].pipe = "D57x3.5";
    EXPECT_EQ(network::layoutTree(n, {}, widthOf(kMeasures[0]), 16).segments.at(0).label.at(1),
              "D57×3.5");
    // A segment from nowhere, a loop apart from the source, a node fed twice.
    using Ends = std::vector<std::array<const char*, 2>>;
    for (const Ends& more : {Ends{{"X", "V"}}, Ends{{"V", "W"}, {"W", "V"}}, Ends{{"S", "U"}}}) {
        Network wrong = n;
        for (const auto& [from, to] : more)
            wrong.segments.push_back({.name = to, .from = from, .to = to});
        EXPECT_TRUE(network::layoutTree(wrong, {}, widthOf(kMeasures[0]), 16).nodes.empty())
            << more[0][1];
    }
}

} // namespace
