// The profile along a path: its layout, bands and curves. See network_pictures.h.
#include "ui/qt/profile_painter.h"
#include "ui/qt/sheet_measure.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace controls::qt {

namespace detail {

namespace {

struct Range {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void add(const std::optional<double>& value) {
        if (value && std::isfinite(*value)) {
            low = std::min(low, *value);
            high = std::max(high, *value);
        }
    }
    bool empty() const { return low > high; }
};

using Value = std::function<std::optional<double>(const network::ProfilePoint&)>;

// The polylines through the points from `from` to `to` m that have the value, broken where one
// has none.
std::vector<QPolygonF> polylines(const network::Profile& profile, const Value& value,
                                 const Scale& x, const Scale& y, double from = -HUGE_VAL,
                                 double to = HUGE_VAL) {
    std::vector<QPolygonF> lines(1);
    for (const network::ProfilePoint& point : profile.points) {
        const std::optional<double> v = value(point);
        if (!v || point.distance < from || point.distance > to) {
            if (!lines.back().isEmpty())
                lines.emplace_back();
            continue;
        }
        lines.back() << QPointF(x.at(point.distance), y.at(*v));
    }
    return lines;
}

std::optional<double> pressureOf(const network::ProfilePoint& point) {
    return point.pressure;
}

} // namespace

void ProfilePainter::draw(const QRectF& area) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.fillRect(area, m_look.background);
    m_area = area;
    m_pad = m_h * 0.6;
    m_stroke = std::max(1.0, m_h * 0.14);
    m_thin = std::max(1.0, m_h * 0.05);
    m_tick = m_h * 0.35;

    Range pressures, temperatures;
    for (const network::ProfilePoint& point : m_profile.points) {
        pressures.add(point.pressure);
        temperatures.add(point.temperature);
        temperatures.add(point.saturation);
        m_length = std::max(m_length, point.distance);
    }
    bool requiredTemperature = false;
    for (const network::ProfileNode& node : m_profile.nodes) {
        pressures.add(node.pressure);
        pressures.add(node.required);
        requiredTemperature = requiredTemperature || node.requiredTemperature.has_value();
        m_length = std::max(m_length, node.distance);
    }
    m_temperatures = (m_profile.heatLoss || requiredTemperature) && !temperatures.empty();
    if (m_temperatures)
        for (const network::ProfileNode& node : m_profile.nodes)
            temperatures.add(node.requiredTemperature);
    if (pressures.empty())
        pressures.add(0.0);
    // A little room at both ends, so that a requirement at the lowest pressure is not drawn on
    // the frame; none below zero for figures that are not below it.
    for (Range* range : {&pressures, &temperatures}) {
        const double room = (range->high - range->low) / 25;
        range->high += room;
        range->low = range->low >= 0 ? std::max(0.0, range->low - room) : range->low - room;
    }
    for (const network::ProfileSpan& span : m_profile.spans) {
        m_length = std::max(m_length, span.to);
        if (span.exhaustedAt && !m_exhaustedAt)
            m_exhaustedAt = span.exhaustedAt;
    }
    m_unit = network::distanceUnit(m_length);

    // From the top: the title, its subject line, the legend, the names; from the bottom: the
    // distance's ticks and title.
    double top = area.top() + m_pad;
    QFont titleFont = m_bold;
    if (m_look.font.pixelSize() > 0)
        titleFont.setPixelSize(m_look.font.pixelSize() * 5 / 4);
    else
        titleFont.setPointSizeF(m_look.font.pointSizeF() * 1.25);
    const QString title =
        qtext(m_profile.title.empty() ? std::string("蒸汽管网") : m_profile.title);
    text(title, QPointF(area.center().x(), top), Qt::AlignHCenter | Qt::AlignTop, m_look.ink,
         &titleFont);
    top += TextLine(title, titleFont, m_painter.device()).height();
    if (!m_profile.nodes.empty()) {
        const QString subject =
            QStringLiteral("%1：%2 → %3")
                .arg(m_temperatures ? QStringLiteral("沿线压力与温度") : QStringLiteral("沿线压力"),
                     qtext(m_profile.nodes.front().name), qtext(m_profile.nodes.back().name));
        text(subject, QPointF(area.center().x(), top), Qt::AlignHCenter | Qt::AlignTop, m_look.ink);
        top += m_h;
    }
    const double legendTop = top + m_pad / 2;
    top = legendTop + m_h + m_pad;
    const double bottom = area.bottom() - m_pad - 2 * m_h - m_tick;

    // The axes' ticks: as many as their labels leave room for.
    const int rows = std::clamp(static_cast<int>((bottom - top - 2 * m_h) / (2.5 * m_h)), 3, 11);
    m_pAxis = network::roundAxis(pressures.low, pressures.high, rows);
    if (m_temperatures)
        m_tAxis = network::roundAxis(temperatures.low, temperatures.high, rows);
    const auto widest = [&](const network::Axis& axis) {
        double width = 0;
        for (double value : axis.ticks)
            width = std::max(width, textWidth(qtext(network::tickText(axis, value)), m_look.font));
        return width;
    };
    const double side = m_pad + m_h + m_pad / 2 + m_tick + m_h / 4;
    const double left = area.left() + side + widest(m_pAxis);
    const double right =
        m_temperatures ? area.right() - side - widest(m_tAxis) : area.right() - m_pad - m_h * 1.5;
    for (int most = std::clamp(static_cast<int>((right - left) / (3 * m_h)), 2, 12);; --most) {
        // A path to the source itself has no length: a metre of axis for its one point.
        m_xAxis = network::roundAxis(0, std::max(m_length, 1.0) / m_unit.metres, most);
        const double room = (right - left) / std::max<double>(1, m_xAxis.ticks.size() - 1);
        if (most == 2 || widest(m_xAxis) + m_h <= room)
            break;
    }
    m_x = {m_xAxis.low, m_xAxis.high, left, right};
    m_metres = {m_xAxis.low * m_unit.metres, m_xAxis.high * m_unit.metres, left, right};
    const double namesTop = top;
    top += nameRows(false, namesTop) + m_pad / 2;
    m_plot = QRectF(QPointF(left, top), QPointF(right, bottom));
    if (m_plot.height() > m_h && m_plot.width() > m_h) {
        m_y = {m_pAxis.low, m_pAxis.high, m_plot.bottom(), m_plot.top()};
        m_yT = {m_tAxis.low, m_tAxis.high, m_plot.bottom(), m_plot.top()};
        legend(QRectF(left, legendTop, right - left, m_h));
        nameRows(true, namesTop);
        bands();
        curves();
        nodes();
        exhaustion();
        axes(area);
    }
    m_painter.restore();
}

// Under the grid and the curves: a failing span's band, the hatch from where the pressure ran
// out to the path's end; the grid; each node's line down from its name.
void ProfilePainter::bands() {
    for (const network::ProfileSpan& span : m_profile.spans)
        if (span.failing)
            m_painter.fillRect(QRectF(QPointF(m_metres.at(span.from), m_plot.top()),
                                      QPointF(m_metres.at(span.to), m_plot.bottom())),
                               m_look.failingFill);
    if (m_exhaustedAt)
        hatch(QRectF(QPointF(m_metres.at(*m_exhaustedAt), m_plot.top()),
                     QPointF(m_metres.at(m_length), m_plot.bottom())));
    m_painter.setPen(pen(m_look.grid, m_thin));
    for (double value : m_pAxis.ticks)
        m_painter.drawLine(QPointF(m_plot.left(), m_y.at(value)),
                           QPointF(m_plot.right(), m_y.at(value)));
    for (double value : m_xAxis.ticks)
        m_painter.drawLine(QPointF(m_x.at(value), m_plot.top()),
                           QPointF(m_x.at(value), m_plot.bottom()));
    m_painter.setPen(pen(m_look.ink, m_thin, Qt::DotLine));
    for (const network::ProfileNode& node : m_profile.nodes)
        m_painter.drawLine(QPointF(m_metres.at(node.distance), m_plot.top() - m_pad / 2),
                           QPointF(m_metres.at(node.distance), m_plot.bottom()));
}

// Lines across a band at 45°, as far apart on paper as on a screen, unlike a pattern brush's
// eight device pixels.
void ProfilePainter::hatch(const QRectF& band) {
    m_painter.save();
    m_painter.setClipRect(band, Qt::IntersectClip);
    QColor ink = m_look.failing;
    ink.setAlpha(150);
    m_painter.setPen(pen(ink, m_thin));
    const double gap = m_h * 0.45;
    for (double x = band.left() - band.height(); x < band.right(); x += gap)
        m_painter.drawLine(QPointF(x, band.bottom()), QPointF(x + band.height(), band.top()));
    m_painter.restore();
}

// The curves, clipped to the plot; a failing span's stretch of the pressure again in red.
void ProfilePainter::curves() {
    m_painter.save();
    m_painter.setClipRect(m_plot.adjusted(-m_stroke, -m_stroke, m_stroke, m_stroke));
    const auto draw = [&](const std::vector<QPolygonF>& lines) {
        for (const QPolygonF& line : lines)
            if (line.size() == 1)
                m_painter.drawPoint(line.front());
            else
                m_painter.drawPolyline(line);
    };
    if (m_temperatures) {
        // Saturated steam's temperature is its saturation temperature: the dots drawn wider, so
        // that they show either side of the dashes on top of them.
        m_painter.setPen(pen(m_look.saturation, m_stroke * 1.6, Qt::DotLine));
        draw(polylines(
            m_profile, [](const auto& p) { return p.saturation; }, m_metres, m_yT));
        m_painter.setPen(pen(m_look.temperature, m_stroke, Qt::DashLine));
        draw(polylines(
            m_profile, [](const auto& p) { return p.temperature; }, m_metres, m_yT));
    }
    m_painter.setPen(pen(m_look.pressure, m_stroke * 1.4));
    draw(polylines(m_profile, pressureOf, m_metres, m_y));
    m_painter.setPen(pen(m_look.failing, m_stroke * 1.4));
    for (const network::ProfileSpan& span : m_profile.spans)
        if (span.failing)
            draw(polylines(m_profile, pressureOf, m_metres, m_y, span.from, span.to));
    m_painter.restore();
}

} // namespace detail

void drawProfile(QPainter& painter, const QRectF& area, const network::Profile& profile,
                 const PictureLook& look) {
    detail::ProfilePainter(painter, profile, look).draw(area);
}

} // namespace controls::qt
