#include "network/tree_layout.h"

#include "network/file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace {

using network::Box;
using network::Network;
using network::Result;
using network::TreeLayout;
using Point = std::array<double, 2>;

// Text measures the layout must work with whatever they say: a fixed width a code point, twice
// that for the wide forms (CJK, full-width signs), and one far from any font's, whose digits
// are wide and whose CJK are narrow.
std::vector<char32_t> codePoints(std::string_view text) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        points.push_back(point);
        i += length;
    }
    return points;
}
double evenWidth(std::string_view text) {
    double width = 0;
    for (const char32_t point : codePoints(text))
        width += point >= 0x2E80 ? 14 : 7;
    return width;
}
double oddWidth(std::string_view text) {
    double width = 0;
    for (const char32_t point : codePoints(text))
        width += point >= '0' && point <= '9' ? 19 : point >= 0x2E80 ? 5 : point == ' ' ? 2 : 9;
    return width;
}

struct Measure {
    const char* name;
    double (*width)(std::string_view);
    double lineHeight;
};
constexpr std::array<Measure, 2> kMeasures{{{"even", evenWidth, 16}, {"odd", oddWidth, 9}}};

bool overlaps(const Box& a, const Box& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

// Whether the straight piece p–q passes through the inside of the box: clipped against each
// side in turn (Liang and Barsky's way).
bool crossesBox(Point p, Point q, const Box& box) {
    double enter = 0, leave = 1;
    const double dx = q[0] - p[0], dy = q[1] - p[1];
    const std::array<std::array<double, 2>, 4> sides{{{-dx, p[0] - box.x},
                                                      {dx, box.x + box.width - p[0]},
                                                      {-dy, p[1] - box.y},
                                                      {dy, box.y + box.height - p[1]}}};
    for (const auto& [step, room] : sides) {
        if (step == 0) {
            if (room <= 0)
                return false;
            continue;
        }
        const double t = room / step;
        if (step < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    return enter < leave;
}

double distanceToPiece(Point c, Point p, Point q) {
    const double dx = q[0] - p[0], dy = q[1] - p[1];
    const double length2 = dx * dx + dy * dy;
    const double t =
        length2 == 0 ? 0
                     : std::clamp(((c[0] - p[0]) * dx + (c[1] - p[1]) * dy) / length2, 0.0, 1.0);
    return std::hypot(p[0] + t * dx - c[0], p[1] + t * dy - c[1]);
}

bool circleMeetsBox(Point c, double r, const Box& box) {
    const double nx = std::clamp(c[0], box.x, box.x + box.width);
    const double ny = std::clamp(c[1], box.y, box.y + box.height);
    return std::hypot(nx - c[0], ny - c[1]) < r;
}

double cross(Point o, Point a, Point b) {
    return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0]);
}
bool onPiece(Point c, Point p, Point q) {
    return cross(p, q, c) == 0 && std::min(p[0], q[0]) <= c[0] && c[0] <= std::max(p[0], q[0]) &&
           std::min(p[1], q[1]) <= c[1] && c[1] <= std::max(p[1], q[1]);
}

// Where two straight pieces meet: none, a single point, or a stretch along both.
struct Contact {
    enum { None, Point, Stretch } kind = None;
    ::Point at{};
};
Contact contact(Point a, Point b, Point c, Point d) {
    const double d1 = cross(c, d, a), d2 = cross(c, d, b), d3 = cross(a, b, c), d4 = cross(a, b, d);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) {
        const double t = d1 / (d1 - d2);
        return {Contact::Point, {a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1])}};
    }
    if (d1 == 0 && d2 == 0) {
        // On one line: they share a stretch, a point, or nothing.
        std::vector<::Point> shared;
        for (const ::Point& e : {a, b})
            if (onPiece(e, c, d))
                shared.push_back(e);
        for (const ::Point& e : {c, d})
            if (onPiece(e, a, b))
                shared.push_back(e);
        if (shared.empty())
            return {};
        const bool stretch = std::any_of(shared.begin(), shared.end(),
                                         [&](const ::Point& e) { return e != shared.front(); });
        return {stretch ? Contact::Stretch : Contact::Point, shared.front()};
    }
    for (const auto& [e, p, q] : {std::tuple{a, c, d}, {b, c, d}, {c, a, b}, {d, a, b}})
        if (onPiece(e, p, q))
            return {Contact::Point, e};
    return {};
}

// Every property of a drawable tree, on the boxes, dots and lines the layout gives.
void expectDrawable(const Network& n, const TreeLayout& layout) {
    const std::size_t count = n.segments.size() + 1;
    ASSERT_EQ(layout.nodes.size(), count);
    ASSERT_EQ(layout.segments.size(), n.segments.size());
    const double r = layout.dotRadius;
    ASSERT_GT(r, 0);
    std::vector<std::string> names{n.source.node};
    for (const network::Segment& s : n.segments)
        names.push_back(s.to);
    auto dot = [&](std::size_t node) { return Point{layout.nodes[node].x, layout.nodes[node].y}; };

    // Each node and segment once, in its place, named, each line from its from-node's dot to
    // its to-node's, straight pieces across and down only.
    std::vector<Box> labels;
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_EQ(layout.nodes[i].node, i);
        ASSERT_GE(layout.nodes[i].label.size(), 2U);
        EXPECT_EQ(layout.nodes[i].label[0], names[i]);
        labels.push_back(layout.nodes[i].labelBox);
    }
    for (std::size_t i = 0; i < n.segments.size(); ++i) {
        const network::TreeSegment& s = layout.segments[i];
        EXPECT_EQ(s.segment, i);
        const auto from = std::find(names.begin(), names.end(), n.segments[i].from);
        EXPECT_EQ(s.from, static_cast<std::size_t>(from - names.begin()));
        EXPECT_EQ(s.to, i + 1);
        ASSERT_EQ(s.label.size(), 3U);
        EXPECT_EQ(s.label[0], n.segments[i].name);
        ASSERT_GE(s.line.size(), 2U);
        EXPECT_EQ(s.line.front(), dot(s.from)) << "segment " << i;
        EXPECT_EQ(s.line.back(), dot(s.to)) << "segment " << i;
        for (std::size_t k = 1; k < s.line.size(); ++k)
            EXPECT_TRUE(s.line[k - 1][0] == s.line[k][0] || s.line[k - 1][1] == s.line[k][1]);
        labels.push_back(s.labelBox);
    }

    // No two labels overlap; none lies over a line or a dot.
    for (std::size_t a = 0; a < labels.size(); ++a)
        for (std::size_t b = a + 1; b < labels.size(); ++b)
            EXPECT_FALSE(overlaps(labels[a], labels[b])) << "labels " << a << " and " << b;
    for (std::size_t a = 0; a < labels.size(); ++a) {
        for (std::size_t node = 0; node < count; ++node)
            EXPECT_FALSE(circleMeetsBox(dot(node), r, labels[a]))
                << "label " << a << ", dot " << node;
        for (const network::TreeSegment& s : layout.segments)
            for (std::size_t k = 1; k < s.line.size(); ++k)
                EXPECT_FALSE(crossesBox(s.line[k - 1], s.line[k], labels[a]))
                    << "label " << a << ", line " << s.segment;
    }

    // A line passes by every dot but its own two's.
    for (const network::TreeSegment& s : layout.segments)
        for (std::size_t node = 0; node < count; ++node)
            for (std::size_t k = 1; k < s.line.size() && node != s.from && node != s.to; ++k) {
                EXPECT_GE(distanceToPiece(dot(node), s.line[k - 1], s.line[k]), r)
                    << "line " << s.segment << ", dot " << node;
            }

    // No two lines cross or touch, but where they meet at a node they share, and where two
    // segments from one node run down the same trunk from its dot.
    for (const network::TreeSegment& a : layout.segments)
        for (const network::TreeSegment& b : layout.segments) {
            if (b.segment <= a.segment)
                continue;
            const bool siblings = a.from == b.from;
            for (std::size_t i = 1; i < a.line.size(); ++i)
                for (std::size_t j = 1; j < b.line.size(); ++j) {
                    const Contact c = contact(a.line[i - 1], a.line[i], b.line[j - 1], b.line[j]);
                    if (c.kind == Contact::None)
                        continue;
                    const bool trunk = siblings && onPiece(c.at, a.line[0], a.line[1]) &&
                                       onPiece(c.at, b.line[0], b.line[1]);
                    if (c.kind == Contact::Stretch) {
                        EXPECT_TRUE(trunk && i == 1 && j == 1)
                            << "lines " << a.segment << " and " << b.segment << " overlap";
                        continue;
                    }
                    bool atShared = false;
                    for (const std::size_t node : {a.from, a.to})
                        atShared |= (node == b.from || node == b.to) && c.at == dot(node);
                    EXPECT_TRUE(atShared || trunk) << "lines " << a.segment << " and " << b.segment
                                                   << " cross at " << c.at[0] << ", " << c.at[1];
                }
        }

    // The bounds hold everything.
    const Box& bounds = layout.bounds;
    auto inside = [&](double x, double y) {
        return bounds.x <= x && x <= bounds.x + bounds.width && bounds.y <= y &&
               y <= bounds.y + bounds.height;
    };
    for (const Box& b : labels)
        EXPECT_TRUE(inside(b.x, b.y) && inside(b.x + b.width, b.y + b.height));
    for (std::size_t node = 0; node < count; ++node)
        EXPECT_TRUE(inside(dot(node)[0] - r, dot(node)[1] - r) &&
                    inside(dot(node)[0] + r, dot(node)[1] + r));
    for (const network::TreeSegment& s : layout.segments)
        for (const Point& p : s.line)
            EXPECT_TRUE(inside(p[0], p[1]));
}

TEST(TreeLayout, EveryExampleIsDrawable) {
    const std::filesystem::path docs = std::filesystem::path(STEAM_NETWORK_EXAMPLES).parent_path();
    std::size_t files = 0;
    for (const char* folder : {"examples", "heat-loss-examples"})
        for (const auto& entry : std::filesystem::directory_iterator(docs / folder)) {
            SCOPED_TRACE(entry.path().string());
            const network::Reading reading = network::loadNetwork(entry.path());
            ASSERT_TRUE(reading.network) << reading.fault;
            const Result result = network::solve(*reading.network);
            for (const Measure& m : kMeasures) {
                SCOPED_TRACE(m.name);
                expectDrawable(*reading.network, network::layoutTree(*reading.network, result,
                                                                     m.width, m.lineHeight));
            }
            ++files;
        }
    EXPECT_EQ(files, 6U);
}

} // namespace
