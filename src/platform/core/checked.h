// Checked integer arithmetic. The engine checks ranges and overflow wherever it converts or
// adds integers; a failed check throws RangeError, which the game-file and state readers
// swallow per element and the interpreter reports as a script error.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace ox {

class RangeError : public std::runtime_error {
 public:
  explicit RangeError(const std::string& what) : std::runtime_error(what) {}
};

// Nearest integer, halves to even, as a 64-bit float (no range check).
inline double RoundHalfEven(double v) { return std::nearbyint(v); }

// Nearest 32-bit integer, halves to even; RangeError when not finite or outside 32 bits.
inline std::int32_t RoundToInt32(double v) {
  const double r = std::nearbyint(v);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw RangeError("Range check error");
  return static_cast<std::int32_t>(r);
}

inline std::int32_t RoundToInt32(long double v) {
  const long double r = std::nearbyintl(v);
  if (!(r >= -2147483648.0L && r <= 2147483647.0L)) throw RangeError("Range check error");
  return static_cast<std::int32_t>(r);
}

// A 64-bit value narrowed to 32 bits; RangeError when it does not fit.
inline std::int32_t CheckedInt32(std::int64_t v) {
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max())
    throw RangeError("Range check error");
  return static_cast<std::int32_t>(v);
}

inline std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
  std::int32_t r;
  if (__builtin_add_overflow(a, b, &r)) throw RangeError("Integer overflow");
  return r;
}

inline std::int32_t CheckedSub(std::int32_t a, std::int32_t b) {
  std::int32_t r;
  if (__builtin_sub_overflow(a, b, &r)) throw RangeError("Integer overflow");
  return r;
}

inline std::int32_t CheckedMul(std::int32_t a, std::int32_t b) {
  std::int32_t r;
  if (__builtin_mul_overflow(a, b, &r)) throw RangeError("Integer overflow");
  return r;
}

}  // namespace ox
