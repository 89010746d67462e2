#include "elements/truetype_picture.h"

#include <algorithm>
#include <vector>

#include "media/bitmap.h"
#include "platform/core/log.h"
#include "platform/fonts/truetype.h"
#include "platform/text/codepage.h"

namespace ox::elements {

namespace {

// Coverage as colours: black (no coverage) transparent, every other grey opaque.
std::vector<std::uint32_t> ColourKeyed(const platform::TextCoverage& coverage) {
  std::vector<std::uint32_t> argb(coverage.pixels.size());
  std::transform(coverage.pixels.begin(), coverage.pixels.end(), argb.begin(), [](std::uint8_t c) {
    const std::uint32_t grey = c;
    return c == 0 ? 0u : 0xFF000000u | grey << 16 | grey << 8 | grey;
  });
  return argb;
}

}  // namespace

const render::TAsphyreImage* TrueTypePicture::Picture(render::GraphicsBackend& backend,
                                                      std::string_view text, std::string_view face) {
  const render::TAsphyreImage* last = drawn_.Image();
  if (!made_ || text != text_ || face != face_ || (last && &last->Backend() != &backend)) {
    text_ = text;
    face_ = face;
    Make(backend);
  }
  return drawn_.Image();
}

void TrueTypePicture::Drop() {
  made_ = false;
  drawn_.Clear();
}

void TrueTypePicture::Make(render::GraphicsBackend& backend) {
  made_ = true;
  drawn_.Clear();
  const std::u16string line = platform::Utf16FromEngineUnicode(text_);
  const auto extent = platform::MeasureTrueTypeLine(face_, line, kCellHeight);
  if (!extent || extent->width <= 0 || extent->height <= 0) return;
  if (!DrawnPicture::SizeAllowed(extent->width, extent->height)) {
    platform::LogLine("text picture of " + std::to_string(extent->width) + "x" + std::to_string(extent->height) +
                      " pixels is beyond the picture size limits; not drawn");
    return;
  }
  const auto coverage = platform::RenderTrueTypeLine(face_, line, kCellHeight, media::kMaxPictureSide);
  if (!coverage) return;
  drawn_.Upload(backend, ColourKeyed(*coverage), coverage->width, coverage->height);
}

}  // namespace ox::elements
