// Language texts, the sound list and the unicode text set.
#include <cmath>
#include <sstream>

#include "platform/core/checked.h"
#include "platform/fonts/truetype.h"
#include "platform/text/codepage.h"
#include "scene/game_root.h"

namespace ox::scene {

namespace {

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const auto last = s.find_last_not_of(" \t\r\n");
  return s.substr(first, last - first + 1);
}

// "Section.Key" or, without a point, "Key" in section "Default".
void SplitTextId(const std::string& id, std::string& section, std::string& key) {
  const auto dot = id.find('.');
  if (dot == std::string::npos) {
    section = "Default";
    key = Trim(id);
  } else {
    section = Trim(id.substr(0, dot));
    key = Trim(id.substr(dot + 1));
  }
}

}  // namespace

std::string TOxDB::GetText(const std::string& id) {
  std::string section, key;
  SplitTextId(id, section, key);
  if (section.empty() || key.empty() || !langTexts_) return "";
  if (!unicodeMode_) return langTexts_->ReadString(section, key, "");
  if (unicodeTexts_) {
    if (auto text = unicodeTexts_->Find(section, key)) return *text;
  }
  // The language file is read wide (UTF-16 with its byte-order mark, or Windows-1251) and the
  // text kept in the engine's unicode form for the next look-up.
  const platform::IniFile file(gameFolder_ / lang_);
  const std::u16string wide = file.ReadWideString(platform::Utf16FromCp1251(section),
                                                  platform::Utf16FromCp1251(key), u"");
  const std::string text = platform::EngineUnicodeFromUtf16(wide);
  langTexts_->Set(section, key, text);
  return text;
}

void TOxDB::GetSoundInfo(const std::string& id, std::string& file, std::int32_t& volume) const {
  std::string section, key;
  SplitTextId(id, section, key);
  if (section.empty() || key.empty()) {
    file.clear();
    volume = 0;
    return;
  }
  if (!soundList_) return;
  const std::string value = soundList_->ReadString(section, key, "");
  const auto colon = value.find(':');
  if (colon == std::string::npos) {
    file = value;
    volume = 100;
    return;
  }
  try {
    std::size_t used = 0;
    const std::string number = value.substr(0, colon);
    const int v = std::stoi(number, &used);
    if (used == number.size()) volume = v;
  } catch (const std::exception&) {
  }
  file = value.substr(colon + 1);
}

// "unicode\unicode.fnt": a count N, then N lines "<hex code unit> <width>", then the trailer
// that names the face of the TrueType path.
void TOxDB::LoadUnicodeSet() {
  unicodeMode_ = false;
  unicodeTable_.clear();
  unicodeTrailer_.clear();
  const auto table = gameData_->ReadAll("unicode\\unicode.fnt");
  if (!table) return;
  // The face the trailer names may be this file's, found before the installed ones.
  if (const auto face = gameData_->Resolve("unicode\\unicode.ttf")) platform::RegisterFontFile(*face);
  const auto texts = gameData_->Resolve("unicode\\unicode.lng");
  unicodeTexts_ = texts ? platform::MemIni::FromFile(*texts) : platform::MemIni();
  unicodeMode_ = true;
  if (services_.keepPicture) services_.keepPicture(kUnicodePicture);
  std::istringstream in(std::string(table->begin(), table->end()));
  std::string line;
  std::getline(in, line);
  long count = 0;
  try {
    count = std::stol(line);
    for (long j = 0; j < count && std::getline(in, line); ++j) {
      const auto space = line.find(' ');
      const unsigned long code = std::stoul(line.substr(0, space), nullptr, 16);
      const long width = RoundToInt32(std::stod(line.substr(space + 1)) / 1.7);
      if (code > 0xFFFF || width < 0 || width > 255) throw RangeError("unicode table entry out of range");
      if (unicodeTable_.size() <= code) unicodeTable_.resize(code + 1);
      unicodeTable_[code] = UnicodeGlyph{static_cast<std::uint16_t>(j), static_cast<std::uint8_t>(width)};
    }
    if (std::getline(in, line)) unicodeTrailer_ = Trim(line);
  } catch (const std::exception&) {
    // The rest of the table is not read; what was read stays.
  }
}

}  // namespace ox::scene
