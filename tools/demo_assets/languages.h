// The demo game's two language files, English and Russian.
#pragma once

#include <filesystem>

namespace demo_assets {

// Writes FOLDER/eng.lng and FOLDER/rus.lng in the games' 8-bit code page; false when a file
// cannot be written.
bool WriteLanguages(const std::filesystem::path& folder);

}  // namespace demo_assets
