// A 32-bit ARGB colour published as two properties: `hxColor` (its low 24 bits) and `hxTrans`
// (its top byte, the alpha). Writing one part keeps the other.
#pragma once

#include <cstdint>

namespace ox::elements {

struct Tint {
  std::uint32_t argb;

  std::uint32_t Color() const { return argb & 0xFFFFFFu; }
  std::uint8_t Trans() const { return static_cast<std::uint8_t>(argb >> 24); }
  void SetColor(std::uint32_t rgb) { argb = (argb & 0xFF000000u) | (rgb & 0xFFFFFFu); }
  void SetTrans(std::uint8_t alpha) { argb = (argb & 0xFFFFFFu) | (std::uint32_t{alpha} << 24); }
};

}  // namespace ox::elements
