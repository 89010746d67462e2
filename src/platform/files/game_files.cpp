#include "platform/files/game_files.h"

#include "platform/core/log.h"
#include "platform/files/game_name.h"
#include "platform/files/read_file.h"
#include "platform/text/codepage.h"

#include <algorithm>
#include <system_error>

namespace ox::platform {
namespace fs = std::filesystem;

namespace {

fs::file_time_type StampOf(const fs::path& dir) {
  std::error_code ec;
  const fs::file_time_type stamp = fs::last_write_time(dir, ec);
  return ec ? fs::file_time_type::min() : stamp;
}

void WarnAboutCaseTwins(const fs::path& dir, const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& n : names) list += (list.empty() ? "\"" : ", \"") + n + "\"";
  LogLine("warning: entries of " + dir.string() + " differ only in letter case: " + list +
          "; using \"" + names.front() + "\"");
}

}  // namespace

GameFiles::GameFiles(fs::path gameFolder) : folder_(std::move(gameFolder)) {
  ListingOf(fs::path(), false);
}

const GameFiles::Listing& GameFiles::ListingOf(const fs::path& relativeDir, bool refresh) const {
  const auto found = listings_.find(relativeDir);
  const fs::path dir = folder_ / relativeDir;
  if (found != listings_.end()) {
    if (!refresh || StampOf(dir) == found->second.stamp) return found->second;
  }
  Listing listing;
  listing.stamp = StampOf(dir);
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    listing.byFoldedName[FoldedDiskName(name)].push_back(name);
  }
  for (auto& [folded, names] : listing.byFoldedName) {
    std::sort(names.begin(), names.end());
    if (names.size() > 1 && found == listings_.end()) WarnAboutCaseTwins(dir, names);
  }
  Listing& slot = listings_[relativeDir];
  slot = std::move(listing);
  return slot;
}

std::optional<std::string> GameFiles::FindEntry(const fs::path& relativeDir,
                                                const std::string& component) const {
  const std::string folded = FoldedGameComponent(component);
  for (bool refresh : {false, true}) {
    const Listing& listing = ListingOf(relativeDir, refresh);
    const auto hit = listing.byFoldedName.find(folded);
    if (hit == listing.byFoldedName.end()) continue;
    const std::vector<std::string>& names = hit->second;
    const std::string exact = DiskNameOf(component);
    if (std::find(names.begin(), names.end(), exact) != names.end()) return exact;
    if (std::find(names.begin(), names.end(), component) != names.end()) return component;
    return names.front();
  }
  return std::nullopt;
}

std::optional<fs::path> GameFiles::Resolve(std::string_view name) const {
  const auto components = SplitGameName(name);
  if (!components) return std::nullopt;
  fs::path relative;
  for (const std::string& component : *components) {
    const auto entry = FindEntry(relative, component);
    if (!entry) return std::nullopt;
    relative /= *entry;
  }
  return relative.empty() ? folder_ : folder_ / relative;
}

bool GameFiles::Exists(std::string_view name) const {
  const auto path = Resolve(name);
  std::error_code ec;
  return path && fs::is_regular_file(*path, ec);
}

std::optional<std::vector<std::uint8_t>> GameFiles::ReadAll(std::string_view name) const {
  const auto path = Resolve(name);
  if (!path) return std::nullopt;
  const std::optional<std::string> bytes = ReadWholeFile(*path);
  if (!bytes) return std::nullopt;
  return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

std::ifstream GameFiles::Open(std::string_view name) const {
  std::ifstream in;
  const auto path = Resolve(name);
  std::error_code ec;
  if (path && fs::is_regular_file(*path, ec)) in.open(*path, std::ios::binary);
  return in;
}

}  // namespace ox::platform
