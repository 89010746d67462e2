#include "scene/extended_float.h"

#include <bit>

namespace ox::scene {

namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint16_t kExtendedMaxExponent = 0x7FFF;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
constexpr std::uint64_t kFractionMask = kIntegerBit - 1;
constexpr std::uint64_t kDoubleFractionMask = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kDoubleQuietBit = std::uint64_t{1} << 51;
constexpr std::uint64_t kDoubleInfinity = std::uint64_t{0x7FF} << 52;

Extended80 Pack(bool negative, std::uint16_t exponent, std::uint64_t significand) {
  Extended80 out{};
  for (int i = 0; i < 8; ++i) out[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(significand >> (8 * i));
  const std::uint16_t top = static_cast<std::uint16_t>(exponent | (negative ? 0x8000 : 0));
  out[8] = static_cast<std::uint8_t>(top & 0xFF);
  out[9] = static_cast<std::uint8_t>(top >> 8);
  return out;
}

// m / 2^shift rounded to the nearest integer, ties to even (shift >= 1).
std::uint64_t RoundShiftRight(std::uint64_t m, int shift) {
  if (shift > 64) return 0;
  if (shift == 64) return m > kIntegerBit ? 1 : 0;
  const std::uint64_t quotient = m >> shift;
  const std::uint64_t rest = m & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  return (rest > half || (rest == half && (quotient & 1) != 0)) ? quotient + 1 : quotient;
}

// The double nearest to significand x 2^power (significand != 0), without its sign.
std::uint64_t NearestDoubleBits(std::uint64_t significand, int power) {
  const int top = 63 - std::countl_zero(significand);
  const int exponent = top + power;  // of the leading bit
  if (exponent > kDoubleBias) return kDoubleInfinity;
  if (exponent >= 1 - kDoubleBias) {
    // 53 significant bits; a carry out of them moves into the exponent field, and past the
    // largest exponent it gives exactly the infinity pattern.
    const int shift = top - 52;
    const std::uint64_t m = shift > 0 ? RoundShiftRight(significand, shift) : significand << -shift;
    return (static_cast<std::uint64_t>(exponent + kDoubleBias - 1) << 52) + m;
  }
  // Denormal: in units of 2^-1074; rounding up to 2^52 gives the smallest normal.
  const int units = power + kDoubleBias + 51;
  return units >= 0 ? significand << units : RoundShiftRight(significand, -units);
}

}  // namespace

Extended80 EncodeExtended(double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = (bits >> 63) != 0;
  const auto exponent = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & kDoubleFractionMask;
  if (exponent == 0x7FF) return Pack(negative, kExtendedMaxExponent, kIntegerBit | (fraction << 11));
  if (exponent == 0) {
    if (fraction == 0) return Pack(negative, 0, 0);
    const int top = 63 - std::countl_zero(fraction);
    const int power = top - 1074;
    return Pack(negative, static_cast<std::uint16_t>(power + kExtendedBias), fraction << (63 - top));
  }
  return Pack(negative, static_cast<std::uint16_t>(exponent - kDoubleBias + kExtendedBias),
              kIntegerBit | (fraction << 11));
}

double DecodeExtended(const Extended80& bytes) {
  std::uint64_t significand = 0;
  for (int i = 7; i >= 0; --i) significand = (significand << 8) | bytes[static_cast<std::size_t>(i)];
  const auto top = static_cast<std::uint16_t>(bytes[8] | (bytes[9] << 8));
  const std::uint64_t sign = static_cast<std::uint64_t>(top >> 15) << 63;
  const int exponent = top & kExtendedMaxExponent;
  std::uint64_t magnitude = 0;
  if (exponent == kExtendedMaxExponent) {
    const std::uint64_t payload = (significand & kFractionMask) >> 11;
    if ((significand & kFractionMask) == 0 && (significand & kIntegerBit) != 0) {
      magnitude = kDoubleInfinity;
    } else {
      magnitude = kDoubleInfinity | (payload != 0 ? payload : kDoubleQuietBit);
    }
  } else if (significand != 0) {
    const int biased = exponent == 0 ? 1 : exponent;
    magnitude = NearestDoubleBits(significand, biased - kExtendedBias - 63);
  }
  return std::bit_cast<double>(sign | magnitude);
}

}  // namespace ox::scene
