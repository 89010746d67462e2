// One pattern of a picture drawn as a scaled, turned quad around a point, cut at the guard band
// (-1024 .. 2048) so that the device never gets coordinates far outside the screen. Images and
// the frames of animations draw their pictures through it.
#pragma once

#include <cstdint>

#include "render/asphyre_image.h"
#include "render/canvas.h"

namespace ox::elements {

struct PatternQuad {
  render::TPoint2 centre;       // where the pattern's middle lies on the canvas
  long double scaleX, scaleY;   // the axis scales
  long double scale;            // the overall scale, applied on both axes
  long double radians;          // turn about the centre; 0 draws the box unturned
  int pattern;
  std::uint32_t colour;         // at all four corners
  std::uint32_t effect;
};

// Antialiased; nothing is drawn when no source pixel lies inside the band.
void DrawPatternQuad(render::TAsphyreCanvas& canvas, const render::TAsphyreImage& textures,
                     const PatternQuad& quad);

}  // namespace ox::elements
