// TOxDB: the game root. Parent of the screens and shared animations, owner of the game's files
// and settings. Its file-opening setters (FileRS, IniFile, Lang, DefLang, SoundFile, FileFonts)
// store the names here; the files themselves are opened by the services that use them.
#pragma once

#include <cstdint>
#include <string>

#include "scene/element.h"

namespace ox::scene {

class TOxDB : public TOxElement {
 public:
  TOxDB();
  const ClassInfo& Class() const override;
  static const ClassInfo& StaticClass();

  // Reads the game file into the tree. A missing or unreadable file leaves the root empty.
  // Returns false when the file could not be read at all.
  bool LoadGame(const std::string& path);
  // Where the last LoadGame stopped reading, for --log-errors; empty when it read to the end.
  const std::string& LoadProblem() const { return loadProblem_; }

  const std::string& FileRS() const { return fileRS_; }
  void SetFileRS(std::string value);
  const std::string& FileFonts() const { return fileFonts_; }
  void SetFileFonts(std::string value);
  const std::string& DefLang() const { return defLang_; }
  void SetDefLang(std::string value);
  const std::string& Lang() const { return lang_; }
  void SetLang(std::string value);
  const std::string& IniFile() const { return iniFile_; }
  void SetIniFile(std::string value);
  const std::string& SoundFile() const { return soundFile_; }
  void SetSoundFile(std::string value);

  std::int32_t CurKey = 0;
  std::int32_t InitScreen = 0;
  std::uint8_t hxTransLev = 0;
  std::int32_t LoadingScreen = 0;
  std::int32_t MaxMem = 0;
  std::string Cheats;
  bool SaveErr = false;
  bool AlwaysLoadIm = false;
  EventScript exLoadImProcess, exKeyDown, exExit, exCheat, exSetScreen;

 private:
  std::string fileRS_, fileFonts_, defLang_, lang_, iniFile_, soundFile_;
  std::string loadProblem_;
};

}  // namespace ox::scene
