#pragma once

#include "ui/qt/sheet_measure.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace controls::qt::detail {

// A paragraph of up to so many lines is kept on one page.
constexpr int kWholeLines = 4;

// The flow of a sheet down its pages. Run once without a painter to count the pages and again
// with one to draw them, the same way both times.
class Pages {
public:
    Pages(const Style& style, QPagedPaintDevice& device, QPainter* painter, int total)
        : m_style(style), m_device(device), m_painter(painter), m_total(total),
          m_width(device.width()),
          m_bottom(device.height() - 2.2 * Lines(QStringLiteral("0"), style.font(kFooterPt), 1e6,
                                                 Qt::AlignLeft, &device)
                                               .height()) {}

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
        if (!m_painter)
            return;
        const QString number = QStringLiteral("第 %1 页 / 共 %2 页").arg(m_page).arg(m_total);
        const Lines lines(number, m_style.font(kFooterPt), m_width, Qt::AlignHCenter, &m_device);
        lines.draw(*m_painter, QPointF(0, m_device.height() - lines.height()), *m_style.faces);
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

} // namespace controls::qt::detail
