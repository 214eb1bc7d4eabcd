// Named edge cases of the text <-> number conversions; the numbers fuzzer holds every other input
// against the C library.
#include "calc/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using calc::numberText;
using calc::prefixNumber;
using calc::storedFloat;

constexpr double kInf = std::numeric_limits<double>::infinity();

// Every shown number goes through this; a wrong digit here is a wrong digit on screen.
TEST(NumberText, FloatsShowSevenDigits) {
    const struct {
        const char* name;
        float value;
        const char* text;
    } cases[] = {
        {"zero", 0.0f, " 0"},
        {"negative zero shows no sign", -0.0f, " 0"},
        {"velocity of the worked example", 17.683897f, " 17.6839"},
        {"density 1.122 as a float", 1.122f, " 1.122"},
        {"negative", -2.5f, "-2.5"},
        {"seven digits before the point", 1234567.0f, " 1234567"},
        {"eight digits take the exponent", 12345678.0f, " 1.234568E+07"},
        {"rounding carries into 1E+07", 9999999.5f, " 1E+07"},
        {"below one has a leading zero", 0.2f, " 0.2"},
        {"1E-04 is still fixed", 0.0001f, " 0.0001"},
        {"below 1E-04 is exponent form", 0.00001f, " 1E-05"},
        {"negative exponent form", -2.5e-6f, "-2.5E-06"},
        {"largest float", std::numeric_limits<float>::max(), " 3.402823E+38"},
        {"infinity never shows as inf", std::numeric_limits<float>::infinity(), "超出计算范围"},
        {"nor NaN as nan", std::numeric_limits<float>::quiet_NaN(), "超出计算范围"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numberText(c.value), c.text) << c.name;
}

TEST(PrefixNumber, ReadsTheLeadingNumber) {
    const struct {
        const char* name;
        std::string text;
        double value;
    } cases[] = {
        {"unit after the number", "12.5 t/h", 12.5},
        {"exponent", "1e3", 1000},
        {"blanks inside are skipped", "1 2", 12},
        {"tabs and line feeds too", "\t1\n2 .\t5", 12.5},
        {"blanks inside the exponent", "25 E - 1", 2.5},
        {"comma ends the number", "1,5", 1},
        {"empty", "", 0},
        {"sign alone", "-", 0},
        {"point alone", ".", 0},
        {"negative", "-3", -3},
        {"plus sign", "+4", 4},
        {"leading point", ".5", 0.5},
        {"second point ends it", "1.2.3", 1.2},
        {"exponent without digits", "1e", 1},
        {"exponent sign without digits", "1e+", 1},
        // Input methods in full-width mode type these.
        {"full-width digits", "１０", 10},
        {"full-width point", "１２．５", 12.5},
        {"full-width minus", "－３", -3},
        {"full-width exponent", "１ｅ３", 1000},
        {"full-width hexadecimal", "＆ｈＦＦ", 255},
        {"full-width and ASCII digits mixed", "１0", 10},
        {"ideographic space is a blank", "１\u3000０", 10},
        {"full-width comma ends the number", "１，５", 1},
        {"U+FF5F past the full-width forms ends it", "1｟2", 1},
        {"a cut-off full-width form ends it", "1\xef\xbc", 1},
        {"invalid UTF-8 ends the number", "7\xff\xfe", 7},
        {"embedded NUL ends the number",
         std::string("3\0"
                     "4",
                     3),
         3},
        {"hexadecimal", "&HFF", 255},
        {"octal", "&O777", 511},
        {"octal stops at 8", "&o178", 15},
        {"ampersand alone", "&", 0},
        {"hex without digit", "&H", 0},
        {"ampersand with other letter", "&X1", 0},
        {"hex beyond 64 bits", "&HFFFFFFFFFFFFFFFFFFFFFFFF", 0x1p96},
        // Digit-by-digit arithmetic gets these wrong in the last bit.
        {"0.1 correctly rounded", "0.1", 0.1},
        {"just below the smallest normal", "2.2250738585072011e-308", 2.2250738585072011e-308},
        {"halfway above 2^53 rounds to even", "9007199254740993", 0x1p53},
        {"overflow", "1e999", kInf},
        {"negative overflow", "-1e999", -kInf},
        {"exponent past 64 bits", "1e99999999999999999999", kInf},
        {"digits outweigh a negative exponent", "1" + std::string(400, '0') + "e-50", kInf},
        {"underflow", "1e-999", 0},
        {"zeros outweigh a positive exponent", "0." + std::string(400, '0') + "1e50", 0},
        {"zero with a huge exponent", "0e999999", 0},
        {"a subnormal is a value, not an underflow", "1.5e-320", 1.5e-320},
        {"smallest subnormal", "4.9e-324", 0x1p-1074},
    };
    for (const auto& c : cases)
        EXPECT_EQ(prefixNumber(c.text), c.value) << c.name;
}

// A quadratic reading would not end on these.
TEST(PrefixNumber, MillionCharacterTextsStayLinear) {
    const std::string nines(1'000'000, '9');
    EXPECT_EQ(prefixNumber(nines), kInf);
    EXPECT_EQ(prefixNumber("0." + nines), 1.0);
    EXPECT_EQ(prefixNumber(std::string(1'000'000, ' ') + "42"), 42);
    EXPECT_EQ(prefixNumber(std::string(1'000'000, '0') + "1.5"), 1.5);
    EXPECT_EQ(prefixNumber("&H" + std::string(1'000'000, 'F')), kInf);
}

TEST(StoredFloat, RoundsToFloatAndOverflowsToInfinity) {
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(storedFloat(0.015), 0.015f);
    EXPECT_EQ(storedFloat(-1e39), -inf);
    EXPECT_EQ(storedFloat(0x1.fffffefp127), std::numeric_limits<float>::max());
    EXPECT_EQ(storedFloat(0x1.ffffffp127), inf) << "halfway rounds to infinity";
    EXPECT_TRUE(std::isnan(storedFloat(std::nan(""))));
}

} // namespace
