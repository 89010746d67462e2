// TOxScreen: a screen of the game, or a panel inside one, with an optional background picture.
#pragma once

#include <cstdint>
#include <string>

#include "elements/box_element.h"

namespace ox::media {
class TOxIm;
}

namespace ox::elements {

class TOxScreen : public TOxBoxElement {
 public:
  TOxScreen();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  // The screen's own Agro replaces the margin from above for its whole subtree; a Modal screen
  // takes every hit of its own layer that no child takes.
  scene::TOxElement* HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                             std::int32_t agro, std::uint8_t flag) override;

  // The background picture; the screen takes its size once the picture is loaded.
  const std::string& ImBack() const;
  void SetImBack(std::string name);
  // The background at the offset alone (the screen's own position moves only its children),
  // then exRender, then the children.
  void Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
              std::uint8_t flag) override;

  std::uint32_t hxDrawFx = 1;
  std::int32_t Agro = 0;
  bool Modal = false;
  bool AllwaysLoad = false;

 private:
  media::TOxIm* imBack_ = nullptr;
};

}  // namespace ox::elements
