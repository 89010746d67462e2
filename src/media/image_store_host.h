// What the image store needs of the running game: the root's memory budget and loading rule,
// where pictures are looked for, where "temp.an" goes, and the loading screen's progress hook.
// The shell implements it; the store reads every value at the moment it needs it, so changes
// of the root's properties take effect at once.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/files/game_files.h"
#include "render/asdb.h"

namespace ox::media {

class ImageStoreHost {
 public:
  virtual ~ImageStoreHost() = default;

  // The root's MaxMem (bytes of decoded pictures; 25 000 000 or less turns trimming off) and
  // AlwaysLoadIm (a picture is loaded when it is first drawn).
  virtual std::int32_t MaxMem() const = 0;
  virtual bool AlwaysLoadIm() const = 0;

  // Loose files of the game folder, which is the current folder.
  virtual const platform::GameFiles& GameData() const = 0;
  // Files of the program folder; null when there is none apart from the game folder.
  virtual const platform::GameFiles* ProgramFiles() const = 0;
  // The program folder as picture names may begin with it, trailing separator included; a
  // name that begins with exactly this text (letter case included) loses it.
  virtual std::string ProgramFolderPrefix() const = 0;
  // The resource archive, or null when the game has none.
  virtual render::TASDb* Archive() = 0;
  // The per-user folder, where grid descriptions from the archive are unpacked.
  virtual std::filesystem::path UserFolder() const = 0;

  // The loading flag of a screen switch: while it is set, every load is followed by
  // LoadImProcess (the loading screen's script runs and one frame is shown).
  virtual bool Loading() const = 0;
  virtual void LoadImProcess() = 0;
};

}  // namespace ox::media
