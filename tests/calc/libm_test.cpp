#include "calc/libm.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Doubles of every exponent in [2^-span/2, 2^span/2), either sign.
double anyDouble(std::mt19937_64& random, int span) {
    const std::uint64_t exponent = 1023 - span / 2 + random() % span;
    return std::bit_cast<double>((random() & 0x800fffffffffffff) | exponent << 52);
}

// The exact fused multiply-add against glibc's, which IEEE 754 fixes to the bit: far apart
// terms, products cancelled to their last bits, exact zeros and subnormal results.
TEST(Libm, ExactFmaIsRoundedOnce) {
#ifndef __GLIBC__
    GTEST_SKIP() << "the oracle is glibc's fma; MinGW's is not always rounded once";
#endif
    std::mt19937_64 random(1);
    for (int i = 0; i < 300000; ++i) {
        const double a = anyDouble(random, 2000), b = anyDouble(random, 2000);
        const double near = -(a * b) * (1 + std::ldexp(static_cast<double>(random() % 9) - 4, -50));
        for (const double c : {anyDouble(random, 2040), near, -(a * b)})
            ASSERT_EQ(std::bit_cast<std::uint64_t>(calc::libm::fmaExact(a, b, c)),
                      std::bit_cast<std::uint64_t>(std::fma(a, b, c)))
                << std::hexfloat << a << " * " << b << " + " << c;
    }
}

// glibc runs the same algorithms, and on a processor with fused multiply-add it runs them fused
// as calc::libm does everywhere: the figures shown on Linux must not move. The ranges are the
// formulas' (IF97's reduced pressures, temperatures and densities, the bores and roughnesses).
TEST(Libm, SameBitsAsGlibcOnAProcessorWithFma) {
#if !defined(__GLIBC__) || !(defined(__x86_64__) || defined(__i386__))
    GTEST_SKIP() << "the C library here is not glibc on x86";
#else
    if (!__builtin_cpu_supports("fma"))
        GTEST_SKIP() << "without fused multiply-add glibc runs its other build of these";
    std::mt19937_64 random(2);
    std::uniform_real_distribution<double> reduced(0.0, 2.6), mpa(1e-4, 100.0),
        exponent(-12.0, 4.0), wide(-700.0, 700.0);
    const auto same = [](double a, double b) {
        return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
    };
    for (int i = 0; i < 200000; ++i) {
        const double x = reduced(random), p = mpa(random), e = exponent(random);
        const int power = static_cast<int>(random() % 64) - 6;
        const double bore = static_cast<float>(p / 50), roughness = static_cast<float>(p * 1e-4);
        ASSERT_TRUE(same(calc::libm::pow(x, power), std::pow(x, power))) << x << "^" << power;
        ASSERT_TRUE(same(calc::libm::pow(bore, 5.25), std::pow(bore, 5.25))) << bore;
        ASSERT_TRUE(same(calc::libm::pow(roughness, 0.25), std::pow(roughness, 0.25)));
        ASSERT_TRUE(same(calc::libm::pow(p, e), std::pow(p, e))) << p << "^" << e;
        ASSERT_TRUE(same(calc::libm::log(p), std::log(p))) << p;
        ASSERT_TRUE(same(calc::libm::log(1 + (x - 1.3) / 16), std::log(1 + (x - 1.3) / 16)));
        ASSERT_TRUE(same(calc::libm::exp(std::log(p)), std::exp(std::log(p)))) << p;
        const double w = wide(random);
        ASSERT_TRUE(same(calc::libm::exp(w), std::exp(w))) << w;
    }
    // The special cases: zeros, infinities, negative bases, overflow and underflow.
    for (const double y : {-3.0, -0.5, 0.0, 0.5, 3.0, 1e300, -kInfinity})
        for (const double x : {-2.0, -0.0, 0.0, 0.5, 1.0, 2.0, 1e300, kInfinity})
            EXPECT_TRUE(same(calc::libm::pow(x, y), std::pow(x, y)) ||
                        (std::isnan(calc::libm::pow(x, y)) && std::isnan(std::pow(x, y))))
                << x << "^" << y;
#endif
}

} // namespace
