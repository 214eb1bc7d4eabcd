#include "network/text.h"

#include <cstdio>

namespace network {

std::optional<std::size_t> firstNonUtf8(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = byte(i);
        std::size_t length = 0;
        // The second byte's range is narrower after some leads: that is what rules out the
        // overlong forms, the surrogates and the code points above U+10FFFF.
        unsigned char low = 0x80;
        unsigned char high = 0xbf;
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3;
            low = lead == 0xe0 ? 0xa0 : 0x80;
            high = lead == 0xed ? 0x9f : 0xbf;
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4;
            low = lead == 0xf0 ? 0x90 : 0x80;
            high = lead == 0xf4 ? 0x8f : 0xbf;
        } else {
            return i;
        }
        if (i + length > text.size())
            return i;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = byte(i + k);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xbf))
                return i;
        }
        i += length;
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

} // namespace network
