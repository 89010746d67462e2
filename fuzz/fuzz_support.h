// What the fuzz targets share: the bytes as text, a scratch file of this process (in a temporary
// folder removed at exit) for readers that take a path, and a scene (registered classes, a root,
// a pool of interpreters with every native function and a small step bound) for the readers
// that drive element setters and scripts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "../tests/support/temp_folder.h"
#include "elements/register_classes.h"
#include "scene/game_root.h"
#include "scene/scene_state.h"
#include "scene/script_binding.h"
#include "scriptlib/engine_functions.h"

namespace ox::fuzz {

inline std::string_view Text(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A file of this process, holding the bytes, in a temporary folder removed at exit; the file of
// one input replaces that of the last.
inline std::filesystem::path ScratchFile(std::string_view bytes, const char* suffix) {
  static const test_support::TempFolder folder;
  if (folder.path().empty()) std::abort();
  const auto path = folder.path() / (std::string("scratch") + suffix);
  test_support::WriteFile(path, bytes);
  return path;
}

// A fresh root for one input, with the scene and the interpreters (made once, as the player
// makes them once) pointed at it.
struct FuzzScene {
  FuzzScene() {
    static const bool registered = (elements::RegisterElementClasses(), true);
    (void)registered;
    scene::Scene() = scene::SceneState{};
    scene::Scene().testMode = true;
    scene::Scene().root = &root;
    Pool().SetRoot(&root);
  }
  ~FuzzScene() {
    Pool().SetRoot(nullptr);
    scene::Scene() = scene::SceneState{};
  }
  // The interpreters, with the player's long-run guard bounding each run by steps: a script
  // that never ends is stopped with its error like in the player, after far fewer steps than
  // the player allows, so that each input stays quick.
  static scene::InterpreterPool& Pool() {
    static scene::InterpreterPool pool{scriptlib::RegisterAllFunctions};
    static const bool bounded = (pool.SetRunLimit(kRunLimit), true);
    (void)bounded;
    return pool;
  }
  static constexpr script::RunLimit kRunLimit{20'000, {}};

  scene::TOxDB root;
};

}  // namespace ox::fuzz
