#include "ui/qt/sheet_pages.h"

#include "ui/qt/colours.h"

#include <memory>

namespace controls::qt::detail {

namespace {

const QColor kHeadingFill(0xe6, 0xe6, 0xe6);
const QColor kRule(0x80, 0x80, 0x80);
// The rows' looks as the windows give them (bold, red, grey), and a light tint behind a row
// above its range, so that a grey print still tells it from a row below, whose grey text prints
// lighter; the verdict column says each in words anyway.
const QColor kAboveFill(0xfd, 0xe8, 0xe8);
const QColor kRecommendedFill(0xe6, 0xf4, 0xe6);

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
    // The text after a table (the next one's title) in black, not in its last row's ink.
    if (painter)
        painter->setPen(Qt::black);
}

} // namespace

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
            const Lines value(qtext(sheet::shownValue(input)), body, pages.width() - nameWidth,
                              Qt::AlignLeft, style.device);
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

} // namespace controls::qt::detail
