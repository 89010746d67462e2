// The guard band: pictures are drawn only inside -1024 .. 2048 on either axis, and the source
// pixels of a quad that reach beyond it are left out before it is drawn.
#pragma once

#include "platform/core/checked.h"

namespace ox::elements {

// Source pixels left out on each side so that the quad stays inside -1024 .. 2048.
struct GuardCut {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// Whole source pixels over a distance beyond the band, the screen distance divided by both
// scales. A pattern drawn at no scale, or so small that the count passes the pattern, is cut
// whole rather than counted past what a 32-bit count holds.
inline int PixelsBeyond(long double distance, long double axisScale, long double scale, int pattern) {
  const long double pixels = distance / axisScale / scale;
  if (!(pixels > -2.0L)) return -2;  // a mirrored scale cuts nothing
  return pixels < pattern + 2.0L ? RoundToInt32(pixels) : pattern + 2;
}

inline int CutBefore(float start, long double axisScale, long double scale, int pattern) {
  return start < -1024.0f ? PixelsBeyond(-1024.0f - start, axisScale, scale, pattern) - 1 : 0;
}

inline int CutAfter(float end, long double axisScale, long double scale, int pattern) {
  return end > 2048.0f ? PixelsBeyond(end - 2048.0f, axisScale, scale, pattern) + 1 : 0;
}

}  // namespace ox::elements
