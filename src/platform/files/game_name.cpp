#include "platform/files/game_name.h"

#include "platform/core/log.h"
#include "platform/text/case1251.h"
#include "platform/text/codepage.h"

#include <algorithm>

namespace ox::platform {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::optional<std::vector<std::string>> Refuse(std::string_view name, const char* why) {
  LogLine("refused file name \"" + Utf8FromCp1251(name) + "\": " + why);
  return std::nullopt;
}

bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::optional<std::vector<std::string>> SplitGameName(std::string_view name) {
  if (name.find('\0') != std::string_view::npos) return Refuse(name, "it holds a NUL byte");
  if (name.find(':') != std::string_view::npos) return Refuse(name, "it names a drive");
  if (!name.empty() && name[0] == '/') return Refuse(name, "it is an absolute path");
  if (name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1]))
    return Refuse(name, "it names a network share");
  std::vector<std::string> components;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = start;
    while (end < name.size() && !IsSeparator(name[end])) ++end;
    const std::string_view part = name.substr(start, end - start);
    if (part == "..") return Refuse(name, "it climbs out of its folder");
    if (!part.empty() && part != ".") components.emplace_back(part);
    start = end + 1;
  }
  return components;
}

std::string FoldedGameComponent(std::string_view component) {
  return UpperCase1251(std::string(component));
}

std::string FoldedDiskName(std::string_view entry) {
  if (IsAscii(entry)) return UpperCase1251(std::string(entry));
  const std::u16string wide = Utf16FromUtf8(entry);
  const bool validUtf8 = Utf8FromUtf16(wide) == entry;
  return UpperCase1251(validUtf8 ? Cp1251FromUtf16(wide) : std::string(entry));
}

std::string DiskNameOf(std::string_view component) { return Utf8FromCp1251(component); }

}  // namespace ox::platform
