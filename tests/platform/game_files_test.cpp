#include "platform/files/game_files.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace ox::platform {
namespace {

using test_support::ReadFile;
using test_support::TempFolder;
using test_support::WriteFile;

class GameFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(root() / "Logos" / "Logo1.JPG", "jpeg");
    WriteFile(root() / "sounds" / "Click.wav", "wave");
    WriteFile(root() / "Unicode" / "unicode.fnt", "3\r\n");
    WriteFile(root() / "Меню" / "Фон.png", "utf8 name");  // Cyrillic names in UTF-8
    WriteFile(root() / "game.oxf", "game");
    WriteFile(root().parent_path() / (root().filename().string() + "-outside.txt"), "secret");
  }
  void TearDown() override {
    std::filesystem::remove(root().parent_path() / (root().filename().string() + "-outside.txt"));
  }
  const std::filesystem::path& root() const { return folder_.path(); }

  TempFolder folder_;
};

TEST_F(GameFilesTest, ResolvesWindowsNamesInAnyLetterCase) {
  const GameFiles files(root());
  EXPECT_EQ(files.Resolve("logos\\logo1.jpg"), root() / "Logos" / "Logo1.JPG");
  EXPECT_EQ(files.Resolve("LOGOS/LOGO1.jpg"), root() / "Logos" / "Logo1.JPG");
  EXPECT_EQ(files.Resolve("\\SOUNDS\\click.WAV"), root() / "sounds" / "Click.wav");
  EXPECT_EQ(files.Resolve("\\sounds\\"), root() / "sounds");
  EXPECT_EQ(files.Resolve(".\\unicode\\\\.\\Unicode.FNT"), root() / "Unicode" / "unicode.fnt");
  EXPECT_EQ(files.Resolve(""), root());
  // "меню\фон.PNG" in Windows-1251, lower case.
  EXPECT_EQ(files.Resolve("\xEC\xE5\xED\xFE\\\xF4\xEE\xED.PNG"), root() / "Меню" / "Фон.png");
  EXPECT_FALSE(files.Resolve("logos\\logo2.jpg"));
  EXPECT_FALSE(files.Resolve("game.oxf\\inside"));
}

TEST_F(GameFilesTest, ExistsReadsAndOpensFilesOnly) {
  const GameFiles files(root());
  EXPECT_TRUE(files.Exists("GAME.OXF"));
  EXPECT_FALSE(files.Exists("sounds"));
  EXPECT_FALSE(files.Exists("missing.lng"));
  const auto bytes = files.ReadAll("sounds\\click.wav");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "wave");
  EXPECT_FALSE(files.ReadAll("sounds"));
  std::ifstream in = files.Open("unicode\\UNICODE.fnt");
  ASSERT_TRUE(in.is_open());
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "3\r");
  EXPECT_FALSE(files.Open("nothing").is_open());
}

TEST_F(GameFilesTest, RefusesNamesThatLeaveTheGameFolder) {
  const GameFiles files(root());
  const std::string outside = root().filename().string() + "-outside.txt";
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(files.Resolve("..\\" + outside));
  EXPECT_FALSE(files.Resolve("sounds\\..\\..\\" + outside));
  EXPECT_FALSE(files.Resolve((root().parent_path() / outside).string()));
  EXPECT_FALSE(files.Resolve("C:\\Windows\\win.ini"));
  EXPECT_FALSE(files.Resolve("\\\\server\\share\\x"));
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 5) << log;
  EXPECT_NE(log.find("refused file name"), std::string::npos);
}

TEST_F(GameFilesTest, FindsFilesCreatedAfterTheFolderWasListed) {
  const GameFiles files(root());
  EXPECT_FALSE(files.Exists("sounds\\new.ogg"));
  WriteFile(root() / "sounds" / "New.ogg", "ogg");
  EXPECT_TRUE(files.Exists("sounds\\new.ogg"));
}

TEST_F(GameFilesTest, WarnsOnceAboutCaseTwinsAndPrefersTheExactSpelling) {
  WriteFile(root() / "Eng.lng", "upper");
  WriteFile(root() / "eng.lng", "lower");
  ::testing::internal::CaptureStderr();
  const GameFiles files(root());
  EXPECT_EQ(files.Resolve("eng.lng"), root() / "eng.lng");
  EXPECT_EQ(files.Resolve("Eng.lng"), root() / "Eng.lng");
  EXPECT_EQ(files.Resolve("ENG.LNG"), root() / "Eng.lng");
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
  EXPECT_NE(log.find("differ only in letter case"), std::string::npos);
}

}  // namespace
}  // namespace ox::platform
