#include "calc/numbers.h"

#include "calc/messages.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace calc {

float storedFloat(double wide) {
    // Halfway between the largest float and the next power of two: from here IEEE rounding
    // to nearest gives an infinity, but a C++ conversion of it would be undefined.
    constexpr double kOverflow = 0x1.ffffffp127;
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    if (std::isnan(wide))
        return std::numeric_limits<float>::quiet_NaN();
    if (wide >= kOverflow)
        return kInfinity;
    if (wide <= -kOverflow)
        return -kInfinity;
    return static_cast<float>(wide);
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t skipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && isDigit(text[at]))
        ++at;
    return at;
}

int hexDigit(char c) {
    if (isDigit(c))
        return c - '0';
    const char lower = static_cast<char>(c | 0x20);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// "&H" and "&O" integers, accumulated in floating point so that no length can overflow.
double radixInteger(std::string_view text) {
    const char kind = text.empty() ? '\0' : static_cast<char>(text[0] | 0x20);
    const int radix = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
    double value = 0;
    for (std::size_t i = 1; radix != 0 && i < text.size(); ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

// What from_chars reports as out of range lies either past the largest double or below the
// smallest subnormal; the decimal position of the first significant digit plus the exponent
// tells which.
double outOfRange(std::string_view number) {
    const std::size_t e = number.find_first_of("Ee");
    const std::string_view mantissa = number.substr(0, e);
    const std::string_view exponent = e == std::string_view::npos ? "" : number.substr(e + 1);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos)
        return 0;
    long long position = static_cast<long long>(point) - static_cast<long long>(first);
    if (first > point)
        ++position;
    long long power = 0;
    for (char c : exponent)
        if (isDigit(c)) // Saturate: past this every mantissa has overflowed or underflowed.
            power = std::min(power * 10 + (c - '0'), 1'000'000'000LL);
    if (!exponent.empty() && exponent[0] == '-')
        power = -power;
    return position + power > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

// The text as the rule reads it. Blanks, tabs, line feeds and the ideographic space U+3000 are
// not there, and the full-width forms U+FF01 to U+FF5E that input methods type in full-width mode
// stand as the ASCII characters 0x21 to 0x7E they are wide forms of. Every other byte, valid
// UTF-8 or not, stays as it is and ends a number.
std::string narrowed(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&](std::size_t k) {
            return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
        };
        // U+FF00 + n, the wide form of ASCII 0x20 + n, is EF BC 80+n in UTF-8 for n below 0x40
        // and EF BD 80+(n-0x40) above.
        if (byte(0) == 0xEF && (byte(1) == 0xBC || byte(1) == 0xBD) && (byte(2) & 0xC0) == 0x80) {
            const int ascii = 0x20 + (byte(1) - 0xBC) * 0x40 + (byte(2) - 0x80);
            if (ascii > 0x20 && ascii < 0x7F) {
                out += static_cast<char>(ascii);
                i += 2;
                continue;
            }
        }
        if (byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) { // U+3000
            i += 2;
            continue;
        }
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\n')
            out += text[i];
    }
    return out;
}

} // namespace

NumberReading readNumber(std::string_view text) {
    NumberReading reading{.value = 0, .read = {}, .rest = narrowed(text)};
    const std::string_view s = reading.rest;
    std::size_t end = 0;
    if (!s.empty() && s[0] == '&') {
        const char kind = s.size() > 1 ? static_cast<char>(s[1] | 0x20) : '\0';
        const int radix = kind == 'h' ? 16 : kind == 'o' ? 8 : 0;
        std::size_t digitsEnd = radix ? 2 : 0;
        while (radix && digitsEnd < s.size() && hexDigit(s[digitsEnd]) >= 0 &&
               hexDigit(s[digitsEnd]) < radix)
            ++digitsEnd;
        reading.value = radixInteger(s.substr(1));
        end = digitsEnd > 2 ? digitsEnd : 0;
    } else {
        const bool negative = !s.empty() && s[0] == '-';
        const std::size_t start = !s.empty() && (s[0] == '+' || s[0] == '-') ? 1 : 0;
        end = skipDigits(s, start);
        std::size_t digits = end - start;
        if (end < s.size() && s[end] == '.') {
            const std::size_t fractionEnd = skipDigits(s, end + 1);
            digits += fractionEnd - end - 1;
            end = fractionEnd;
        }
        if (digits == 0)
            return reading;
        // The exponent belongs to the number only when at least one digit follows the "E".
        if (end < s.size() && (s[end] == 'E' || s[end] == 'e')) {
            std::size_t exponentDigits = end + 1;
            if (exponentDigits < s.size() && (s[exponentDigits] == '+' || s[exponentDigits] == '-'))
                ++exponentDigits;
            if (skipDigits(s, exponentDigits) > exponentDigits)
                end = skipDigits(s, exponentDigits);
        }
        const auto result = std::from_chars(s.data() + start, s.data() + end, reading.value);
        if (result.ec == std::errc::result_out_of_range)
            reading.value = outOfRange(s.substr(start, end - start));
        if (negative)
            reading.value = -reading.value;
    }
    reading.read = reading.rest.substr(0, end);
    reading.rest.erase(0, end);
    return reading;
}

double prefixNumber(std::string_view text) {
    return readNumber(text).value;
}

BoxNumber boxNumber(std::string_view text, std::string_view name, std::string_view suffix) {
    NumberReading reading = readNumber(text);
    if (reading.read.empty())
        return {.value = 0, .fault = "请输入" + std::string(name), .blank = reading.rest.empty()};
    if (!reading.rest.empty() && reading.rest != suffix) {
        std::string fault = std::string(name) + "只读入了“" + reading.read + "”，其后的“" +
                            reading.rest + "”不是数的一部分";
        // A decimal comma is the likeliest reason, and the one the engineer cannot see.
        if (reading.rest[0] == ',')
            fault += "（小数点请用“.”）";
        return {.value = reading.value, .fault = std::move(fault), .blank = false};
    }
    return {.value = reading.value, .fault = {}, .blank = false};
}

namespace {

// Every field shows seven significant digits.
constexpr int kSignificant = 7;

std::string generalText(double value) {
    if (!std::isfinite(value))
        return std::string(kBeyondRange);
    std::string out = (value < 0) ? "-" : " ";
    const double magnitude = std::fabs(value);
    if (magnitude == 0)
        return out + "0";

    // Scientific form rounds correctly to the significant digits and, unlike printf, never
    // takes the decimal point from the user's locale.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, kSignificant - 1);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, e))
        if (c != '.')
            digits += c;
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    int exponent = 0;
    const std::string_view exponentText = scientific.substr(e + 1);
    std::from_chars(exponentText.data() + (exponentText[0] == '+' ? 1 : 0),
                    exponentText.data() + exponentText.size(), exponent);

    const int length = static_cast<int>(digits.size());
    if (exponent >= kSignificant || exponent < -4) {
        out += digits[0];
        if (length > 1)
            out += "." + digits.substr(1);
        const int absExponent = exponent < 0 ? -exponent : exponent;
        out += exponent < 0 ? "E-" : "E+";
        if (absExponent < 10)
            out += '0';
        out += std::to_string(absExponent);
    } else if (exponent >= 0) {
        const int integerLength = exponent + 1;
        if (length <= integerLength) {
            out += digits + std::string(static_cast<std::size_t>(integerLength - length), '0');
        } else {
            out += digits.substr(0, static_cast<std::size_t>(integerLength)) + "." +
                   digits.substr(static_cast<std::size_t>(integerLength));
        }
    } else {
        out += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return out;
}

} // namespace

std::string numberText(float value) {
    return generalText(value);
}

// No double's shortest form is longer than 24 characters, so neither runs out of room; a
// fixed form of a large magnitude to few decimals is at most 309 digits and the decimals.
std::string shortestText(double value) {
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string decimalText(double value, int decimals) {
    char text[400];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed,
                                   std::min(decimals, 60));
    return std::string(text, end.ptr);
}

} // namespace calc
