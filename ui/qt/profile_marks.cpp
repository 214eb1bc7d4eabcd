// The profile's names, markers, legend and axes. See network_pictures.h.
#include "ui/qt/profile_painter.h"
#include "ui/qt/sheet_measure.h"

#include <QPolygonF>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace controls::qt::detail {

namespace {

// A requirement's figures as a marker's label gives them: four significant digits, the margin
// with its sign.
QString figure(double value, bool sign = false) {
    char text[32];
    std::snprintf(text, sizeof text, sign ? "%+.4g" : "%.4g", value);
    return QString::fromLatin1(text);
}

QString marginText(const std::optional<double>& margin) {
    return margin ? figure(*margin, true) : QStringLiteral("—");
}

} // namespace

void ProfilePainter::text(const QString& words, QPointF at, Qt::Alignment align, const QColor& ink,
                          const QFont* font) {
    const TextLine line(words, font ? *font : m_look.font, m_painter.device());
    double x = at.x(), y = at.y();
    if (align & Qt::AlignRight)
        x -= line.width();
    else if (align & Qt::AlignHCenter)
        x -= line.width() / 2;
    if (align & Qt::AlignBottom)
        y -= line.height();
    else if (align & Qt::AlignVCenter)
        y -= line.height() / 2;
    m_painter.setPen(ink);
    line.draw(m_painter, QPointF(x, y), m_look.faces);
}

double ProfilePainter::nameRows(bool draw, double top) {
    // Beyond so many rows a name is left out rather than pushing the plot down to nothing; its
    // node is still marked, and the tree names it.
    constexpr std::size_t kMostRows = 6;
    std::vector<double> rowEnds;
    for (const network::ProfileNode& node : m_profile.nodes) {
        const QString name = qtext(node.name);
        const double width = textWidth(name, m_look.font);
        // Over its node, but never past the picture's edge.
        const double at = std::clamp(m_metres.at(node.distance), m_area.left() + width / 2,
                                     std::max(m_area.left(), m_area.right() - width) + width / 2);
        std::size_t row = 0;
        while (row < rowEnds.size() && rowEnds[row] > at - width / 2)
            ++row;
        if (row == kMostRows)
            continue;
        if (row == rowEnds.size())
            rowEnds.push_back(0);
        rowEnds[row] = at + width / 2 + m_h / 2;
        if (draw)
            text(name, QPointF(at, top + static_cast<double>(row) * m_h),
                 Qt::AlignHCenter | Qt::AlignTop, m_look.ink);
    }
    return static_cast<double>(rowEnds.size()) * m_h;
}

void ProfilePainter::legend(const QRectF& row) {
    enum class Sample { Line, Band, Hatch, Pressure, Temperature };
    struct Item {
        QString words;
        Sample sample;
        QPen pen{};
    };
    std::vector<Item> items{
        {QStringLiteral("压力"), Sample::Line, pen(m_look.pressure, m_stroke * 1.4)}};
    if (m_temperatures) {
        items.push_back({QStringLiteral("蒸汽温度"), Sample::Line,
                         pen(m_look.temperature, m_stroke, Qt::DashLine)});
        items.push_back({QStringLiteral("饱和温度"), Sample::Line,
                         pen(m_look.saturation, m_stroke * 1.6, Qt::DotLine)});
    }
    const auto any = [&](auto has) {
        return std::any_of(m_profile.nodes.begin(), m_profile.nodes.end(), has);
    };
    if (any([](const network::ProfileNode& node) { return node.required.has_value(); }))
        items.push_back({QStringLiteral("要求压力"), Sample::Pressure});
    if (m_temperatures &&
        any([](const network::ProfileNode& node) { return node.requiredTemperature.has_value(); }))
        items.push_back({QStringLiteral("要求温度"), Sample::Temperature});
    if (std::any_of(m_profile.spans.begin(), m_profile.spans.end(),
                    [](const network::ProfileSpan& span) { return span.failing; }))
        items.push_back({QStringLiteral("不合格管段"), Sample::Band});
    if (m_exhaustedAt)
        items.push_back({QStringLiteral("压力耗尽"), Sample::Hatch});
    double x = row.left();
    const double y = row.center().y(), sample = 2.2 * m_h;
    for (const Item& item : items) {
        const QRectF swatch(x, y - m_h * 0.35, sample, m_h * 0.7);
        switch (item.sample) {
        case Sample::Line:
            m_painter.setPen(item.pen);
            m_painter.drawLine(QPointF(x, y), QPointF(x + sample, y));
            break;
        case Sample::Band:
        case Sample::Hatch:
            if (item.sample == Sample::Band)
                m_painter.fillRect(swatch, m_look.failingFill);
            else
                hatch(swatch);
            m_painter.setPen(pen(m_look.failing, item.sample == Sample::Band ? m_stroke : m_thin));
            m_painter.drawRect(swatch);
            break;
        case Sample::Pressure:
        case Sample::Temperature:
            marker(QPointF(x + sample / 2, y + m_h * 0.25), item.sample == Sample::Temperature,
                   m_look.required);
            break;
        }
        x += sample + m_h / 3;
        text(item.words, QPointF(x, y), Qt::AlignLeft | Qt::AlignVCenter, m_look.ink);
        x += textWidth(item.words, m_look.font) + m_h * 1.2;
    }
}

// The nodes on the pressure curve, and the requirements with their margins.
void ProfilePainter::nodes() {
    const double radius = m_h * 0.22;
    for (const network::ProfileNode& node : m_profile.nodes) {
        const double at = m_metres.at(node.distance);
        if (node.pressure) {
            m_painter.setPen(pen(m_look.pressure, m_thin * 1.5));
            m_painter.setBrush(m_look.background);
            m_painter.drawEllipse(QPointF(at, m_y.at(*node.pressure)), radius, radius);
            m_painter.setBrush(Qt::NoBrush);
        }
        if (node.required)
            requirement(at, *node.required, node.margin, m_y,
                        QStringLiteral("要求 %1，余量 %2")
                            .arg(figure(*node.required), marginText(node.margin)),
                        false);
        if (m_temperatures && node.requiredTemperature)
            requirement(
                at, *node.requiredTemperature, node.temperatureMargin, m_yT,
                QStringLiteral("要求 %1 ℃，余量 %2 ℃")
                    .arg(figure(*node.requiredTemperature), marginText(node.temperatureMargin)),
                true);
    }
}

// A bar at the required level, a triangle pointing down at it for a pressure and a diamond for
// a temperature, in red where the margin is short, its words beside it.
void ProfilePainter::requirement(double at, double level, const std::optional<double>& margin,
                                 const Scale& scale, const QString& words, bool diamond) {
    const double y = scale.at(level);
    // Unmet, or not reached: the pressure ran out before the node.
    const QColor ink = !margin || *margin < 0 ? m_look.failing : m_look.required;
    marker(QPointF(at, y), diamond, ink);
    // Left of the marker where the right would run off the plot.
    const double width = textWidth(words, m_look.font);
    const bool leftwards = at + m_h + width > m_plot.right();
    const double x = leftwards ? at - m_h * 0.9 - width : at + m_h * 0.9;
    QColor behind = m_look.background;
    behind.setAlpha(210);
    m_painter.fillRect(QRectF(x, y - m_h, width, m_h), behind);
    text(words, QPointF(x, y - m_h), Qt::AlignLeft | Qt::AlignTop, ink);
}

void ProfilePainter::marker(QPointF at, bool diamond, const QColor& ink) {
    const double r = m_h * 0.3;
    m_painter.setPen(pen(ink, m_stroke));
    m_painter.drawLine(QPointF(at.x() - m_h * 0.7, at.y()), QPointF(at.x() + m_h * 0.7, at.y()));
    QPolygonF mark;
    if (diamond)
        mark << at + QPointF(0, -r) << at + QPointF(r, 0) << at + QPointF(0, r)
             << at + QPointF(-r, 0);
    else
        mark << at + QPointF(-r, -1.7 * r) << at + QPointF(r, -1.7 * r) << at;
    m_painter.setBrush(ink);
    m_painter.drawPolygon(mark);
    m_painter.setBrush(Qt::NoBrush);
}

// Where the pressure ran out: a red line across the plot and the words beside it.
void ProfilePainter::exhaustion() {
    if (!m_exhaustedAt)
        return;
    const double at = m_metres.at(*m_exhaustedAt);
    m_painter.setPen(pen(m_look.failing, m_stroke));
    m_painter.drawLine(QPointF(at, m_plot.top()), QPointF(at, m_plot.bottom()));
    const QString words = QStringLiteral("压力耗尽");
    const double width = textWidth(words, m_bold);
    const double x = at + m_h / 2 + width > m_plot.right() ? at - m_h / 2 - width : at + m_h / 2;
    const QRectF box(x, m_plot.center().y() - m_h / 2, width, m_h);
    m_painter.fillRect(box.adjusted(-m_h / 6, 0, m_h / 6, 0), m_look.background);
    text(words, box.topLeft(), Qt::AlignLeft | Qt::AlignTop, m_look.failing, &m_bold);
}

// The frame, the ticks and their labels, the axes' titles.
void ProfilePainter::axes(const QRectF& area) {
    const QPen frame = pen(m_look.ink, m_thin * 1.5);
    m_painter.setPen(frame);
    m_painter.drawRect(m_plot);
    // Each tick outwards from its side, its label beyond it.
    const auto ticks = [&](const network::Axis& axis, const Scale& scale, Qt::Edge edge) {
        for (double value : axis.ticks) {
            const double v = scale.at(value);
            const double inner = edge == Qt::LeftEdge    ? m_plot.left()
                                 : edge == Qt::RightEdge ? m_plot.right()
                                                         : m_plot.bottom();
            const double outer = edge == Qt::LeftEdge ? inner - m_tick : inner + m_tick;
            const double label = edge == Qt::LeftEdge    ? outer - m_h / 4
                                 : edge == Qt::RightEdge ? outer + m_h / 4
                                                         : outer;
            m_painter.setPen(frame);
            if (edge == Qt::BottomEdge)
                m_painter.drawLine(QPointF(v, inner), QPointF(v, outer));
            else
                m_painter.drawLine(QPointF(inner, v), QPointF(outer, v));
            text(qtext(network::tickText(axis, value)),
                 edge == Qt::BottomEdge ? QPointF(v, label) : QPointF(label, v),
                 edge == Qt::LeftEdge    ? Qt::AlignRight | Qt::AlignVCenter
                 : edge == Qt::RightEdge ? Qt::AlignLeft | Qt::AlignVCenter
                                         : Qt::AlignHCenter | Qt::AlignTop,
                 m_look.ink);
        }
    };
    ticks(m_pAxis, m_y, Qt::LeftEdge);
    if (m_temperatures)
        ticks(m_tAxis, m_yT, Qt::RightEdge);
    ticks(m_xAxis, m_x, Qt::BottomEdge);
    text(qtext(network::distanceTitle(m_unit)), QPointF(m_plot.center().x(), area.bottom() - m_pad),
         Qt::AlignHCenter | Qt::AlignBottom, m_look.ink);
    const auto sideways = [&](const QString& words, double x) {
        m_painter.save();
        m_painter.translate(x, m_plot.center().y());
        m_painter.rotate(-90);
        text(words, QPointF(0, 0), Qt::AlignHCenter | Qt::AlignVCenter, m_look.ink);
        m_painter.restore();
    };
    sideways(qtext(network::pressureTitle(m_profile.unit)), area.left() + m_pad + m_h / 2);
    if (m_temperatures)
        sideways(qtext(network::temperatureTitle()), area.right() - m_pad - m_h / 2);
}

} // namespace controls::qt::detail
