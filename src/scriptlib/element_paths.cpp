#include "scriptlib/element_paths.h"

#include <string>

#include "scene/scene_state.h"
#include "scriptlib/native_support.h"
#include "scriptlib/special_support.h"

namespace ox::scriptlib {

namespace {

// The element a path's last part belongs to, and that part.
struct PathEnd {
  scene::TOxElement* owner;
  std::string name;
};

scene::TOxElement* Step(scene::TOxElement* element, std::string_view part) {
  if (element == nullptr || part.empty()) return nullptr;
  script::Value v;
  if (element->GetVar(std::string(part), v)) return v.IsRef() ? scene::Resolve(static_cast<std::uint32_t>(v.i)) : nullptr;
  return part == "OXDB" ? element->Root() : nullptr;
}

std::optional<PathEnd> WalkTo(scene::TOxElement& from, std::string_view path) {
  scene::TOxElement* element = &from;
  for (; !path.empty() && path.front() == '.'; path.remove_prefix(1)) {
    if (element == nullptr) return std::nullopt;
    element = element->Parent();
  }
  for (auto dot = path.find('.'); dot != std::string_view::npos; dot = path.find('.')) {
    element = Step(element, path.substr(0, dot));
    path.remove_prefix(dot + 1);
  }
  if (element == nullptr || path.empty()) return std::nullopt;
  return PathEnd{element, std::string(path)};
}

// A number of a value, as NumberAt reads it.
std::optional<std::int64_t> NumberOf(const script::Value& value) {
  switch (value.kind) {
    case script::Kind::Empty:
    case script::Kind::String:
      return std::nullopt;
    case script::Kind::Float:
    case script::Kind::Date:
      return AsInteger64(value);
    default:
      return value.i;
  }
}

}  // namespace

std::optional<script::Value> ValueAt(scene::TOxElement& from, std::string_view path) {
  const std::optional<PathEnd> end = WalkTo(from, path);
  script::Value v;
  if (!end || !end->owner->GetVar(end->name, v)) return std::nullopt;
  return v;
}

scene::TOxElement* ElementAt(scene::TOxElement& from, std::string_view path) {
  const std::optional<script::Value> v = ValueAt(from, path);
  return v && v->IsRef() ? scene::Resolve(static_cast<std::uint32_t>(v->i)) : nullptr;
}

std::optional<std::int64_t> NumberAt(scene::TOxElement& from, std::string_view path) {
  const std::optional<script::Value> v = ValueAt(from, path);
  return v ? NumberOf(*v) : std::nullopt;
}

void SetAt(scene::TOxElement& from, std::string_view path, const script::Value& value) {
  if (const std::optional<PathEnd> end = WalkTo(from, path)) end->owner->SetVar(end->name, value);
}

void SetVariableAt(scene::TOxElement& from, std::string_view path, const script::Value& value) {
  if (const std::optional<PathEnd> end = WalkTo(from, path)) SetElementVar(*end->owner, end->name, value);
}

}  // namespace ox::scriptlib
