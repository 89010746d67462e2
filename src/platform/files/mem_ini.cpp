#include "platform/files/mem_ini.h"

#include "platform/files/read_file.h"
#include "platform/text/case1251.h"
#include "platform/text/codepage.h"


namespace ox::platform {

MemIni MemIni::FromBytes(std::string_view bytes) {
  MemIni ini;
  const IniDocument doc = IniDocument::Parse(bytes);
  for (const std::u16string& section : doc.Sections()) ini.Add(section, u"", u"", false);
  for (const IniEntry& entry : doc.Entries()) ini.Add(entry.section, entry.key, entry.value, false);
  return ini;
}

MemIni MemIni::FromFile(const std::filesystem::path& path) {
  const std::optional<std::string> bytes = ReadWholeFile(path);
  return bytes ? FromBytes(*bytes) : MemIni();
}

void MemIni::Add(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                 bool replace) {
  const std::u16string folded = UpperCase1251(std::u16string(section));
  auto [it, added] = sectionByFoldedName_.try_emplace(folded, sections_.size());
  if (added) sections_.push_back(Section{std::u16string(section), {}, {}});
  if (key.empty()) return;
  Section& target = sections_[it->second];
  auto [slot, fresh] =
      target.valueByFoldedKey.try_emplace(UpperCase1251(std::u16string(key)), value);
  if (fresh) target.keys.emplace_back(key);
  if (replace) slot->second = value;
}

const MemIni::Section* MemIni::FindSection(std::u16string_view section) const {
  const auto it = sectionByFoldedName_.find(UpperCase1251(std::u16string(section)));
  return it == sectionByFoldedName_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::u16string> MemIni::FindWide(std::u16string_view section,
                                               std::u16string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  const auto it = found->valueByFoldedKey.find(UpperCase1251(std::u16string(key)));
  if (it == found->valueByFoldedKey.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> MemIni::Find(std::string_view section, std::string_view key) const {
  const auto value = FindWide(Utf16FromCp1251(section), Utf16FromCp1251(key));
  if (!value) return std::nullopt;
  return Cp1251FromUtf16(*value);
}

std::string MemIni::ReadString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  return Find(section, key).value_or(std::string(fallback));
}

std::vector<std::string> MemIni::Sections() const {
  std::vector<std::string> names;
  for (const Section& section : sections_) names.push_back(Cp1251FromUtf16(section.name));
  return names;
}

std::vector<std::string> MemIni::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  if (const Section* found = FindSection(Utf16FromCp1251(section)))
    for (const std::u16string& key : found->keys) keys.push_back(Cp1251FromUtf16(key));
  return keys;
}

void MemIni::Set(std::string_view section, std::string_view key, std::string_view value) {
  Add(Utf16FromCp1251(section), Utf16FromCp1251(key), Utf16FromCp1251(value), true);
}

}  // namespace ox::platform
