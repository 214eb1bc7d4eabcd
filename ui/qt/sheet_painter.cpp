#include "ui/qt/sheet_painter.h"

#include "files/save.h"
#include "ui/qt/chinese_font.h"
#include "ui/qt/colours.h"
#include "ui/qt/pdf_faces.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <memory>
#include <numeric>
#include <string_view>
#include <vector>

namespace controls::qt {
namespace {

constexpr double kMarginMm = 18;

// Type sizes in points.
constexpr double kTitlePt = 16;
constexpr double kSubjectPt = 12;
constexpr double kSectionPt = 11;
constexpr double kBodyPt = 9.5;
constexpr double kFooterPt = 8;
// A table's type starts at its widest and shrinks in steps until the table fits the page's
// width. Under the readable size a portrait page turns landscape; at the least size the cells
// themselves wrap rather than shrink further.
constexpr double kTablePt = 9;
constexpr double kReadableTablePt = 7.5;
constexpr double kLeastTablePt = 6;
constexpr double kStepPt = 0.25;
// A paragraph of up to so many lines is kept on one page.
constexpr int kWholeLines = 4;

const QColor kHeadingFill(0xe6, 0xe6, 0xe6);
const QColor kRule(0x80, 0x80, 0x80);
// The rows' looks as the windows give them (bold, red, grey), and a light tint behind a row
// above its range, so that a grey print still tells it from a row below, whose grey text prints
// lighter; the verdict column says each in words anyway.
const QColor kAboveFill(0xfd, 0xe8, 0xe8);
const QColor kRecommendedFill(0xe6, 0xf4, 0xe6);

QString qtext(const std::string& utf8) {
    // A line break in a cell breaks its line on paper too.
    QString text = QString::fromStdString(utf8);
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    return text;
}

// Text in lines no wider than a width: broken between words where it can be, inside a word only
// where the word alone is wider, so that no character is ever cut off or elided.
class Lines {
public:
    Lines(const QString& text, const QFont& font, double width, Qt::Alignment align,
          QPaintDevice* device)
        : m_layout(text, font, device) {
        QTextOption option(align);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        m_layout.setTextOption(option);
        m_layout.beginLayout();
        for (QTextLine line = m_layout.createLine(); line.isValid(); line = m_layout.createLine()) {
            line.setLineWidth(width);
            line.setPosition({0, m_height});
            m_height += line.height();
        }
        m_layout.endLayout();
    }
    double height() const { return m_height; }
    int count() const { return m_layout.lineCount(); }
    QTextLine line(int i) const { return m_layout.lineAt(i); }
    void draw(QPainter& painter, QPointF at, PdfFaces& faces) const {
        for (int i = 0; i < count(); ++i)
            faces.drawLine(painter, line(i), at);
    }

private:
    QTextLayout m_layout;
    double m_height = 0;
};

// The width of a text's widest line: unwrapped (`mode` NoWrap), or broken at every chance
// between words (WordWrap), the least it can be wrapped to without breaking a word.
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

struct Style {
    QString family;
    QPaintDevice* device;
    PdfFaces* faces;

    QFont font(double points, bool bold = false) const {
        QFont font(family);
        font.setPointSizeF(points);
        font.setBold(bold);
        // Shaping would swap some digits for alternates that no character maps to (in the CJK
        // fonts, those after a Latin letter: the 1 of "J1"), which a PDF reader cannot turn
        // back into text; none of the sheet's scripts needs it.
        font.setStyleStrategy(QFont::PreferNoShaping);
        return font;
    }
    double px(double points) const { return points * device->logicalDpiY() / 72.0; }
};

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

// A table's type size and column widths (padding included) across `width`.
struct TableFit {
    double points = kTablePt;
    std::vector<double> widths;
    bool readable() const { return points >= kReadableTablePt; }
};

double padding(const Style& style, double points) {
    return style.px(points) * 0.4;
}

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

TableFit fitTable(const sheet::Table& table, double width, const Style& style,
                  double largest = kTablePt) {
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

// A table, its title and headings again at the top of every page it continues on.
void drawTable(Pages& pages, const sheet::Table& table, const TableFit& fit, const Style& style) {
    const std::size_t columns = fit.widths.size();
    const QFont body = style.font(fit.points), bold = style.font(fit.points, true);
    const QFont titleFont = style.font(kSectionPt, true);
    const double pad = padding(style, fit.points);
    QPainter* painter = pages.painter();

    // A row's cells, each wrapped in its column; drawn centred in the row's height.
    const auto layouts = [&](const std::vector<QString>& cells, const QFont& font,
                             const std::vector<Qt::Alignment>& aligns) {
        std::vector<std::unique_ptr<Lines>> laid;
        for (std::size_t c = 0; c < columns; ++c)
            laid.push_back(std::make_unique<Lines>(cells[c], font, fit.widths[c] - 2 * pad,
                                                   aligns[c], style.device));
        return laid;
    };
    const auto heightOf = [&](const std::vector<std::unique_ptr<Lines>>& laid) {
        double height = 0;
        for (const auto& lines : laid)
            height = std::max(height, lines->height());
        return height + 2 * pad;
    };
    const auto draw = [&](const std::vector<std::unique_ptr<Lines>>& laid, double height,
                          const QColor& fill, const QColor& ink) {
        const double y = pages.take(height);
        if (!painter)
            return;
        double x = 0;
        for (std::size_t c = 0; c < columns; ++c) {
            const QRectF cell(x, y, fit.widths[c], height);
            if (fill.isValid())
                painter->fillRect(cell, fill);
            painter->setPen(QPen(kRule, style.px(0.5)));
            painter->drawRect(cell);
            painter->setPen(ink);
            laid[c]->draw(*painter, QPointF(x + pad, y + (height - laid[c]->height()) / 2),
                          *style.faces);
            x += fit.widths[c];
        }
    };

    std::vector<QString> headings(columns);
    for (std::size_t c = 0; c < columns; ++c)
        headings[c] = headingText(table, c);
    const std::vector<Qt::Alignment> centred(columns, Qt::AlignHCenter);
    const auto headingLines = layouts(headings, bold, centred);
    const double headingHeight = heightOf(headingLines);
    const QString title = qtext(table.title);
    const auto head = [&](const QString& caption) {
        pages.text(caption, titleFont);
        pages.space(3);
        draw(headingLines, headingHeight, kHeadingFill, Qt::black);
    };

    const QColor above = readableOn(QColor(255, 0, 0), Qt::white);
    const QColor below = readableOn(QColor(128, 128, 128), Qt::white);
    bool first = true;
    for (std::size_t r = 0; r < table.rows.size() || first; ++r) {
        std::vector<QString> cells(columns);
        std::vector<Qt::Alignment> aligns(columns, Qt::AlignLeft);
        const sheet::Look look = lookOf(table, r);
        if (r < table.rows.size())
            for (std::size_t c = 0; c < columns; ++c) {
                cells[c] = cellText(table.rows[r], c);
                if (c < table.rows[r].size() && table.rows[r][c].number)
                    aligns[c] = Qt::AlignRight;
            }
        const auto laid = layouts(cells, look == sheet::Look::Recommended ? bold : body, aligns);
        const double height = heightOf(laid);
        const double titleHeight =
            Lines(title, titleFont, pages.width(), Qt::AlignLeft, style.device).height() +
            style.px(3);
        if (first) {
            // The title never ends a page without the headings and a row under it.
            pages.keep(titleHeight + headingHeight + height);
            head(title);
            first = false;
            if (table.rows.empty())
                break;
        } else if (!pages.fits(height)) {
            pages.breakPage();
            head(title + QStringLiteral("（续）"));
        }
        const QColor fill = look == sheet::Look::Above         ? kAboveFill
                            : look == sheet::Look::Recommended ? kRecommendedFill
                                                               : QColor();
        draw(laid, height, fill,
             look == sheet::Look::Above   ? above
             : look == sheet::Look::Below ? below
                                          : QColor(Qt::black));
    }
}

void flow(Pages& pages, const sheet::Sheet& sheet, const std::vector<TableFit>& fits,
          const Style& style) {
    const QFont body = style.font(kBodyPt);
    const QFont section = style.font(kSectionPt, true);
    const double lineHeight =
        Lines(QStringLiteral("0"), body, 1e6, Qt::AlignLeft, style.device).height();
    const auto heading = [&](const QString& words) {
        pages.space(8);
        // A heading stays with the first lines under it.
        pages.keep(Lines(words, section, pages.width(), Qt::AlignLeft, style.device).height() +
                   2 * lineHeight);
        pages.text(words, section);
        pages.space(3);
    };

    pages.text(qtext(sheet.title), style.font(kTitlePt, true), Qt::AlignHCenter);
    if (!sheet.subject.empty()) {
        pages.space(4);
        pages.text(qtext(sheet.subject), style.font(kSubjectPt), Qt::AlignHCenter);
    }
    pages.space(6);
    pages.text(QStringLiteral("日期：%1　　程序：%2").arg(qtext(sheet.date), qtext(sheet.program)),
               body, Qt::AlignHCenter);

    if (!sheet.inputs.empty()) {
        heading(QStringLiteral("输入数据"));
        // The names in a column of their own, as wide as the widest, up to a third of the page;
        // the values wrap beside them.
        double nameWidth = 0;
        for (const sheet::Input& input : sheet.inputs)
            nameWidth = std::max(
                nameWidth, widest(qtext(input.name), body, QTextOption::NoWrap, style.device));
        nameWidth = std::min(nameWidth + style.px(kBodyPt), pages.width() / 3);
        for (const sheet::Input& input : sheet.inputs) {
            const Lines name(qtext(input.name), body, nameWidth - style.px(kBodyPt), Qt::AlignLeft,
                             style.device);
            const Lines value(qtext(input.value), body, pages.width() - nameWidth, Qt::AlignLeft,
                              style.device);
            const double height = std::max(name.height(), value.height());
            pages.keep(height);
            const double y = pages.take(height);
            if (QPainter* painter = pages.painter()) {
                name.draw(*painter, QPointF(0, y), *style.faces);
                value.draw(*painter, QPointF(nameWidth, y), *style.faces);
            }
        }
    }
    if (!sheet.method.empty()) {
        heading(QStringLiteral("计算方法"));
        for (const std::string& paragraph : sheet.method) {
            pages.text(qtext(paragraph), body);
            pages.space(3);
        }
    }
    for (std::size_t t = 0; t < sheet.tables.size(); ++t) {
        pages.space(10);
        drawTable(pages, sheet.tables[t], fits[t], style);
    }
    if (!sheet.findings.empty()) {
        heading(QStringLiteral("结论"));
        for (const std::string& finding : sheet.findings) {
            pages.text(qtext(finding), body);
            pages.space(2);
        }
    }
    pages.footer();
}

} // namespace

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
    Pages pages(style, device, &painter, count.page());
    flow(pages, sheet, fits, style);
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
