#include "shell/game_discovery.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "platform/files/ini_file.h"
#include "platform/text/case1251.h"

namespace ox::shell {

namespace fs = std::filesystem;

namespace {

bool IsGameFileName(const std::string& name) {
  return name.size() > 4 && platform::EqualNoCase1251(name.substr(name.size() - 4), ".oxf");
}

bool IsRegularFile(const fs::path& p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

GameLocation At(const fs::path& folder, const std::string& fileName) {
  return GameLocation{folder, fileName, IsRegularFile(folder / fileName)};
}

// The value under [Main] Path names the game file; a relative folder part is taken from the
// program's folder, where the player starts.
GameLocation FromEditorIni(const DiscoveryPlaces& places) {
  const platform::IniFile ini(places.configFolder / "ZiZudor.ini");
  std::string value = ini.ReadString("Main", "Path", "*.oxf");
  std::replace(value.begin(), value.end(), '\\', '/');
  const fs::path path(value);
  return At(places.programFolder / path.parent_path(), path.filename().string());
}

}  // namespace

std::optional<std::string> FirstGameFileIn(const fs::path& folder) {
  std::error_code ec;
  std::vector<std::string> names;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (IsGameFileName(name) && IsRegularFile(it->path())) names.push_back(name);
  }
  if (names.empty()) return std::nullopt;
  return *std::min_element(names.begin(), names.end());
}

GameLocation LocateGame(const std::string& gameArgument, const DiscoveryPlaces& places) {
  if (!gameArgument.empty()) {
    const fs::path given(gameArgument);
    std::error_code ec;
    if (fs::is_directory(given, ec)) {
      if (auto first = FirstGameFileIn(given)) return At(given, *first);
      return GameLocation{given, "", false};
    }
    return At(given.has_parent_path() ? given.parent_path() : fs::path("."), given.filename().string());
  }
  GameLocation own = At(places.programFolder, places.programName + ".oxf");
  if (own.found) return own;
  if (auto first = FirstGameFileIn(places.programFolder)) return At(places.programFolder, *first);
  GameLocation edited = FromEditorIni(places);
  if (edited.found || places.installedDemo.empty()) return edited;
  if (auto demo = FirstGameFileIn(places.installedDemo)) return At(places.installedDemo, *demo);
  return edited;
}

}  // namespace ox::shell
