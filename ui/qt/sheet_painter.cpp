#include "ui/qt/sheet_painter.h"

#include "files/save.h"
#include "ui/qt/chinese_font.h"
#include "ui/qt/sheet_pages.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <string_view>
#include <vector>

namespace controls::qt {

using namespace detail;

bool paintSheet(const sheet::Sheet& sheet, QPagedPaintDevice& device) {
    PdfFaces faces;
    const Style style{.family = chineseFamily(), .device = &device, .faces = &faces};
    const auto fitAll = [&](QPageLayout::Orientation orientation) {
        device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        // The tables of one sheet in one type size, the size the widest needs.
        double points = kTablePt;
        for (const sheet::Table& table : sheet.tables)
            points = std::min(points, fitTable(table, device.width(), style).points);
        std::vector<TableFit> fits;
        for (const sheet::Table& table : sheet.tables)
            fits.push_back(fitTable(table, device.width(), style, points));
        return fits;
    };
    // A design review files portrait pages; a table that would need too small a type across one
    // turns the whole sheet landscape rather than a page or two of it, so that the pages stack
    // the same way up.
    std::vector<TableFit> fits = fitAll(QPageLayout::Portrait);
    if (!std::all_of(fits.begin(), fits.end(), [](const TableFit& fit) { return fit.readable(); }))
        fits = fitAll(QPageLayout::Landscape);

    Pages count(style, device, nullptr, 0);
    flow(count, sheet, fits, style);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int total = count.page() + picturePages(sheet);
    Pages pages(style, device, &painter, total);
    flow(pages, sheet, fits, style);
    drawPictures(sheet, device, painter, style, count.page() + 1, total);
    return painter.end();
}

std::string savePdf(const sheet::Sheet& sheet, const std::filesystem::path& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setTitle(sheet.subject.empty() ? qtext(sheet.title)
                                              : QStringLiteral("%1 — %2").arg(
                                                    qtext(sheet.title), qtext(sheet.subject)));
        writer.setCreator(qtext(sheet.program));
        if (!paintSheet(sheet, writer))
            return files::saveFault(files::fileNameOf(path), "无法绘制 PDF");
    }
    const std::string why =
        files::saveBytes(path, std::string_view(buffer.data().constData(), buffer.data().size()));
    return why.empty() ? why : files::saveFault(files::fileNameOf(path), why);
}

} // namespace controls::qt
