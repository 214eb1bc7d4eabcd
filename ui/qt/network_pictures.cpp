#include "ui/qt/network_pictures.h"

#include "files/save.h"
#include "network/report.h"
#include "ui/qt/chinese_font.h"
#include "ui/qt/colours.h"
#include "ui/qt/picture_text.h"
#include "ui/qt/sheet_measure.h"

#include <QBuffer>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <string_view>

namespace controls::qt {

using detail::qtext;
using detail::TextLine;

namespace {

// The tables' looks (widgets/table.cpp): red above, grey below, each made readable on a tree
// label's fill, a shade nearer the ink than the background and so the harder ground to read
// on; a plain and a recommended row in the ink.
std::array<QColor, 4> tableLooks(const QColor& ink, const QColor& labelFill) {
    return {ink, ink, readableOn(QColor(255, 0, 0), labelFill),
            readableOn(QColor(128, 128, 128), labelFill)};
}

QFont pictureFont(QFont font) {
    // As the sheet's (sheet_measure.h): no alternates a PDF reader cannot read back.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

QColor lookColour(const PictureLook& look, sheet::Look row) {
    return look.looks[static_cast<std::size_t>(row)];
}

double squared(double x) {
    return x * x;
}

// The distance from `p` to the stretch from `a` to `b`.
double distanceTo(QPointF p, QPointF a, QPointF b) {
    const QPointF d = b - a;
    const double length = QPointF::dotProduct(d, d);
    const double t =
        length > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / length, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * d;
    return std::sqrt(squared(p.x() - nearest.x()) + squared(p.y() - nearest.y()));
}

bool inside(const network::Box& box, QPointF p) {
    return p.x() >= box.x && p.x() <= box.x + box.width && p.y() >= box.y &&
           p.y() <= box.y + box.height;
}

QRectF rectOf(const network::Box& box) {
    return QRectF(box.x, box.y, box.width, box.height);
}

} // namespace

PictureLook lightLook(const QFont& font) {
    const QColor background(Qt::white), ink(0x20, 0x20, 0x20), labelFill(0xf6, 0xf6, 0xf6);
    return {.background = background,
            .ink = ink,
            .grid = QColor(0xdd, 0xdd, 0xdd),
            .pressure = QColor(0x1f, 0x4e, 0xa0),
            .temperature = QColor(0xc8, 0x5a, 0x00),
            .saturation = QColor(0x2a, 0x80, 0x3a),
            .required = QColor(0x6a, 0x1b, 0x9a),
            .failing = QColor(0xd0, 0x00, 0x00),
            .failingFill = QColor(0xfd, 0xe0, 0xe0),
            .labelFill = labelFill,
            .looks = tableLooks(ink, labelFill),
            .font = pictureFont(font)};
}

PictureLook darkLook(const QFont& font) {
    const QColor background(0x1e, 0x1e, 0x1e), ink(0xe8, 0xe8, 0xe8), labelFill(0x2b, 0x2b, 0x2b);
    return {.background = background,
            .ink = ink,
            .grid = QColor(0x3c, 0x3c, 0x3c),
            .pressure = QColor(0x7a, 0xb0, 0xff),
            .temperature = QColor(0xff, 0xa8, 0x50),
            .saturation = QColor(0x70, 0xd0, 0x88),
            .required = QColor(0xd8, 0xa8, 0xff),
            .failing = QColor(0xff, 0x6b, 0x6b),
            .failingFill = QColor(0x4a, 0x22, 0x22),
            .labelFill = labelFill,
            .looks = tableLooks(ink, labelFill),
            .font = pictureFont(font)};
}

// Colours whose greys stay apart: the pressure darkest, the temperatures mid-grey and dashed or
// dotted, a failing band a light grey under a dark red.
PictureLook printLook(const QFont& font) {
    const QColor background(Qt::white), ink(Qt::black), labelFill(0xf4, 0xf4, 0xf4);
    return {.background = background,
            .ink = ink,
            .grid = QColor(0xcc, 0xcc, 0xcc),
            .pressure = QColor(0x0a, 0x2a, 0x70),
            .temperature = QColor(0xb0, 0x50, 0x00),
            .saturation = QColor(0x30, 0x70, 0x30),
            .required = QColor(0x40, 0x10, 0x60),
            .failing = QColor(0xb0, 0x00, 0x00),
            .failingFill = QColor(0xf2, 0xd8, 0xd8),
            .labelFill = labelFill,
            .looks = tableLooks(ink, labelFill),
            .font = pictureFont(font)};
}

std::string saveProfilePng(const network::Profile& profile, QSize size,
                           const std::filesystem::path& path) {
    QImage image(size, QImage::Format_RGB32);
    QFont font(chineseFamily());
    // About seventy lines of text down a 1600 × 1000 picture's width: a report's reading size.
    font.setPixelSize(std::clamp(std::min(size.width(), size.height() * 8 / 5) / 72, 10, 60));
    {
        QPainter painter(&image);
        drawProfile(painter, QRectF(QPointF(0, 0), QSizeF(size)), profile, lightLook(font));
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return files::saveFault(files::fileNameOf(path), "无法绘制 PNG");
    const std::string why =
        files::saveBytes(path, std::string_view(buffer.data().constData(), buffer.data().size()));
    return why.empty() ? why : files::saveFault(files::fileNameOf(path), why);
}

network::TreeLayout treeLayout(const network::Network& network, const network::Result& result,
                               const QFont& font, const QPaintDevice* device) {
    const QFont shown = pictureFont(font);
    const auto width = [&](std::string_view text) {
        return TextLine(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), shown,
                        device)
            .width();
    };
    const double lineHeight = TextLine(QStringLiteral("0"), shown, device).height();
    return network::layoutTree(network, result, width, lineHeight);
}

void drawTree(QPainter& painter, const network::TreeLayout& layout, const network::Result& result,
              const PictureLook& look) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPaintDevice* device = painter.device();
    const double h = TextLine(QStringLiteral("0"), look.font, device).height();
    const double stroke = h * 0.12, radius = layout.dotRadius > 0 ? layout.dotRadius : h * 0.32;
    painter.fillRect(rectOf(layout.bounds), look.background);

    // A failing row's label framed heavily in its red, which a grey print shows as a dark frame
    // where the red text alone would read as any other.
    const auto label = [&](const network::Box& box, const std::vector<std::string>& lines,
                           const QColor& ink, bool failing) {
        painter.setPen(failing ? QPen(ink, h * 0.12) : QPen(look.grid, h * 0.05));
        painter.setBrush(look.labelFill);
        // A little wider than the text, so that a frame does not touch its letters; the
        // layout keeps a quarter line between boxes.
        painter.drawRect(rectOf(box).adjusted(-h * 0.12, 0, h * 0.12, 0));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(ink);
        // Centred in the box, whatever margin the layout gave it.
        double y = box.y + (box.height - h * static_cast<double>(lines.size())) / 2;
        for (const std::string& words : lines) {
            const TextLine line(qtext(words), look.font, device);
            line.draw(painter, QPointF(box.x + (box.width - line.width()) / 2, y), look.faces);
            y += h;
        }
    };

    for (const network::TreeSegment& segment : layout.segments) {
        const sheet::Look row = segment.segment < result.segments.size()
                                    ? network::segmentLook(result.segments[segment.segment])
                                    : sheet::Look::Plain;
        // A failing segment's line red and heavier, a grey one dashed: in grey print too.
        QPen line(lookColour(look, row), row == sheet::Look::Above ? stroke * 2 : stroke,
                  row == sheet::Look::Below ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap,
                  Qt::RoundJoin);
        painter.setPen(line);
        QPolygonF points;
        for (const auto& [px, py] : segment.line)
            points << QPointF(px, py);
        painter.drawPolyline(points);
    }
    for (const network::TreeSegment& segment : layout.segments) {
        const sheet::Look row = segment.segment < result.segments.size()
                                    ? network::segmentLook(result.segments[segment.segment])
                                    : sheet::Look::Plain;
        label(segment.labelBox, segment.label, lookColour(look, row), row == sheet::Look::Above);
    }
    for (std::size_t i = 0; i < layout.nodes.size(); ++i) {
        const network::TreeNode& node = layout.nodes[i];
        const sheet::Look row = node.node < result.nodes.size()
                                    ? network::nodeLook(result, node.node)
                                    : sheet::Look::Plain;
        const QColor colour = lookColour(look, row);
        painter.setPen(QPen(look.ink, h * 0.06));
        painter.setBrush(colour);
        // The source a square, as a drawing of a network marks where the steam comes from.
        if (i == 0)
            painter.drawRect(QRectF(node.x - radius, node.y - radius, radius * 2, radius * 2));
        else
            painter.drawEllipse(QPointF(node.x, node.y), radius, radius);
        painter.setBrush(Qt::NoBrush);
        label(node.labelBox, node.label, colour, row == sheet::Look::Above);
    }
    painter.restore();
}

TreeHit hitTree(const network::TreeLayout& layout, QPointF at, double reach) {
    for (const network::TreeNode& node : layout.nodes)
        if (std::hypot(at.x() - node.x, at.y() - node.y) <= reach || inside(node.labelBox, at))
            return {.node = node.node};
    for (const network::TreeSegment& segment : layout.segments) {
        if (inside(segment.labelBox, at))
            return {.segment = segment.segment};
        for (std::size_t i = 1; i < segment.line.size(); ++i) {
            const QPointF a(segment.line[i - 1][0], segment.line[i - 1][1]);
            const QPointF b(segment.line[i][0], segment.line[i][1]);
            if (distanceTo(at, a, b) <= reach)
                return {.segment = segment.segment};
        }
    }
    return {};
}

} // namespace controls::qt
