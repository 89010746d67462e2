// The script function Format: a printf-like formatter over script values.
//
// A format text holds literal bytes and specifiers "%" [index ":"] ["-"] [width] ["." precision]
// letter; "%%" is a literal "%". Letters, in either case:
//   d  decimal integer; precision = minimum digits (-00042)
//   u  unsigned decimal (a negative 32-bit value as 32 bits, a 64-bit one as 64 bits)
//   x  upper-case hexadecimal, same widths as u; precision = minimum digits
//   p  a 32-bit address as 8 hexadecimal digits
//   e  scientific, precision = significant digits (default 15): 1.50000000000000E+000
//   f  fixed, precision = decimals (default 2)
//   g  general, precision = significant digits (default 15)
//   n  fixed with thousands separators "," (default 2 decimals)
//   m  money: "$" before the number, "-$" for negatives (default 2 decimals)
//   s  text; precision = most bytes taken
// The width pads with blanks on the left ("-": on the right). Integers are accepted by the float
// letters and numbers by s (written as the script's number text); floats are not accepted by
// d, u, x, p, and strings by nothing but s. Widths and precisions above 65536 and "*" (the
// width taken from an argument: only one argument is ever at hand) are refused.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ox::scriptlib {

struct FormatArgument {
  enum class Type : std::uint8_t { Int32, Int64, Float, String };
  Type type = Type::Int32;
  std::int64_t integer = 0;
  double number = 0.0;
  std::string text;

  static FormatArgument Int32(std::int32_t v) { return {Type::Int32, v, 0.0, {}}; }
  static FormatArgument Int64(std::int64_t v) { return {Type::Int64, v, 0.0, {}}; }
  static FormatArgument Float(double v) { return {Type::Float, 0, v, {}}; }
  static FormatArgument String(std::string v) { return {Type::String, 0, 0.0, std::move(v)}; }
};

// Applies a whole format text to one argument (index 0). Throws ox::script::ScriptError
// "Format '...' invalid or incompatible with argument" for a specifier it cannot apply.
std::string FormatWithArgument(std::string_view format, const FormatArgument& argument);

// Format(Fmt, Args...): each specifier (from "%" up to and including the next ASCII letter)
// is applied alone to the next argument; when that fails for an argument that is not a
// string, it is applied again to the argument truncated to a 64-bit integer. A specifier with
// no argument left is dropped, an unfinished one at the end is kept as it is; surplus
// arguments are ignored. Throws ScriptError (or ox::RangeError) when a specifier fails.
std::string FormatScript(std::string_view format, const std::vector<FormatArgument>& arguments);

}  // namespace ox::scriptlib
