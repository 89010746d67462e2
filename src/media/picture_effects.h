// What the image store does to a decoded picture before it becomes textures: the alpha-view
// and grey effects that a name's "*" and "#" prefixes ask for, and the alpha masks taken from
// a companion picture. Masks pair pixels by their (x, y).
#pragma once

#include <cstdint>
#include <vector>

#include "media/bitmap.h"

namespace ox::media {

// The effects a request's name prefixes ask for.
struct PictureEffects {
  bool alphaView = false;  // "*"
  bool grey = false;       // "#"
};

struct AlphaMask {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> values;  // row by row from the top left
};

// The picture's 8-bit pixel values: the palette indices of an 8-bit bitmap; of any other
// picture, its grey level (the rounded mean of red, green and blue).
AlphaMask MaskOf(const Bitmap& picture);

// The picture as plain 32-bit colours: palette indices are dropped. Pictures without alpha of
// their own already hold alpha 255.
void MakeBitmap32(Bitmap& picture);

// Every pixel's alpha := the mask value at its (x, y), colours kept; the picture becomes
// 32-bit. False, with the picture unchanged, when it is wider or taller than the mask.
bool ApplyMask(Bitmap& picture, const AlphaMask& mask);

// Every pixel becomes its alpha in all four channels.
void ApplyAlphaView(Bitmap& picture);

// Red, green and blue become their rounded mean; alpha is kept.
void ApplyGrey(Bitmap& picture);

}  // namespace ox::media
