// Font records: the parser, then the glyph textures made from what it accepts.
#include <span>

#include "../tests/render/fake_backend.h"
#include "render/font_record.h"
#include "render/font_texels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto record = ox::render::ParseFontRecord(std::span<const std::uint8_t>(data, size));
  if (!record) return 0;
  ox::render::testing::FakeBackend backend;
  ox::render::MakeGlyphImage(*record, backend);
  return 0;
}
