#include "ui/qt/pdf_faces.h"

#include <QFile>
#include <QFont>
#include <QGlyphRun>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

namespace controls::qt {
namespace {

void put16(QByteArray& bytes, quint32 value) {
    bytes.append(char(value >> 8 & 0xff)).append(char(value & 0xff));
}

void put32(QByteArray& bytes, quint32 value) {
    put16(bytes, value >> 16);
    put16(bytes, value & 0xffff);
}

bool isRadical(char32_t c) {
    return c >= 0x2e80 && c <= 0x2fdf;
}

// A character map (format 12, Unicode's full repertoire) of every character the face has but
// the radicals, in runs of consecutive characters and glyphs.
QByteArray characterMap(const QRawFont& face) {
    QByteArray groups;
    quint32 count = 0;
    char32_t first = 0, last = 0;
    quint32 firstGlyph = 0;
    const auto close = [&] {
        put32(groups, first), put32(groups, last), put32(groups, firstGlyph);
        ++count;
    };
    // The planes of the ideographs' extensions; nothing the sheet writes lies beyond.
    for (char32_t c = 1; c <= 0x3ffff; ++c) {
        if ((c >= 0xd800 && c <= 0xdfff) || isRadical(c))
            continue;
        const QString character = QString::fromUcs4(&c, 1);
        quint32 glyph = 0;
        int glyphs = 1;
        if (!face.glyphIndexesForChars(character.constData(), int(character.size()), &glyph,
                                       &glyphs) ||
            glyph == 0)
            continue;
        if (count > 0 || last != 0) {
            if (c == last + 1 && glyph == firstGlyph + (c - first)) {
                last = c;
                continue;
            }
            close();
        }
        first = last = c;
        firstGlyph = glyph;
    }
    if (last != 0)
        close();
    // The subtable under Unicode's platform as well as Windows': without one of those two,
    // FreeType makes up a character map of its own from a CFF face's glyph names.
    QByteArray table;
    put16(table, 0), put16(table, 2);                    // version, two encodings
    put16(table, 0), put16(table, 4), put32(table, 20);  // Unicode, full repertoire
    put16(table, 3), put16(table, 10), put32(table, 20); // Windows, full repertoire
    put16(table, 12), put16(table, 0);                   // format 12
    put32(table, 16 + 12 * count), put32(table, 0), put32(table, count);
    return table + groups;
}

// Names under which the copy is found apart from the face it copies (the family, "Regular"),
// and the face's own PostScript name, which the PDF gives the embedded font.
QByteArray nameTable(const QString& family, const QRawFont& face) {
    QString postScript = face.familyName() + QLatin1Char('-') + face.styleName();
    postScript.remove(QLatin1Char(' '));
    const std::pair<quint16, QString> names[] = {
        {1, family}, {2, QStringLiteral("Regular")}, {4, family}, {6, postScript}};
    QByteArray records, strings;
    for (const auto& [id, text] : names) {
        QByteArray utf16;
        for (const QChar c : text)
            put16(utf16, c.unicode());
        put16(records, 3), put16(records, 1), put16(records, 0x409), put16(records, id);
        put16(records, quint32(utf16.size())), put16(records, quint32(strings.size()));
        strings += utf16;
    }
    QByteArray table;
    put16(table, 0), put16(table, std::size(names)), put16(table, 6 + 12 * std::size(names));
    return table + records + strings;
}

// The face's font file again from its own tables, with that map and those names: the tables
// of the outlines and the metrics, which is all that drawing glyphs by their numbers needs.
QByteArray fontFile(const QRawFont& face, const QString& family) {
    std::vector<std::pair<QByteArray, QByteArray>> tables;
    for (const char* tag : {"CFF ", "OS/2", "cmap", "cvt ", "fpgm", "glyf", "head", "hhea", "hmtx",
                            "loca", "maxp", "name", "post", "prep"}) {
        const std::string_view name(tag);
        QByteArray data = name == "cmap"   ? characterMap(face)
                          : name == "name" ? nameTable(family, face)
                                           : face.fontTable(tag);
        if (!data.isEmpty())
            tables.emplace_back(tag, std::move(data));
    }
    const auto has = [&](const char* tag) {
        return std::any_of(tables.begin(), tables.end(),
                           [&](const auto& table) { return table.first == tag; });
    };
    if (!has("head") || !has("maxp") || !has("hmtx") || !(has("CFF ") || has("glyf")))
        return {};
    QByteArray file;
    put32(file, has("CFF ") ? 0x4f54544f : 0x00010000); // "OTTO": CFF outlines, else TrueType
    quint32 power = 1, log = 0;
    while (power * 2 <= tables.size())
        power *= 2, ++log;
    put16(file, quint32(tables.size())), put16(file, power * 16), put16(file, log);
    put16(file, quint32(tables.size()) * 16 - power * 16);
    QByteArray data;
    const quint32 start = 12 + 16 * quint32(tables.size());
    for (auto& [tag, bytes] : tables) {
        const quint32 length = quint32(bytes.size());
        bytes.append(QByteArray((4 - length % 4) % 4, '\0'));
        quint32 sum = 0;
        for (qsizetype i = 0; i < bytes.size(); i += 4)
            sum += quint32(quint8(bytes[i])) << 24 | quint32(quint8(bytes[i + 1])) << 16 |
                   quint32(quint8(bytes[i + 2])) << 8 | quint32(quint8(bytes[i + 3]));
        file.append(tag);
        put32(file, sum), put32(file, start + quint32(data.size())), put32(file, length);
        data += bytes;
    }
    return file + data;
}

} // namespace

PdfFaces::~PdfFaces() {
    for (const int id : m_added)
        QFontDatabase::removeApplicationFont(id);
}

void PdfFaces::drawLine(QPainter& painter, const QTextLine& line, QPointF at) {
    for (QGlyphRun run : line.glyphRuns()) {
        // Windows draws each run in the face it was laid out in, and its PDF reads those
        // radicals back. Its font engine gave Qt's PDF writer the wrong face for a copy (under
        // Wine, DejaVu Sans's outlines for a copy loaded from a file; for one loaded from
        // memory, bold for all and the subscripts' glyph numbers in the CJK face), and under
        // Qt 6.4 a laid-out run's face there can have no family, which familyName() reads past.
#ifndef _WIN32
        run.setRawFont(drawing(run.rawFont()));
#endif
        painter.drawGlyphRun(at, run);
    }
}

QRawFont PdfFaces::drawing(const QRawFont& shaped) {
    const QString key = shaped.familyName() + QLatin1Char('\n') + shaped.styleName();
    auto found = m_families.find(key);
    if (found == m_families.end())
        found = m_families.insert(key, copy(shaped));
    if (found->isEmpty())
        return shaped;
    QFont font(*found);
    font.setPixelSize(std::max(1, qRound(shaped.pixelSize())));
    QRawFont face = QRawFont::fromFont(font);
    if (!face.isValid() || face.familyName() != *found)
        return shaped;
    face.setPixelSize(shaped.pixelSize());
    return face;
}

QString PdfFaces::copy(const QRawFont& face) {
    const QString family = QStringLiteral("Sheet face %1").arg(m_families.size() + 1);
    const QByteArray bytes = fontFile(face, family);
    QFile file(m_folder.filePath(family + QStringLiteral(".otf")));
    if (bytes.isEmpty() || !m_folder.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes) != bytes.size() || !file.flush())
        return {};
    file.close();
    const int id = QFontDatabase::addApplicationFont(file.fileName());
    if (id < 0)
        return {};
    m_added.push_back(id);
    return QFontDatabase::applicationFontFamilies(id).value(0);
}

} // namespace controls::qt
