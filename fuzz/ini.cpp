// Ini files: the document parser with lookups, a change and writing back, and the read-once
// form the language and sound files use.
#include "fuzz_support.h"
#include "platform/files/mem_ini.h"
#include "platform/text/ini_document.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = ox::fuzz::Text(data, size);
  auto document = ox::platform::IniDocument::Parse(bytes);
  for (const auto& section : document.Sections())
    for (const auto& key : document.Keys(section)) document.Find(section, key);
  document.Entries();
  document.Set(u"Main", u"FS", u"1");
  ox::platform::IniDocument::Parse(document.Serialize());

  const auto ini = ox::platform::MemIni::FromBytes(bytes);
  for (const auto& section : ini.Sections())
    for (const auto& key : ini.Keys(section)) ini.ReadString(section, key, "");
  return 0;
}
