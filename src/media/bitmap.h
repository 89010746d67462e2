// A decoded picture, as the picture decoders hand it to the image store: colours 0xAARRGGBB
// (alpha in the top byte) row by row from the top left. Pictures without alpha of their own
// have alpha 255 everywhere; 8-bit palette bitmaps also keep each pixel's palette index, which
// the mask companions use as alpha. The buffer is laid out as the texture of a picture of one
// pattern: rows `pitch` colours apart and room below them, so that it becomes that texture
// without a copy. The colours outside width x height are undefined.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/texel_buffer.h"

namespace ox::media {

// Larger pictures are refused before anything is allocated for them.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 28;

struct Bitmap {
  int width = 0;
  int height = 0;
  int pitch = 0;
  platform::TexelBuffer pixels;
  // The picture is 32-bit with alpha of its own: 32-bit BMP and Targa, PNG with an alpha
  // channel (colour types 4 and 6).
  bool hasAlpha = false;
  // 8-bit palette BMPs only: width x height palette indices, in the order of pixels.
  std::vector<std::uint8_t> paletteIndices;

  bool Empty() const { return pixels.empty(); }
  std::size_t PixelCount() const {
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  }
  std::uint32_t* Row(int y) {
    return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch);
  }
  const std::uint32_t* Row(int y) const {
    return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(pitch);
  }
  std::uint32_t At(int x, int y) const { return Row(y)[x]; }
};

// Sizes the bitmap for width x height (colours undefined: the decoder writes every one); false
// with the reason, the bitmap left empty, when a side is not positive or the picture passes the
// limits above.
bool AllocateBitmap(Bitmap& bitmap, std::int64_t width, std::int64_t height, std::string& failure);

// Colour of blue, green, red bytes with alpha 255.
inline std::uint32_t OpaqueBgr(const std::uint8_t* bgr) {
  return 0xFF000000u | static_cast<std::uint32_t>(bgr[2]) << 16 |
         static_cast<std::uint32_t>(bgr[1]) << 8 | bgr[0];
}

// Colour of blue, green, red, alpha bytes.
inline std::uint32_t Bgra(const std::uint8_t* bgra) {
  return static_cast<std::uint32_t>(bgra[3]) << 24 | static_cast<std::uint32_t>(bgra[2]) << 16 |
         static_cast<std::uint32_t>(bgra[1]) << 8 | bgra[0];
}

// Rows of blue, green, red bytes as opaque colours, and of blue, green, red, alpha bytes.
void OpaqueBgrRow(const std::uint8_t* bgr, int width, std::uint32_t* out);
void BgraRow(const std::uint8_t* bgra, int width, std::uint32_t* out);

inline std::uint16_t Le16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint32_t Le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

}  // namespace ox::media
