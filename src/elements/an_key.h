// TOxAnKey: one key of an animation; its TOxImage children are the actors at that key.
#pragma once

#include <cstdint>

#include "scene/element.h"

namespace ox::elements {

class TOxAnKey final : public scene::TOxElement {
 public:
  TOxAnKey();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  std::uint16_t Count() const { return count_; }
  // Setting the count, like reading the key, rebuilds the animation's frame table.
  void SetCount(std::uint16_t frames);
  void ReadRecord(std::string_view data, bool keepKeys) override;
  // A key has no picture of its own: its size is its animation's.
  std::int32_t GetSizeX() const override;
  std::int32_t GetSizeY() const override;

  bool Morph = false;

 private:
  std::uint16_t count_ = 0;
};

}  // namespace ox::elements
