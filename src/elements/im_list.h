// TOxImList: a grid of equal cells showing image elements that live elsewhere in the tree (an
// inventory, say). The cell size follows from the box, the grid and the gap between cells.
#pragma once

#include <cstdint>

#include "scene/element.h"

namespace ox::elements {

class TOxImList : public scene::TOxElement {
 public:
  TOxImList();
  const scene::ClassInfo& Class() const override;
  static const scene::ClassInfo& StaticClass();

  void SetSizeX(std::int32_t value) override;
  void SetSizeY(std::int32_t value) override;
  std::int32_t GetSizeX() const override { return sizeX_; }
  std::int32_t GetSizeY() const override { return sizeY_; }

  std::int32_t RowCount() const { return rowCount_; }
  void SetRowCount(std::int32_t value);
  std::int32_t ColCount() const { return colCount_; }
  void SetColCount(std::int32_t value);
  std::int32_t Space() const { return space_; }
  void SetSpace(std::int32_t value);
  // Scroll row x ColCount. The setter always shows the list from its first row.
  std::int32_t ScrollPos() const;
  void SetScrollPos(std::int32_t value);
  std::int32_t ElWidth() const { return elWidth_; }
  std::int32_t ElHeight() const { return elHeight_; }
  // The cell size is computed; writing it does nothing.
  void SetElWidth(std::int32_t) {}
  void SetElHeight(std::int32_t) {}

  double Scale = 0.0;

 private:
  void RecomputeCells();

  std::int32_t sizeX_ = 0, sizeY_ = 0;
  std::int32_t rowCount_ = 0, colCount_ = 0;
  std::int32_t elWidth_ = 0, elHeight_ = 0;
  std::int32_t space_ = 0;
  std::int32_t scrollRow_ = 0;
};

}  // namespace ox::elements
