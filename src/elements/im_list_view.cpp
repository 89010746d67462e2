// What the player sees of an image list: the selection under the mouse, the items growing and
// shrinking, and the grid of fitted pictures.
#include <algorithm>
#include <numbers>

#include "elements/drawing.h"
#include "elements/im_list.h"
#include "elements/image.h"

namespace ox::elements {

std::int32_t TOxImList::CellAt(std::int64_t x, std::int64_t y) const {
  const std::int64_t pitchX = std::int64_t{elWidth_} + space_;
  const std::int64_t pitchY = std::int64_t{elHeight_} + space_;
  if (pitchX <= 0 || pitchY <= 0) return -1;  // no cells to divide the box into
  const std::int64_t index = x / pitchX + ScrollPos() + y / pitchY * colCount_;
  return index >= 0 && index < static_cast<std::int64_t>(items_.size()) ? static_cast<std::int32_t>(index) : -1;
}

scene::TOxElement* TOxImList::HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                                      std::int32_t, std::uint8_t) {
  if (!TakesMouse() || layer != Order) return nullptr;
  const std::int64_t dx = std::int64_t{x} - X(), dy = std::int64_t{y} - Y();
  const bool inside = dx >= 0 && dx < sizeX_ && dy >= 0 && dy < sizeY_;
  const std::int32_t index = inside ? CellAt(dx, dy) : -1;
  if (index != selection_) {
    MouseOut();
    selection_ = index;
    MouseIn();
  }
  return inside ? this : nullptr;
}

void TOxImList::MouseIn() {
  if (selection_ != -1) TOxElement::MouseIn();
}

void TOxImList::MouseOut() {
  if (selection_ != -1) TOxElement::MouseOut();
}

void TOxImList::MouseDown() {
  if (selection_ == -1) return;
  if (TOxImage* image = SelectedImage()) image->MouseDown();
  TOxElement::MouseDown();
}

void TOxImList::Process() {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    double& zoom = items_[i].zoom;
    if (static_cast<std::int64_t>(i) == selection_) {
      if (zoom < Scale) zoom += 0.05;
    } else if (zoom > 1) {
      zoom = std::max(1.0, zoom - 0.1);
    }
  }
  TOxElement::Process();
}

void TOxImList::Render(std::int32_t layer, std::uint32_t, double offsetX, double offsetY,
                       std::uint8_t) {
  if (!ResLoaded) LoadResources();
  if (layer != Order || elWidth_ == 0 || elHeight_ == 0 || Canvas() == nullptr) return;
  const double left = offsetX + rX, top = offsetY + rY;
  const std::int64_t count = static_cast<std::int64_t>(items_.size());
  // Row by row until the last item; the selected item is left for last, over its neighbours.
  for (std::int32_t row = 0; row < rowCount_; ++row) {
    const std::int64_t first = (std::int64_t{row} + scrollRow_) * colCount_;
    if (first >= count) break;
    for (std::int32_t column = 0; column < colCount_ && first + column < count; ++column) {
      if (first + column != selection_) DrawItem(static_cast<std::size_t>(first + column), row, column, left, top);
    }
  }
  if (selection_ >= 0 && selection_ < count && colCount_ > 0) {
    const std::int64_t row = selection_ / colCount_ - scrollRow_;
    if (row >= 0 && row < rowCount_)
      DrawItem(static_cast<std::size_t>(selection_), static_cast<std::int32_t>(row), selection_ % colCount_, left, top);
  }
}

// The item's picture fitted into its cell (the whole width, or the whole height when that is
// the narrower fit), zoomed, turned by the image's angle about the cell's middle and tinted.
void TOxImList::DrawItem(std::size_t index, std::int32_t row, std::int32_t column, double left, double top) {
  TOxImage* image = ItemImage(index);
  const render::TAsphyreImage* picture = image ? image->LoadedTextures() : nullptr;
  if (picture == nullptr || picture->PatternWidth() <= 0 || picture->PatternHeight() <= 0) return;
  double fit = static_cast<double>(elWidth_) / picture->PatternWidth();
  if (picture->PatternHeight() * fit > elHeight_) fit = static_cast<double>(elHeight_) / picture->PatternHeight();
  const double x = left + (static_cast<double>(elWidth_) + space_) * column + elWidth_ * 0.5;
  const double y = top + (static_cast<double>(elHeight_) + space_) * row + elHeight_ * 0.5;
  const auto angle = static_cast<float>(image->Angle() * std::numbers::pi_v<long double> / 180);
  render::TAsphyreCanvas* canvas = Canvas();
  canvas->SetAntialias(true);
  canvas->DrawRot(picture, static_cast<float>(x), static_cast<float>(y), angle,
                  static_cast<float>(fit * items_[index].zoom), image->Anim(), image->Colour(),
                  image->hxDrawFx);
}

}  // namespace ox::elements
