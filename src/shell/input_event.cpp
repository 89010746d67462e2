#include "shell/input_event.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace ox::shell {

namespace {

bool ReadNumber(std::istringstream& in, std::int64_t& out) { return static_cast<bool>(in >> out); }

bool ReadInt32(std::istringstream& in, std::int32_t& out) {
  std::int64_t v = 0;
  if (!ReadNumber(in, v) || v < INT32_MIN || v > INT32_MAX) return false;
  out = static_cast<std::int32_t>(v);
  return true;
}

// The words after an event's numbers: a mouse button, or key modifiers.
bool ReadFlags(std::istringstream& in, InputEvent& e) {
  for (std::string word; in >> word;) {
    if (e.kind == InputEvent::Kind::Key) {
      if (word == "alt") e.alt = true;
      else if (word == "ctrl") e.ctrl = true;
      else if (word == "shift") e.shift = true;
      else return false;
    } else if (word != "left" && word != "right" && word != "middle") {
      return false;
    }
  }
  return true;
}

std::optional<InputEvent> ParseLine(const std::string& line) {
  std::istringstream in(line);
  InputEvent e;
  std::string kind;
  if (!ReadNumber(in, e.tick) || e.tick < 1 || !(in >> kind)) return std::nullopt;
  using K = InputEvent::Kind;
  if (kind == "move" || kind == "down" || kind == "up") {
    e.kind = kind == "move" ? K::Move : kind == "down" ? K::Down : K::Up;
    if (!ReadInt32(in, e.x) || !ReadInt32(in, e.y)) return std::nullopt;
    if (e.kind == K::Move) {
      std::string rest;
      return in >> rest ? std::nullopt : std::optional(e);
    }
  } else if (kind == "key" || kind == "char") {
    e.kind = kind == "key" ? K::Key : K::Char;
    if (!ReadInt32(in, e.code) || e.code < 0) return std::nullopt;
    if (e.kind == K::Char) {
      std::string rest;
      return in >> rest ? std::nullopt : std::optional(e);
    }
  } else if (kind == "deactivate" || kind == "activate" || kind == "close") {
    e.kind = kind == "deactivate" ? K::Deactivate : kind == "activate" ? K::Activate : K::Close;
    std::string rest;
    return in >> rest ? std::nullopt : std::optional(e);
  } else {
    return std::nullopt;
  }
  return ReadFlags(in, e) ? std::optional(e) : std::nullopt;
}

}  // namespace

EventsFile ParseEvents(const std::string& text) {
  EventsFile file;
  std::istringstream lines(text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    line = line.substr(0, line.find('#'));
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    auto event = ParseLine(line);
    if (!event) {
      file.error = "line " + std::to_string(number) + ": not an event: " + line;
      return file;
    }
    file.events.push_back(*event);
  }
  return file;
}

EventsFile ReadEventsFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return EventsFile{{}, "cannot read " + path};
  return ParseEvents(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

}  // namespace ox::shell
