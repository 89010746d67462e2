#include "elements/truetype_picture.h"

#include <algorithm>
#include <vector>

#include "media/bitmap.h"
#include "platform/core/log.h"
#include "platform/fonts/truetype.h"
#include "platform/text/codepage.h"

namespace ox::elements {

namespace {

bool WithinStoreLimits(const platform::TextExtent& extent) {
  return extent.width <= media::kMaxPictureSide && extent.height <= media::kMaxPictureSide &&
         extent.width * extent.height <= media::kMaxPicturePixels;
}

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
  if (!made_ || text != text_ || face != face_ || (image_ && &image_->Backend() != &backend)) {
    text_ = text;
    face_ = face;
    Make(backend);
  }
  return image_.get();
}

void TrueTypePicture::Drop() {
  made_ = false;
  image_.reset();
}

void TrueTypePicture::Make(render::GraphicsBackend& backend) {
  made_ = true;
  image_.reset();
  const std::u16string line = platform::Utf16FromEngineUnicode(text_);
  const auto extent = platform::MeasureTrueTypeLine(face_, line, kCellHeight);
  if (!extent || extent->width <= 0 || extent->height <= 0) return;
  if (!WithinStoreLimits(*extent)) {
    platform::LogLine("text picture of " + std::to_string(extent->width) + "x" + std::to_string(extent->height) +
                      " pixels is beyond the picture size limits; not drawn");
    return;
  }
  const auto coverage = platform::RenderTrueTypeLine(face_, line, kCellHeight, media::kMaxPictureSide);
  if (!coverage) return;
  auto image = std::make_unique<render::TAsphyreImage>(backend);
  if (!image->LoadFromBitmap(ColourKeyed(*coverage), coverage->width, coverage->height, 1, 1)) return;
  image_ = std::move(image);
}

}  // namespace ox::elements
