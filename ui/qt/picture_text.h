#pragma once

#include "ui/qt/pdf_faces.h"

#include <QFont>
#include <QPainter>
#include <QString>
#include <QTextLayout>
#include <QTextOption>

// One line of a picture's text, measured and drawn the same way: through the sheet's faces in
// a PDF, so that its text reads back, and by the painter elsewhere.
namespace controls::qt::detail {

class TextLine {
public:
    TextLine(const QString& text, const QFont& font, const QPaintDevice* device)
        : m_layout(text, font, const_cast<QPaintDevice*>(device)) {
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        m_layout.setTextOption(option);
        m_layout.beginLayout();
        m_line = m_layout.createLine();
        if (m_line.isValid())
            m_line.setPosition({0, 0});
        m_layout.endLayout();
    }
    double width() const { return m_line.isValid() ? m_line.naturalTextWidth() : 0; }
    double height() const { return m_line.isValid() ? m_line.height() : 0; }
    // `at` is the line's top left.
    void draw(QPainter& painter, QPointF at, PdfFaces* faces) const {
        if (!m_line.isValid())
            return;
        if (faces)
            faces->drawLine(painter, m_line, at);
        else
            m_line.draw(&painter, at);
    }

private:
    QTextLayout m_layout;
    QTextLine m_line;
};

} // namespace controls::qt::detail
