#include "platform/files/folders.h"

#include "platform/core/log.h"
#include "platform/files/output_path.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

namespace ox::platform {
namespace fs = std::filesystem;

namespace {

// An environment variable that holds an absolute path; relative and empty values are ignored,
// as the XDG rules ask.
std::optional<fs::path> AbsolutePathFrom(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || value[0] != '/') return std::nullopt;
  return fs::path(value);
}

std::optional<fs::path> HomeFolder() {
  if (auto home = AbsolutePathFrom("HOME")) return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_dir && found->pw_dir[0] == '/')
    return fs::path(found->pw_dir);
  return std::nullopt;
}

std::optional<fs::path> XdgFolder(const char* variable, const char* belowHome) {
  if (auto folder = AbsolutePathFrom(variable)) return folder;
  if (auto home = HomeFolder()) return *home / belowHome;
  return std::nullopt;
}

}  // namespace

std::optional<fs::path> UserDataFolder(std::string_view rootId,
                                       const std::optional<fs::path>& userDir) {
  const std::optional<fs::path> base = userDir ? userDir : XdgFolder("XDG_DATA_HOME", ".local/share");
  if (!base) {
    LogLine("no home folder is known; keeping the player's files in the game folder");
    return std::nullopt;
  }
  const fs::path tarvo = *base / "Tarvo";
  if (rootId.empty()) return tarvo;
  return SafeOutputPath(tarvo, rootId);
}

std::optional<fs::path> ConfigFolder() { return XdgFolder("XDG_CONFIG_HOME", ".config"); }

fs::path ProgramPath() {
  std::error_code ec;
  const fs::path path = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : path;
}

fs::path ProgramFolder() { return ProgramPath().parent_path(); }

std::string ProgramName() { return ProgramPath().filename().string(); }

}  // namespace ox::platform
