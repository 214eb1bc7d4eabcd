#pragma once

#include "sheet/sheet.h"
#include "ui/qt/pdf_faces.h"

#include <QFont>
#include <QPainter>
#include <QString>
#include <QTextLayout>
#include <QTextOption>

#include <cstddef>
#include <string>
#include <vector>

// The sheet's type and text on a page: how wide and tall it is set, and how a table fits the page's
// width; shared by the pages that draw it.
namespace controls::qt::detail {

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

QString qtext(const std::string& utf8);

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
              QPaintDevice* device);

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

std::size_t columnCount(const sheet::Table& table);

sheet::Look lookOf(const sheet::Table& table, std::size_t row);

QString cellText(const std::vector<sheet::Cell>& row, std::size_t column);

QString headingText(const sheet::Table& table, std::size_t column);

// A table's type size and column widths (padding included) across `width`.
struct TableFit {
    double points = kTablePt;
    std::vector<double> widths;
    bool readable() const { return points >= kReadableTablePt; }
};

double padding(const Style& style, double points);

TableFit fitTable(const sheet::Table& table, double width, const Style& style,
                  double largest = kTablePt);

} // namespace controls::qt::detail
