// File names as game data writes them: Windows style, "\" or "/" between components, any
// letter case, Windows-1251 bytes. Shared by the game-data resolver and the safe output paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ox::platform {

// The components of a name relative to its base folder; empty and "." components are
// dropped, and one leading "\" means "from the base folder". A name that could leave the base
// folder (a ".." component, a drive letter or any ":", a leading "/", a leading "\\") or that
// holds a NUL byte is refused: nullopt, and one log line.
std::optional<std::vector<std::string>> SplitGameName(std::string_view name);

// Keys under which a game-data component and a directory entry match. Entries on disk may be
// named in UTF-8 (the usual case once a game is copied to Linux) or in raw Windows-1251 bytes.
std::string FoldedGameComponent(std::string_view component);
std::string FoldedDiskName(std::string_view entry);

// The on-disk spelling of a new component: its Windows-1251 bytes as UTF-8.
std::string DiskNameOf(std::string_view component);

}  // namespace ox::platform
