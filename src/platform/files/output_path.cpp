#include "platform/files/output_path.h"

#include "platform/core/log.h"
#include "platform/files/game_name.h"

#include <system_error>

namespace ox::platform {
namespace fs = std::filesystem;

namespace {

// The existing entry of dir that matches component regardless of case, preferring the exact
// spelling; nullopt when there is none.
std::optional<std::string> ExistingEntry(const fs::path& dir, const std::string& component) {
  const std::string exact = DiskNameOf(component);
  const std::string folded = FoldedGameComponent(component);
  std::optional<std::string> match;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name == exact) return name;
    if (FoldedDiskName(name) == folded && (!match || name < *match)) match = name;
  }
  return match;
}

}  // namespace

std::optional<fs::path> SafeOutputPath(const fs::path& base, std::string_view name) {
  const auto components = SplitGameName(name);
  if (!components) return std::nullopt;
  if (components->empty()) {
    LogLine("refused an empty file name below " + base.string());
    return std::nullopt;
  }
  fs::path path = base;
  bool existing = true;
  for (const std::string& component : *components) {
    std::optional<std::string> entry;
    if (existing) entry = ExistingEntry(path, component);
    existing = entry.has_value();
    path /= existing ? *entry : DiskNameOf(component);
  }
  return path;
}

bool RemoveFile(const fs::path& base, std::string_view name) {
  const auto path = SafeOutputPath(base, name);
  if (!path) return false;
  std::error_code ec;
  const fs::file_status status = fs::symlink_status(*path, ec);
  if (!fs::exists(status)) return true;
  if (fs::is_directory(status)) {
    LogLine("not deleting " + path->string() + ": it is a folder");
    return false;
  }
  if (!fs::remove(*path, ec) && ec) {
    LogLine("cannot delete " + path->string() + ": " + ec.message());
    return false;
  }
  return true;
}

}  // namespace ox::platform
