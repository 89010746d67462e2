// The names the root answers beyond every element's: volumes, the last cheat, unicode mode and
// the screen mode.
#include "scene/game_root.h"
#include "scene/scene_state.h"
#include "script/convert.h"

namespace ox::scene {

using script::Value;

bool TOxDB::GetVar(const std::string& name, Value& out) {
  if (TOxElement::GetVar(name, out)) return true;
  const SceneState& scene = Scene();
  if (name == "VOLMUZ") return out = Value::Int32(scene.musicVolume), true;
  if (name == "CHEAT") return out = Value::String(lastCheat_), true;
  if (name == "UNICODE") return out = Value::Bool(unicodeMode_), true;
  if (name == "VOLSND") return out = Value::Int32(scene.soundVolume), true;
  if (name == "FULLSCREEN") return out = Value::UInt8(scene.fullScreen ? 1 : 0), true;
  return false;
}

bool TOxDB::SetVar(const std::string& name, const Value& value) {
  if (TOxElement::SetVar(name, value)) return true;
  SceneState& scene = Scene();
  std::int32_t number = 0;
  if (name == "VOLMUZ") {
    script::ToInt32(value, number);
    scene.musicVolume = number;
    RememberSetting("Muz", std::to_string(number));
    if (services_.setMusicVolume) services_.setMusicVolume(number);
    return true;
  }
  if (name == "VOLSND") {
    script::ToInt32(value, number);
    scene.soundVolume = number;
    RememberSetting("Snd", std::to_string(number));
    if (services_.setSoundVolume) services_.setSoundVolume(number);
    return true;
  }
  if (name == "FULLSCREEN") {
    bool on = false;
    script::ToBool(value, on);
    scene.fullScreen = on;
    RememberSetting("FS", on ? "1" : "0");
    return true;
  }
  return false;
}

}  // namespace ox::scene
