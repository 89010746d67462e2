#include "elements/star_drawing.h"

#include <numbers>

#include "elements/drawing.h"
#include "render/particle_system.h"

namespace ox::elements {

void DrawStars(const scene::StarPool& stars, std::int32_t layer) {
  render::TAsphyreCanvas* canvas = Canvas();
  render::TXParticleManager* manager = ParticleManager();
  const render::TAsphyreImage* texture = manager != nullptr ? manager->Texture() : nullptr;
  if (canvas == nullptr || texture == nullptr || stars.LiveOn(layer) == 0) return;
  for (const scene::TStar& star : stars.Slots()) {
    if (!star.active || star.layer != layer) continue;
    canvas->DrawRot(texture, static_cast<float>(star.x), static_cast<float>(star.y),
                    static_cast<float>(star.angle * std::numbers::pi / 180.0), static_cast<float>(star.scale),
                    star.pattern, star.colour | 0xFF000000u, render::kFxAdd);
  }
}

}  // namespace ox::elements
