// The demo game's particle effects: the particle texture every effect and star draws from, and
// one effect file per effect.
#pragma once

#include <filesystem>

namespace demo_assets {

// Writes FOLDER/particles.bmp with its grid description and the effect files FOLDER/fx/*.eff.
bool WriteEffects(const std::filesystem::path& folder);

}  // namespace demo_assets
