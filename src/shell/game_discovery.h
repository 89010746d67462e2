// Finding the game file. A GAME argument names a file or a folder (its first "*.oxf" in name
// order). Without one: the program's name + ".oxf" in the program's folder, else the first
// "*.oxf" there, else the path under key `Path` of section `Main` in "ZiZudor.ini" in the
// user's config folder, else the first "*.oxf" of the installed demo's folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ox::shell {

struct DiscoveryPlaces {
  std::filesystem::path programFolder;
  std::string programName;  // without folder
  std::filesystem::path configFolder;  // where "ZiZudor.ini" lives
  std::filesystem::path installedDemo;  // played when nothing else is found; empty: none
};

struct GameLocation {
  std::filesystem::path folder;  // becomes the working directory
  std::string fileName;          // the game file, relative to the folder
  bool found = false;
};

// The first "*.oxf" (extension in any letter case) of a folder in name order.
std::optional<std::string> FirstGameFileIn(const std::filesystem::path& folder);

GameLocation LocateGame(const std::string& gameArgument, const DiscoveryPlaces& places);

}  // namespace ox::shell
