#include "calc/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
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

// Walks a text as the prefix rule sees it: blanks, tabs and line feeds are not there.
class Cursor {
public:
    explicit Cursor(std::string_view text) : m_text(text) { skipBlanks(); }

    bool atEnd() const { return m_pos == m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void advance() {
        ++m_pos;
        skipBlanks();
    }
    // Digits, with at most one point in the whole number, from here up to the first blank or
    // other character; a long number is then taken in a few pieces, not a character at a time.
    std::string_view mantissaRun(bool& point) {
        const std::size_t start = m_pos;
        for (; m_pos < m_text.size(); ++m_pos) {
            while (m_pos + 8 <= m_text.size() && eightDigits(m_text.data() + m_pos))
                m_pos += 8;
            if (m_pos == m_text.size())
                break;
            const char c = m_text[m_pos];
            if (c >= '0' && c <= '9')
                continue;
            if (c != '.' || point)
                break;
            point = true;
        }
        const std::string_view taken = m_text.substr(start, m_pos - start);
        skipBlanks();
        return taken;
    }

private:
    // Whether the eight characters from `p` are all digits, tested at once: each byte's high
    // half must be 3, and stay 3 when 6 is added, which only 0 to 9 do.
    static bool eightDigits(const char* p) {
        std::uint64_t bytes = 0;
        std::memcpy(&bytes, p, sizeof bytes);
        constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0;
        return ((bytes & kHigh) | (((bytes + 0x0606060606060606) & kHigh) >> 4)) ==
               0x3333333333333333;
    }

    void skipBlanks() {
        while (m_pos < m_text.size() &&
               (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n'))
            ++m_pos;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexDigit(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// "&H" and "&O" integers, accumulated in floating point so that no length can overflow.
double radixInteger(Cursor& cursor) {
    const char kind = cursor.peek();
    const int radix = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
    if (radix == 0)
        return 0;
    cursor.advance();
    double value = 0;
    for (int digit = hexDigit(cursor.peek()); !cursor.atEnd() && digit >= 0 && digit < radix;
         digit = hexDigit(cursor.peek())) {
        value = value * radix + digit;
        cursor.advance();
    }
    return value;
}

// What from_chars reports as out of range is either past the largest double or below the
// smallest subnormal; the decimal position of the first significant digit tells which.
double outOfRange(std::string_view mantissa, long long exponent) {
    long long leadingPosition = 0;
    const std::size_t point = mantissa.find('.');
    const std::size_t firstSignificant = mantissa.find_first_not_of("0.");
    if (firstSignificant == std::string::npos)
        return 0;
    if (point == std::string::npos || firstSignificant < point) {
        const std::size_t integerEnd = point == std::string::npos ? mantissa.size() : point;
        leadingPosition = static_cast<long long>(integerEnd - firstSignificant);
    } else {
        leadingPosition = -static_cast<long long>(firstSignificant - point - 1);
    }
    return leadingPosition + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

} // namespace

double prefixNumber(std::string_view text) {
    Cursor cursor(text);
    if (cursor.peek() == '&') {
        cursor.advance();
        return radixInteger(cursor);
    }

    bool negative = false;
    if (cursor.peek() == '+' || cursor.peek() == '-') {
        negative = cursor.peek() == '-';
        cursor.advance();
    }

    bool point = false;
    // Most numbers stand in the text in one piece and are read where they stand; only blanks
    // inside a number or an exponent make a copy. With one point in the whole number, only a
    // piece that is the point alone holds no digit.
    const std::string_view first = cursor.mantissaRun(point);
    bool anyDigit = !first.empty() && first != ".";
    std::string number;
    bool copied = false;
    for (std::string_view piece = cursor.mantissaRun(point); !piece.empty();
         piece = cursor.mantissaRun(point)) {
        if (!copied)
            number.assign(first);
        copied = true;
        number += piece;
        anyDigit = anyDigit || piece != ".";
    }
    if (!anyDigit)
        return 0;
    const std::size_t mantissaLength = copied ? number.size() : first.size();

    // The exponent belongs to the number only when at least one digit follows the "E".
    long long exponent = 0;
    if (cursor.peek() == 'E' || cursor.peek() == 'e') {
        cursor.advance();
        std::string digits;
        bool negativeExponent = false;
        if (cursor.peek() == '+' || cursor.peek() == '-') {
            negativeExponent = cursor.peek() == '-';
            digits += cursor.peek();
            cursor.advance();
        }
        const std::size_t signLength = digits.size();
        for (; !cursor.atEnd() && isDigit(cursor.peek()); cursor.advance()) {
            digits += cursor.peek();
            // Saturate: past this every mantissa has overflowed or underflowed anyway.
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (cursor.peek() - '0');
        }
        if (digits.size() > signLength) {
            if (!copied)
                number.assign(first);
            copied = true;
            number += 'e';
            number += digits;
            if (negativeExponent)
                exponent = -exponent;
        } else {
            exponent = 0;
        }
    }

    const std::string_view whole = copied ? std::string_view(number) : first;
    double value = 0;
    const auto [end, error] = std::from_chars(whole.data(), whole.data() + whole.size(), value);
    if (error == std::errc::result_out_of_range)
        value = outOfRange(whole.substr(0, mantissaLength), exponent);
    else if (error != std::errc())
        value = 0;
    (void)end;
    return negative ? -value : value;
}

namespace {

std::string generalText(double value, int significant) {
    if (!std::isfinite(value))
        return "超出计算范围";
    std::string out = (value < 0) ? "-" : " ";
    const double magnitude = std::fabs(value);
    if (magnitude == 0)
        return out + "0";

    // Scientific form rounds correctly to the significant digits and, unlike printf, never
    // takes the decimal point from the user's locale.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                      std::chars_format::scientific, significant - 1);
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
    if (exponent >= significant || exponent < -4) {
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
    return generalText(value, 7);
}

} // namespace calc
