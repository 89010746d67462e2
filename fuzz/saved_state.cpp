// The saved-state reader over a small game of every element kind that saves, with the
// records' setters and the tree's exAfterLoad scripts run as after a real load.
#include "fuzz_support.h"
#include "saved_game.h"
#include "scene/saved_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ox::fuzz::FuzzScene scene;
  ox::fuzz::MakeSavedGame(scene.root);
  ox::scene::LoadState(scene.root, ox::fuzz::ScratchFile(ox::fuzz::Text(data, size), ".state"));
  return 0;
}
