// Scripts: compiled as a game file's event property is, then run as an event of a shape on the
// current screen of a small scene with every native function. A script that never ends is
// stopped by the long-run guard after the scene's step bound, with its error, as the player
// stops it.
#include "elements/screen.h"
#include "elements/shape.h"
#include "fuzz_support.h"

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
  scene.root.EnsureVars();
  ox::scene::RunEvent(*shape, event, "Fuzz", scene.root.Vars());
  return 0;
}
