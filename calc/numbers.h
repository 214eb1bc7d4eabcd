#pragma once

#include <string>
#include <string_view>

namespace calc {

// Rounds a wide intermediate to the 32-bit width of the value that receives it. A magnitude past
// the float range becomes an infinity (as IEEE rounding gives) instead of undefined behaviour.
float storedFloat(double wide);

// The number a text carries: full-width forms are read as their ASCII counterparts, blanks, tabs,
// line feeds and ideographic spaces are skipped wherever they stand, then the longest leading
// decimal number (sign, digits with one point, exponent) is read, or an "&H"/"&O" integer. A text
// without a leading number gives 0.
double prefixNumber(std::string_view text);

// The text of every shown number: one blank or "-", then at most 7 significant digits without
// trailing zeros, with exponent form for very large and very small magnitudes.
std::string numberText(float value);

} // namespace calc
