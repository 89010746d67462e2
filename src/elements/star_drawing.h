// Drawing the star sprites: after each layer of the current screen, and once more with layer
// 1000 after all of them.
#pragma once

#include <cstdint>

#include "scene/star_pool.h"

namespace ox::elements {

// Draws the live stars of that layer, in slot order, as additive patterns of the particle
// texture; nothing without a canvas or a texture.
void DrawStars(const scene::StarPool& stars, std::int32_t layer);

}  // namespace ox::elements
