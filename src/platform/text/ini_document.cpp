#include "platform/text/ini_document.h"

#include "platform/text/case1251.h"
#include "platform/text/codepage.h"

namespace ox::platform {
namespace {

enum class Kind { Other, Section, Key };

struct Parsed {
  Kind kind = Kind::Other;
  std::u16string name;   // section or key name
  std::u16string value;  // key value
};

std::u16string_view Trim(std::u16string_view s) {
  const auto first = s.find_first_not_of(u" \t");
  if (first == std::u16string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(u" \t") - first + 1);
}

Parsed Classify(std::u16string_view line) {
  const std::u16string_view text = Trim(line);
  Parsed parsed;
  if (text.empty() || text[0] == u';') return parsed;
  if (text[0] == u'[') {
    parsed.kind = Kind::Section;
    parsed.name = Trim(text.substr(1, text.find(u']') - 1));
    return parsed;
  }
  const auto equals = text.find(u'=');
  if (equals == std::u16string_view::npos) return parsed;
  parsed.kind = Kind::Key;
  parsed.name = Trim(text.substr(0, equals));
  parsed.value = Trim(text.substr(equals + 1));
  return parsed;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperUnit1251(a[i]) != UpperUnit1251(b[i])) return false;
  return true;
}

std::u16string DecodeText(std::string_view bytes, IniDocument::Encoding& encoding) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    encoding = IniDocument::Encoding::Utf16Le;
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
      text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                    (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
  }
  encoding = IniDocument::Encoding::Cp1251;
  return Utf16FromCp1251(bytes);
}

// A written name or value must stay on its line, or it would add lines of its own to the file.
std::u16string OneLine(std::u16string_view text) {
  std::u16string line(text);
  for (char16_t& u : line)
    if (u == u'\r' || u == u'\n') u = u' ';
  return line;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument doc;
  const std::u16string text = DecodeText(bytes, doc.encoding_);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(u'\n', start);
    Line line;
    if (end == std::u16string::npos) {
      line.text = text.substr(start);
      end = text.size();
    } else {
      const bool crlf = end > start && text[end - 1] == u'\r';
      line.text = text.substr(start, end - start - (crlf ? 1 : 0));
      line.ending = crlf ? u"\r\n" : u"\n";
    }
    doc.lines_.push_back(std::move(line));
    start = end + 1;
  }
  return doc;
}

std::optional<std::size_t> IniDocument::FindSection(std::u16string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Parsed parsed = Classify(lines_[i].text);
    if (parsed.kind == Kind::Section && SameName(parsed.name, section)) return i;
  }
  return std::nullopt;
}

std::optional<std::u16string> IniDocument::Find(std::u16string_view section,
                                                std::u16string_view key) const {
  const auto header = FindSection(section);
  if (!header) return std::nullopt;
  for (std::size_t i = *header + 1; i < lines_.size(); ++i) {
    Parsed parsed = Classify(lines_[i].text);
    if (parsed.kind == Kind::Section) break;
    if (parsed.kind == Kind::Key && SameName(parsed.name, key)) return std::move(parsed.value);
  }
  return std::nullopt;
}

std::vector<std::u16string> IniDocument::Sections() const {
  std::vector<std::u16string> names;
  for (const Line& line : lines_) {
    Parsed parsed = Classify(line.text);
    if (parsed.kind != Kind::Section) continue;
    bool seen = false;
    for (const std::u16string& n : names) seen = seen || SameName(n, parsed.name);
    if (!seen) names.push_back(std::move(parsed.name));
  }
  return names;
}

std::vector<std::u16string> IniDocument::Keys(std::u16string_view section) const {
  std::vector<std::u16string> keys;
  const auto header = FindSection(section);
  if (!header) return keys;
  for (std::size_t i = *header + 1; i < lines_.size(); ++i) {
    Parsed parsed = Classify(lines_[i].text);
    if (parsed.kind == Kind::Section) break;
    if (parsed.kind == Kind::Key) keys.push_back(std::move(parsed.name));
  }
  return keys;
}

std::vector<IniEntry> IniDocument::Entries() const {
  std::vector<IniEntry> entries;
  std::vector<std::u16string> seen;
  std::optional<std::u16string> section;
  for (const Line& line : lines_) {
    Parsed parsed = Classify(line.text);
    if (parsed.kind == Kind::Section) {
      section.reset();
      bool repeated = false;
      for (const std::u16string& n : seen) repeated = repeated || SameName(n, parsed.name);
      if (!repeated) seen.push_back(parsed.name);
      if (!repeated) section = std::move(parsed.name);
    }
    if (parsed.kind == Kind::Key && section)
      entries.push_back({*section, std::move(parsed.name), std::move(parsed.value)});
  }
  return entries;
}

std::u16string IniDocument::NewLineEnding() const {
  for (const Line& line : lines_)
    if (!line.ending.empty()) return line.ending;
  return u"\r\n";
}

void IniDocument::Set(std::u16string_view section, std::u16string_view key,
                      std::u16string_view value) {
  std::u16string text = OneLine(key) + u'=' + OneLine(value);
  const std::u16string ending = NewLineEnding();
  const auto header = FindSection(section);
  if (!header) {
    if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = ending;
    lines_.push_back({u"[" + OneLine(section) + u"]", ending});
    lines_.push_back({std::move(text), ending});
    return;
  }
  std::size_t insertAt = *header + 1;
  for (std::size_t i = *header + 1; i < lines_.size(); ++i) {
    const Parsed parsed = Classify(lines_[i].text);
    if (parsed.kind == Kind::Section) break;
    if (parsed.kind != Kind::Key) continue;
    if (SameName(parsed.name, key)) {
      lines_[i].text = std::move(text);
      return;
    }
    insertAt = i + 1;
  }
  if (insertAt == lines_.size() && !lines_.empty() && lines_.back().ending.empty())
    lines_.back().ending = ending;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{std::move(text), ending});
}

std::string IniDocument::Serialize() const {
  std::u16string text;
  for (const Line& line : lines_) text += line.text + line.ending;
  if (encoding_ == Encoding::Cp1251) return Cp1251FromUtf16(text);
  std::string bytes = "\xFF\xFE";
  for (char16_t u : text) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  return bytes;
}

}  // namespace ox::platform
