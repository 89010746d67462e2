// TOxExScreen: a screen reference, showing another screen (by its Key) inside this one.
#pragma once

#include <cstdint>

#include "scene/element.h"

namespace ox::elements {

class TOxExScreen : public scene::TOxElement {
 public:
  TOxExScreen();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  std::int32_t obScreen() const { return obScreen_; }
  void SetObScreen(std::int32_t key) { obScreen_ = key; }

  std::int32_t PosHor = 0;
  std::int32_t PosVert = 0;
  bool Modal = false;
  bool Processing = true;

 private:
  std::int32_t obScreen_ = 0;
};

}  // namespace ox::elements
