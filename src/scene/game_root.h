// TOxDB: the game root. Parent of the screens and shared animations, and owner of everything
// global to a game: its files (settings, saved state, language texts, sound list, font archive),
// the per-user folder, the languages and the unicode text mode, key and cheat input, the
// screen-switch sequence with its loading screen, and the star sprites.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/game_files.h"
#include "platform/files/ini_file.h"
#include "platform/files/mem_ini.h"
#include "scene/element.h"
#include "scene/star_pool.h"
#include "scene/order_layers.h"

namespace ox::scene {

// What the root asks of the subsystems around it. The shell fills these in; one left empty
// does nothing (the subsystem is absent, as with no window or no sound).
struct RootServices {
  std::function<void()> resetTimer;
  std::function<void()> renderFrame;            // draw and present one frame now
  std::function<void()> resetImageRequests;     // a screen switch begins counting anew
  std::function<void()> freeUnrequestedImages;  // ... and ends freeing what nobody asked for
  std::function<void(const std::string& file, std::int32_t volume)> playSample;
  std::function<void(const std::string& file, std::int32_t volume)> playMusic;
  std::function<void()> fadeOutMusic;
  std::function<void()> stepMusicFades;
  std::function<void(std::int32_t)> setSoundVolume;
  std::function<void(std::int32_t)> setMusicVolume;  // the playing music follows VOLMUZ
  // A picture the game keeps loaded for the whole run (the unicode set's glyphs).
  std::function<void(const std::string& name)> keepPicture;
  // The particle manager's texture, "particles.bmp", requested (again) with the Keep given;
  // empty without a canvas. The first call, at load, makes the manager.
  std::function<void(bool keep)> requestParticleTexture;
  // FileFonts names the resource archive: open it and load its fonts.
  std::function<void(const std::filesystem::path& archive)> openArchive;
};

// One entry of the unicode code-point table.
struct UnicodeGlyph {
  std::uint16_t glyph = 0;
  std::uint8_t width = 0;
};

class TOxDB : public TOxElement {
 public:
  TOxDB();
  const ClassInfo& Class() const override;
  static const ClassInfo& StaticClass();

  // Reads the game file into the tree and sets up unicode mode. A missing file leaves the root
  // empty. The file's folder is the game folder.
  bool LoadGame(const std::string& path);
  // Where the last LoadGame stopped reading, for --log-errors; empty when it read to the end.
  const std::string& LoadProblem() const { return loadProblem_; }
  const std::filesystem::path& GameFolder() const { return gameFolder_; }
  const platform::GameFiles& GameData() const { return *gameData_; }
  RootServices& Services() { return services_; }

  // Settings, saved state and the per-user folder.
  static void SetUserDirOverride(std::optional<std::filesystem::path> dir);
  const std::filesystem::path& UserFolder() const { return userFolder_; }
  const std::optional<std::filesystem::path>& StateFile() const { return stateFile_; }
  platform::IniFile* Settings() { return settings_ ? &*settings_ : nullptr; }
  // Writes one value into the settings file (the screen-mode switch's "FS").
  void WriteIniString(const std::string& section, const std::string& value, const std::string& key);
  void SaveState();
  void LoadState();

  // Texts and sounds.
  std::string GetText(const std::string& id);
  void GetSoundInfo(const std::string& id, std::string& file, std::int32_t& volume) const;
  bool UnicodeMode() const { return unicodeMode_; }
  // The glyph picture of the unicode text set, kept loaded in unicode mode.
  static constexpr const char* kUnicodePicture = "unicode\\unicode.png";
  // The particle manager's texture requested again, once the manager exists.
  void RefetchParticleTexture(bool keep);
  const std::vector<UnicodeGlyph>& UnicodeTable() const { return unicodeTable_; }
  const std::string& UnicodeTrailer() const { return unicodeTrailer_; }

  // Input.
  void KeyDown(std::int32_t code);
  void KeyChar(std::uint16_t code);
  void RunExit();
  void LoadImProcess();

  // The star sprites, freed at every screen switch.
  StarPool& Stars() { return stars_; }

  // Screens.
  void BeginScreenSwitch(TOxElement& screen, const std::vector<TOxElement*>& alsoLoad);
  void FastSetScreen(TOxElement& screen, const std::vector<TOxElement*>& alsoLoad, bool showIt);
  void FinishScreenSwitch();
  void LoadKeptScreens();

  // The distinct Order values of the tree, for the layer walks of drawing and hit testing.
  std::optional<std::int32_t> LayerAtOrAbove(std::int64_t from) { return layers_.AtOrAbove(*this, from); }
  std::optional<std::int32_t> LayerAtOrBelow(std::int64_t from) { return layers_.AtOrBelow(*this, from); }
  // An element's Order changed, or an element joined or left the tree.
  void OrdersChanged() { layers_.Changed(); }

  void InitPr() override;
  bool GetVar(const std::string& name, script::Value& out) override;
  bool SetVar(const std::string& name, const script::Value& value) override;

  // Published properties with effects.
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
  void LoadUnicodeSet();
  void ApplySettings();
  void RememberSetting(const char* key, const std::string& value);
  void TypeIntoFocus(std::uint16_t code);
  void MatchCheats();
  void ResetTimer();

  std::string fileRS_, fileFonts_, defLang_, lang_, iniFile_, soundFile_;
  std::string loadProblem_;
  std::filesystem::path gameFolder_{"."};
  std::unique_ptr<platform::GameFiles> gameData_;
  std::filesystem::path userFolder_{"."};
  std::optional<std::filesystem::path> stateFile_;
  std::optional<platform::IniFile> settings_;
  std::optional<platform::MemIni> langTexts_, defLangTexts_, soundList_, unicodeTexts_;
  std::string cheatBuffer_, lastCheat_;
  bool unicodeMode_ = false;
  bool particleManager_ = false;  // made at the first load with a canvas
  std::vector<UnicodeGlyph> unicodeTable_;
  std::string unicodeTrailer_;
  RootServices services_;
  StarPool stars_;
  OrderLayers layers_;
};

}  // namespace ox::scene
