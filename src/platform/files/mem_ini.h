// An ini file read once and looked up many times (language files, the sound list, the unicode
// texts). Lookups follow IniDocument's rules (first match wins, case-insensitive names). Values
// may be changed in memory; the file is never written. An absent file gives an empty ini.
#pragma once

#include "platform/text/ini_document.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ox::platform {

class MemIni {
 public:
  MemIni() = default;
  static MemIni FromBytes(std::string_view bytes);
  static MemIni FromFile(const std::filesystem::path& path);

  // 8-bit lookups: names and values in Windows-1251.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // Wide lookup, for files written in UTF-16.
  std::optional<std::u16string> FindWide(std::u16string_view section, std::u16string_view key) const;

 private:
  struct Section {
    std::u16string name;
    std::vector<std::u16string> keys;  // first spelling of each key, in file order
    std::unordered_map<std::u16string, std::u16string> valueByFoldedKey;
  };

  void Add(std::u16string_view section, std::u16string_view key, std::u16string_view value,
           bool replace);
  const Section* FindSection(std::u16string_view section) const;

  std::vector<Section> sections_;
  std::unordered_map<std::u16string, std::size_t> sectionByFoldedName_;
};

}  // namespace ox::platform
