// A settings file on disk. Every read reads the file as it is now; every write rewrites it,
// keeping every other line, comment and order, creating the section or key where missing,
// and replacing the file atomically. A missing or unreadable file reads as empty.
// The 8-bit calls work in Windows-1251; the wide calls in UTF-16. A file that begins with the
// UTF-16LE byte-order mark is read and written in UTF-16; any other is Windows-1251, where a
// wide write stores "?" for characters the code page lacks.
#pragma once

#include "platform/text/ini_document.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ox::platform {

class IniFile {
 public:
  explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}

  const std::filesystem::path& Path() const { return path_; }

  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
  std::u16string ReadWideString(std::u16string_view section, std::u16string_view key,
                                std::u16string_view fallback) const;
  std::vector<std::string> Sections() const;
  std::vector<std::string> Keys(std::string_view section) const;

  // False, with one log line, when the file could not be replaced; it then stays as it was.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value) const;
  bool WriteWideString(std::u16string_view section, std::u16string_view key,
                       std::u16string_view value) const;

 private:
  // nullopt when the file exists but cannot be read: a write must not replace it then.
  std::optional<IniDocument> Load() const;
  IniDocument LoadOrEmpty() const;

  std::filesystem::path path_;
};

}  // namespace ox::platform
