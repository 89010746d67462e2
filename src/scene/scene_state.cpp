#include "scene/scene_state.h"

#include "scene/element_refs.h"

namespace ox::scene {

SceneState& Scene() {
  static SceneState state;
  return state;
}

TOxElement* Resolve(std::uint32_t ref) { return ElementRefs::Resolve(ref); }

}  // namespace ox::scene
