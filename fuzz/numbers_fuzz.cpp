// Arbitrary bytes through the text <-> number conversions, against the C library: the leading
// number must be strtod's reading of the text without its blanks and with full-width forms made
// ASCII, bit for bit, and the text of a value must be printf's "%.7G" (32-bit) or "%.15G"
// (64-bit) after the sign column. The first bytes are also taken as the bits of a float and of a
// double.
#include "calc/numbers.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// libFuzzer then shows the input and keeps it; the seed replay names the file before running it.
[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "numbers_fuzz: %s\n", what);
    std::abort();
}

// "&H"/"&O": below 2^53 the digits' integer exactly; longer ones are accumulated in doubles,
// rounding at each step, so they are held to a few ulps of the exact value.
double radixExpected(std::string_view squeezed, double value) {
    const std::string_view kind = squeezed.substr(1, 1);
    const int radix = kind == "H" || kind == "h" ? 16 : kind == "O" || kind == "o" ? 8 : 0;
    const std::string_view digits = std::string_view("0123456789abcdef").substr(0, radix);
    long double exact = 0;
    for (std::size_t i = 2; radix != 0 && i < squeezed.size(); ++i) {
        const std::size_t digit = digits.find(static_cast<char>(std::tolower(squeezed[i] & 0xff)));
        if (digit == std::string_view::npos)
            break;
        exact = exact * radix + static_cast<long double>(digit);
    }
    if (exact < 0x1p53L)
        return static_cast<double>(exact);
    const bool near = std::isinf(value) || std::isinf(exact)
                          ? std::isinf(value) && exact >= 0x1p1023L
                          : std::fabs(value - exact) <= exact * 0x1p-48L;
    return near ? value : static_cast<double>(exact);
}

void checkTextToNumber(std::string_view text) {
    const double value = calc::prefixNumber(text);
    // Without its blanks (the ideographic space U+3000 among them), and with each full-width form
    // as its ASCII counterpart: a UTF-8 sequence decoded to U+FF01..U+FF5E, minus 0xFEE0.
    std::string squeezed;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = [&](std::size_t k) { return i + k < text.size() ? text[i + k] & 0xff : 0; };
        const bool three = (b(0) & 0xf0) == 0xe0 && (b(1) & 0xc0) == 0x80 && (b(2) & 0xc0) == 0x80;
        const int code = three ? (b(0) & 0x0f) << 12 | (b(1) & 0x3f) << 6 | (b(2) & 0x3f) : 0;
        if (code == 0x3000 || (code >= 0xff01 && code <= 0xff5e)) {
            if (code != 0x3000)
                squeezed += static_cast<char>(code - 0xfee0);
            i += 2;
        } else if (text[i] != ' ' && text[i] != '\t' && text[i] != '\n') {
            squeezed += text[i];
        }
    }

    // The part read and what follows are the text as the rule sees it, cut where the number ends.
    const calc::NumberReading reading = calc::readNumber(text);
    if (reading.read + reading.rest != squeezed)
        fail("the part read and the rest are not the text");
    if (reading.read.empty() && value != 0)
        fail("a number from no part of the text");
    std::size_t readLength = reading.read.size();

    double expected = 0;
    const std::size_t sign = squeezed[0] == '+' || squeezed[0] == '-';
    const char* body = squeezed.c_str() + sign;
    if (squeezed[0] == '&') {
        expected = radixExpected(squeezed, value);
    } else if (body[0] == '0' && (body[1] == 'x' || body[1] == 'X')) {
        // strtod would read a hexadecimal float; the rule stops at the "x".
        expected = std::strtod(squeezed.substr(0, sign + 1).c_str(), nullptr);
    } else if ((body[0] >= '0' && body[0] <= '9') || body[0] == '.') {
        // Otherwise strtod reads the same form; it stops at a NUL as the rule does. The program
        // never calls setlocale, so the point is ".".
        char* end = nullptr;
        expected = std::strtod(squeezed.c_str(), &end);
        readLength = static_cast<std::size_t>(end - squeezed.c_str());
    }
    if (readLength != reading.read.size())
        fail("the number ends elsewhere than the C library's");
    if (std::memcmp(&value, &expected, sizeof value) != 0)
        fail("the leading number differs from the C library's");
}

template <typename Float> void checkNumberText(Float value, int significant) {
    char expected[64] = "超出计算范围";
    if (std::isfinite(value))
        std::snprintf(expected, sizeof expected, "%c%.*G", value < 0 ? '-' : ' ', significant,
                      static_cast<double>(std::fabs(value)));
    if (calc::numberText(value) != expected)
        fail("the number text differs from printf's");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    checkTextToNumber(text);
    // What a box shows for its own text, as the handlings store it.
    checkNumberText(calc::storedFloat(calc::prefixNumber(text)), 7);
    if (size >= sizeof(float)) {
        float bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        checkNumberText(bits, 7);
    }
    return 0;
}
