#!/usr/bin/env python3
"""ln 2 as three doubles, for the argument reduction of calc/elementary.cpp.

ln 2 = 2 atanh(1/3) = sum over k >= 0 of 2 / ((2k + 1) 3^(2k + 1)), summed here in exact
rationals to 150 terms (the rest is below 3^-300, far under the 2^-160 the three parts keep).
Each part is the nearest double to what the previous parts leave (Fraction -> float rounds to
nearest), so hi + mid + lo is ln 2 to about 2^-160 relative.
"""
from fractions import Fraction

ln2 = sum(Fraction(2, (2 * k + 1) * 3 ** (2 * k + 1)) for k in range(150))
rest = ln2
for name in ("kLn2Hi", "kLn2Mid", "kLn2Lo"):
    part = float(rest)
    rest -= Fraction(part)
    print(f"inline constexpr double {name} = {part.hex()};")
