// The player's window and its input, for windowed play. Nothing outside this module knows the
// toolkit behind it. The window has a client area of the frame's size (1024 x 768) centred on
// the desktop, is resizable and can go desktop full screen; the frame is shown scaled into it
// (see window_scaling.h), high-DPI aware. It is also the surface the OpenGL back end draws on.
//
// Events come in the shape of the headless events file, so both reach the same handlers:
// mouse positions are frame pixels; keys are Windows virtual-key codes with the Alt, Ctrl and
// Shift state; typed text arrives as Char events of UTF-16 code units (Enter, Backspace, Tab and
// Escape also type their control character, as Windows keyboard input does); Paint asks for the
// frame to be shown again (the window was uncovered).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics/window_scaling.h"
#include "platform/graphics/window_surface.h"

namespace ox::platform {

enum class MouseButton { Left, Right, Middle };

struct WindowEvent {
  enum class Kind { Move, Down, Up, Key, Char, Deactivate, Activate, Close, Paint };
  Kind kind = Kind::Move;
  std::int32_t x = 0, y = 0;  // Move, Down, Up
  MouseButton button = MouseButton::Left;
  std::int32_t code = 0;  // Key: virtual-key code; Char: character code
  bool alt = false, ctrl = false, shift = false;
};

struct WindowSettings {
  std::string title;  // UTF-8
  int width = 1024;
  int height = 768;
  bool fullScreen = false;
  ScaleMode scaling = ScaleMode::Proportional;
};

class Window : public WindowSurface {
 public:
  virtual void SetTitle(const std::string& utf8) = 0;
  // The next event, if any; never waits.
  virtual bool PollEvent(WindowEvent& event) = 0;
  virtual void SetScaling(ScaleMode mode) = 0;
  virtual bool FullScreen() const = 0;
  // Puts the mouse cursor at the middle of the window.
  virtual void CentreCursor() = 0;
};

// Opens the window; null (with a line logged) when there is no display to open it on.
std::unique_ptr<Window> OpenWindow(const WindowSettings& settings);

// A modal error box for start-up failures; falls back to a log line where no box can be shown.
void ShowErrorBox(const std::string& title, const std::string& text);

}  // namespace ox::platform
