// Scripts: compiled as a game file's event property is, then run as an event of the root of a
// small scene with every native function.
//
// Until the interpreter bounds the statements of a run, only inputs that cannot loop are run:
// at most 512 bytes without the words WHILE, REPEAT, FOR, GOTO, PROCEDURE or FUNCTION (the
// only ways a script repeats itself); longer or looping inputs are compiled only.
#include <algorithm>
#include <cctype>

#include "elements/screen.h"
#include "elements/shape.h"
#include "fuzz_support.h"

namespace {

bool MayLoop(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  for (const char* word : {"WHILE", "REPEAT", "FOR", "GOTO", "PROCEDURE", "FUNCTION"})
    if (upper.find(word) != std::string::npos) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string source(ox::fuzz::Text(data, size));
  ox::fuzz::FuzzScene scene;
  using ox::scene::TOxElement;
  auto* screen = TOxElement::CreateIn<ox::elements::TOxScreen>(scene.root);
  screen->Id = "Main";
  screen->Key = 1;
  auto* shape = TOxElement::CreateIn<ox::elements::TOxShape>(*screen);
  shape->Id = "Box";
  shape->Key = 2;
  scene.root.Id = "Root";
  scene.root.CurKey = 2;
  ox::scene::Scene().currentScreen = screen->Ref();

  ox::scene::EventScript event;
  ox::scene::AssignEvent(event, source);
  if (size > 512 || MayLoop(source)) return 0;
  scene.root.EnsureVars();
  ox::scene::RunEvent(*shape, event, "Fuzz", scene.root.Vars());
  return 0;
}
