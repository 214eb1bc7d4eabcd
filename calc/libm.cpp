#include "calc/libm.h"

#include "calc/libm_tables.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

// The algorithms of the Arm optimized-routines (Copyright (c) 2018, Arm Limited.
// SPDX-License-Identifier: MIT), as glibc runs them on a processor with fused multiply-add: glibc
// builds them a second time with GCC's contraction on, and picks that build at start-up on such
// a processor. Every multiply-add GCC fuses there is written below as an explicit fma, so that
// the results are glibc's whatever the processor and system, with the build's -ffp-contract=off
// (checked against glibc on x86-64 with fused multiply-add, and in the Windows build under Wine).
// The special cases (infinities, NaN, overflow, subnormals) are kept, the floating-point exception
// flags are not: nothing here reads them.

namespace calc::libm {

namespace {

using std::bit_cast;
using u64 = std::uint64_t;

u64 bits(double x) {
    return bit_cast<u64>(x);
}
double real(u64 i) {
    return bit_cast<double>(i);
}
std::uint32_t top12(double x) {
    return static_cast<std::uint32_t>(bits(x) >> 52);
}

// A product scaled out of range on purpose gives the infinity or the zero of its sign.
double overflow(bool negative) {
    return (negative ? -0x1p769 : 0x1p769) * 0x1p769;
}
double underflow(bool negative) {
    return (negative ? -0x1p-767 : 0x1p-767) * 0x1p-767;
}

constexpr double kInvLn2N = 0x1.71547652b82fep0 * 128;
constexpr double kNegLn2HiN = -0x1.62e42fefa0000p-8;
constexpr double kNegLn2LoN = -0x1.cf79abc9e3b3ap-47;
constexpr double kShift = 0x1.8p52;
constexpr double kLn2Hi = 0x1.62e42fefa3800p-1;
constexpr double kLn2Lo = 0x1.ef35793c76730p-45;
constexpr u64 kSignBias = 0x800 << 7;

// scale * (1 + tmp) when the result may overflow or fall below the normal range; the bits of
// scale carry an exponent that may have run over into the sign.
double specialCase(double tmp, u64 sbits, u64 ki) {
    if ((ki & 0x80000000) == 0) {
        sbits -= 1009ull << 52;
        const double scale = real(sbits);
        return 0x1p1009 * fma(scale, tmp, scale);
    }
    // Here GCC does not fuse: the product has two uses.
    sbits += 1022ull << 52;
    const double scale = real(sbits);
    const double product = scale * tmp;
    double y = scale + product;
    if (std::fabs(y) < 1.0) {
        // Rounded to the final precision before the scaling into the subnormal range, which
        // would round a second time.
        const double one = y < 0.0 ? -1.0 : 1.0;
        double lo = scale - y + product;
        const double hi = one + y;
        lo = one - hi + y + lo;
        y = (hi + lo) - one;
        if (y == 0.0)
            y = real(sbits & 0x8000000000000000);
    }
    return 0x1p-1022 * y;
}

// sign * exp(x + xtail), |xtail| < 2^-8/128; signBias is kSignBias for a negative result.
double expInline(double x, double xtail, u64 signBias) {
    std::uint32_t abstop = top12(x) & 0x7ff;
    if (abstop - top12(0x1p-54) >= top12(512.0) - top12(0x1p-54)) {
        if (abstop - top12(0x1p-54) >= 0x80000000) {
            const double one = 1.0 + x;
            return signBias ? -one : one;
        }
        if (abstop >= top12(1024.0))
            return bits(x) >> 63 ? underflow(signBias != 0) : overflow(signBias != 0);
        abstop = 0; // large |x|: below, through specialCase
    }
    // exp(x) = 2^(k/128) * exp(r), |r| <= ln2/256.
    const double shifted = fma(kInvLn2N, x, kShift);
    const u64 ki = bits(shifted);
    const double kd = shifted - kShift;
    double r = fma(kd, kNegLn2LoN, fma(kd, kNegLn2HiN, x));
    r += xtail;
    const u64 idx = 2 * (ki % 128);
    const u64 top = (ki + signBias) << (52 - 7);
    const double tail = real(kExpTable[idx]);
    const u64 sbits = kExpTable[idx + 1] + top;
    const double r2 = r * r;
    const double c23 = fma(r, kExpPoly[1], kExpPoly[0]);
    const double c45 = fma(r, kExpPoly[3], kExpPoly[2]);
    const double tmp = fma(r2 * r2, c45, fma(r2, c23, tail + r));
    if (abstop == 0)
        return specialCase(tmp, sbits, ki);
    const double scale = real(sbits);
    return fma(scale, tmp, scale);
}

// log(x) as hi + tail, tail carrying some 15 bits more; ix is x's bits, a subnormal x
// normalised with the sign bit as part of the exponent.
double logInline(u64 ix, double& tail) {
    constexpr u64 off = 0x3fe6955500000000;
    const u64 tmp = ix - off;
    const int i = static_cast<int>((tmp >> (52 - 7)) % 128);
    const int k = static_cast<int>(static_cast<std::int64_t>(tmp) >> 52);
    const u64 iz = ix - (tmp & 0xfffULL << 52);
    const double z = real(iz);
    const double kd = k;
    const PowLogRow& row = kPowLogTable[static_cast<unsigned>(i)];
    // 1/c has so few bits that z/c - 1 is exact in one fma.
    const double r = fma(z, row.invc, -1.0);
    const double t1 = fma(kd, kLn2Hi, row.logc);
    const double t2 = t1 + r;
    const double lo1 = fma(kd, kLn2Lo, row.logctail);
    const double lo2 = t1 - t2 + r;
    const auto& a = kPowLogPoly;
    const double ar = a[0] * r;
    const double ar2 = r * ar;
    const double ar3 = r * ar2;
    const double hi = t2 + ar2;
    const double lo3 = fma(ar, r, -ar2);
    const double lo4 = t2 - hi + ar2;
    const double q = fma(ar2, fma(ar2, fma(r, a[6], a[5]), fma(r, a[4], a[3])), fma(r, a[2], a[1]));
    const double lo = fma(ar3, q, lo1 + lo2 + lo3 + lo4);
    const double y = hi + lo;
    tail = hi - y + lo;
    return y;
}

// 0 if y is no integer, 1 if odd, 2 if even; iy is the bits of a finite non-zero y.
int integerKind(u64 iy) {
    const int e = static_cast<int>(iy >> 52 & 0x7ff);
    if (e < 0x3ff)
        return 0;
    if (e > 0x3ff + 52)
        return 2;
    if (iy & ((1ULL << (0x3ff + 52 - e)) - 1))
        return 0;
    return iy & (1ULL << (0x3ff + 52 - e)) ? 1 : 2;
}

bool zeroInfNan(u64 i) {
    return 2 * i - 1 >= 2 * bits(INFINITY) - 1;
}

// Asked once at start-up; a formula run by another file's start-up before this answer is there
// takes the exact computation, which gives the same bits.
bool processorHasFma() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("fma");
#else
    return false;
#endif
}

#if defined(__x86_64__) || defined(__i386__)
__attribute__((target("fma"))) double fmaInstruction(double a, double b, double c) {
    return __builtin_fma(a, b, c);
}
#else
double fmaInstruction(double a, double b, double c) {
    return fmaExact(a, b, c);
}
#endif

const bool kHasFma = processorHasFma();

} // namespace

double fma(double a, double b, double c) {
    return kHasFma ? fmaInstruction(a, b, c) : fmaExact(a, b, c);
}

double fmaExact(double a, double b, double c) {
    // Zeros, infinities and NaN: the product is exact or the answer is not a number anyway.
    if (a == 0 || b == 0 || !std::isfinite(a) || !std::isfinite(b))
        return a * b + c;
    if (!std::isfinite(c))
        return c; // the exact product is finite, even where a * b alone would overflow
    __extension__ typedef unsigned __int128 u128;
    // A finite non-zero double as mantissa * 2^exponent, the mantissa an integer.
    const auto split = [](double x, u64& m, int& e) {
        const u64 i = bits(x) & 0x7fffffffffffffff;
        const int field = static_cast<int>(i >> 52);
        m = (i & 0xfffffffffffff) | (field ? 1ULL << 52 : 0);
        e = (field ? field : 1) - 1075;
    };
    u64 ma, mb, mc = 0;
    int ea, eb, ec = 0;
    split(a, ma, ea);
    split(b, mb, eb);
    const bool productNegative = std::signbit(a) != std::signbit(b);
    // Both terms with their top bit at bit 125: the product's 106 bits then have 20 zero bits
    // below them, the addend's 53 bits 73, so an alignment by up to 20 places is exact, and a
    // longer one leaves at least 105 bits after any cancellation.
    u128 p = static_cast<u128>(ma) * mb;
    int ep = ea + eb;
    while (!(p >> 125)) {
        p <<= 1;
        --ep;
    }
    if (c == 0)
        return a * b; // the product rounded once; a zero addend changes no bit of it
    split(c, mc, ec);
    u128 q = static_cast<u128>(mc);
    while (!(q >> 125)) {
        q <<= 1;
        --ec;
    }
    const bool addendNegative = std::signbit(c);
    // Align the smaller term to the larger one's exponent, lost bits kept as one sticky bit.
    bool negative = productNegative;
    u128 big = p, small = q;
    int e = ep, es = ec;
    if (ec > ep || (ec == ep && q > p)) {
        big = q;
        small = p;
        e = ec;
        es = ep;
        negative = addendNegative;
    }
    const int shift = e - es;
    if (shift >= 128)
        small = 1;
    else if (shift > 0)
        small = (small >> shift) | ((small & ((static_cast<u128>(1) << shift) - 1)) != 0);
    u128 sum = productNegative == addendNegative ? big + small : big - small;
    if (sum == 0)
        return 0.0; // exact cancellation: +0 in the default rounding
    // Normalise to 126 bits (a carry may have made 127), then round to the precision the
    // result's exponent allows: 53 bits, fewer in the subnormal range.
    int top = 127;
    while (!(sum >> top))
        --top;
    // The value is sum * 2^e; its leading bit has weight 2^(e + top).
    const int leading = e + top;
    int keep = 53;
    if (leading < -1022)
        keep = 53 - (-1022 - leading);
    if (keep <= 0) {
        // Below the smallest subnormal: it when above half of it, else zero (a tie is even).
        const bool aboveHalf = keep == 0 && (sum & ~(static_cast<u128>(1) << top)) != 0;
        const double tiny = aboveHalf ? 0x1p-1074 : 0.0;
        return negative ? -tiny : tiny;
    }
    const int drop = top + 1 - keep;
    u128 mant = sum;
    if (drop > 0) {
        mant = sum >> drop;
        const u128 rest = sum & ((static_cast<u128>(1) << drop) - 1);
        const u128 halfway = static_cast<u128>(1) << (drop - 1);
        if (rest > halfway || (rest == halfway && (mant & 1)))
            ++mant;
    }
    // At most 54 bits (a rounding carry), so the conversion and the scaling are exact.
    const double magnitude =
        std::ldexp(static_cast<double>(static_cast<u64>(mant)), e + std::max(drop, 0));
    return negative ? -magnitude : magnitude;
}

double exp(double x) {
    std::uint32_t abstop = top12(x) & 0x7ff;
    if (abstop - top12(0x1p-54) >= top12(512.0) - top12(0x1p-54)) {
        if (abstop - top12(0x1p-54) >= 0x80000000)
            return 1.0 + x;
        if (abstop >= top12(1024.0)) {
            if (bits(x) == bits(-INFINITY))
                return 0.0;
            if (abstop >= top12(INFINITY))
                return 1.0 + x;
            return bits(x) >> 63 ? underflow(false) : overflow(false);
        }
        abstop = 0;
    }
    return expInline(x, 0.0, 0);
}

double log(double x) {
    u64 ix = bits(x);
    const std::uint32_t top = static_cast<std::uint32_t>(ix >> 48);
    constexpr u64 nearLow = 0x3fee000000000000;  // 1 - 2^-4
    constexpr u64 nearHigh = 0x3ff1090000000000; // 1 + 0x1.09p-4
    if (ix - nearLow < nearHigh - nearLow) {
        // Close to 1: a polynomial in x - 1 without the table.
        if (ix == bits(1.0))
            return 0;
        const auto& b = kLogPolyNearOne;
        const double r = x - 1.0;
        const double r2 = r * r;
        const double r3 = r * r2;
        const double inner = fma(r3, b[10], fma(r2, b[9], fma(r, b[8], b[7])));
        const double middle = fma(r3, inner, fma(r2, b[6], fma(r, b[5], b[4])));
        const double outer = fma(r3, middle, fma(r2, b[3], fma(r, b[2], b[1])));
        // r split so that rhi * rhi is exact; the product with 2^27 is exact too.
        const double w = r * 0x1p27;
        const double rhi = r + w - w;
        const double rlo = r - rhi;
        const double rhi2 = rhi * rhi;
        const double hi = fma(rhi2, b[0], r);
        double lo = fma(rhi2, b[0], r - hi);
        lo = fma(b[0] * rlo, rhi + r, lo);
        double y = fma(r3, outer, lo);
        y += hi;
        return y;
    }
    if (top - 0x0010 >= 0x7ff0 - 0x0010) {
        if (ix * 2 == 0)
            return -std::numeric_limits<double>::infinity();
        if (ix == bits(INFINITY))
            return x;
        if ((top & 0x8000) || (top & 0x7ff0) == 0x7ff0)
            return std::numeric_limits<double>::quiet_NaN();
        ix = bits(x * 0x1p52);
        ix -= 52ULL << 52;
    }
    constexpr u64 off = 0x3fe6000000000000;
    const u64 tmp = ix - off;
    const int i = static_cast<int>((tmp >> (52 - 7)) % 128);
    const int k = static_cast<int>(static_cast<std::int64_t>(tmp) >> 52);
    const u64 iz = ix - (tmp & 0xfffULL << 52);
    const LogRow& row = kLogTable[static_cast<unsigned>(i)];
    const double z = real(iz);
    const double r = fma(z, row.invc, -1.0);
    const double kd = k;
    const double w = fma(kd, kLn2Hi, row.logc);
    const double hi = w + r;
    const double lo = fma(kd, kLn2Lo, w - hi + r);
    const auto& a = kLogPoly;
    const double r2 = r * r;
    const double poly = fma(r2, fma(r, a[4], a[3]), fma(r, a[2], a[1]));
    const double y = fma(r * r2, poly, fma(r2, a[0], lo)) + hi;
    return y;
}

double pow(double x, double y) {
    u64 signBias = 0;
    u64 ix = bits(x);
    const u64 iy = bits(y);
    std::uint32_t topx = top12(x);
    const std::uint32_t topy = top12(y);
    if (topx - 0x001 >= 0x7ff - 0x001 || (topy & 0x7ff) - 0x3be >= 0x43e - 0x3be) {
        // x below 2^-1022, infinite or NaN; |y| below 2^-65, from 2^63 on or NaN.
        if (zeroInfNan(iy)) {
            if (2 * iy == 0 || ix == bits(1.0))
                return 1.0;
            if (2 * ix > 2 * bits(INFINITY) || 2 * iy > 2 * bits(INFINITY))
                return x + y;
            if (2 * ix == 2 * bits(1.0))
                return 1.0;
            if ((2 * ix < 2 * bits(1.0)) == !(iy >> 63))
                return 0.0;
            return y * y;
        }
        if (zeroInfNan(ix)) {
            double x2 = x * x;
            if (ix >> 63 && integerKind(iy) == 1)
                x2 = -x2;
            return iy >> 63 ? 1 / x2 : x2;
        }
        if (ix >> 63) {
            const int kind = integerKind(iy);
            if (kind == 0)
                return std::numeric_limits<double>::quiet_NaN();
            if (kind == 1)
                signBias = kSignBias;
            ix &= 0x7fffffffffffffff;
            topx &= 0x7ff;
        }
        if ((topy & 0x7ff) - 0x3be >= 0x43e - 0x3be) {
            if (ix == bits(1.0))
                return 1.0;
            if ((topy & 0x7ff) < 0x3be)
                return ix > bits(1.0) ? 1.0 + y : 1.0 - y;
            return (ix > bits(1.0)) == (topy < 0x800) ? overflow(false) : underflow(false);
        }
        if (topx == 0) {
            ix = bits(x * 0x1p52);
            ix &= 0x7fffffffffffffff;
            ix -= 52ULL << 52;
        }
    }
    double lo;
    const double hi = logInline(ix, lo);
    const double ehi = y * hi;
    const double elo = fma(y, lo, fma(y, hi, -ehi));
    return expInline(ehi, elo, signBias);
}

} // namespace calc::libm
