#include "media/picture_effects.h"

namespace ox::media {
namespace {

// The rounded mean of the three colour channels of 0xAARRGGBB; a third is never a half.
std::uint32_t GreyOf(std::uint32_t argb) {
  const std::uint32_t sum = (argb >> 16 & 0xFF) + (argb >> 8 & 0xFF) + (argb & 0xFF);
  return (sum + 1) / 3;
}

template <class Change>
void ChangeEachPixel(Bitmap& picture, Change change) {
  for (int y = 0; y < picture.height; ++y) {
    std::uint32_t* row = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) row[x] = change(row[x]);
  }
}

}  // namespace

AlphaMask MaskOf(const Bitmap& picture) {
  AlphaMask mask{picture.width, picture.height, {}};
  if (!picture.paletteIndices.empty() && picture.paletteIndices.size() == picture.PixelCount()) {
    mask.values = picture.paletteIndices;
    return mask;
  }
  mask.values.reserve(picture.PixelCount());
  for (int y = 0; y < picture.height; ++y) {
    const std::uint32_t* row = picture.Row(y);
    for (int x = 0; x < picture.width; ++x)
      mask.values.push_back(static_cast<std::uint8_t>(GreyOf(row[x])));
  }
  return mask;
}

void MakeBitmap32(Bitmap& picture) {
  picture.paletteIndices.clear();
  picture.paletteIndices.shrink_to_fit();
}

bool ApplyMask(Bitmap& picture, const AlphaMask& mask) {
  if (picture.width > mask.width || picture.height > mask.height ||
      mask.values.size() !=
          static_cast<std::size_t>(mask.width) * static_cast<std::size_t>(mask.height)) {
    return false;
  }
  MakeBitmap32(picture);
  const std::size_t maskWidth = static_cast<std::size_t>(mask.width);
  for (int y = 0; y < picture.height; ++y) {
    std::uint32_t* row = picture.Row(y);
    const std::uint8_t* alpha = mask.values.data() + static_cast<std::size_t>(y) * maskWidth;
    for (int x = 0; x < picture.width; ++x) {
      row[x] = static_cast<std::uint32_t>(alpha[x]) << 24 | (row[x] & 0x00FFFFFFu);
    }
  }
  picture.hasAlpha = true;
  return true;
}

void ApplyAlphaView(Bitmap& picture) {
  MakeBitmap32(picture);
  ChangeEachPixel(picture, [](std::uint32_t argb) { return (argb >> 24) * 0x01010101u; });
}

void ApplyGrey(Bitmap& picture) {
  MakeBitmap32(picture);
  ChangeEachPixel(picture,
                  [](std::uint32_t argb) { return (argb & 0xFF000000u) | GreyOf(argb) * 0x010101u; });
}

}  // namespace ox::media
