// The process-wide state that the shell, the game root, the binding and the engine functions
// share. Elements are held as references, so an element that is gone reads as none.
#pragma once

#include <cstdint>

namespace ox::scene {

class TOxElement;
class TOxDB;

struct SceneState {
  TOxDB* root = nullptr;  // the game root, for the engine functions
  std::uint32_t currentScreen = 0;
  std::uint32_t nextScreen = 0;
  bool loading = false;           // a screen switch is loading its pictures
  std::uint32_t underCursor = 0;  // the element under the mouse cursor
  std::uint32_t pressed = 0;      // the element the mouse button went down on
  std::uint32_t cursorElement = 0;
  std::uint32_t keyboardFocus = 0;  // a TOxText that takes typed characters
  std::int32_t mouseX = 0, mouseY = 0;
  std::int32_t mouseDX = 0, mouseDY = 0;
  bool mouseDown = false;
  std::int32_t lastKeyCode = 0;  // "KEYDOWNED"
  bool fullScreen = false;
  bool testMode = false;
  std::int32_t soundVolume = 100;  // percent
  std::int32_t musicVolume = 50;   // percent
  bool quitRequested = false;
  double ticksPerSecond = 30.0;  // the frame timer's Speed
};

SceneState& Scene();
// The element a reference names, or null.
TOxElement* Resolve(std::uint32_t ref);

}  // namespace ox::scene
