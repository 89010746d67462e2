#include "platform/files/ini_file.h"
#include "platform/files/mem_ini.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace ox::platform {
namespace {

using test_support::ReadFile;
using test_support::TempFolder;
using test_support::WriteFile;

std::string Utf16LeFile(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char16_t u : text) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

const char kLanguage[] =
    "; texts of the menu\r\n"
    "[Default]\r\n"
    "  Title =  My Game  \r\n"
    "title=second title is hidden\r\n"
    ";Start=commented out\r\n"
    "no equals sign here\r\n"
    "\tEmpty=\r\n"
    "Url=a=b\r\n"
    "[ \xCC\xE5\xED\xFE ]\r\n"  // "[ Меню ]"
    "\xD1\xF2\xE0\xF0\xF2=\xCD\xE0\xF7\xE0\xF2\xFC\r\n"  // "Старт=Начать"
    "[default]\r\n"
    "Extra=in a repeated section\r\n";

TEST(MemIni, ReadsLikeTheWindowsProfileFunctions) {
  const MemIni ini = MemIni::FromBytes(kLanguage);
  EXPECT_EQ(ini.ReadString("DEFAULT", "TITLE", "?"), "My Game");
  EXPECT_EQ(ini.ReadString("Default", "Empty", "?"), "");
  EXPECT_EQ(ini.ReadString("Default", "Url", "?"), "a=b");
  EXPECT_EQ(ini.ReadString("Default", "Start", "none"), "none");
  EXPECT_EQ(ini.ReadString("Default", "no equals sign here", "none"), "none");
  EXPECT_EQ(ini.ReadString("Default", "Extra", "hidden"), "hidden");
  EXPECT_EQ(ini.ReadString("Missing", "Title", "dflt"), "dflt");
  // "меню" / "СТАРТ": Cyrillic names match in any letter case.
  EXPECT_EQ(ini.ReadString("\xEC\xE5\xED\xFE", "\xD1\xD2\xC0\xD0\xD2", ""),
            "\xCD\xE0\xF7\xE0\xF2\xFC");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Default", "\xCC\xE5\xED\xFE"}));
  EXPECT_EQ(ini.Keys("default"), (std::vector<std::string>{"Title", "Empty", "Url"}));
  EXPECT_TRUE(ini.Keys("Missing").empty());
}

TEST(MemIni, MissingFileIsEmptyAndSetChangesOnlyMemory) {
  TempFolder folder;
  MemIni ini = MemIni::FromFile(folder.path() / "absent.lng");
  EXPECT_TRUE(ini.Sections().empty());
  ini.Set("Menu", "Start", std::string("\x01\x1F\x04", 3));
  ini.Set("MENU", "start", "replaced");
  EXPECT_EQ(ini.ReadString("menu", "START", ""), "replaced");
  EXPECT_EQ(ini.Keys("Menu"), std::vector<std::string>{"Start"});
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "absent.lng"));
}

TEST(MemIni, WideFileIsReadInUtf16) {
  const MemIni ini = MemIni::FromBytes(Utf16LeFile(u"[Menu]\r\nStart = Начать 日本\r\n"));
  EXPECT_EQ(ini.FindWide(u"MENU", u"start"), u"Начать 日本");
  EXPECT_EQ(ini.ReadString("menu", "start", ""), "\xCD\xE0\xF7\xE0\xF2\xFC ??");
}

TEST(IniFile, ReadsTheFileAsItIsNow) {
  TempFolder folder;
  const IniFile ini(folder.path() / "settings.ini");
  EXPECT_EQ(ini.ReadString("Def", "Snd", "100"), "100");
  WriteFile(ini.Path(), "[Def]\r\nSnd=40\r\n");
  EXPECT_EQ(ini.ReadString("def", "SND", "100"), "40");
  WriteFile(ini.Path(), "[Def]\r\nSnd=70\r\n");
  EXPECT_EQ(ini.ReadString("Def", "Snd", "100"), "70");
}

TEST(IniFile, WritesKeepEveryOtherLine) {
  TempFolder folder;
  const IniFile ini(folder.path() / "settings.ini");
  WriteFile(ini.Path(),
            "; player settings\r\n[Def]\r\nSnd = 100\r\n; volume of music\r\nMuz=50\r\n\r\n"
            "[Other]\r\nx=1");
  ASSERT_TRUE(ini.WriteString("DEF", "snd", "30"));
  ASSERT_TRUE(ini.WriteString("def", "FS", "0"));
  ASSERT_TRUE(ini.WriteString("other", "y", "2"));
  ASSERT_TRUE(ini.WriteString("New", "k", "v"));
  EXPECT_EQ(ReadFile(ini.Path()),
            "; player settings\r\n[Def]\r\nsnd=30\r\n; volume of music\r\nMuz=50\r\nFS=0\r\n\r\n"
            "[Other]\r\nx=1\r\ny=2\r\n[New]\r\nk=v\r\n");
  EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Def", "Other", "New"}));
  ASSERT_TRUE(ini.WriteString("Def", "Muz", "1\r\n[Def]\r\nSnd=0"));
  EXPECT_EQ(ini.ReadString("Def", "Muz", ""), "1  [Def]  Snd=0");
  EXPECT_EQ(ini.ReadString("Def", "snd", ""), "30");
  EXPECT_EQ(ini.Keys("Def"), (std::vector<std::string>{"snd", "Muz", "FS"}));
}

TEST(IniFile, CreatesAMissingFileAndItsFolder) {
  TempFolder folder;
  const IniFile ini(folder.path() / "Tarvo" / "Game" / "oxgame.ini");
  ASSERT_TRUE(ini.WriteString("Def", "Snd", "100"));
  EXPECT_EQ(ReadFile(ini.Path()), "[Def]\r\nSnd=100\r\n");
  const IniFile unixStyle(folder.path() / "unix.ini");
  WriteFile(unixStyle.Path(), "[A]\nk=1\n");
  ASSERT_TRUE(unixStyle.WriteString("A", "j", "2"));
  EXPECT_EQ(ReadFile(unixStyle.Path()), "[A]\nk=1\nj=2\n");
}

TEST(IniFile, WideReadsAndWritesKeepTheFileEncoding) {
  TempFolder folder;
  const IniFile wide(folder.path() / "rus.lng");
  WriteFile(wide.Path(), Utf16LeFile(u"[Default]\r\nTitle=Игра 日本\r\n"));
  EXPECT_EQ(wide.ReadWideString(u"default", u"TITLE", u""), u"Игра 日本");
  EXPECT_EQ(wide.ReadString("Default", "Title", ""), "\xC8\xE3\xF0\xE0 ??");
  ASSERT_TRUE(wide.WriteWideString(u"Default", u"Name", u"Ёж"));
  EXPECT_EQ(ReadFile(wide.Path()), Utf16LeFile(u"[Default]\r\nTitle=Игра 日本\r\nName=Ёж\r\n"));

  const IniFile narrow(folder.path() / "eng.lng");
  WriteFile(narrow.Path(), "[Default]\r\nTitle=\xC8\xE3\xF0\xE0\r\n");
  EXPECT_EQ(narrow.ReadWideString(u"Default", u"Title", u""), u"Игра");
  EXPECT_EQ(narrow.ReadWideString(u"Default", u"Missing", u"dflt"), u"dflt");
  ASSERT_TRUE(narrow.WriteWideString(u"Default", u"Name", u"Ёж 日"));
  EXPECT_EQ(ReadFile(narrow.Path()), "[Default]\r\nTitle=\xC8\xE3\xF0\xE0\r\nName=\xA8\xE6 ?\r\n");
}

TEST(IniFile, AFailedWriteKeepsTheOldFile) {
  TempFolder folder;
  const IniFile blocked(folder.path() / "settings.ini");
  std::filesystem::create_directories(blocked.Path() / "in the way");
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(blocked.WriteString("Def", "Snd", "1"));
  EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty());
  EXPECT_TRUE(std::filesystem::is_directory(blocked.Path() / "in the way"));
}

}  // namespace
}  // namespace ox::platform
