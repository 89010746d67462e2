#include "scene/tree_dump.h"

#include <exception>
#include <string>

#include "scene/class_registry.h"
#include "scene/element.h"
#include "scene/element_refs.h"
#include "scene/scene_state.h"
#include "script/value_json.h"
#include "script/var_list.h"

namespace ox::scene {

namespace {

void AppendProperty(std::string& out, const PropertyInfo& p, const TOxElement& e) {
  PropValue v;
  try {
    v = p.get(e);
  } catch (const std::exception&) {
    out += "null";  // a getter that fails, such as X outside 32 bits
    return;
  }
  switch (StreamKindOf(p.type)) {
    case StreamKind::Int32: out += std::to_string(AsInteger(v)); break;
    case StreamKind::Float64: out += script::JsonNumber(static_cast<double>(AsFloat(v))); break;
    case StreamKind::String: out += script::JsonString(AsString(v)); break;
  }
}

// A reference is written as the Key of the element it names, or null.
std::string KeyOfReferenced(std::uint32_t ref) {
  const TOxElement* e = ElementRefs::Resolve(ref);
  return e ? std::to_string(e->Key) : "null";
}

void DumpElement(const TOxElement& e, int depth, std::ostream& stream) {
  std::string out = "{\"depth\":" + std::to_string(depth) + ",\"class\":";
  out += script::JsonString(e.Class().name);
  out += ",\"props\":{";
  const auto& props = e.Class().properties;
  for (std::size_t i = 0; i < props.size(); ++i) {
    if (i) out += ',';
    out += script::JsonString(props[i].name);
    out += ':';
    AppendProperty(out, props[i], e);
  }
  out += "},\"vars\":[";
  if (const script::TVarList* vars = e.Vars()) {
    bool first = true;
    for (const script::TVar& var : *vars) {
      if (!first) out += ',';
      first = false;
      out += script::VarToJson(var, KeyOfReferenced);
    }
  }
  out += "]";
  if (depth == 0) out += ",\"screen\":" + KeyOfReferenced(Scene().currentScreen);
  out += "}\n";
  stream << out;
  for (const auto& child : e.Children()) DumpElement(*child, depth + 1, stream);
}

}  // namespace

void DumpTree(const TOxElement& root, std::ostream& out) { DumpElement(root, 0, out); }

}  // namespace ox::scene
