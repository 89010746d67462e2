// The folders the player uses besides the game folder. Nothing here creates a folder: the
// writers create what is missing when they first write (see WriteFileAtomically).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace ox::platform {

// The per-user folder of a game: base + "/Tarvo/" + rootId, where base is userDir when the
// command line gave one, else $XDG_DATA_HOME, else $HOME/.local/share. The root Id is game data
// (Windows-1251; a "\" in it nests folders); an existing folder of that name in another letter
// case is reused. nullopt, with a log line, when no base is known or the Id would climb out;
// the caller then keeps its files in the game folder.
std::optional<std::filesystem::path> UserDataFolder(
    std::string_view rootId, const std::optional<std::filesystem::path>& userDir);

// Where the editor's "ZiZudor.ini" lives: $XDG_CONFIG_HOME, else $HOME/.config.
std::optional<std::filesystem::path> ConfigFolder();

// The running program's file (from /proc/self/exe), its folder and its file name.
std::filesystem::path ProgramPath();
std::filesystem::path ProgramFolder();
std::string ProgramName();

}  // namespace ox::platform
