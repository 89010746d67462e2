// Numbers read from and written to script text. The decimal separator is always ".".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ox::scriptlib {

// FloatToStr: fixed notation with 15 decimals, then trailing zeros and a trailing "." removed
// (1.5 -> "1.5", 100 -> "100", 1e20 -> "100000000000000000000", 4e-16 -> "0").
std::string FloatToStr(double v);

// StrToInt: optional blanks, an optional sign, then decimal digits or "$" and up to eight
// hexadecimal digits ("$FFFFFFFF" is -1), nothing after. A text that is not such an integer,
// or a decimal one outside 32 bits, reads as 0.
std::int32_t StrToInt(std::string_view text);

// StrToFloat: the whole text must be an optional sign, digits with an optional "." fraction
// (".5" and "5." included) and an optional exponent ("E" or "e", optional sign, digits). False
// for anything else and for values outside the 64-bit float range.
bool StrToFloat(std::string_view text, double& out);

// Val: reads a number as StrToFloat does after leading blanks. `code` is 0 when the whole text
// was read, else the 1-based position of the first byte that could not be read (one past the
// end when the text stops before the number is complete); `value` is then 0.
struct ValResult {
  double value = 0.0;
  std::int32_t code = 0;
};
ValResult Val(std::string_view text);

}  // namespace ox::scriptlib
