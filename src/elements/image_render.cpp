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

int CutBefore(float start, float scale) {
  return start < -1024.0f ? RoundToInt32((-1024.0f - start) / scale) - 1 : 0;
}

int CutAfter(float end, float scale) {
  return end > 2048.0f ? RoundToInt32((end - 2048.0f) / scale) + 1 : 0;
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
    GuardCut cut{std::max(0, CutBefore(p.x - half.x, sx)), std::max(0, CutAfter(p.x + half.x, sx)),
                 std::max(0, CutBefore(p.y - half.y, sy)), std::max(0, CutAfter(p.y + half.y, sy))};
    p.x += cut.left * sx;
    size.x -= (cut.left + cut.right) * sx;
    p.y += cut.top * sy;
    size.y -= (cut.top + cut.bottom) * sy;
    const int sourceWidth = textures->PatternWidth() - cut.left - cut.right;
    const int sourceHeight = textures->PatternHeight() - cut.top - cut.bottom;
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
