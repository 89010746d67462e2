#include "scriptlib/engine_support.h"

#include "scene/element_refs.h"
#include "scene/scene_state.h"

namespace ox::scriptlib {

scene::TOxElement* ElementArg(const TVarList& args, std::size_t i) {
  if (i >= args.Count() || !args[i].Val.IsRef()) return nullptr;
  return scene::ElementRefs::Resolve(static_cast<std::uint32_t>(args[i].Val.i));
}

std::vector<scene::TOxElement*> ElementArgs(const TVarList& args, std::size_t from) {
  std::vector<scene::TOxElement*> elements;
  for (std::size_t i = from; i < args.Count(); ++i) {
    if (scene::TOxElement* e = ElementArg(args, i)) elements.push_back(e);
  }
  return elements;
}

scene::TOxDB* GameRoot() { return scene::Scene().root; }

}  // namespace ox::scriptlib
