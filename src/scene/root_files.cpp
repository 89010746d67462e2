// The root's files: the per-user folder and the saved-state file, the settings, the language
// files, the sound list and the font archive's name.

#include "platform/core/log.h"
#include "platform/files/atomic_file.h"
#include "platform/files/folders.h"
#include "platform/files/output_path.h"
#include "platform/text/case1251.h"
#include "platform/text/codepage.h"
#include "scene/game_root.h"
#include "scene/saved_state.h"
#include "scene/scene_state.h"

namespace ox::scene {

namespace {

std::optional<std::filesystem::path>& UserDirOverride() {
  static std::optional<std::filesystem::path> dir;
  return dir;
}

}  // namespace

void TOxDB::SetUserDirOverride(std::optional<std::filesystem::path> dir) { UserDirOverride() = std::move(dir); }

// The per-user folder follows the root's Id; the state file lies below it and is created at
// once, so that a save can always be written.
void TOxDB::SetFileRS(std::string value) {
  userFolder_ = platform::UserDataFolder(Id, UserDirOverride()).value_or(gameFolder_);
  fileRS_ = std::move(value);
  stateFile_.reset();
  if (fileRS_.empty()) return;
  auto file = platform::SafeOutputPath(userFolder_, fileRS_);
  if (file && platform::EnsureFileExists(*file)) {
    stateFile_ = *file;
  } else {
    platform::LogLine("cannot create the saved-state file " + platform::Utf8FromCp1251(fileRS_));
  }
}

void TOxDB::SetIniFile(std::string value) {
  if (value == iniFile_) return;
  iniFile_ = std::move(value);
  settings_.reset();
  if (auto file = platform::SafeOutputPath(userFolder_, iniFile_)) settings_.emplace(*file);
  ApplySettings();
}

void TOxDB::ApplySettings() {
  SceneState& scene = Scene();
  auto read = [this](const char* key, const char* fallback) {
    return settings_ ? settings_->ReadString("Def", key, fallback) : std::string(fallback);
  };
  auto number = [](const std::string& text, std::int32_t fallback) {
    try {
      return static_cast<std::int32_t>(std::stol(text));
    } catch (const std::exception&) {
      return fallback;
    }
  };
  scene.soundVolume = number(read("Snd", "100"), scene.soundVolume);
  scene.musicVolume = number(read("Muz", "50"), scene.musicVolume);
  scene.fullScreen = number(read("FS", "1"), 1) != 0;
  if (scene.testMode) scene.fullScreen = false;
}

void TOxDB::RememberSetting(const char* key, const std::string& value) {
  if (settings_) settings_->WriteString("Def", key, value);
}

// The full-screen switch remembers the mode in the settings file itself, so the next start
// comes up in the same mode.
void TOxDB::WriteIniString(const std::string& section, const std::string& value, const std::string& key) {
  if (settings_) settings_->WriteString(section, key, value);
}

void TOxDB::SetLang(std::string value) {
  if (value == lang_) return;
  lang_ = std::move(value);
  if (!gameData_->Exists(lang_)) {
    for (const char* fallback : {"eng.lng", "rus.lng", "deu.lng"}) {
      if (gameData_->Exists(fallback)) {
        lang_ = fallback;
        break;
      }
    }
  }
  const auto path = gameData_->Resolve(lang_);
  langTexts_ = path ? platform::MemIni::FromFile(*path) : platform::MemIni();
}

void TOxDB::SetDefLang(std::string value) {
  if (value == defLang_) return;
  defLang_ = std::move(value);
  const auto path = gameData_->Resolve(defLang_);
  defLangTexts_ = path ? platform::MemIni::FromFile(*path) : platform::MemIni();
}

void TOxDB::SetSoundFile(std::string value) {
  if (value == soundFile_) return;
  soundFile_ = std::move(value);
  const auto path = gameData_->Resolve(soundFile_);
  soundList_ = path ? platform::MemIni::FromFile(*path) : platform::MemIni();
}

void TOxDB::SetFileFonts(std::string value) {
  if (value == fileFonts_) return;
  fileFonts_ = std::move(value);
  if (services_.openArchive) services_.openArchive(gameData_->Resolve(fileFonts_).value_or(gameFolder_ / fileFonts_));
}

void TOxDB::SaveState() {
  if (!stateFile_) return;
  ox::scene::SaveState(*this, *stateFile_);
  ResetTimer();
}

void TOxDB::LoadState() {
  if (!stateFile_) return;
  ox::scene::LoadState(*this, *stateFile_);
  ResetTimer();
}

}  // namespace ox::scene
