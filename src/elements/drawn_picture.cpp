#include "elements/drawn_picture.h"

#include "elements/drawing.h"
#include "media/bitmap.h"

namespace ox::elements {

bool DrawnPicture::SizeAllowed(std::int64_t width, std::int64_t height) {
  return width >= 1 && height >= 1 && width <= media::kMaxPictureSide &&
         height <= media::kMaxPictureSide && width * height <= media::kMaxPicturePixels;
}

void DrawnPicture::Upload(std::span<const std::uint32_t> argb, int width, int height) {
  render::TAsphyreCanvas* canvas = Canvas();
  render::TAsphyreDevice* device = canvas ? canvas->Publisher() : nullptr;
  if (device == nullptr) return Clear();
  Upload(device->Backend(), argb, width, height);
}

void DrawnPicture::Upload(render::GraphicsBackend& backend, std::span<const std::uint32_t> argb,
                          int width, int height) {
  if (!image_ || &image_->Backend() != &backend) image_ = std::make_unique<render::TAsphyreImage>(backend);
  if (!image_->LoadFromBitmap(argb, width, height, 1, 1)) Clear();
}

}  // namespace ox::elements
