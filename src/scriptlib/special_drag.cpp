// Picking up a piece of a picture: as long as the picture's "MOUSEINDOWN" is set, its topmost
// visible child under the cursor is re-centred on the cursor on every tick. The piece therefore
// travels with the mouse and is simply left where the button goes up.
#include "platform/core/checked.h"
#include "scene/scene_state.h"
#include "scriptlib/element_paths.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

bool Contains(const scene::TOxElement& piece, std::int32_t x, std::int32_t y) {
  const std::int64_t left = piece.GetAbsX(), top = piece.GetAbsY();
  return x >= left && x < left + piece.GetSizeX() && y >= top && y < top + piece.GetSizeY();
}

}  // namespace

void DragPieceUnderMouse(elements::TOxImage& picture, TVarList&) {
  const std::optional<std::int64_t> down = NumberAt(picture, "MOUSEINDOWN");
  if (!down || *down == 0) return;
  const std::int32_t x = scene::Scene().mouseX, y = scene::Scene().mouseY;
  const auto& pieces = picture.Children();
  for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) {
    scene::TOxElement& piece = **it;
    if (!piece.Vis || !Contains(piece, x, y)) continue;
    // Moves the piece's own position by how far its top left is from where centring puts it,
    // whatever its alignment.
    const std::int64_t dx = std::int64_t{x} - piece.GetSizeX() / 2 - piece.GetAbsX();
    const std::int64_t dy = std::int64_t{y} - piece.GetSizeY() / 2 - piece.GetAbsY();
    piece.SetPos(CheckedInt32(piece.X() + dx), CheckedInt32(piece.Y() + dy));
    return;
  }
}

}  // namespace ox::scriptlib
