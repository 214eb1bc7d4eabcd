#pragma once

// exp, log and pow computed by the program itself from + - × ÷ alone, so that every figure is
// the same bit for bit on any system that follows IEEE 754: each is evaluated in double-double
// arithmetic (about 100 correct bits) and rounded to double once, which gives the correctly
// rounded result unless the exact value lies within 2^-90 or so of a midpoint between two
// doubles. The C libraries' versions round otherwise, each in its own cases (MinGW's for most
// integer powers), so the formulas call these instead of std::exp, std::log and std::pow.
namespace calc::elementary {

double exp(double x);
double log(double x);
// The C standard's special cases (pow(x, ±0) = 1, pow(1, y) = 1, negative bases to integer
// powers, zeros and infinities); an integer power of a moderate base by repeated squaring.
double pow(double x, double y);

} // namespace calc::elementary
