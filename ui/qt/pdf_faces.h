#pragma once

#include <QFontDatabase>
#include <QMap>
#include <QPainter>
#include <QRawFont>
#include <QString>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QVector>

namespace controls::qt {

// The faces a sheet's glyphs are drawn with, so that a PDF reader reads back the characters
// that were drawn. It finds a glyph's character through the map Qt's PDF writer stores beside
// the embedded face, which takes the lowest code point the face maps to the glyph; the CJK fonts
// map the radicals' code points (U+2E80 to U+2FDF) to the glyphs of the ideographs they look
// like, so that 网, 水 or 页 would read back as the radicals ⽹, ⽔ and ⻚, and a search of the
// file would not find them. Each glyph is therefore drawn with a copy of its face whose character
// map leaves the radicals out: the same outlines and metrics, the text laid out by the real font.
// Qt embeds only a face it loaded from a file, so each copy is written to a folder of this
// object's and added to the application's fonts, both removed when it goes. (Not on Windows:
// see drawLine.)
class PdfFaces {
public:
    PdfFaces() = default;
    PdfFaces(const PdfFaces&) = delete;
    PdfFaces& operator=(const PdfFaces&) = delete;
    ~PdfFaces();

    // Draws a laid-out line at `at`, the layout's origin.
    void drawLine(QPainter& painter, const QTextLine& line, QPointF at);

private:
    // The copy of the face a run was laid out in, or the face itself where none could be made.
    QRawFont drawing(const QRawFont& shaped);
    QString copy(const QRawFont& face);

    QTemporaryDir m_folder;
    QMap<QString, QString> m_families; // a face's family and style, its copy's family
    QVector<int> m_added;
};

} // namespace controls::qt
