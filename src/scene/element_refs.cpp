#include "scene/element_refs.h"

#include <limits>
#include <stdexcept>

namespace ox::scene {

std::vector<TOxElement*>& ElementRefs::Slots() {
  static std::vector<TOxElement*> slots;
  return slots;
}

std::uint32_t ElementRefs::Register(TOxElement* element) {
  auto& slots = Slots();
  if (slots.size() >= std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("element references exhausted");
  slots.push_back(element);
  return static_cast<std::uint32_t>(slots.size());
}

void ElementRefs::Release(std::uint32_t ref) {
  auto& slots = Slots();
  if (ref != 0 && ref <= slots.size()) slots[ref - 1] = nullptr;
}

TOxElement* ElementRefs::Resolve(std::uint32_t ref) {
  const auto& slots = Slots();
  if (ref == 0 || ref > slots.size()) return nullptr;
  return slots[ref - 1];
}

}  // namespace ox::scene
