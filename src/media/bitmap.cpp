#include "media/bitmap.h"

#include <bit>
#include <cstring>

#include "render/asphyre_image.h"

namespace ox::media {

bool AllocateBitmap(Bitmap& bitmap, std::int64_t width, std::int64_t height, std::string& failure) {
  bitmap = Bitmap{};
  if (width <= 0 || height <= 0) {
    failure = "it has no pixels";
    return false;
  }
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
    failure = "it is too large (" + std::to_string(width) + " x " + std::to_string(height) + ")";
    return false;
  }
  bitmap.width = static_cast<int>(width);
  bitmap.height = static_cast<int>(height);
  bitmap.pitch = render::TextureSide(bitmap.width);
  bitmap.pixels.resize(static_cast<std::size_t>(bitmap.pitch) *
                       static_cast<std::size_t>(render::TextureSide(bitmap.height)));
  return true;
}

void OpaqueBgrRow(const std::uint8_t* bgr, int width, std::uint32_t* out) {
  int x = 0;
  for (; x + 4 <= width; x += 4, bgr += 12) {  // four pixels from three words
    const std::uint32_t w0 = Le32(bgr), w1 = Le32(bgr + 4), w2 = Le32(bgr + 8);
    out[x] = 0xFF000000u | (w0 & 0xFFFFFFu);
    out[x + 1] = 0xFF000000u | w0 >> 24 | (w1 & 0xFFFFu) << 8;
    out[x + 2] = 0xFF000000u | w1 >> 16 | (w2 & 0xFFu) << 16;
    out[x + 3] = 0xFF000000u | w2 >> 8;
  }
  for (; x < width; ++x, bgr += 3) out[x] = OpaqueBgr(bgr);
}

void BgraRow(const std::uint8_t* bgra, int width, std::uint32_t* out) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, bgra, static_cast<std::size_t>(width) * 4);
  } else {
    for (int x = 0; x < width; ++x, bgra += 4) out[x] = Bgra(bgra);
  }
}

}  // namespace ox::media
