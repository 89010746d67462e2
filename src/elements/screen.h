// TOxScreen: a screen of the game, or a panel inside one, with an optional background picture.
#pragma once

#include <cstdint>
#include <string>

#include "scene/element.h"

namespace ox::elements {

class TOxScreen : public scene::TOxElement {
 public:
  TOxScreen();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  void SetSizeX(std::int32_t value) override { sizeX_ = value; }
  void SetSizeY(std::int32_t value) override { sizeY_ = value; }
  std::int32_t GetSizeX() const override { return sizeX_; }
  std::int32_t GetSizeY() const override { return sizeY_; }
  // The screen's own Agro replaces the margin from above for its whole subtree; a Modal screen
  // takes every hit of its own layer that no child takes.
  scene::TOxElement* HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                             std::int32_t agro, std::uint8_t flag) override;

  const std::string& ImBack() const { return imBack_; }
  void SetImBack(std::string name) { imBack_ = std::move(name); }

  std::uint32_t hxDrawFx = 1;
  std::int32_t Agro = 0;
  bool Modal = false;
  bool AllwaysLoad = false;

 private:
  std::string imBack_;
  std::int32_t sizeX_ = 0;
  std::int32_t sizeY_ = 0;
};

}  // namespace ox::elements
