// The tree dump: one JSON object per element, pre-order from the given element:
// {"depth":0,"class":"TOxDB","props":{...},"vars":[...]}. "props" holds every published
// property in table order read through its getter; "vars" the element's script variables. The
// first line also names the current screen: "screen" is its Key, or null when there is none.
#pragma once

#include <ostream>

namespace ox::scene {

class TOxElement;

void DumpTree(const TOxElement& root, std::ostream& out);

}  // namespace ox::scene
