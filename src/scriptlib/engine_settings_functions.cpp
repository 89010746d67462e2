// Engine functions of texts, files and settings: GetText, DelFile, GetIni, SetIni.
#include <filesystem>

#include "platform/files/ini_file.h"
#include "platform/files/output_path.h"
#include "platform/text/codepage.h"
#include "scriptlib/engine_support.h"

namespace ox::scriptlib {

namespace {

constexpr char kHexMark[] = "#$#$";

// In unicode mode the settings are read and written wide, in the file of the settings file's
// name in the game folder; texts travel as "#$#$" and the hexadecimal bytes of their UTF-8.
platform::IniFile WideSettings(const scene::TOxDB& root) {
  return platform::IniFile(root.GameFolder() / std::filesystem::path(root.IniFile()).filename());
}

std::string FromHexUtf8(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
    const std::string pair = hex.substr(i, 2);
    if (pair.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) break;
    bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
  }
  return platform::EngineUnicodeFromUtf16(platform::Utf16FromUtf8(bytes));
}

std::string ToHexUtf8(const std::string& engineText) {
  std::string utf8 = platform::Utf8FromUtf16(platform::Utf16FromEngineUnicode(engineText));
  if (utf8.size() > 2000) utf8.resize(2000);
  static const char* digits = "0123456789ABCDEF";
  std::string hex = kHexMark;
  for (const unsigned char c : utf8) {
    hex += digits[c >> 4];
    hex += digits[c & 15];
  }
  return hex;
}

}  // namespace

bool GetIni(TPasCalc&, TVarList& args, Value& result) {
  scene::TOxDB* root = GameRoot();
  const std::string section = AsText(args[0].Val), key = AsText(args[1].Val);
  const std::string fallback = AsText(args[2].Val);
  if (root == nullptr) return result = Value::String(fallback), true;
  if (!root->UnicodeMode()) {
    platform::IniFile* settings = root->Settings();
    result = Value::String(settings ? settings->ReadString(section, key, fallback) : fallback);
    return true;
  }
  const std::u16string wide = WideSettings(*root).ReadWideString(
      platform::Utf16FromEngineUnicode(section), platform::Utf16FromEngineUnicode(key), u"");
  const std::string text = platform::EngineUnicodeFromUtf16(wide);
  result = Value::String(text.rfind(kHexMark, 0) == 0 ? FromHexUtf8(text.substr(4)) : text);
  return true;
}

bool SetIni(TPasCalc&, TVarList& args, Value& result) {
  scene::TOxDB* root = GameRoot();
  const std::string section = AsText(args[0].Val), key = AsText(args[1].Val);
  const std::string value = AsText(args[2].Val);
  result = Value::UInt8(0);
  if (root == nullptr) return true;
  if (!root->UnicodeMode()) {
    if (platform::IniFile* settings = root->Settings()) settings->WriteString(section, key, value);
    return true;
  }
  WideSettings(*root).WriteWideString(platform::Utf16FromEngineUnicode(section),
                                      platform::Utf16FromEngineUnicode(key),
                                      platform::Utf16FromUtf8(ToHexUtf8(value)));
  return true;
}

// The name is joined to the per-user folder as text, so a number refuses; a name that climbs
// out of the folder is refused with a log line and nothing is deleted.
bool DelFile(TPasCalc&, TVarList& args, Value& result) {
  if (!args[0].Val.IsString()) return false;
  result = Value::UInt8(0);
  if (scene::TOxDB* root = GameRoot()) platform::RemoveFile(root->UserFolder(), args[0].Val.s);
  return true;
}

bool GetTextOf(TPasCalc&, TVarList& args, Value& result) {
  scene::TOxDB* root = GameRoot();
  result = Value::String(root ? root->GetText(AsText(args[0].Val)) : std::string());
  return true;
}

}  // namespace ox::scriptlib
