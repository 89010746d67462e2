// TOxShape: a box or a circle sector, filled with its tint.
#pragma once

#include <cstdint>

#include "elements/box_element.h"
#include "elements/drawn_picture.h"
#include "elements/pie_raster.h"
#include "elements/tint.h"

namespace ox::elements {

// ShapeType values, in the order of their names.
inline constexpr std::int32_t kShapeBox = 0;
inline constexpr std::int32_t kShapeCircle = 1;

class TOxShape : public TOxBoxElement {
 public:
  TOxShape();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  // A shape takes the mouse over its whole box, edges included, whatever its ShapeType; with
  // Crop its children are hit only inside that box.
  scene::TOxElement* HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                             std::int32_t agro, std::uint8_t flag) override;
  // A box filled with the tint and effect, or the pie sector of the inscribed ellipse drawn at
  // the scale Par3; then the children. With Crop the shape and its children are drawn inside
  // its box only (and inside any crop around it), and the clip around it is restored after.
  void Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
              std::uint8_t flag) override;

  std::uint32_t hxColor() const { return tint_.Color(); }
  void SetHxColor(std::uint32_t rgb) { tint_.SetColor(rgb); }
  std::uint8_t hxTrans() const { return tint_.Trans(); }
  void SetHxTrans(std::uint8_t alpha) { tint_.SetTrans(alpha); }
  std::uint32_t Colour() const { return tint_.argb; }

  std::uint32_t hxDrawFx = 0x504;
  bool Crop = false;
  std::int32_t ShapeType = 0;
  double Par1 = 0.0;
  double Par2 = 0.0;
  double Par3 = 0.0;

 private:
  // What the pie picture shows; it is made again only when this changes.
  struct PieShape {
    std::int32_t width = 0, height = 0;
    RadialPoint first, second;
    bool operator==(const PieShape&) const = default;
  };

  void DrawBox(double left, double top);
  void DrawPie(double left, double top);
  // The pie picture for the current size and angles; none when it cannot be made.
  const render::TAsphyreImage* PiePicture();

  Tint tint_{0xFFFFFFFFu};
  DrawnPicture pie_;
  PieShape pieShape_;
  bool pieTooLargeLogged_ = false;
};

}  // namespace ox::elements
