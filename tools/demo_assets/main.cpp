// demo_assets FOLDER: draws every picture of the demo game (game/), writes its particle
// effects and language files, and synthesises its sounds and music, all into FOLDER, so that
// nothing of the demo comes from anywhere but this repository.
#include <filesystem>
#include <iostream>

#include "effects.h"
#include "languages.h"
#include "pictures.h"
#include "sounds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: demo_assets FOLDER\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const struct {
    const char* what;
    bool (*write)(const std::filesystem::path&);
  } parts[] = {{"pictures", demo_assets::WritePictures},
               {"particle effects", demo_assets::WriteEffects},
               {"language files", demo_assets::WriteLanguages},
               {"sounds", [](const std::filesystem::path& f) { return demo_assets::WriteSounds(f / "sounds"); }}};
  for (const auto& part : parts) {
    if (!part.write(folder)) {
      std::cerr << "demo_assets: cannot write the " << part.what << " into " << folder.string() << "\n";
      return 1;
    }
  }
  return 0;
}
