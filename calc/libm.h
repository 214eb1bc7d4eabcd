#pragma once

// exp, log and pow computed by the program itself, so that every figure is the same bit for bit
// on Linux and on Windows. glibc computes these three with the algorithms below, compiled with
// fused multiply-add where the processor has it; MinGW's C library has other algorithms, which
// give another last bit for about one call in a thousand, and for most integer powers. The
// formulas call these instead of std::exp, std::log and std::pow.
namespace calc::libm {

double exp(double x);
double log(double x);
double pow(double x, double y);

// a * b + c rounded once: the processor's instruction where it has one, else computed exactly
// in integers (the C library's fma on Windows is not always rounded once).
double fma(double a, double b, double c);
double fmaExact(double a, double b, double c);

} // namespace calc::libm
