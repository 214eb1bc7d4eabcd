// Arbitrary bytes through the text <-> number conversions. The leading number is also read by a
// small scanner of its own and converted by the C library, and the two must agree bit for bit;
// the first bytes, taken as the bits of a float and of a double, must show as a text that reads
// back to the same 7 (15) significant digits.
#include "calc/numbers.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, std::string_view text) {
    std::fprintf(stderr, "numbers_fuzz: %s, text \"", what);
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\')
            std::fputc(c, stderr);
        else
            std::fprintf(stderr, "\\x%02x", c);
    }
    std::fprintf(stderr, "\"\n");
    std::abort();
}

bool sameBits(double a, double b) {
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::memcpy(&x, &a, sizeof x);
    std::memcpy(&y, &b, sizeof y);
    return x == y;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The number rule, written out once more: the blanks go first, then the longest match of
// [+-]? (digits with at most one point, at least one digit) ([eE] [+-]? digit+)?.
std::string decimalPrefix(std::string_view squeezed) {
    std::size_t i = 0;
    if (i < squeezed.size() && (squeezed[i] == '+' || squeezed[i] == '-'))
        ++i;
    bool point = false;
    bool digit = false;
    for (; i < squeezed.size(); ++i) {
        if (isDigit(squeezed[i]))
            digit = true;
        else if (squeezed[i] == '.' && !point)
            point = true;
        else
            break;
    }
    if (!digit)
        return {};
    if (i < squeezed.size() && (squeezed[i] == 'e' || squeezed[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < squeezed.size() && (squeezed[j] == '+' || squeezed[j] == '-'))
            ++j;
        const std::size_t digitsStart = j;
        while (j < squeezed.size() && isDigit(squeezed[j]))
            ++j;
        if (j > digitsStart)
            i = j;
    }
    return std::string(squeezed.substr(0, i));
}

// "&H"/"&O": the digits' integer. Up to 53 significant bits it is exact and must come out bit for
// bit. Longer integers are accumulated digit by digit, rounding at each step, so there they are
// held only to a few ulps of the correctly rounded value (the C library's hex-float reading).
void checkRadix(std::string_view squeezed, double value, std::string_view text) {
    const char kind = squeezed.size() > 1 ? squeezed[1] : '\0';
    const int radix = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
    std::string digits;
    for (std::size_t i = 2; radix != 0 && i < squeezed.size(); ++i) {
        const char c = squeezed[i];
        const bool octal = c >= '0' && c <= '7';
        const bool hex = isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!(radix == 8 ? octal : hex))
            break;
        digits += c;
    }
    if (digits.empty()) {
        if (!sameBits(value, 0.0))
            fail("an \"&\" without radix digits is not +0", text);
        return;
    }

    // Hex-float text of the same integer: octal digits are regrouped from 3 bits into 4.
    std::string hex = digits;
    if (radix == 8) {
        std::string bits;
        for (char c : digits)
            for (int shift = 2; shift >= 0; --shift)
                bits += static_cast<char>('0' + (((c - '0') >> shift) & 1));
        bits.insert(0, (4 - bits.size() % 4) % 4, '0');
        hex.clear();
        for (std::size_t i = 0; i < bits.size(); i += 4)
            hex += "0123456789abcdef"[std::stoi(bits.substr(i, 4), nullptr, 2)];
    }
    const double expected = std::strtod(("0x" + hex + "p0").c_str(), nullptr);

    if (expected < 0x1p53) {
        if (!sameBits(value, expected))
            fail("&H/&O integer below 2^53 is not exact", text);
    } else if (std::isinf(expected) || std::isinf(value)) {
        // Right at the top of the range the two roundings may land on either side of infinity.
        if (value < 0x1p1023 || expected < 0x1p1023)
            fail("&H/&O integer overflows on one side only", text);
    } else if (std::fabs(value - expected) > expected * 0x1p-48) {
        fail("&H/&O integer is off by more than a few ulps", text);
    }
}

void checkTextToNumber(std::string_view text) {
    const double value = calc::prefixNumber(text);
    std::string squeezed;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            squeezed += c;

    if (!squeezed.empty() && squeezed[0] == '&') {
        checkRadix(squeezed, value, text);
        return;
    }
    const std::string prefix = decimalPrefix(squeezed);
    // strtod reads in the C locale: the program never calls setlocale. Overflow gives HUGE_VAL
    // and underflow the correctly rounded subnormal or zero, with the sign kept.
    const double expected = prefix.empty() ? 0.0 : std::strtod(prefix.c_str(), nullptr);
    if (!sameBits(value, expected))
        fail("leading number differs from strtod", text);
}

// The digits of a value rounded to `significant` figures, in the C library's own formatting.
std::string rounded(double value, int significant) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", significant - 1, value);
    return buffer;
}

// At most `significant` digits once leading zeros, the point and the exponent are left out.
bool fitsDigits(const std::string& text, int significant) {
    int count = 0;
    bool leading = true;
    for (char c : text.substr(1)) {
        if (c == 'E')
            break;
        if (!isDigit(c))
            continue;
        if (c != '0')
            leading = false;
        if (!leading)
            ++count;
    }
    return count <= significant;
}

template <typename Float> void checkNumberToText(Float value, int significant) {
    const std::string text = calc::numberText(value);
    if (!std::isfinite(value)) {
        if (text != "超出计算范围")
            fail("a non-finite value shows as a number", text);
        return;
    }
    if (text.empty() || text[0] != (value < 0 ? '-' : ' '))
        fail("the text does not start with the sign column", text);
    if (!fitsDigits(text, significant))
        fail("the text shows too many significant digits", text);

    const double back = calc::prefixNumber(text);
    if (value == 0) {
        if (back != 0)
            fail("zero does not read back as zero", text);
        return;
    }
    const std::string expected = rounded(value, significant);
    // Rounded to 15 digits, the largest doubles lie past the double range themselves.
    if (std::isinf(std::strtod(expected.c_str(), nullptr))) {
        if (!(std::isinf(back) && std::signbit(back) == std::signbit(value)))
            fail("a text past the double range does not read back as infinity", text);
        return;
    }
    if (rounded(back, significant) != expected)
        fail("the text reads back to other significant digits", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkTextToNumber(text);

    // What a box shows for its own text, as the handlings store it.
    checkNumberToText(calc::storedFloat(calc::prefixNumber(text)), 7);

    if (size >= sizeof(float)) {
        float bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        checkNumberToText(bits, 7);
    }
    return 0;
}
