// The game's resource archive and the bitmap fonts loaded from it. The root's FileFonts opens
// the archive; pictures, sounds and fonts are then also looked for among its records.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "render/asdb.h"
#include "render/fonts.h"
#include "shell/graphics.h"

namespace ox::shell {

class Resources {
 public:
  // Fonts are made on the graphics' device and drawn on its canvas; without graphics none load.
  // The fonts are the elements' fonts while the resources exist.
  explicit Resources(Graphics* graphics);
  ~Resources();

  // Opens the archive (read only) and loads every font in it.
  void OpenArchive(const std::filesystem::path& file);
  // After a switch between window and full screen: the fonts are made anew.
  void ReloadFonts();
  // The unpacked record, or nothing when there is no archive or no such record.
  std::optional<std::vector<std::uint8_t>> ReadRecord(const std::string& name);

  render::TASDb& Archive() { return archive_; }
  bool HasArchive() const { return !archive_.FileName().empty(); }
  render::TAsphyreFonts& Fonts() { return fonts_; }

 private:
  render::TASDb archive_;
  render::TAsphyreFonts fonts_;
};

}  // namespace ox::shell
