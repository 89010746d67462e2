// Where the player writes or deletes a file that game data or a script names (the saved state,
// the settings, the error log, DelFile). Only the given base folder (the per-user folder or the
// game folder) and what lies below it can be reached: names that climb out are refused with a
// log line. Components that already exist are matched without regard to letter case, so a save
// written as "Save.dat" and read as "save.dat" is one file; new components are created as
// spelled, with "\" turned into "/".
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace ox::platform {

// The real path to write or delete, or nullopt for a refused or empty name.
std::optional<std::filesystem::path> SafeOutputPath(const std::filesystem::path& base,
                                                    std::string_view name);

// Deletes the named file. A missing file is not an error; folders are never deleted.
// False for a refused name, a folder, or a file that could not be removed.
bool RemoveFile(const std::filesystem::path& base, std::string_view name);

}  // namespace ox::platform
