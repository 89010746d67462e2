// An element with a box of its own (screens, animations, shapes, texts): SizeX and SizeY store
// and return two fields, and the box is the element's own X and Y plus its size.
#pragma once

#include <cstdint>

#include "platform/core/checked.h"
#include "scene/element.h"

namespace ox::elements {

class TOxBoxElement : public scene::TOxElement {
 public:
  void SetSizeX(std::int32_t value) override { sizeX_ = value; }
  void SetSizeY(std::int32_t value) override { sizeY_ = value; }
  std::int32_t GetSizeX() const override { return sizeX_; }
  std::int32_t GetSizeY() const override { return sizeY_; }

 protected:
  explicit TOxBoxElement(std::int32_t size) : sizeX_(size), sizeY_(size) {}
  // The point (relative to the parent) lies in the box, edges included.
  bool InBox(std::int32_t x, std::int32_t y) const {
    const std::int32_t left = X(), top = Y();
    return left <= x && x <= CheckedAdd(left, sizeX_) && top <= y && y <= CheckedAdd(top, sizeY_);
  }

  std::int32_t sizeX_;
  std::int32_t sizeY_;
};

}  // namespace ox::elements
