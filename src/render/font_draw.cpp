#include <algorithm>
#include <cmath>

#include "platform/core/log.h"
#include "render/canvas.h"
#include "render/font_bitmap.h"
#include "render/font_tags.h"
#include "render/fonts.h"

namespace ox::render {
namespace {

// A colour of the given opacity (0 ... 1, rounded to 0 ... 255) over the low 24 bits of `rgb`.
std::uint32_t WithOpacity(double opacity, std::uint32_t rgb) {
  const double clamped = opacity > 0.0 ? std::min(opacity, 1.0) : 0.0;  // NaN too
  const double alpha = std::nearbyint(clamped * 255.0);
  return static_cast<std::uint32_t>(alpha) << 24 | (rgb & 0xFFFFFFu);
}

TPoint4 Moved(const TPoint4& quad, float dx, float dy) {
  TPoint4 moved = quad;
  for (TPoint2& p : moved) {
    p.x += dx;
    p.y += dy;
  }
  return moved;
}

TColor4 Flat(std::uint32_t colour) { return {colour, colour, colour, colour}; }

}  // namespace

TAsphyreCanvas* TAsphyreFont::DrawingCanvas() {
  const char* missing = nullptr;
  if (owner_ == nullptr) {
    missing = "TAsphyreFont: Unassigned Owner property.";
  } else if (owner_->Canvas() == nullptr) {
    missing = "TAsphyreFont: Unassigned Owner.Canvas property.";
  } else {
    return owner_->Canvas();
  }
  // Texts draw every frame: one line says it, not thirty a second.
  if (!reported_) platform::LogLine(missing);
  reported_ = true;
  return nullptr;
}

void TAsphyreFont::TextOut(std::string_view text, float x, float y, std::uint32_t top,
                           std::uint32_t bottom, std::uint32_t effect) {
  TAsphyreCanvas* canvas = DrawingCanvas();
  if (canvas == nullptr || !Loaded()) return;
  double pen = x;
  TTagScanner scanner(text, textTags_, top, bottom);
  for (TTaggedChar c; scanner.Next(c);) {
    const int glyph = GlyphOf(c.code);
    if (glyph >= 0) DrawGlyph(*canvas, glyph, static_cast<float>(pen), y, c.top, c.bottom, effect);
    pen += Advance(glyph);
  }
}

void TAsphyreFont::DrawGlyph(TAsphyreCanvas& canvas, int glyph, float x, float y, std::uint32_t top,
                             std::uint32_t bottom, std::uint32_t effect) const {
  const double cellWidth = image_->PatternWidth();
  const auto w = static_cast<float>(std::nearbyint(scale_ * cellWidth));
  const auto h = static_cast<float>(std::nearbyint(scale_ * image_->PatternHeight()));
  TPoint4 quad{TPoint2{x, y}, TPoint2{x + w, y}, TPoint2{x + w, y + h}, TPoint2{x, y + h}};
  if (style_.Has(TFontEffect::feItalic)) {
    const auto shear = static_cast<float>(cellWidth / 8.0);
    quad[0].x += shear;
    quad[1].x += shear;
    quad[2].x -= shear;
    quad[3].x -= shear;
  }
  const TPatternSelection pattern{glyph};
  const auto draw = [&](float dx, float dy, const TColor4& colours) {
    canvas.TexMap(image_.get(), Moved(quad, dx, dy), colours, pattern, effect);
  };
  const bool bold = style_.Has(TFontEffect::feBold);
  if (style_.Has(TFontEffect::feShadow)) {
    const double distance = scale_ * shadowDistance_;
    draw(static_cast<float>((bold ? 3 : 2) * distance), static_cast<float>(2 * distance),
         Flat(WithOpacity(shadowIntensity_, shadowColor_)));
  }
  const bool emboss = style_.Has(TFontEffect::feEmboss);
  const float e = emboss ? -1.0f : 0.0f;
  const TColor4 gradient{top, top, bottom, bottom};
  draw(e, e, gradient);
  if (bold) {
    draw(e - 1, e, gradient);
    draw(e + 1, e, gradient);
  }
  if (emboss) {
    const TColor4 relief = Flat(WithOpacity(embossStrength_ * (bold ? 0.65 : 1.0), embossColor_));
    draw(e + 1, e + 1, relief);
    if (bold) {
      draw(e, e + 1, relief);
      draw(e + 2, e + 1, relief);
    }
  }
}

}  // namespace ox::render
