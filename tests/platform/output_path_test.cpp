#include "platform/files/output_path.h"

#include "platform/files/atomic_file.h"
#include "platform/files/error_log.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/temp_folder.h"

namespace ox::platform {
namespace {

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::TempFolder;
using test_support::WriteFile;

TEST(SafeOutputPath, ReusesExistingComponentsAndSpellsNewOnesAsGiven) {
  TempFolder base;
  WriteFile(base.path() / "Save" / "Save.dat", "old");
  EXPECT_EQ(SafeOutputPath(base.path(), "save\\save.dat"), base.path() / "Save" / "Save.dat");
  EXPECT_EQ(SafeOutputPath(base.path(), "SAVE/Slot2\\State.DAT"),
            base.path() / "Save" / "Slot2" / "State.DAT");
  EXPECT_EQ(SafeOutputPath(base.path(), "\\\xD1\xEE\xF5\xF0.dat"), base.path() / "Сохр.dat");
}

TEST(SafeOutputPath, RefusesClimbingAbsoluteAndEmptyNames) {
  TempFolder base;
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(SafeOutputPath(base.path(), "..\\x.dat"));
  EXPECT_FALSE(SafeOutputPath(base.path(), "a/../../x.dat"));
  EXPECT_FALSE(SafeOutputPath(base.path(), "/etc/passwd"));
  EXPECT_FALSE(SafeOutputPath(base.path(), "D:\\x.dat"));
  EXPECT_FALSE(SafeOutputPath(base.path(), "\\"));
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 5) << log;
}

TEST(RemoveFile, DeletesFilesOnlyAndAcceptsMissingOnes) {
  TempFolder base;
  WriteFile(base.path() / "Saves" / "Slot1.dat", "x");
  EXPECT_TRUE(RemoveFile(base.path(), "saves\\SLOT1.DAT"));
  EXPECT_FALSE(fs::exists(base.path() / "Saves" / "Slot1.dat"));
  EXPECT_TRUE(RemoveFile(base.path(), "saves\\slot1.dat"));
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(RemoveFile(base.path(), "SAVES"));
  EXPECT_FALSE(RemoveFile(base.path(), "..\\Saves"));
  ::testing::internal::GetCapturedStderr();
  EXPECT_TRUE(fs::is_directory(base.path() / "Saves"));
}

TEST(WriteFileAtomically, ReplacesTheFileAndCreatesMissingFolders) {
  TempFolder base;
  const fs::path target = base.path() / "Tarvo" / "Game" / "settings.ini";
  ASSERT_TRUE(WriteFileAtomically(target, "first"));
  ASSERT_TRUE(WriteFileAtomically(target, "second"));
  EXPECT_EQ(ReadFile(target), "second");
  EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), fs::directory_iterator()), 1);
}

TEST(WriteFileAtomically, KeepsTheOldContentWhenTheWriteFails) {
  TempFolder base;
  const fs::path target = base.path() / "state.dat";
  fs::create_directories(target / "in the way");  // renaming over a folder fails, even for root
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(WriteFileAtomically(target, "new"));
  EXPECT_NE(::testing::internal::GetCapturedStderr().find("cannot write"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(target / "in the way"));
  EXPECT_EQ(std::distance(fs::directory_iterator(base.path()), fs::directory_iterator()), 1);

  const fs::path file = base.path() / "blocked" / "x.ini";
  WriteFile(base.path() / "blocked", "a file where the folder should be");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(WriteFileAtomically(file, "new"));
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReadFile(base.path() / "blocked"), "a file where the folder should be");
}

TEST(WriteFileAtomically, RemovesTheTemporaryFilesAKilledWriteOfTheSameTargetLeft) {
  TempFolder base;
  const fs::path target = base.path() / "state.dat";
  for (const char* name : {"state.dat.tmp-a1B2c3", "state.dat.tmp-ZZZZZZ"}) WriteFile(base.path() / name, "cut sh");
  for (const char* name : {"state.dat.tmp-short", "other.dat.tmp-a1B2c3", "state.dat.tmp-a1B2c3.keep"})
    WriteFile(base.path() / name, "not ours");
  ASSERT_TRUE(WriteFileAtomically(target, "whole"));
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(base.path())) left.insert(entry.path().filename().string());
  EXPECT_EQ(left, (std::set<std::string>{"state.dat", "state.dat.tmp-short", "other.dat.tmp-a1B2c3",
                                         "state.dat.tmp-a1B2c3.keep"}));
}

TEST(AppendErrorLine, AppendsCrLfLinesToTheExistingLogWhateverItsCase) {
  TempFolder game;
  ASSERT_TRUE(AppendErrorLine(game.path(), "first error"));
  ASSERT_TRUE(AppendErrorLine(game.path(), "second \xEE\xF8\xE8\xE1\xEA\xE0"));
  EXPECT_EQ(ReadFile(game.path() / "tarvo.err"), "first error\r\nsecond \xEE\xF8\xE8\xE1\xEA\xE0\r\n");
  fs::rename(game.path() / "tarvo.err", game.path() / "Tarvo.ERR");
  ASSERT_TRUE(AppendErrorLine(game.path(), "third"));
  EXPECT_FALSE(fs::exists(game.path() / "tarvo.err"));
  const std::string log = ReadFile(game.path() / "Tarvo.ERR");
  EXPECT_EQ(log.substr(log.rfind("third")), "third\r\n");
}

}  // namespace
}  // namespace ox::platform
