#include "media/bitmap.h"

namespace ox::media {

bool AllocateBitmap(Bitmap& bitmap, std::int64_t width, std::int64_t height, std::string& failure) {
  bitmap = Bitmap{};
  if (width <= 0 || height <= 0) {
    failure = "it has no pixels";
    return false;
  }
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
    failure = "it is too large (" + std::to_string(width) + " x " + std::to_string(height) + ")";
    return false;
  }
  bitmap.width = static_cast<int>(width);
  bitmap.height = static_cast<int>(height);
  bitmap.pixels.resize(static_cast<std::size_t>(width * height));
  return true;
}

}  // namespace ox::media
