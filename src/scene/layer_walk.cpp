#include "scene/layer_walk.h"

#include "scene/game_root.h"

namespace ox::scene {

TOxElement* HitOnLayers(TOxDB& root, TOxElement& screen, std::int32_t x, std::int32_t y) {
  TOxElement* hit = nullptr;
  WalkLayersDown(
      root.MaxOrder, root.MinOrder, [&root](std::int64_t n) { return root.LayerAtOrBelow(n); },
      [&](std::int32_t layer) { return (hit = screen.HitTest(layer, x, y, 0, 0)) != nullptr; });
  return hit;
}

}  // namespace ox::scene
