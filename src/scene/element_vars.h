// Lookups that the element's script names share with the rest of the engine.
#pragma once

#include <string>

#include "scene/element.h"

namespace ox::scene {

// The first child whose Id, upper-cased, equals `upperName` (which the caller gives already
// upper-cased); null when none does.
TOxElement* ChildById(const TOxElement& e, const std::string& upperName);

}  // namespace ox::scene
