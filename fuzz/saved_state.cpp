// The saved-state reader over a small game of every element kind that saves, with the
// records' setters and the tree's exAfterLoad scripts run as after a real load.
#include "elements/im_list.h"
#include "elements/image.h"
#include "elements/screen.h"
#include "elements/shape.h"
#include "elements/text.h"
#include "fuzz_support.h"
#include "scene/saved_state.h"

namespace {

using ox::scene::TOxElement;

void MakeGame(ox::scene::TOxDB& root) {
  auto* screen = TOxElement::CreateIn<ox::elements::TOxScreen>(root);
  screen->Key = 1;
  auto* image = TOxElement::CreateIn<ox::elements::TOxImage>(*screen);
  image->Key = 2;
  auto* shape = TOxElement::CreateIn<ox::elements::TOxShape>(*screen);
  shape->Key = 3;
  auto* text = TOxElement::CreateIn<ox::elements::TOxText>(*screen);
  text->Key = 4;
  auto* list = TOxElement::CreateIn<ox::elements::TOxImList>(*screen);
  list->Key = 5;
  root.CurKey = 5;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ox::fuzz::FuzzScene scene;
  MakeGame(scene.root);
  ox::scene::LoadState(scene.root, ox::fuzz::ScratchFile(ox::fuzz::Text(data, size), ".state"));
  return 0;
}
