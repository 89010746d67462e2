// Colours. The engine writes colours with red in bits 0-7, green in 8-15, blue in 16-23 and
// alpha in 24-31; the graphics back end takes them the other way round, with blue in bits 0-7
// (device order). Every hand-over between the two swaps red and blue.
#pragma once

#include <cstdint>

namespace ox::render {

constexpr std::uint32_t SwapRedBlue(std::uint32_t colour) {
  return (colour & 0xFF00FF00u) | ((colour & 0xFFu) << 16) | ((colour >> 16) & 0xFFu);
}

}  // namespace ox::render
