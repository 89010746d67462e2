// The game-data resolver: every lookup of a game resource goes through it. A name from game
// data ("logos\logo1.jpg", "\sounds\", "unicode\unicode.fnt") is resolved component by
// component inside the game folder without regard to letter case (ASCII and Windows-1251).
// Directory listings are cached; a listing is read again when a name is missing from it and the
// folder has changed since, so files created while the game runs are found. When two entries
// of a folder differ only in letter case, one warning line is logged and the one spelled exactly
// as asked wins, else the first in byte order. Names that climb out of the folder are refused
// (see SplitGameName) and are simply not found. Not thread-safe: the player has one thread.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ox::platform {

class GameFiles {
 public:
  explicit GameFiles(std::filesystem::path gameFolder);

  const std::filesystem::path& Folder() const { return folder_; }

  // The real path of an existing file or folder; "" and "\" give the game folder itself.
  std::optional<std::filesystem::path> Resolve(std::string_view name) const;
  // True when the name resolves to a regular file (folders do not count).
  bool Exists(std::string_view name) const;
  // The whole content of the file, or nullopt when it is missing or unreadable.
  std::optional<std::vector<std::uint8_t>> ReadAll(std::string_view name) const;
  // The file opened for binary reading; a stream that is not open when the file is missing.
  std::ifstream Open(std::string_view name) const;

 private:
  struct Listing {
    std::filesystem::file_time_type stamp;
    std::map<std::string, std::vector<std::string>> byFoldedName;  // entries sorted by name
  };

  const Listing& ListingOf(const std::filesystem::path& relativeDir, bool refresh) const;
  std::optional<std::string> FindEntry(const std::filesystem::path& relativeDir,
                                       const std::string& component) const;

  std::filesystem::path folder_;
  mutable std::map<std::filesystem::path, Listing> listings_;
};

}  // namespace ox::platform
