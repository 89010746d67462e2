// The demo game's pictures: backgrounds, props, buttons and the banner, drawn by code.
#pragma once

#include <filesystem>

namespace demo_assets {

// Writes every picture (with the grid descriptions of those made of several patterns) into
// FOLDER/pictures; false when a file cannot be written.
bool WritePictures(const std::filesystem::path& folder);

}  // namespace demo_assets
