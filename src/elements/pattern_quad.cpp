#include "elements/pattern_quad.h"

#include <algorithm>

#include "platform/core/checked.h"

namespace ox::elements {

namespace {

// Source pixels left out on each side so that the quad stays inside -1024 .. 2048.
struct GuardCut {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// Whole source pixels over a distance beyond the band, the screen distance divided by both
// scales. A pattern drawn at no scale, or so small that the count passes the pattern, is cut
// whole rather than counted past what a 32-bit count holds.
int PixelsBeyond(long double distance, long double axisScale, long double scale, int pattern) {
  const long double pixels = distance / axisScale / scale;
  if (!(pixels > -2.0L)) return -2;  // a mirrored scale cuts nothing
  return pixels < pattern + 2.0L ? RoundToInt32(pixels) : pattern + 2;
}

int CutBefore(float start, long double axisScale, long double scale, int pattern) {
  return start < -1024.0f ? PixelsBeyond(-1024.0f - start, axisScale, scale, pattern) - 1 : 0;
}

int CutAfter(float end, long double axisScale, long double scale, int pattern) {
  return end > 2048.0f ? PixelsBeyond(end - 2048.0f, axisScale, scale, pattern) + 1 : 0;
}

}  // namespace

void DrawPatternQuad(render::TAsphyreCanvas& canvas, const render::TAsphyreImage& textures,
                     const PatternQuad& q) {
  canvas.SetAntialias(true);
  const int patternWidth = textures.PatternWidth(), patternHeight = textures.PatternHeight();
  const double scale = static_cast<double>(q.scale);
  const float sx = static_cast<float>(static_cast<double>(q.scaleX) * scale);
  const float sy = static_cast<float>(static_cast<double>(q.scaleY) * scale);
  render::TPoint2 p = q.centre;
  render::TPoint2 size{static_cast<float>(scale * patternWidth * static_cast<double>(q.scaleX)),
                       static_cast<float>(scale * patternHeight * static_cast<double>(q.scaleY))};
  const render::TPoint2 half{size.x / 2, size.y / 2};
  const GuardCut cut{std::max(0, CutBefore(p.x - half.x, q.scaleX, q.scale, patternWidth)),
                     std::max(0, CutAfter(p.x + half.x, q.scaleX, q.scale, patternWidth)),
                     std::max(0, CutBefore(p.y - half.y, q.scaleY, q.scale, patternHeight)),
                     std::max(0, CutAfter(p.y + half.y, q.scaleY, q.scale, patternHeight))};
  p.x += cut.left * sx;
  size.x -= (cut.left + cut.right) * sx;
  p.y += cut.top * sy;
  size.y -= (cut.top + cut.bottom) * sy;
  const int sourceWidth = patternWidth - cut.left - cut.right;
  const int sourceHeight = patternHeight - cut.top - cut.bottom;
  if (sourceWidth < 1 || sourceHeight < 1) return;  // nothing of it is inside the band
  const render::TPoint4 corners =
      q.radians == 0
          ? render::TPoint4{{{p.x - half.x, p.y - half.y}, {p.x - half.x + size.x, p.y - half.y},
                             {p.x - half.x + size.x, p.y - half.y + size.y}, {p.x - half.x, p.y - half.y + size.y}}}
          : render::RotatedQuad(p, size, half, 1.0f, static_cast<float>(q.radians));
  const render::TPatternSelection selection{q.pattern, cut.left, cut.top, sourceWidth, sourceHeight, false, false};
  canvas.TexMap(&textures, corners, {q.colour, q.colour, q.colour, q.colour}, selection, q.effect);
}

}  // namespace ox::elements
