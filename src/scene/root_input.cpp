// Keys reaching the root: exKeyDown, the cheat words, and typing into the focused text.
#include "scene/class_registry.h"
#include "scene/game_root.h"
#include "scene/scene_state.h"
#include "script/value.h"

namespace ox::scene {

void TOxDB::KeyDown(std::int32_t code) {
  Scene().lastKeyCode = code;
  RunEvent(*this, exKeyDown, "key_Down");
}

void TOxDB::KeyChar(std::uint16_t code) {
  if (Resolve(Scene().keyboardFocus) == nullptr) {
    cheatBuffer_ += static_cast<char>(code & 0xFF);
    if (cheatBuffer_.size() > 10) cheatBuffer_.erase(0, 1);
    MatchCheats();
    return;
  }
  TypeIntoFocus(code);
}

// Every ending of the last ten typed characters that is one of the ";"-separated cheat words
// runs exCheat; several can match at once.
void TOxDB::MatchCheats() {
  const std::string words = ";" + Cheats + ";";
  for (std::size_t p = 0; p < cheatBuffer_.size(); ++p) {
    const std::string candidate = cheatBuffer_.substr(p, 10);
    if (words.find(";" + candidate + ";") != std::string::npos) {
      lastCheat_ = candidate;
      RunEvent(*this, exCheat, "Cheat");
    }
  }
}

void TOxDB::TypeIntoFocus(std::uint16_t code) {
  TOxElement* focus = Resolve(Scene().keyboardFocus);
  const PropertyInfo* textProperty = focus->Class().FindProperty("Text");
  if (textProperty == nullptr) return;
  std::string text = AsString(textProperty->get(*focus));
  if (unicodeMode_) {
    if (code == 8) {
      const bool triple = text.size() >= 3 && text[text.size() - 3] == '\x01';
      text.erase(text.size() - std::min<std::size_t>(text.size(), triple ? 3 : 1));
    } else if (code >= 32 && code <= 127) {
      text += static_cast<char>(code);
    } else if (code >= 128) {
      text += '\x01';
      text += static_cast<char>(code & 0xFF);
      text += static_cast<char>(code >> 8);
    } else {
      return;
    }
  } else {
    if (code == 8) {
      if (!text.empty()) text.pop_back();
    } else if (code >= 32 && code <= 255 && code != '#' && code != '$') {
      text += static_cast<char>(code);
    } else {
      return;
    }
  }
  textProperty->set(*focus, text);
}

}  // namespace ox::scene
