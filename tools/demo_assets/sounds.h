// The demo game's sounds, synthesised: short effects as WAV, the music as Ogg Vorbis.
#pragma once

#include <filesystem>

namespace demo_assets {

bool WriteSounds(const std::filesystem::path& folder);

}  // namespace demo_assets
