#pragma once

#include "ui/qt/sheet_measure.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace controls::qt::detail {

// A paragraph of up to so many lines is kept on one page.
constexpr int kWholeLines = 4;
// Every page's margins, A4's.
constexpr double kMarginMm = 18;

// The height the page number takes at a page's foot, and the number itself.
inline double footerHeight(const Style& style, QPaintDevice& device) {
    return 2.2 *
           Lines(QStringLiteral("0"), style.font(kFooterPt), 1e6, Qt::AlignLeft, &device).height();
}
inline void pageNumber(QPainter& painter, QPaintDevice& device, const Style& style, int page,
                       int total) {
    const QString number = QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(total);
    const Lines lines(number, style.font(kFooterPt), device.width(), Qt::AlignHCenter, &device);
    lines.draw(painter, QPointF(0, device.height() - lines.height()), *style.faces);
}

// The flow of a sheet down its pages. Run once without a painter to count the pages and again
// with one to draw them, the same way both times.
class Pages {
public:
    Pages(const Style& style, QPagedPaintDevice& device, QPainter* painter, int total)
        : m_style(style), m_device(device), m_painter(painter), m_total(total),
          m_width(device.width()), m_bottom(device.height() - footerHeight(style, device)) {}

    double width() const { return m_width; }
    int page() const { return m_page; }
    QPainter* painter() const { return m_painter; }
    bool fits(double height) const { return m_y + height <= m_bottom; }
    // Space before what follows, none at the top of a page.
    void space(double points) {
        if (m_y > 0)
            m_y = std::min(m_bottom, m_y + m_style.px(points));
    }
    // A new page unless `height` still fits on this one, or this one is still empty.
    void keep(double height) {
        if (m_y > 0 && !fits(height))
            breakPage();
    }
    // The place for a block of `height` below what is drawn, which it then holds.
    double take(double height) {
        const double y = m_y;
        m_y += height;
        return y;
    }
    void breakPage() {
        footer();
        if (m_painter)
            m_device.newPage();
        ++m_page;
        m_y = 0;
    }
    // Text across the page (from `indent`), line by line, each line on the page it fits on.
    void text(const QString& text, const QFont& font, Qt::Alignment align = Qt::AlignLeft,
              double indent = 0) {
        const Lines lines(text, font, m_width - indent, align, &m_device);
        // A paragraph of a few lines is not split: its last line alone on a page reads as
        // something apart.
        if (lines.count() <= kWholeLines)
            keep(lines.height());
        for (int i = 0; i < lines.count(); ++i) {
            const QTextLine line = lines.line(i);
            keep(line.height());
            if (m_painter)
                m_style.faces->drawLine(*m_painter, line, QPointF(indent, m_y - line.y()));
            m_y += line.height();
        }
    }
    void footer() {
        if (m_painter)
            pageNumber(*m_painter, m_device, m_style, m_page, m_total);
    }

private:
    const Style& m_style;
    QPagedPaintDevice& m_device;
    QPainter* m_painter;
    int m_total;
    double m_width;
    double m_bottom;
    double m_y = 0;
    int m_page = 1;
};

void flow(Pages& pages, const sheet::Sheet& sheet, const std::vector<TableFit>& fits,
          const Style& style);

// The pages of a sheet's drawings, after its text: how many, and each drawn on a page of its
// own (turned landscape where it fits better), numbered on from `first` of `total`.
int picturePages(const sheet::Sheet& sheet);
void drawPictures(const sheet::Sheet& sheet, QPagedPaintDevice& device, QPainter& painter,
                  const Style& style, int first, int total);

} // namespace controls::qt::detail
