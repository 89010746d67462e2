// Decimal text of 64-bit floats as the script formatter writes it: digits are taken from the
// exact binary value and rounded half away from zero (0.125 with two decimals is 0.13), the
// decimal separator is "." and the thousands separator ",". Infinities and NaN are written
// "+Inf", "-Inf" and "Nan" by every function here.
#pragma once

#include <string>

namespace ox::scriptlib {

// Fixed notation with `decimals` digits after the separator (0..18; larger is clamped), no
// exponent however large the value; with `thousands`, the integer digits are grouped by three.
// A value that rounds to zero has no minus sign.
std::string FixedText(double v, int decimals, bool thousands = false);

// Scientific notation with `precision` significant digits (clamped to 2..17): one digit, ".",
// the rest, "E", the exponent's sign and at least three exponent digits: 1.50E+000.
std::string ExponentText(double v, int precision);

// The shortest of fixed and scientific notation with at most `precision` significant digits
// (clamped to 2..17), trailing zeros removed: fixed while the value has no more integer digits
// than `precision` and is at least 0.00001, else 1.23457E8 / 1E-20 (no "+", no leading zeros).
std::string GeneralText(double v, int precision);

}  // namespace ox::scriptlib
