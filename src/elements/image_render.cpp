// Drawing an image: its pattern aligned, scaled, rotated and tinted, cut to the guard band.
#include <cmath>
#include <numbers>

#include "elements/alignment.h"
#include "elements/drawing.h"
#include "elements/image.h"
#include "media/image_store.h"
#include "platform/checked.h"

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

render::TAsphyreImage* TOxImage::LoadedTextures() {
  render::TAsphyreImage* textures = TexturesOf(picture_);
  if (textures != nullptr || picture_ == nullptr || picture_->Failed()) return textures;
  // Not loaded yet: request it again with loading allowed.
  media::ImageStore& store = *media::Images();
  const bool loadNow = store.ImLoadNow();
  store.SetImLoadNow(true);
  SetImImage(imImage());
  store.SetImLoadNow(loadNow);
  return TexturesOf(picture_);
}

std::int32_t TOxImage::GetSizeX() const {
  const render::TAsphyreImage* t = TexturesOf(picture_);
  return t ? RoundToInt32(t->PatternWidth() * Scale() * ScaleX) : 0;
}

std::int32_t TOxImage::GetSizeY() const {
  const render::TAsphyreImage* t = TexturesOf(picture_);
  return t ? RoundToInt32(t->PatternHeight() * Scale() * ScaleY) : 0;
}

std::int32_t TOxImage::GetAbsX() const {
  const std::int32_t aligned = AlignedOrigin(X(), GetSizeX(), PosHor);
  return Parent() ? CheckedAdd(Parent()->GetAbsX(), aligned) : aligned;
}

std::int32_t TOxImage::GetAbsY() const {
  const std::int32_t aligned = AlignedOrigin(Y(), GetSizeY(), PosVert);
  return Parent() ? CheckedAdd(Parent()->GetAbsY(), aligned) : aligned;
}

void TOxImage::Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
                      std::uint8_t flag) {
  if (!ResLoaded) LoadResources();
  render::TAsphyreImage* textures = picture_ ? LoadedTextures() : nullptr;
  if (textures == nullptr) return TOxElement::Render(layer, color, offsetX, offsetY, flag);

  const double scale = static_cast<double>(Scale());
  const double w = scale * textures->PatternWidth() * static_cast<double>(ScaleX);
  const double h = scale * textures->PatternHeight() * static_cast<double>(ScaleY);
  const double cx = rX + w / 2 - AlignmentShift(w, PosHor);
  const double cy = rY + h / 2 - AlignmentShift(h, PosVert);
  render::TAsphyreCanvas* canvas = Canvas();
  if (layer == Order && canvas != nullptr) {
    canvas->SetAntialias(true);
    const float sx = static_cast<float>(static_cast<double>(ScaleX) * scale);
    const float sy = static_cast<float>(static_cast<double>(ScaleY) * scale);
    render::TPoint2 p{static_cast<float>(offsetX + cx), static_cast<float>(offsetY + cy)};
    render::TPoint2 size{static_cast<float>(w), static_cast<float>(h)};
    const render::TPoint2 half{size.x / 2, size.y / 2};
    const int patternWidth = textures->PatternWidth(), patternHeight = textures->PatternHeight();
    GuardCut cut{std::max(0, CutBefore(p.x - half.x, ScaleX, Scale(), patternWidth)),
                 std::max(0, CutAfter(p.x + half.x, ScaleX, Scale(), patternWidth)),
                 std::max(0, CutBefore(p.y - half.y, ScaleY, Scale(), patternHeight)),
                 std::max(0, CutAfter(p.y + half.y, ScaleY, Scale(), patternHeight))};
    p.x += cut.left * sx;
    size.x -= (cut.left + cut.right) * sx;
    p.y += cut.top * sy;
    size.y -= (cut.top + cut.bottom) * sy;
    const int sourceWidth = patternWidth - cut.left - cut.right;
    const int sourceHeight = patternHeight - cut.top - cut.bottom;
    if (sourceWidth >= 1 && sourceHeight >= 1) {  // else nothing of it is inside the band
      const render::TPoint4 corners =
          AngleThousandths() == 0
              ? render::TPoint4{{{p.x - half.x, p.y - half.y}, {p.x - half.x + size.x, p.y - half.y},
                                 {p.x - half.x + size.x, p.y - half.y + size.y}, {p.x - half.x, p.y - half.y + size.y}}}
              : render::RotatedQuad(p, size, half, 1.0f, static_cast<float>(Angle() * std::numbers::pi_v<long double> / 180));
      const render::TPatternSelection selection{Anim(), cut.left, cut.top, sourceWidth, sourceHeight, false, false};
      canvas->TexMap(textures, corners, {Colour(), Colour(), Colour(), Colour()}, selection, hxDrawFx);
    }
  }
  TOxElement::Render(layer, color, offsetX - AlignmentShift(w, PosHor), offsetY - AlignmentShift(h, PosVert), flag);
}

}  // namespace ox::elements
