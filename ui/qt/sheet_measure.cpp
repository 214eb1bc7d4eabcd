#include "ui/qt/sheet_measure.h"

#include <algorithm>
#include <numeric>

namespace controls::qt::detail {

QString qtext(const std::string& utf8) {
    // A line break in a cell breaks its line on paper too.
    QString text = QString::fromStdString(utf8);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

double widest(const QString& text, const QFont& font, QTextOption::WrapMode mode,
              QPaintDevice* device) {
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(mode);
    layout.setTextOption(option);
    layout.beginLayout();
    double width = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(0);
        width = std::max(width, line.naturalTextWidth());
    }
    layout.endLayout();
    return width;
}

std::size_t columnCount(const sheet::Table& table) {
    std::size_t count = table.headings.size();
    for (const std::vector<sheet::Cell>& row : table.rows)
        count = std::max(count, row.size());
    return count;
}

sheet::Look lookOf(const sheet::Table& table, std::size_t row) {
    return row < table.looks.size() ? table.looks[row] : sheet::Look::Plain;
}

QString cellText(const std::vector<sheet::Cell>& row, std::size_t column) {
    return column < row.size() ? qtext(row[column].text) : QString();
}

QString headingText(const sheet::Table& table, std::size_t column) {
    return column < table.headings.size() ? qtext(table.headings[column]) : QString();
}

double padding(const Style& style, double points) {
    return style.px(points) * 0.4;
}

namespace {

// The least width at which a text takes no more than two lines, broken between words.
double twoLines(const QString& text, const QFont& font, QPaintDevice* device) {
    double low = widest(text, font, QTextOption::WordWrap, device);
    double high = widest(text, font, QTextOption::NoWrap, device);
    const auto lines = [&](double width) {
        QTextLayout layout(text, font, device);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        int count = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            line.setLineWidth(width), ++count;
        layout.endLayout();
        return count;
    };
    if (lines(low) <= 2)
        return low;
    for (int i = 0; i < 12; ++i) {
        const double middle = (low + high) / 2;
        (lines(middle) <= 2 ? high : low) = middle;
    }
    return high;
}

double sum(const std::vector<double>& widths) {
    return std::accumulate(widths.begin(), widths.end(), 0.0);
}

// Each column between its width in `low` and in `high`, by the same share of the difference,
// so that the columns end at `width`.
std::vector<double> between(const std::vector<double>& low, const std::vector<double>& high,
                            double width) {
    const double share = sum(high) > sum(low)
                             ? std::clamp((width - sum(low)) / (sum(high) - sum(low)), 0.0, 1.0)
                             : 0.0;
    std::vector<double> widths(low.size());
    for (std::size_t c = 0; c < low.size(); ++c)
        widths[c] = low[c] + (high[c] - low[c]) * share;
    return widths;
}

} // namespace

TableFit fitTable(const sheet::Table& table, double width, const Style& style, double largest) {
    const std::size_t columns = columnCount(table);
    TableFit fit{.points = largest, .widths = {}};
    if (columns == 0)
        return fit;
    // A column's widths, padding included, from the least to the most it would take: its cells
    // and heading broken between words; its cells unwrapped; its heading also in two lines at
    // most; everything on one line.
    std::vector<double> least(columns), need(columns), comfort(columns), most(columns);
    const auto measure = [&](double points) {
        const QFont body = style.font(points), bold = style.font(points, true);
        const double pad = 2 * padding(style, points);
        for (std::size_t c = 0; c < columns; ++c) {
            const QString head = headingText(table, c);
            least[c] = need[c] = widest(head, bold, QTextOption::WordWrap, style.device);
            for (std::size_t r = 0; r < table.rows.size(); ++r) {
                const QString cell = cellText(table.rows[r], c);
                const QFont& font = lookOf(table, r) == sheet::Look::Recommended ? bold : body;
                need[c] = std::max(need[c], widest(cell, font, QTextOption::NoWrap, style.device));
                least[c] =
                    std::max(least[c], widest(cell, font, QTextOption::WordWrap, style.device));
            }
            least[c] += pad;
            need[c] += pad;
            comfort[c] = std::max(need[c], twoLines(head, bold, style.device) + pad);
            most[c] =
                std::max(need[c], widest(head, bold, QTextOption::NoWrap, style.device) + pad);
        }
    };
    measure(fit.points);
    while (sum(comfort) > width && fit.points > kLeastTablePt) {
        fit.points -= kStepPt;
        measure(fit.points);
    }
    if (sum(comfort) <= width) {
        // The room left goes first to headings that would wrap less, then to every column.
        fit.widths = between(comfort, most, width);
        const double spare = width - sum(fit.widths);
        const double total = sum(fit.widths);
        for (double& w : fit.widths)
            w += spare * w / total;
    } else if (sum(need) <= width) {
        fit.widths = between(need, comfort, width);
    } else if (sum(least) <= width) {
        // Too wide even at the least size: the cells wrap between words.
        fit.widths = between(least, need, width);
    } else {
        // And where even that is too wide, inside words.
        fit.widths = least;
        const double total = sum(least);
        for (double& w : fit.widths)
            w *= width / total;
    }
    return fit;
}

} // namespace controls::qt::detail
