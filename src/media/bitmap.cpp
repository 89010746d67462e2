#include "media/bitmap.h"

#include <bit>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

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

namespace {

void OpaqueBgrRowPortable(const std::uint8_t* bgr, int width, std::uint32_t* out) {
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

#if defined(__x86_64__) && defined(__GNUC__)
// Four pixels a step with one byte shuffle: 24-bit pictures load at the speed of a copy.
__attribute__((target("ssse3"))) void OpaqueBgrRowSsse3(const std::uint8_t* bgr, int width,
                                                         std::uint32_t* out) {
  const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
  const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int x = 0;
  for (; x + 6 <= width; x += 4, bgr += 12) {  // the 16 bytes loaded stay inside the row
    const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bgr));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                     _mm_or_si128(_mm_shuffle_epi8(in, spread), opaque));
  }
  OpaqueBgrRowPortable(bgr, width - x, out + x);
}
#endif

}  // namespace

void OpaqueBgrRow(const std::uint8_t* bgr, int width, std::uint32_t* out) {
#if defined(__x86_64__) && defined(__GNUC__)
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3) return OpaqueBgrRowSsse3(bgr, width, out);
#endif
  OpaqueBgrRowPortable(bgr, width, out);
}

void BgraRow(const std::uint8_t* bgra, int width, std::uint32_t* out) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(out, bgra, static_cast<std::size_t>(width) * 4);
  } else {
    for (int x = 0; x < width; ++x, bgra += 4) out[x] = Bgra(bgra);
  }
}

}  // namespace ox::media
