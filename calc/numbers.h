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

// The same reading, with the part of the text that gave the number and what follows it, both as
// the rule sees the text (blanks gone, full-width forms narrowed). `read` is empty when the text
// starts with no number.
struct NumberReading {
    double value;
    std::string read;
    std::string rest;
};
NumberReading readNumber(std::string_view text);

// A box of the windows that answer in place (property, sizing): its number, or the words that
// say why it has none. A text without a number is not read as 0, and one the rule reads only in
// part says which part, since a decimal comma read as the end of "1,5" would pass unseen.
// `suffix` may follow the number (the percentage box's "%").
struct BoxNumber {
    double value;
    std::string fault; // empty when the box holds a number
    bool blank;        // nothing in the box but blanks: its fault asks for a number
};
BoxNumber boxNumber(std::string_view text, std::string_view name, std::string_view suffix = {});

// The text of every shown number: one blank or "-", then at most 7 significant digits without
// trailing zeros, with exponent form for very large and very small magnitudes.
std::string numberText(float value);

// The shortest text that reads back as the same double ("0.1", "1e-05"), as files and scripts
// get a figure: no digit lost and none invented. Never from the C library, whose decimal point
// follows the locale the toolkit takes from the environment.
std::string shortestText(double value);
// A figure to a fixed number of decimals, as words quote it: "0.5" at one decimal.
std::string decimalText(double value, int decimals);

} // namespace calc
