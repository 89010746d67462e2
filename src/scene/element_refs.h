// Element references: the 32-bit values by which scripts name elements (0 = none). A reference
// is handed out once per element and never reused, and its slot is cleared when the element is
// destroyed, so a stale reference resolves to no element instead of to freed memory.
#pragma once

#include <cstdint>
#include <vector>

namespace ox::scene {

class TOxElement;

class ElementRefs {
 public:
  static std::uint32_t Register(TOxElement* element);
  static void Release(std::uint32_t ref);
  // The element, or nullptr for 0, an unknown reference or a destroyed element.
  static TOxElement* Resolve(std::uint32_t ref);

 private:
  static std::vector<TOxElement*>& Slots();
};

}  // namespace ox::scene
