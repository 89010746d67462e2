// The layer walks of a frame: drawing goes up from the lowest layer to the highest and hit
// testing down from the highest, each visiting the layers in the order a walk over every
// integer between them would, but only those on which something stands. `next(n)` names the
// nearest such layer at or past n in the walk's direction (or none). It is asked again after
// every visit, so an Order a script changes during the walk counts for the layers still ahead,
// as it would in the integer walk; what stands on a layer (elements, stars) is up to `next`.
#pragma once

#include <cstdint>
#include <optional>

namespace ox::scene {

class TOxDB;
class TOxElement;

template <class Next, class Visit>
void WalkLayersUp(std::int32_t low, std::int32_t high, Next&& next, Visit&& visit) {
  for (std::int64_t from = low;;) {
    const std::optional<std::int32_t> layer = next(from);
    if (!layer || *layer > high) return;
    visit(*layer);
    from = std::int64_t{*layer} + 1;
  }
}

// Stops at the first visit that returns true, and returns whether one did.
template <class Next, class Visit>
bool WalkLayersDown(std::int32_t high, std::int32_t low, Next&& next, Visit&& visit) {
  for (std::int64_t from = high;;) {
    const std::optional<std::int32_t> layer = next(from);
    if (!layer || *layer < low) return false;
    if (visit(*layer)) return true;
    from = std::int64_t{*layer} - 1;
  }
}

// The element under (x, y) on `screen`: one hit test per layer of the root's range, from the
// highest down; the first hit wins.
TOxElement* HitOnLayers(TOxDB& root, TOxElement& screen, std::int32_t x, std::int32_t y);

}  // namespace ox::scene
