#include "calc/elementary.h"

#include "calc/double_double.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

// exp reduces x = k ln 2 + r with |r| <= ln 2 / 2, computes e^r - 1 by its Taylor series at
// r / 2^8 and doubles the argument back eight times (e^2s - 1 = (e^s - 1)(e^s + 1)), which keeps
// the small result's relative accuracy; then 2^k (1 + (e^r - 1)) is rounded once. log takes a
// double estimate y of log m (x = 2^e m) and corrects it by t = m e^-y - 1, itself tiny:
// log m = y + log(1 + t). pow is exp(y log x) with the product in double-double, or for a
// moderate integer power, repeated squaring in double-double.
namespace calc::elementary {
namespace {

using dd::DD;

// ln 2 = hi + mid + lo to about 2^-160, computed by tools/ln2_parts.py from the series
// ln 2 = 2 atanh(1/3) in exact rationals.
constexpr double kLn2Hi = 0x1.62e42fefa39efp-1;
constexpr double kLn2Mid = 0x1.abc9e3b39803fp-56;
constexpr double kLn2Lo = 0x1.7b57a079a1934p-111;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The halvings of r before the series: |r| <= 0.347 / 256 < 2^-9.5.
constexpr int kHalvings = 8;
// 1/3!, 1/4! and 1/5! in double-double; the series' later terms, below 2^-57 of its sum, in
// double.
constexpr DD kOverFactorial3 = dd::divide({1, 0}, {6, 0});
constexpr DD kOverFactorial4 = dd::divide({1, 0}, {24, 0});
constexpr DD kOverFactorial5 = dd::divide({1, 0}, {120, 0});

// k ln 2 as double-double for |k| < 2^11: each product exact but the last, which is below
// 2^-150.
DD timesLn2(double k) {
    const DD hi = dd::twoProduct(k, kLn2Hi);
    return dd::add(hi, dd::add(dd::twoProduct(k, kLn2Mid), k * kLn2Lo));
}

// e^r - 1 for |r| <= ln 2 / 2 (or a little beyond), relative error about 2^-100.
DD expm1Reduced(DD r) {
    constexpr double scale = 1.0 / (1 << kHalvings);
    const DD s{r.hi * scale, r.lo * scale};
    // The terms s^6/6! to s^9/9! in double; s^10/10! is below 2^-107 of s.
    const double tail = 1.0 / 720 + s.hi * (1.0 / 5040 + s.hi * (1.0 / 40320 + s.hi / 362880));
    DD p = dd::add(kOverFactorial5, s.hi * tail);
    p = dd::add(kOverFactorial4, dd::multiply(s, p));
    p = dd::add(kOverFactorial3, dd::multiply(s, p));
    p = dd::add(DD{0.5, 0}, dd::multiply(s, p));
    p = dd::add(DD{1, 0}, dd::multiply(s, p));
    p = dd::multiply(s, p);
    for (int i = 0; i < kHalvings; ++i)
        p = dd::add(DD{2 * p.hi, 2 * p.lo}, dd::square(p));
    return p;
}

// x × 2^k, exact while the result is a normal double; infinity beyond the largest.
double timesPowerOfTwo(double x, int k) {
    const auto power = [](int e) { return std::bit_cast<double>(std::uint64_t(e + 1023) << 52); };
    if (k > 1023)
        return x * power(1023) * power(k - 1023);
    return x * power(k);
}

// v × 2^k rounded once to the nearest double (ties to even), for v in [1/2, 2] and k above
// -1080: below 2^-1022 the doubles are the multiples of 2^-1074, and the product is rounded to
// one of them from v's full width, not from v.hi.
double roundScaled(DD v, int k) {
    if (k >= -1021) // v 2^k >= 0.7 × 2^-1021 is normal
        return timesPowerOfTwo(v.hi, k);
    const double unit = std::numeric_limits<double>::denorm_min();
    // u = v 2^(k + 1074) < 2^53: its whole part is exact and the result's number of units.
    const DD u{timesPowerOfTwo(v.hi, k + 1074), timesPowerOfTwo(v.lo, k + 1074)};
    double n = std::floor(u.hi);
    const double rest = (u.hi - n) + u.lo;
    const bool odd = std::floor(n / 2) != n / 2;
    if (rest > 0.5 || (rest == 0.5 && odd))
        n += 1;
    else if (rest < -0.5 || (rest == -0.5 && odd))
        n -= 1;
    return n * unit;
}

// e^z rounded once, for z in double-double.
double expRounded(DD z) {
    if (std::isnan(z.hi))
        return z.hi;
    if (z.hi > 710)
        return kInfinity;
    if (z.hi < -746)
        return 0;
    // The nearest integer to z / ln 2 (any near one would do): adding 1.5 × 2^52 leaves no bits
    // below the units.
    const double k = (z.hi * (1 / kLn2Hi) + 0x1.8p52) - 0x1.8p52;
    const DD r = dd::add(z, dd::negate(timesLn2(k)));
    return roundScaled(dd::add(DD{1, 0}, expm1Reduced(r)), static_cast<int>(k));
}

// log x for finite x > 0 in double-double, relative error about 2^-100.
DD logPositive(double x) {
    int e = 0;
    if (x < 0x1p-1022) { // subnormal: make it normal first
        x *= 0x1p54;
        e = -54;
    }
    const auto bits = std::bit_cast<std::uint64_t>(x);
    e += static_cast<int>(bits >> 52) - 1022;
    double m = std::bit_cast<double>((bits & 0x000fffffffffffff) | 0x3fe0000000000000);
    if (m < 0.70710678118654752) { // m in [1/sqrt 2, sqrt 2), so |log m| <= ln 2 / 2
        m *= 2;
        e -= 1;
    }
    const double d = m - 1; // exact: m is within a factor 2 of 1
    // y = 2 atanh(s) to s^21, some 2^-52 relative from log m.
    const double s = d / (m + 1), s2 = s * s;
    double series = 1.0 / 21;
    for (int n = 19; n >= 1; n -= 2)
        series = 1.0 / n + s2 * series;
    const double y = 2 * s * series;
    // t = m e^-y - 1 = d + m (e^-y - 1): its two terms cancel to some 2^-50 of log m, exactly
    // enough in double-double, and log(1 + t) = t - t^2/2 to below 2^-150 of it.
    const DD t = dd::add(dd::multiply(expm1Reduced(DD{-y, 0}), m), d);
    const DD logM = dd::add(dd::add(t, y), -0.5 * t.hi * t.hi);
    return e == 0 ? logM : dd::add(timesLn2(e), logM);
}

bool isInteger(double y) {
    return std::floor(y) == y;
}

bool isOdd(double y) {
    return isInteger(y) && !isInteger(y / 2);
}

// |x|^n for 0 < n <= 64 while every partial power stays within 2^±900, in double-double
// rounded once: IF97's polynomials raise its reduced variables to such powers thousands of
// times a solve, and squaring does it in a dozen products.
double integerPower(double x, int n) {
    unsigned left = static_cast<unsigned>(std::abs(n));
    DD base{x, 0};
    while ((left & 1) == 0) { // the lowest set bit's power starts the product
        base = dd::square(base);
        left >>= 1;
    }
    DD result = base;
    while (left >>= 1) {
        base = dd::square(base);
        if (left & 1)
            result = dd::multiply(result, base);
    }
    return n < 0 ? dd::reciprocal(result).hi : result.hi;
}

bool squaringIsSafe(double x, double y) {
    if (std::abs(y) > 64 || x == 0)
        return false;
    const auto bits = std::bit_cast<std::uint64_t>(std::abs(x));
    const int e = static_cast<int>(bits >> 52) - 1022; // a subnormal x fails the test below
    return std::abs(y) * (std::abs(e) + 1) <= 900 && (bits >> 52) != 0;
}

} // namespace

double exp(double x) {
    return expRounded(DD{x, 0});
}

double log(double x) {
    if (std::isnan(x) || x == kInfinity)
        return x;
    if (x < 0)
        return kNaN;
    if (x == 0)
        return -kInfinity;
    return x == 1 ? 0 : logPositive(x).hi;
}

double pow(double x, double y) {
    // IF97's case first: a positive base to a small integer power.
    if (x > 0 && y != 0 && isInteger(y) && squaringIsSafe(x, y))
        return integerPower(x, static_cast<int>(y));
    if (y == 0 || x == 1)
        return 1;
    if (std::isnan(x) || std::isnan(y))
        return kNaN;
    const double a = std::abs(x);
    if (std::isinf(y)) {
        if (a == 1)
            return 1;
        return (a > 1) == (y > 0) ? kInfinity : 0;
    }
    const bool integer = isInteger(y);
    if (x < 0 && !integer && !std::isinf(x))
        return kNaN;
    const double sign = x < 0 || (x == 0 && std::signbit(x)) ? (isOdd(y) ? -1 : 1) : 1;
    if (x == 0 || std::isinf(x)) // 1/x raised to -y or x to y: a zero or an infinity
        return sign * ((x == 0) == (y < 0) ? kInfinity : 0);
    if (integer && squaringIsSafe(a, y))
        return sign * integerPower(a, static_cast<int>(y));
    const DD logA = logPositive(a);
    const double estimate = y * logA.hi; // beyond ±746 e^estimate is no double
    if (estimate > 746)
        return sign * kInfinity;
    if (estimate < -746)
        return sign * 0.0;
    return sign * expRounded(dd::add(dd::twoProduct(y, logA.hi), y * logA.lo));
}

} // namespace calc::elementary
