// The game-file reader and every element setter it drives (event scripts are compiled as they
// are assigned); the tree that results is then read back through every getter.
#include <sstream>

#include "fuzz_support.h"
#include "scene/game_file_reader.h"
#include "scene/tree_dump.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ox::fuzz::FuzzScene scene;
  ox::scene::ReadRootRecord(scene.root, ox::fuzz::Text(data, size), false);
  std::ostringstream dump;
  ox::scene::DumpTree(scene.root, dump);
  return 0;
}
