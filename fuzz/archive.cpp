// The resource archive: the table, then every record it names read and unpacked.
#include "fuzz_support.h"
#include "render/asdb.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ox::render::TASDb archive;
  archive.SetFileName(ox::fuzz::ScratchFile(ox::fuzz::Text(data, size), ".asdb").string());
  archive.SetOpenMode(ox::render::TOpenMode::opReadOnly);
  if (!archive.Update()) return 0;
  for (int i = 0; i < archive.RecordCount() && i < 64; ++i) archive.ReadRecord(archive.RecordName(i));
  return 0;
}
