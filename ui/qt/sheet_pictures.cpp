// The network sheet's pictures on pages of their own after its text: the profile to the most
// unfavourable user and the tree.
#include "network/network_sheet.h"
#include "network/profile.h"
#include "ui/qt/network_pictures.h"
#include "ui/qt/sheet_pages.h"

#include <QPageLayout>
#include <QPageSize>

#include <algorithm>
#include <optional>

namespace controls::qt::detail {

namespace {

// The tree's and the profile's type: the tables' largest, so that a tree shrunk to fit a page
// still reads as a table at its least does.
constexpr double kPicturePt = kTablePt;

const network::SheetDrawings* drawingsOf(const sheet::Sheet& sheet) {
    return dynamic_cast<const network::SheetDrawings*>(sheet.drawings.get());
}

void turn(QPagedPaintDevice& device, QPageLayout::Orientation orientation) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
}

// A picture page's heading at its top, as a section's; the height it takes.
double heading(QPainter& painter, QPaintDevice& device, const Style& style, const QString& words) {
    const Lines lines(words, style.font(kSectionPt, true), device.width(), Qt::AlignLeft, &device);
    painter.setPen(Qt::black);
    lines.draw(painter, QPointF(0, 0), *style.faces);
    return lines.height() + style.px(6);
}

} // namespace

int picturePages(const sheet::Sheet& sheet) {
    const network::SheetDrawings* drawings = drawingsOf(sheet);
    if (!drawings)
        return 0;
    return network::profile(drawings->network, drawings->result) ? 2 : 1;
}

void drawPictures(const sheet::Sheet& sheet, QPagedPaintDevice& device, QPainter& painter,
                  const Style& style, int first, int total) {
    const network::SheetDrawings* drawings = drawingsOf(sheet);
    if (!drawings)
        return;
    PictureLook look = printLook(style.font(kPicturePt));
    look.faces = style.faces;
    int page = first;

    // A profile is wider than tall: landscape.
    if (const std::optional<network::Profile> profile =
            network::profile(drawings->network, drawings->result)) {
        turn(device, QPageLayout::Landscape);
        device.newPage();
        const double top =
            heading(painter, device, style,
                    QStringLiteral("附图：至最不利用户的沿线压力%1")
                        .arg(profile->heatLoss ? QStringLiteral("与温度") : QString()));
        drawProfile(
            painter,
            QRectF(0, top, device.width(), device.height() - top - footerHeight(style, device)),
            *profile, look);
        pageNumber(painter, device, style, page++, total);
    }

    // The tree at its own size where it fits, else shrunk to fit whichever way up shrinks it
    // least; the heading says so.
    const network::TreeLayout tree =
        treeLayout(drawings->network, drawings->result, look.font, &device);
    const auto scaleOn = [&](QPageLayout::Orientation orientation) {
        turn(device, orientation);
        const double room =
            device.height() - footerHeight(style, device) - 3 * style.px(kSectionPt);
        return std::min({1.0, device.width() / std::max(1.0, tree.bounds.width),
                         room / std::max(1.0, tree.bounds.height)});
    };
    const double portrait = scaleOn(QPageLayout::Portrait);
    const double landscape = scaleOn(QPageLayout::Landscape);
    const double scale = std::max(portrait, landscape);
    turn(device, landscape > portrait ? QPageLayout::Landscape : QPageLayout::Portrait);
    device.newPage();
    // Shrunk or not, in words rather than a percentage: the fit is measured in the platform's
    // font metrics, and a sheet must read the same made on Windows as on Linux.
    const double top = heading(painter, device, style,
                               scale < 1 ? QStringLiteral("附图：管网图（缩小以容于一页）")
                                         : QStringLiteral("附图：管网图"));
    painter.save();
    // Centred across the page, below the heading.
    painter.translate((device.width() - tree.bounds.width * scale) / 2, top);
    painter.scale(scale, scale);
    painter.translate(-tree.bounds.x, -tree.bounds.y);
    drawTree(painter, tree, drawings->result, look);
    painter.restore();
    pageNumber(painter, device, style, page, total);
}

} // namespace controls::qt::detail
