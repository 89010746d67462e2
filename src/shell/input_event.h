// Input events as the frame loop receives them, from the window or from an events file:
//   <tick> move <x> <y>
//   <tick> down <x> <y> [left|right|middle]
//   <tick> up <x> <y> [left|right|middle]
//   <tick> key <virtual-key-code> [alt] [ctrl] [shift]
//   <tick> char <character-code>
//   <tick> deactivate | activate | close
// Ticks count from 1; `#` starts a comment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ox::shell {

struct InputEvent {
  enum class Kind { Move, Down, Up, Key, Char, Deactivate, Activate, Close };
  std::int64_t tick = 0;
  Kind kind = Kind::Move;
  std::int32_t x = 0, y = 0;
  std::int32_t code = 0;  // virtual-key code or character code
  bool alt = false, ctrl = false, shift = false;
};

struct EventsFile {
  std::vector<InputEvent> events;  // in file order
  std::string error;               // "line N: ..." when the file is not readable as events
};

EventsFile ParseEvents(const std::string& text);
EventsFile ReadEventsFile(const std::string& path);

}  // namespace ox::shell
