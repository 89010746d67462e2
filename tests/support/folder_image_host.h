// An image store host for loose pictures in one game folder: no program folder, no archive, no
// memory limit; the user folder is the game folder. The benchmarks and the picture fuzz target
// load through it (include "support/folder_image_host.h").
#pragma once

#include <filesystem>
#include <utility>

#include "media/image_store.h"
#include "platform/files/game_files.h"

namespace ox::test_support {

class FolderImageHost final : public media::ImageStoreHost {
 public:
  explicit FolderImageHost(std::filesystem::path folder, bool alwaysLoadIm = false)
      : folder_(std::move(folder)), files_(folder_), alwaysLoadIm_(alwaysLoadIm) {}

  std::int32_t MaxMem() const override { return 0; }
  bool AlwaysLoadIm() const override { return alwaysLoadIm_; }
  const platform::GameFiles& GameData() const override { return files_; }
  const platform::GameFiles* ProgramFiles() const override { return nullptr; }
  std::string ProgramFolderPrefix() const override { return {}; }
  render::TASDb* Archive() override { return nullptr; }
  std::filesystem::path UserFolder() const override { return folder_; }
  bool Loading() const override { return false; }
  void LoadImProcess() override {}

  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  platform::GameFiles files_;
  bool alwaysLoadIm_;
};

}  // namespace ox::test_support
