#pragma once

#include "network/network.h"
#include "network/profile.h"
#include "network/tree_layout.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// The network's two pictures drawn with Qt's painter alone (the GUI module, no widgets), so
// that the window, the sheet's PDF and the offscreen PNG draw the same: the pressure and
// temperature along the path to a node, and the tree of segments.
namespace controls::qt {

class PdfFaces;

// The colours, strokes and type of a picture. Every distinction is also made by a stroke's
// dashes, a marker's shape or a hatch, so that a picture printed in grey still tells apart
// what its colours do.
struct PictureLook {
    QColor background; // filled before anything is drawn
    QColor ink;        // axes, ticks, texts, the tree's lines
    QColor grid;       // the ticks' lines across the plot
    QColor pressure, temperature, saturation;
    QColor required; // a requirement's marker that is met
    QColor failing;  // a failing span's band, an exhausted one's hatch, an unmet requirement
    QColor failingFill;
    QColor labelFill; // behind a tree label
    // A node's dot and a segment's line by their row's look in the tables, by sheet::Look:
    // plain, recommended, above (red), below (grey).
    std::array<QColor, 4> looks;
    QFont font;
    // Where set, texts are drawn through it so that a PDF reader reads back what was drawn.
    PdfFaces* faces = nullptr;
};

// On a light window, on a dark one, and on paper that may be printed in grey. `font` is the
// texts' font; its family should be the program's Chinese one (chineseFamily()).
PictureLook lightLook(const QFont& font);
PictureLook darkLook(const QFont& font);
PictureLook printLook(const QFont& font);

// The profile filling `area`: the title, a legend, the pressure against the distance (and, with
// heat loss, the steam's and the saturation temperature on an axis at the right), each node
// marked and named, each requirement with its margin, failing and exhausted spans banded.
void drawProfile(QPainter& painter, const QRectF& area, const network::Profile& profile,
                 const PictureLook& look);

// The profile as a PNG of `size` pixels on the light look, its type scaled to the size, saved
// through a temporary file renamed over `path`. Empty when done, else one message naming the
// file and why, with nothing left behind.
std::string saveProfilePng(const network::Profile& profile, QSize size,
                           const std::filesystem::path& path);

// The tree as laid out in the layout's own coordinates (the painter's transform places and
// scales it), laid out by treeLayout with the look's font on the painter's device.
void drawTree(QPainter& painter, const network::TreeLayout& layout, const network::Result& result,
              const PictureLook& look);

// The layout of a computed network's tree for texts in `font` on `device` (the screen's where
// none is given), in that device's pixels.
network::TreeLayout treeLayout(const network::Network& network, const network::Result& result,
                               const QFont& font, const QPaintDevice* device = nullptr);

// What a point of the tree's drawing (in the layout's coordinates) is on: a node's dot or
// label, else a segment's line within `reach` or its label. Indices into Result::nodes and
// Network::segments.
struct TreeHit {
    std::optional<std::size_t> node{}, segment{};
};
TreeHit hitTree(const network::TreeLayout& layout, QPointF at, double reach);

} // namespace controls::qt
