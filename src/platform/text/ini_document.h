// The text of an ini file as the Windows profile functions see it: "[section]" lines, then
// "key=value" lines; names and values trimmed of spaces and tabs; sections and keys compared
// without regard to letter case (ASCII and Windows-1251 letters); the first matching section
// and the first matching key in it win; lines beginning with ";" and lines without "=" are
// comments. The bytes are Windows-1251 unless they begin with the UTF-16LE byte-order mark.
// Changes keep every other line, comment, line ending and order as they were.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ox::platform {

struct IniEntry {
  std::u16string section;
  std::u16string key;
  std::u16string value;
};

class IniDocument {
 public:
  enum class Encoding { Cp1251, Utf16Le };

  IniDocument() = default;
  static IniDocument Parse(std::string_view bytes);

  Encoding encoding() const { return encoding_; }

  std::optional<std::u16string> Find(std::u16string_view section, std::u16string_view key) const;
  // Section names in file order, each once (the first spelling); keys of the first match.
  std::vector<std::u16string> Sections() const;
  std::vector<std::u16string> Keys(std::u16string_view section) const;
  // The key lines that lookups can see (those of the first section of each name), in file
  // order with their section's name; repeated keys included.
  std::vector<IniEntry> Entries() const;

  // Replaces the value of the first matching key; else adds the key after the last key of the
  // first matching section; else appends the section with the key at the end. Line breaks in
  // the section, key or value are written as spaces.
  void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

  // The document in its own encoding (a new document is Windows-1251).
  std::string Serialize() const;

 private:
  struct Line {
    std::u16string text;
    std::u16string ending;  // "\r\n", "\n" or empty for a last line without one
  };

  std::optional<std::size_t> FindSection(std::u16string_view section) const;
  std::u16string NewLineEnding() const;

  Encoding encoding_ = Encoding::Cp1251;
  std::vector<Line> lines_;
};

}  // namespace ox::platform
