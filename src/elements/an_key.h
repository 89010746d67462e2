// TOxAnKey: one key of an animation; its TOxImage children are the actors at that key.
#pragma once

#include <cstdint>

#include "scene/element.h"

namespace ox::elements {

class TOxAnKey : public scene::TOxElement {
 public:
  TOxAnKey();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  std::uint16_t Count() const { return count_; }
  void SetCount(std::uint16_t frames) { count_ = frames; }

  bool Morph = false;

 private:
  std::uint16_t count_ = 0;
};

}  // namespace ox::elements
