#include "elements/shape.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "elements/drawing.h"
#include "platform/core/checked.h"
#include "platform/core/log.h"
#include "scene/class_registry.h"
#include "scene/property_accessors.h"

namespace ox::elements {

using namespace ox::scene;

namespace {

// A canvas coordinate of the box: rounded half to even, kept within what a clip rectangle holds.
int ClipCoordinate(double value) {
  if (std::isnan(value)) return 0;
  constexpr double low = std::numeric_limits<int>::min(), high = std::numeric_limits<int>::max();
  return static_cast<int>(std::nearbyint(std::clamp(value, low, high)));
}

render::TClipRect Intersection(const render::TClipRect& a, const render::TClipRect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

// Narrows the canvas's clip to its intersection with a box for as long as it lives, and then
// restores it; with no canvas it does nothing.
class CropScope {
 public:
  CropScope(render::TAsphyreCanvas* canvas, const render::TClipRect& box) : canvas_(canvas) {
    if (canvas_ == nullptr) return;
    outer_ = canvas_->GetClipRect();
    canvas_->SetClipRect(Intersection(outer_, box));
  }
  ~CropScope() {
    if (canvas_ != nullptr) canvas_->SetClipRect(outer_);
  }
  CropScope(const CropScope&) = delete;
  CropScope& operator=(const CropScope&) = delete;

 private:
  render::TAsphyreCanvas* canvas_;
  render::TClipRect outer_;
};

PropertyTable ShapeProperties() {
  PropertyTable t = BaseProperties();
  t.insert(t.end(), {
      Field<&TOxShape::hxDrawFx, PropType::Cardinal>("hxDrawFx"),
      Accessor<&TOxShape::hxColor, &TOxShape::SetHxColor, PropType::Cardinal>("hxColor"),
      Accessor<&TOxShape::hxTrans, &TOxShape::SetHxTrans, PropType::Byte>("hxTrans"),
      Field<&TOxElement::MousedNotVis, PropType::Boolean>("MousedNotVis"),
  });
  const PropertyTable events = MouseElementEvents();
  t.insert(t.end(), events.begin(), events.end());
  t.insert(t.end(), {
      Field<&TOxElement::MousedVis, PropType::Boolean>("MousedVis"),
      Field<&TOxElement::NoMsOxDB, PropType::Boolean>("NoMsOxDB"),
      OrderProperty(),
      Field<&TOxElement::rX, PropType::Real>("rX"),
      Field<&TOxElement::rY, PropType::Real>("rY"),
      SizeXProperty(),
      SizeYProperty(),
      Field<&TOxElement::Tag, PropType::String>("Tag"),
      NotSaveProperty(),
      Field<&TOxShape::Crop, PropType::Boolean>("Crop"),
      Field<&TOxShape::ShapeType, PropType::Enum>("ShapeType", &kShapeTypeNames),
      Field<&TOxShape::Par1, PropType::Real>("Par1"),
      Field<&TOxShape::Par2, PropType::Real>("Par2"),
      Field<&TOxShape::Par3, PropType::Real>("Par3"),
  });
  return t;
}

}  // namespace

const ClassInfo& TOxShape::StaticClass() {
  static const ClassInfo info = MakeClassInfo(
      "TOxShape", {"TOxScreen", "TOxImage", "TOxShape"}, ShapeProperties(),
      [](TOxElement& parent) -> TOxElement* { return CreateIn<TOxShape>(parent); },
      ClassFacts{.savesPosition = false});
  return info;
}

const ClassInfo& TOxShape::Class() const { return StaticClass(); }

TOxShape::TOxShape() : TOxBoxElement(100) {}

TOxElement* TOxShape::HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                              std::int32_t agro, std::uint8_t flag) {
  if (!TakesMouse()) return nullptr;
  if (TOxElement* hit = TOxElement::HitTest(layer, x, y, agro, flag)) {
    return Crop && !InBox(x, y) ? nullptr : hit;
  }
  return layer == Order && InBox(x, y) ? this : nullptr;
}

void TOxShape::Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
                      std::uint8_t flag) {
  render::TAsphyreCanvas* canvas = Canvas();
  const double left = offsetX + rX, top = offsetY + rY;
  // Outside the subtree's layers nothing is drawn, so the clip is left alone there.
  const bool cropped = Crop && canvas != nullptr && layer >= MinOrder && layer <= MaxOrder;
  const CropScope crop(cropped ? canvas : nullptr,
                       {ClipCoordinate(left), ClipCoordinate(top), ClipCoordinate(left + sizeX_),
                        ClipCoordinate(top + sizeY_)});
  if (layer == Order && canvas != nullptr) {
    if (ShapeType == kShapeCircle) {
      DrawPie(left, top);
    } else {
      DrawBox(left, top);
    }
  }
  TOxElement::Render(layer, color, offsetX, offsetY, flag);
}

void TOxShape::DrawBox(double left, double top) {
  Canvas()->FillRect(static_cast<float>(ClipCoordinate(left)), static_cast<float>(ClipCoordinate(top)),
                     static_cast<float>(sizeX_), static_cast<float>(sizeY_), Colour(), hxDrawFx);
}

void TOxShape::DrawPie(double left, double top) {
  if (Par3 == 0.0) return;  // drawn at no size
  if (const render::TAsphyreImage* picture = PiePicture()) {
    Canvas()->DrawStretch(picture, static_cast<float>(ClipCoordinate(left)),
                          static_cast<float>(ClipCoordinate(top)), static_cast<float>(Par3), 0,
                          Colour(), render::kFxBlend);
  }
}

const render::TAsphyreImage* TOxShape::PiePicture() {
  if (!DrawnPicture::SizeAllowed(sizeX_, sizeY_)) {
    pie_.Clear();
    pieShape_ = {};
    const bool empty = sizeX_ <= 0 || sizeY_ <= 0;
    if (!empty && !pieTooLargeLogged_) {
      platform::LogLine("shape " + std::to_string(Key) + ": a pie of " + std::to_string(sizeX_) + " x " +
                        std::to_string(sizeY_) + " pixels is too large to draw");
    }
    pieTooLargeLogged_ = !empty;
    return nullptr;
  }
  pieTooLargeLogged_ = false;
  const PieShape wanted{sizeX_, sizeY_, RadialPointOf(sizeX_, sizeY_, Par1),
                        RadialPointOf(sizeX_, sizeY_, Par2)};
  // A failed upload is not tried again every frame, only when the sector changes.
  if (wanted != pieShape_) {
    pie_.Upload(RasterisePie(sizeX_, sizeY_, wanted.first, wanted.second), sizeX_, sizeY_);
    pieShape_ = wanted;
  }
  return pie_.Image();
}

}  // namespace ox::elements
