#pragma once

// A number as the unevaluated sum hi + lo of two doubles with |lo| <= ulp(hi) / 2: about 106
// bits, built only from IEEE 754's correctly rounded + - × ÷ (Dekker's splitting, so no fused
// multiply-add is needed and -ffp-contract=off keeps every step as written). Used by
// calc/elementary.cpp; constexpr so that its constants are computed, not written out.
namespace calc::dd {

struct DD {
    double hi;
    double lo;
};

// a + b exactly as hi + lo (Knuth's TwoSum), for any a and b.
constexpr DD twoSum(double a, double b) {
    const double s = a + b;
    const double bb = s - a;
    return {s, (a - (s - bb)) + (b - bb)};
}

// The same when |a| >= |b| (Dekker's FastTwoSum).
constexpr DD fastTwoSum(double a, double b) {
    const double s = a + b;
    return {s, b - (s - a)};
}

// a = hi + lo with each half of 26 bits or fewer, so that their products are exact; for
// |a| < 2^996 (beyond, 2^27 + 1 times a overflows).
constexpr DD split(double a) {
    const double t = 134217729.0 * a; // 2^27 + 1
    const double hi = t - (t - a);
    return {hi, a - hi};
}

// a × b exactly as hi + lo (Dekker's TwoProduct), while no partial product underflows.
constexpr DD twoProduct(double a, double b) {
    const double p = a * b;
    const DD x = split(a), y = split(b);
    return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

constexpr DD add(DD a, DD b) {
    const DD s = twoSum(a.hi, b.hi), t = twoSum(a.lo, b.lo);
    const DD u = fastTwoSum(s.hi, s.lo + t.hi);
    return fastTwoSum(u.hi, u.lo + t.lo);
}

constexpr DD add(DD a, double b) {
    const DD s = twoSum(a.hi, b);
    return fastTwoSum(s.hi, s.lo + a.lo);
}

constexpr DD negate(DD a) {
    return {-a.hi, -a.lo};
}

constexpr DD multiply(DD a, DD b) {
    const DD p = twoProduct(a.hi, b.hi);
    return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

constexpr DD multiply(DD a, double b) {
    const DD p = twoProduct(a.hi, b);
    return fastTwoSum(p.hi, p.lo + a.lo * b);
}

constexpr DD square(DD a) {
    const double p = a.hi * a.hi;
    const DD x = split(a.hi);
    const double e = ((x.hi * x.hi - p) + 2 * x.hi * x.lo) + x.lo * x.lo;
    return fastTwoSum(p, e + 2 * a.hi * a.lo);
}

// 1 / a = q / (1 - e) with q = 1 / a.hi and e = 1 - a q, some 2^-53: q (1 + e + e²) to 2^-150.
constexpr DD reciprocal(DD a) {
    const double q = 1 / a.hi;
    const DD aq = twoProduct(a.hi, q);
    const double residual = ((1 - aq.hi) - aq.lo) - a.lo * q;
    return fastTwoSum(q, q * (residual + residual * residual));
}

// a / b by long division: three quotient digits, each a double, the remainder exact to DD.
constexpr DD divide(DD a, DD b) {
    const double q1 = a.hi / b.hi;
    DD r = add(a, negate(multiply(b, q1)));
    const double q2 = r.hi / b.hi;
    r = add(r, negate(multiply(b, q2)));
    const double q3 = r.hi / b.hi;
    return add(fastTwoSum(q1, q2), q3);
}

} // namespace calc::dd
