// TOxShape: a box or a circle sector, filled with its tint.
#pragma once

#include <cstdint>

#include "elements/tint.h"
#include "elements/box_element.h"

namespace ox::elements {

class TOxShape : public TOxBoxElement {
 public:
  TOxShape();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  // A shape takes the mouse over its whole box, edges included, whatever its ShapeType; with
  // Crop its children are hit only inside that box.
  scene::TOxElement* HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                             std::int32_t agro, std::uint8_t flag) override;

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
  Tint tint_{0xFFFFFFFFu};
};

}  // namespace ox::elements
