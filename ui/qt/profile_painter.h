#pragma once

#include "network/axis.h"
#include "network/profile.h"
#include "ui/qt/network_pictures.h"
#include "ui/qt/picture_text.h"

#include <QFontMetricsF>
#include <QPen>

#include <optional>

// The profile's drawing in its parts, shared by profile_picture.cpp (the layout, the bands and
// the curves) and profile_marks.cpp (the names, markers, legend and axes).
namespace controls::qt::detail {

// A value on an axis to a position along the plot's side.
struct Scale {
    double low = 0, high = 1;    // the axis's ends
    double fromPx = 0, toPx = 1; // where they are drawn
    double at(double value) const {
        return fromPx + (value - low) / (high - low) * (toPx - fromPx);
    }
};

class ProfilePainter {
public:
    ProfilePainter(QPainter& painter, const network::Profile& profile, const PictureLook& look)
        : m_painter(painter), m_profile(profile), m_look(look), m_bold(look.font),
          m_h(QFontMetricsF(look.font, painter.device()).height()) {
        m_bold.setBold(true);
    }

    void draw(const QRectF& area);

private:
    double textWidth(const QString& text, const QFont& font) const {
        return TextLine(text, font, m_painter.device()).width();
    }
    // Text at a point, aligned by `align` (left, right or centred; top, bottom or centred).
    void text(const QString& words, QPointF at, Qt::Alignment align, const QColor& ink,
              const QFont* font = nullptr);
    static QPen pen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine) {
        return QPen(colour, width, style, Qt::FlatCap, Qt::RoundJoin);
    }
    // The node names above the plot, each over its node, in as many rows as keep them apart;
    // their height.
    double nameRows(bool draw, double top);
    void legend(const QRectF& row);
    void bands();
    void hatch(const QRectF& band);
    void curves();
    void nodes();
    void requirement(double at, double level, const std::optional<double>& margin,
                     const Scale& scale, const QString& words, bool diamond);
    // A requirement's marker: a bar at its level under a triangle, or through a diamond.
    void marker(QPointF at, bool diamond, const QColor& ink);
    void exhaustion();
    void axes(const QRectF& area);

    QPainter& m_painter;
    const network::Profile& m_profile;
    const PictureLook& m_look;
    QFont m_bold;
    double m_h; // a text line's height: every size here is a share of it
    double m_stroke = 1, m_thin = 1, m_tick = 1, m_pad = 1;
    bool m_temperatures = false;
    double m_length = 0; // m, the path's
    network::DistanceUnit m_unit{};
    network::Axis m_pAxis, m_tAxis, m_xAxis;
    QRectF m_area, m_plot;
    Scale m_x, m_metres, m_y, m_yT; // distance in the axis's unit and in m; p; T
    std::optional<double> m_exhaustedAt;
};

} // namespace controls::qt::detail
