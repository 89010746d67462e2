// The 10-byte extended float of saved state: a 64-bit significand with an explicit integer
// bit, a 15-bit exponent biased by 16383 and a sign bit, stored little-endian (significand in
// bytes 0-7, exponent and sign in bytes 8-9). Built from bits, so it does not depend on what
// `long double` is on this machine.
#pragma once

#include <array>
#include <cstdint>

namespace ox::scene {

using Extended80 = std::array<std::uint8_t, 10>;

// Exact: every double, denormals included, has an extended form. Infinities keep their sign;
// a NaN keeps its sign and payload.
Extended80 EncodeExtended(double value);

// Rounded to the nearest double, ties to even; too large gives an infinity, too small a
// denormal or a zero of the same sign. Forms with a zero integer bit are read by their
// numeric value (significand x 2^(exponent - 16383 - 63)); an all-ones exponent is an
// infinity when the fraction is zero and the integer bit set, and a NaN otherwise.
double DecodeExtended(const Extended80& bytes);

}  // namespace ox::scene
