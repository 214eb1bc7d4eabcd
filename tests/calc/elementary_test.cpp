#include "calc/elementary.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#ifdef STEAM_HAVE_MPFR
#include <mpfr.h>
#endif

// exp, log and pow against MPFR: the correctly rounded double, bit for bit, over the ranges the
// formulas use and over the whole ranges; a wrong constant, a lost low part, a double rounding
// into the subnormals or a special case of the C standard taken otherwise fails a row.
namespace {

using calc::elementary::exp;
using calc::elementary::log;
using calc::elementary::pow;

enum class Fn { Exp, Log, Pow };

double ours(Fn f, double x, double y) {
    return f == Fn::Exp ? exp(x) : f == Fn::Log ? log(x) : pow(x, y);
}

bool sameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b) ||
           (std::isnan(a) && std::isnan(b));
}

// Correctly rounded values that MPFR printed (53 bits, nearest, subnormalized), fixed here so
// that the Windows build, which has no MPFR, is held to the same bits: IF97's powers, the
// friction formula's, the solver's pressure range and the edges of exp.
struct Fixed {
    Fn f;
    double x, y, expected;
};
constexpr std::array kFixed{
    // IF97's reduced variables to integer powers; glibc rounds the first three the other way.
    Fixed{Fn::Pow, 0x1.07df5d76c91cep+1, -41, 0x1.27c93f354a43dp-43},
    Fixed{Fn::Pow, 0x1.452c17ee959f3p+1, -32, 0x1.f15574e0736cep-44},
    Fixed{Fn::Pow, 0x1.77cebbf11f57p-1, 24, 0x1.3984b53c1deabp-11},
    Fixed{Fn::Pow, 0.85, 44, 0x1.9b26f87a82172p-11},
    Fixed{Fn::Pow, 1.3, -41, 0x1.654ec98629cb6p-16},
    Fixed{Fn::Pow, -0.55, 7, -0x1.f2df1fb5a7ed7p-7},
    // The friction formula's roughness (0.2 mm) and bore (207 mm) as stored floats, the
    // backward equation's fourth root of a pressure, a colour channel's gamma.
    Fixed{Fn::Pow, 0x1.a36e2ep-13, 0.25, 0x1.e7196737c28aap-4},
    Fixed{Fn::Pow, 0x1.a7ef9ep-3, 5.25, 0x1.0ccf2cbdb100cp-12},
    Fixed{Fn::Pow, 10, 0.25, 0x1.c73d51c54470ep+0},
    Fixed{Fn::Pow, 0.5, 2.4, 0x1.8406003b2ae5dp-3},
    // Pressures in MPa: the critical one, the solver's lowest, one just above 1.
    Fixed{Fn::Log, 22.064, 0, 0x1.8c06773fbaf5cp+1},
    Fixed{Fn::Log, 1e-4, 0, -0x1.26bb1bbb55515p+3},
    Fixed{Fn::Log, 1.0000001, 0, 0x1.ad7f2847b6492p-24},
    // exp in the solver's range, just below overflow, and down to the least subnormal.
    Fixed{Fn::Exp, -9.2, 0, 0x1.a7ca3b4bbd164p-14},
    Fixed{Fn::Exp, 3.09, 0, 0x1.5fa21c83f8bb7p+4},
    Fixed{Fn::Exp, 709.78, 0, 0x1.fe9ce5c4c52b4p+1023},
    Fixed{Fn::Exp, -745, 0, 0x0.0000000000001p-1022},
};

TEST(Elementary, FixedValuesAreCorrectlyRounded) {
    for (const Fixed& row : kFixed)
        EXPECT_PRED2(sameBits, ours(row.f, row.x, row.y), row.expected)
            << std::hexfloat << int(row.f) << " " << row.x << " " << row.y;
}

#ifdef STEAM_HAVE_MPFR
// MPFR's value of the function, correctly rounded to a double with gradual underflow.
double oracle(Fn f, double x, double y) {
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    mpfr_t a, b, r;
    mpfr_inits2(53, a, b, r, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_d(a, x, MPFR_RNDN);
    mpfr_set_d(b, y, MPFR_RNDN);
    int inexact = f == Fn::Exp   ? mpfr_exp(r, a, MPFR_RNDN)
                  : f == Fn::Log ? mpfr_log(r, a, MPFR_RNDN)
                                 : mpfr_pow(r, a, b, MPFR_RNDN);
    inexact = mpfr_subnormalize(r, inexact, MPFR_RNDN);
    const double value = mpfr_get_d(r, MPFR_RNDN);
    mpfr_clears(a, b, r, static_cast<mpfr_ptr>(nullptr));
    return value;
}

// The ranges the formulas use and the whole ranges, each row drawn at random.
struct Range {
    const char* name;
    Fn f;
    double (*x)(std::mt19937_64&);
    double (*y)(std::mt19937_64&);
};
double uniform(std::mt19937_64& g, double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(g);
}
double logUniform(std::mt19937_64& g, double low, double high) {
    return std::exp(uniform(g, std::log(low), std::log(high)));
}
double anyInteger(std::mt19937_64& g, int low, int high) {
    return static_cast<double>(std::uniform_int_distribution<int>(low, high)(g));
}
double none(std::mt19937_64&) {
    return 0;
}
const std::array<Range, 15> kRanges{{
    {"IF97 reduced variable ^ integer", Fn::Pow, [](auto& g) { return uniform(g, 0, 2.6); },
     [](auto& g) { return anyInteger(g, -45, 45); }},
    {"negative base ^ integer", Fn::Pow, [](auto& g) { return uniform(g, -3, 0); },
     [](auto& g) { return anyInteger(g, -45, 45); }},
    {"base 2^-20..2^20 ^ integer -80..80, both paths", Fn::Pow,
     [](auto& g) { return logUniform(g, 0x1p-20, 0x1p20); },
     [](auto& g) { return anyInteger(g, -80, 80); }},
    {"roughness^0.25", Fn::Pow,
     [](auto& g) { return double(static_cast<float>(logUniform(g, 1e-6, 1e-2))); },
     [](auto&) { return 0.25; }},
    {"bore^5.25", Fn::Pow,
     [](auto& g) { return double(static_cast<float>(logUniform(g, 1e-3, 2))); },
     [](auto&) { return 5.25; }},
    {"pressure in MPa ^ real", Fn::Pow, [](auto& g) { return logUniform(g, 1e-4, 100); },
     [](auto& g) { return uniform(g, -12, 4); }},
    {"colour channel^2.4", Fn::Pow, [](auto& g) { return uniform(g, 0.03, 1); },
     [](auto&) { return 2.4; }},
    {"any magnitude ^ real", Fn::Pow, [](auto& g) { return logUniform(g, 1e-300, 1e300); },
     [](auto& g) { return uniform(g, -2.4, 2.4); }},
    {"log of pressures", Fn::Log, [](auto& g) { return logUniform(g, 1e-4, 100); }, none},
    {"log near 1", Fn::Log, [](auto& g) { return 1 + uniform(g, -1, 1) * logUniform(g, 1e-16, 1); },
     none},
    {"log of any double", Fn::Log,
     [](auto& g) { return std::bit_cast<double>(g() & 0x7fefffffffffffff); }, none},
    {"exp over the solver's range", Fn::Exp, [](auto& g) { return uniform(g, -10, 5); }, none},
    {"exp of any argument", Fn::Exp, [](auto& g) { return uniform(g, -746, 710); }, none},
    {"exp into the subnormals", Fn::Exp, [](auto& g) { return uniform(g, -745.2, -708); }, none},
    {"pow about overflow and underflow", Fn::Pow, [](auto& g) { return uniform(g, 1.9, 2.1); },
     [](auto& g) { return uniform(g, -1120, 1060); }},
}};

#endif

TEST(Elementary, CorrectlyRoundedOverTheFormulasRanges) {
#ifndef STEAM_HAVE_MPFR
    GTEST_SKIP() << "built without MPFR";
#else
    std::mt19937_64 random(97);
    for (const Range& range : kRanges)
        for (int i = 0; i < 50000; ++i) {
            const double x = range.x(random), y = range.y(random);
            ASSERT_PRED2(sameBits, ours(range.f, x, y), oracle(range.f, x, y))
                << range.name << ": " << std::hexfloat << x << ", " << y;
        }
#endif
}

// The C standard's special cases, which MPFR follows: zeros, infinities, NaN, one, negative
// bases, subnormals, and results that overflow or underflow.
TEST(Elementary, SpecialCasesAsTheCStandard) {
#ifndef STEAM_HAVE_MPFR
    GTEST_SKIP() << "built without MPFR";
#else
    constexpr double kInf = std::numeric_limits<double>::infinity();
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    const double tiny = std::numeric_limits<double>::denorm_min();
    const std::array<double, 19> values{0.0,  -0.0, 1.0,   -1.0, 0.5,      -0.5,  2.0,
                                        -2.0, 3.0,  -3.0,  2.5,  -2.5,     1e300, -1e300,
                                        tiny, kInf, -kInf, kNaN, 0x1p-1022};
    for (const double x : values) {
        EXPECT_PRED2(sameBits, exp(x), oracle(Fn::Exp, x, 0)) << x;
        EXPECT_PRED2(sameBits, log(x), oracle(Fn::Log, x, 0)) << x;
        for (const double y : values)
            EXPECT_PRED2(sameBits, pow(x, y), oracle(Fn::Pow, x, y)) << x << "^" << y;
    }
#endif
}

} // namespace
