// TOxImList: a grid of equal cells showing image elements that live elsewhere in the tree (an
// inventory, say). The cell size follows from the box, the grid and the gap between cells. The
// cell under the mouse is the selection: its item grows toward Scale, is drawn over the others,
// and a click on it runs the item's exMouseDown and then the list's. The list holds references
// to its images, not the images: an image destroyed meanwhile is shown and named by nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/element.h"

namespace ox::elements {

class TOxImage;

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

  // Appends the image (the same one may be shown twice) at zoom 1.
  void AddItem(TOxImage& image);
  // Removes the first item showing the image, or whose image's Id equals id exactly (letter
  // case counts); later items move up. Nothing happens without a match.
  void RemoveItem(const TOxImage& image);
  void RemoveItem(const std::string& id);
  std::size_t ItemCount() const { return items_.size(); }
  // The image of item i; none when it was destroyed.
  TOxImage* ItemImage(std::size_t i) const;
  double ItemZoom(std::size_t i) const { return items_[i].zoom; }
  // The index of the item under the mouse, -1 for none.
  std::int32_t Selection() const { return selection_; }

  // The list takes the mouse over its box (edges excluded at the right and bottom) and selects
  // the cell there; the gap after a cell belongs to that cell. exMouseOut and exMouseIn run
  // once per change of the selection, for an item that was or becomes selected.
  scene::TOxElement* HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                             std::int32_t agro, std::uint8_t flag) override;
  // Draws the items fitted into their cells, the selected one last; never the children.
  void Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
              std::uint8_t flag) override;
  // Each tick the selected item's zoom grows by 0.05 while below Scale; the others shrink by
  // 0.1 back to 1.
  void Process() override;
  void MouseIn() override;
  void MouseOut() override;
  void MouseDown() override;
  void LoadResources() override;
  void ReloadResources() override;
  // "ELEMENTS": the items' image keys, each followed by ";" (assigning such a text replaces
  // the items; this is how saved state keeps them). "SELEL": the selected item's image.
  bool GetVar(const std::string& name, script::Value& out) override;
  bool SetVar(const std::string& name, const script::Value& value) override;

  double Scale = 0.0;

 private:
  struct Item {
    std::uint32_t image;  // element reference
    double zoom;
  };

  void RecomputeCells();
  // The item index of the cell at the point (relative to the list's corner); -1 for none.
  std::int32_t CellAt(std::int64_t x, std::int64_t y) const;
  void DrawItem(std::size_t index, std::int32_t row, std::int32_t column, double left, double top);
  TOxImage* SelectedImage() const;
  std::string ElementsText() const;
  void AssignElements(const std::string& text);

  std::vector<Item> items_;
  std::int32_t selection_ = -1;

  std::int32_t sizeX_ = 0, sizeY_ = 0;
  std::int32_t rowCount_ = 0, colCount_ = 0;
  std::int32_t elWidth_ = 0, elHeight_ = 0;
  std::int32_t space_ = 0;
  std::int32_t scrollRow_ = 0;
};

}  // namespace ox::elements
