#include "platform/files/ini_file.h"

#include "platform/core/log.h"
#include "platform/files/atomic_file.h"
#include "platform/files/read_file.h"
#include "platform/text/codepage.h"

#include <system_error>

namespace ox::platform {

std::optional<IniDocument> IniFile::Load() const {
  const std::optional<std::string> bytes = ReadWholeFile(path_);
  if (bytes) return IniDocument::Parse(*bytes);
  std::error_code ec;
  if (std::filesystem::exists(path_, ec)) return std::nullopt;
  return IniDocument();
}

IniDocument IniFile::LoadOrEmpty() const { return Load().value_or(IniDocument()); }

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  const auto value = LoadOrEmpty().Find(Utf16FromCp1251(section), Utf16FromCp1251(key));
  return value ? Cp1251FromUtf16(*value) : std::string(fallback);
}

std::u16string IniFile::ReadWideString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view fallback) const {
  return LoadOrEmpty().Find(section, key).value_or(std::u16string(fallback));
}

std::vector<std::string> IniFile::Sections() const {
  std::vector<std::string> names;
  for (const std::u16string& name : LoadOrEmpty().Sections()) names.push_back(Cp1251FromUtf16(name));
  return names;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  for (const std::u16string& key : LoadOrEmpty().Keys(Utf16FromCp1251(section)))
    keys.push_back(Cp1251FromUtf16(key));
  return keys;
}

bool IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) const {
  return WriteWideString(Utf16FromCp1251(section), Utf16FromCp1251(key), Utf16FromCp1251(value));
}

bool IniFile::WriteWideString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view value) const {
  std::optional<IniDocument> doc = Load();
  if (!doc) {
    LogLine("not writing " + path_.string() + ": it exists but cannot be read");
    return false;
  }
  doc->Set(section, key, value);
  return WriteFileAtomically(path_, doc->Serialize());
}

}  // namespace ox::platform
