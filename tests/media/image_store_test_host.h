// A game for the image store tests: a game folder, a program folder and a per-user folder in a
// fresh temporary folder, an optional archive, and the root's values as plain fields.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../render/fake_backend.h"
#include "asdb_pack/asdb_packer.h"
#include "media/image_store.h"
#include "platform/files/read_file.h"
#include "support/temp_folder.h"

namespace ox::media::testing {

namespace fs = std::filesystem;

inline std::vector<std::uint8_t> FixtureBytes(const std::string& fixture) {
  const auto text = platform::ReadWholeFile(fs::path(OX_TEST_DATA) / "image_store" / fixture);
  EXPECT_TRUE(text.has_value()) << fixture;
  return text ? std::vector<std::uint8_t>(text->begin(), text->end()) : std::vector<std::uint8_t>{};
}

class TestHost final : public ImageStoreHost {
 public:
  TestHost()
      : root(temp.path()),
        game(Made(root / "game")),
        program(Made(root / "program")),
        user(root / "user"),
        gameFiles(game),
        programFiles(program) {}

  std::int32_t MaxMem() const override { return maxMem; }
  bool AlwaysLoadIm() const override { return alwaysLoadIm; }
  const platform::GameFiles& GameData() const override { return gameFiles; }
  const platform::GameFiles* ProgramFiles() const override { return &programFiles; }
  std::string ProgramFolderPrefix() const override { return programPrefix; }
  render::TASDb* Archive() override { return hasArchive ? &archive : nullptr; }
  fs::path UserFolder() const override { return user; }
  bool Loading() const override { return loading; }
  void LoadImProcess() override {
    ++loadImProcessCalls;
    if (onLoadImProcess) onLoadImProcess();
  }

  // A file of the given folder (created with its parents) holding bytes.
  static void Put(const fs::path& folder, const std::string& name,
                  const std::vector<std::uint8_t>& bytes) {
    const fs::path path = folder / name;
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
  }
  void PutGame(const std::string& name, const std::string& fixture) {
    Put(game, name, FixtureBytes(fixture));
  }
  void PutGameText(const std::string& name, const std::string& text) {
    Put(game, name, std::vector<std::uint8_t>(text.begin(), text.end()));
  }

  // The archive made of (record name, fixture or text) pairs; a fixture is named by its file.
  void SetArchive(const std::vector<asdbpack::PackedRecord>& records) {
    const fs::path path = root / "game.asdb";
    ASSERT_TRUE(asdbpack::WriteArchive(path, records));
    archive.SetFileName(path.string());
    ASSERT_TRUE(archive.Update());
    hasArchive = true;
  }
  static asdbpack::PackedRecord Record(const std::string& name, const std::string& fixture) {
    return {name, 0, FixtureBytes(fixture), 0};
  }
  static asdbpack::PackedRecord TextRecord(const std::string& name, const std::string& text) {
    return {name, 0, std::vector<std::uint8_t>(text.begin(), text.end()), 0};
  }

  test_support::TempFolder temp;  // before `root`, which is its path
  fs::path root, game, program, user;
  platform::GameFiles gameFiles, programFiles;
  render::TASDb archive;
  bool hasArchive = false;
  std::int32_t maxMem = 0;
  bool alwaysLoadIm = false;
  std::string programPrefix;
  bool loading = false;
  int loadImProcessCalls = 0;
  std::function<void()> onLoadImProcess;

 private:
  static fs::path Made(const fs::path& folder) {
    fs::create_directories(folder);
    return folder;
  }
};

// A store over the in-memory back end, with helpers to read what it loaded.
class ImageStoreTest : public ::testing::Test {
 protected:
  std::uint32_t PixelOf(TOxIm* handle, int x, int y, int texture = 0) {
    render::TAsphyreImage* image = handle != nullptr ? handle->Image() : nullptr;
    EXPECT_NE(image, nullptr);
    return image != nullptr ? GetTexturePixel(*image, x, y, texture) : 0;
  }
  static int Alpha(std::uint32_t pixel) { return static_cast<int>(pixel >> 24); }
  static int Red(std::uint32_t pixel) { return static_cast<int>(pixel & 0xFF); }
  static int Green(std::uint32_t pixel) { return static_cast<int>(pixel >> 8 & 0xFF); }
  static int Blue(std::uint32_t pixel) { return static_cast<int>(pixel >> 16 & 0xFF); }

  TestHost host;
  render::testing::FakeBackend backend;
  ImageStore store{backend, host};
};

}  // namespace ox::media::testing
