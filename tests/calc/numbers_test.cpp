#include "calc/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using calc::numberText;
using calc::prefixNumber;
using calc::storedFloat;

struct TextCase {
    const char* name;
    float value;
    const char* text;
};

// Every shown number goes through this; a wrong digit here is a wrong digit on screen.
TEST(NumberText, FloatValues) {
    const TextCase cases[] = {
        {"zero", 0.0f, " 0"},
        {"negative zero shows no sign", -0.0f, " 0"},
        {"integer", 15.0f, " 15"},
        {"velocity of the worked example", 17.683897f, " 17.6839"},
        {"pressure drop", 14549.428f, " 14549.43"},
        {"density 1.122 as a float", 1.122f, " 1.122"},
        {"negative", -2.5f, "-2.5"},
        {"seven digits before the point", 1234567.0f, " 1234567"},
        {"eight digits take the exponent", 12345678.0f, " 1.234568E+07"},
        {"rounding carries into 1E+07", 9999999.5f, " 1E+07"},
        {"below one has a leading zero", 0.2f, " 0.2"},
        {"1E-04 is still fixed", 0.0001f, " 0.0001"},
        {"below 1E-04 is exponent form", 0.00001f, " 1E-05"},
        {"small with a fraction", 1.5e-7f, " 1.5E-07"},
        {"largest float", std::numeric_limits<float>::max(), " 3.402823E+38"},
        {"smallest table density", 0.004847f, " 0.004847"},
        {"negative exponent form", -2.5e-6f, "-2.5E-06"},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(numberText(c.value), c.text) << c.name;
}

TEST(NumberText, NonFiniteNeverShowsInfOrNan) {
    EXPECT_EQ(numberText(std::numeric_limits<float>::infinity()), "超出计算范围");
    EXPECT_EQ(numberText(std::numeric_limits<float>::quiet_NaN()), "超出计算范围");
}

struct PrefixCase {
    const char* name;
    std::string text;
    double value;
};

TEST(PrefixNumber, ReadsTheLeadingNumber) {
    const PrefixCase cases[] = {
        {"decimal", "12.5", 12.5},
        {"unit after the number", "12.5 t/h", 12.5},
        {"exponent", "1e3", 1000},
        {"blanks inside are skipped", "1 2", 12},
        {"tabs and line feeds too", "\t1\n2 .\t5", 12.5},
        {"comma ends the number", "1,5", 1},
        {"empty", "", 0},
        {"blanks only", "   \t\n ", 0},
        {"sign alone", "-", 0},
        {"point alone", ".", 0},
        {"negative", "-3", -3},
        {"plus sign", "+4", 4},
        {"leading point", ".5", 0.5},
        {"trailing point", "5.", 5},
        {"second point ends it", "1.2.3", 1.2},
        {"double sign", "--1", 0},
        {"exponent without digits", "1e", 1},
        {"exponent sign without digits", "1e+", 1},
        {"negative exponent", "25E-1", 2.5},
        {"letters", "abc", 0},
        {"full-width digits are not digits", "１０", 0},
        {"hexadecimal", "&HFF", 255},
        {"hexadecimal lower case", "&hff", 255},
        {"octal", "&O777", 511},
        {"octal stops at 8", "&o178", 15},
        {"ampersand alone", "&", 0},
        {"hex without digit", "&H", 0},
        {"ampersand with other letter", "&X1", 0},
        {"hex beyond 64 bits", "&HFFFFFFFFFFFFFFFFFFFFFFFF", 0x1p96},
        {"invalid UTF-8 ends the number", std::string("7\xff\xfe"), 7},
        {"embedded NUL ends the number",
         std::string("3\0"
                     "4",
                     3),
         3},
        // Digits are taken eight at a time: whatever ends a run must end it wherever it falls.
        {"nine digits", "123456789", 123456789},
        {"point ninth", "12345678.5", 12345678.5},
        {"colon among eight ends it", "1234567:12345678", 1234567},
        {"colon after eight digits ends it", "12345678:12345678", 12345678},
        {"slash among sixteen", "1234567/12345678", 1234567},
        {"blank after eight digits", "12345678 12345678", 1234567812345678},
        {"exponent after sixteen digits", "1234567812345678e-8", 12345678.12345678},
        {"byte above the digits ends it",
         "12345678\xfa"
         "12345678",
         12345678},
    };
    for (const PrefixCase& c : cases)
        EXPECT_EQ(prefixNumber(c.text), c.value) << c.name;
}

TEST(PrefixNumber, ConvertsCorrectlyRounded) {
    // Digit-by-digit arithmetic gets these wrong in the last bit.
    EXPECT_EQ(prefixNumber("0.1"), 0.1);
    EXPECT_EQ(prefixNumber("1.122"), 1.122);
    EXPECT_EQ(prefixNumber("2.2250738585072011e-308"), 2.2250738585072011e-308);
    EXPECT_EQ(prefixNumber("9007199254740993"), 9007199254740992.0);
}

TEST(PrefixNumber, OutOfRangeGivesInfinityOrZero) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(prefixNumber("1e999"), inf);
    EXPECT_EQ(prefixNumber("-1e999"), -inf);
    EXPECT_EQ(prefixNumber("1e-999"), 0.0);
    EXPECT_EQ(prefixNumber("0.0001e-320"), 0.0);
    EXPECT_EQ(prefixNumber("1.5e-320"), 1.5e-320) << "a subnormal is a value, not an underflow";
    EXPECT_EQ(prefixNumber("1e99999999999999999999"), inf);
    EXPECT_EQ(prefixNumber("0e999999"), 0.0);
    EXPECT_EQ(prefixNumber("4.9e-324"), std::numeric_limits<double>::denorm_min());
}

TEST(PrefixNumber, MillionCharacterTexts) {
    const std::string digits(1'000'000, '9');
    EXPECT_EQ(prefixNumber(digits), std::numeric_limits<double>::infinity());
    EXPECT_EQ(prefixNumber("0." + digits), 1.0);
    EXPECT_EQ(prefixNumber(std::string(1'000'000, ' ') + "42"), 42);
    EXPECT_EQ(prefixNumber(std::string(1'000'000, '0') + "1.5"), 1.5);
    EXPECT_EQ(prefixNumber("&H" + std::string(1'000'000, 'F')),
              std::numeric_limits<double>::infinity());
}

TEST(StoredFloat, RoundsToFloatAndOverflowsToInfinity) {
    EXPECT_EQ(storedFloat(0.015), 0.015f);
    EXPECT_EQ(storedFloat(1e39), std::numeric_limits<float>::infinity());
    EXPECT_EQ(storedFloat(-1e39), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(storedFloat(0x1.fffffefp127), std::numeric_limits<float>::max());
    EXPECT_EQ(storedFloat(0x1.ffffffp127), std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(storedFloat(std::nan(""))));
}

} // namespace
