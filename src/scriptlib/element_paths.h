// Dotted element paths read and written from native code the way scripts walk them: each
// leading dot climbs to the parent, every inner part must name an element (a child by Id, a
// variable holding a reference, or "OXDB"), and the last part is read through the owner's
// GetVar and written through its SetVar. Unlike a script's read, a missing piece is quiet: the
// caller gets nothing and leaves that piece alone. Paths are given upper case, as scripts hold
// names.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "scene/element.h"
#include "script/value.h"

namespace ox::scriptlib {

// The value the path names; none when a part is missing or is no element.
std::optional<script::Value> ValueAt(scene::TOxElement& from, std::string_view path);
// The element the path names; null when missing or of another class.
scene::TOxElement* ElementAt(scene::TOxElement& from, std::string_view path);
template <class T>
T* ElementAt(scene::TOxElement& from, std::string_view path) {
  return dynamic_cast<T*>(ElementAt(from, path));
}
// The number the path names (an integer, a Boolean, or a float rounded half to even); none for
// text, nothing, or a missing path. A float beyond 64 bits is a range error.
std::optional<std::int64_t> NumberAt(scene::TOxElement& from, std::string_view path);

// Writes through the owner's SetVar: a variable or property it has, or "CURSOR". Nothing
// happens when the path or the name is not there.
void SetAt(scene::TOxElement& from, std::string_view path, const script::Value& value);
// Writes a variable of the owner, adding it when the owner has no variable or property of that
// name.
void SetVariableAt(scene::TOxElement& from, std::string_view path, const script::Value& value);

}  // namespace ox::scriptlib
