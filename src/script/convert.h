// The variant conversion rules: how a script value of one kind is read as another.
// The evaluator's operator families and the standard functions read their operands
// through these functions.
//
// Every `To...(const Value&, T&)` returns false when the value cannot be converted; `out` is
// then left unspecified. None of them throws.
//
// Kinds read as numbers:
//   empty        -> 0 (0.0, "", false)
//   integers     -> their value (UInt32, i.e. element references, included)
//   Boolean      -> -1 for true, 0 for false
//   float, date  -> their value; to an integer: nearest, halves to even; fails when not finite
//                   or outside the target range
//   string       -> the text read as a number (TextToNumber); fails when it is not one
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "script/value.h"

namespace ox::script {

// 32-bit signed integer. Floats and dates round half to even; fails outside 32 bits.
bool ToInt32(const Value& v, std::int32_t& out);
// 64-bit signed integer. Floats and dates round half to even; fails outside 64 bits.
bool ToInt64(const Value& v, std::int64_t& out);
// 64-bit float.
bool ToFloat(const Value& v, double& out);
// Boolean: numbers are true when non-zero; strings "TRUE"/"FALSE" (any case) or a number.
bool ToBool(const Value& v, bool& out);
// Byte string; never fails for a value of a known kind. Integers in decimal, floats with
// FloatToText, dates with DateTimeToText, Booleans as "True"/"False", empty as "".
bool ToString(const Value& v, std::string& out);
std::string ToString(const Value& v);

// The number-to-text rule for floats (general format, 15 significant
// digits, "." separator): 8 -> "8", 3.5 -> "3.5", 0.1 -> "0.1", 1e15 -> "1E15",
// 0.00001 -> "1E-5", -1.5e-7 -> "-1.5E-7". Not finite: "NAN", "INF", "-INF".
std::string FloatToText(double v);
// A date-time (days since 1899-12-30 plus the fraction of the day) as text: "DD.MM.YYYY", then
// " H:MM:SS" unless the time is exactly midnight.
std::string DateTimeToText(double v);
// Days since 1899-12-30 <-> calendar date (proleptic Gregorian).
void DecodeDateParts(double dateTime, int& year, int& month, int& day);
double EncodeDateParts(int year, int month, int day);

// Text read as a number, the rule used for string operands: leading and trailing blanks
// (bytes <= 32) are ignored; an optional sign, decimal digits with an optional "." fraction
// and an optional exponent ("E", "e"); or "$" followed by hexadecimal digits. A value that is a
// whole number inside 32 bits gives Int32, else Float. False when the text is no number.
bool TextToNumber(std::string_view text, Value& out);
// As TextToNumber, giving a 64-bit float.
bool TextToFloat(std::string_view text, double& out);
// Text read as a 32-bit integer: decimal or "$" hexadecimal, optional sign, blanks ignored;
// no fraction, no exponent. False otherwise or outside 32 bits.
bool TextToInt32(std::string_view text, std::int32_t& out);

// The number literal reader: trims; every character must be a digit, "+", ",",
// "-" or "."; the last separator decides which of "." and "," is the decimal one. A text with
// "." or outside (-2147483647, 2147483647) gives a Float, else an Int32. False when the text
// is not a number ("Invalid number: ").
bool ParseNumberLiteral(std::string_view text, Value& out);

// The operand class of a kind: E, I, L, F, S, B, D.
enum class OperandClass : std::uint8_t { E, I, L, F, S, B, D };
OperandClass ClassOf(Kind k);

}  // namespace ox::script
