#include "files/text.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace files {

namespace {

struct ByteRange {
    unsigned char low = 0;
    unsigned char high = 0;
    bool holds(unsigned char byte) const { return low <= byte && byte <= high; }
};

struct Sequence {
    std::size_t length;
    std::array<ByteRange, 4> bytes;
};

// The Unicode Standard's table of well-formed UTF-8 byte sequences (Table 3-7): the range of
// each byte by the first. The narrower second bytes after E0, ED, F0 and F4 rule out the
// overlong forms, the surrogates and the code points above U+10FFFF.
constexpr std::array<Sequence, 9> kWellFormed{{
    {1, {{{0x00, 0x7f}}}},                                           // U+0000..U+007F
    {2, {{{0xc2, 0xdf}, {0x80, 0xbf}}}},                             // U+0080..U+07FF
    {3, {{{0xe0, 0xe0}, {0xa0, 0xbf}, {0x80, 0xbf}}}},               // U+0800..U+0FFF
    {3, {{{0xe1, 0xec}, {0x80, 0xbf}, {0x80, 0xbf}}}},               // U+1000..U+CFFF
    {3, {{{0xed, 0xed}, {0x80, 0x9f}, {0x80, 0xbf}}}},               // U+D000..U+D7FF
    {3, {{{0xee, 0xef}, {0x80, 0xbf}, {0x80, 0xbf}}}},               // U+E000..U+FFFF
    {4, {{{0xf0, 0xf0}, {0x90, 0xbf}, {0x80, 0xbf}, {0x80, 0xbf}}}}, // U+10000..U+3FFFF
    {4, {{{0xf1, 0xf3}, {0x80, 0xbf}, {0x80, 0xbf}, {0x80, 0xbf}}}}, // U+40000..U+FFFFF
    {4, {{{0xf4, 0xf4}, {0x80, 0x8f}, {0x80, 0xbf}, {0x80, 0xbf}}}}, // U+100000..U+10FFFF
}};

} // namespace

std::optional<std::size_t> firstNonUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        const auto form =
            std::find_if(kWellFormed.begin(), kWellFormed.end(),
                         [&](const Sequence& s) { return s.bytes[0].holds(byte(0)); });
        if (form == kWellFormed.end() || form->length > text.size() - i)
            return i;
        for (std::size_t k = 1; k < form->length; ++k)
            if (!form->bytes[k].holds(byte(k)))
                return i;
        i += form->length;
    }
    return std::nullopt;
}

std::string inQuotes(std::string_view text) {
    std::string shown = "“";
    while (!text.empty()) {
        const std::optional<std::size_t> bad = firstNonUtf8(text);
        const std::string_view good = text.substr(0, bad.value_or(text.size()));
        for (const char c : good) {
            const auto byte = static_cast<unsigned char>(c);
            if (c == '\n') {
                shown += "\\n";
            } else if (c == '\t') {
                shown += "\\t";
            } else if (byte < 0x20 || byte == 0x7f) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", byte);
                shown += escape;
            } else {
                shown += c;
            }
        }
        if (!bad)
            break;
        shown += "\uFFFD";
        text.remove_prefix(*bad + 1);
    }
    return shown + "”";
}

std::string csvField(std::string_view field) {
    return separatedField(field, ',');
}

std::string separatedField(std::string_view field, char separator) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const bool blankEnd = !field.empty() && (blank(field.front()) || blank(field.back()));
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    if (!blankEnd && field.find_first_of(special) == std::string_view::npos)
        return std::string(field);
    std::string quoted = "\"";
    for (const char c : field) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + "\"";
}

std::string spreadsheetText(std::string_view text) {
    static constexpr std::array<std::string_view, 7> kFormulaStarts{"=", "+",  "-", "\u2212",
                                                                    "@", "\t", "\r"};
    const bool formula =
        std::any_of(kFormulaStarts.begin(), kFormulaStarts.end(),
                    [&](std::string_view start) { return text.starts_with(start); });
    return formula ? "'" + std::string(text) : std::string(text);
}

} // namespace files
