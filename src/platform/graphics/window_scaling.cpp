#include "platform/graphics/window_scaling.h"

#include <algorithm>
#include <cmath>

namespace ox::platform {
namespace {

PresentRect Centred(PixelSize drawable, int width, int height) {
  return {(drawable.width - width) / 2, (drawable.height - height) / 2, width, height};
}

int ClampedFloor(double value, int size) {
  if (!(value >= 0)) return 0;  // also NaN
  if (value >= size) return size - 1;
  return static_cast<int>(value);
}

}  // namespace

PresentRect ComputePresentRect(PixelSize frame, PixelSize drawable, ScaleMode mode) {
  if (frame.width <= 0 || frame.height <= 0 || drawable.width <= 0 || drawable.height <= 0) {
    return {};
  }
  if (mode == ScaleMode::Stretch) return {0, 0, drawable.width, drawable.height};
  const double scale = std::min(static_cast<double>(drawable.width) / frame.width,
                                static_cast<double>(drawable.height) / frame.height);
  if (mode == ScaleMode::Integer && scale >= 1.0) {
    const int whole = static_cast<int>(scale);
    return Centred(drawable, frame.width * whole, frame.height * whole);
  }
  const int width = std::clamp(static_cast<int>(std::lround(frame.width * scale)), 1, drawable.width);
  const int height = std::clamp(static_cast<int>(std::lround(frame.height * scale)), 1, drawable.height);
  return Centred(drawable, width, height);
}

FramePoint WindowToFrame(double windowX, double windowY, PixelSize window, PixelSize drawable,
                         PixelSize frame, ScaleMode mode) {
  const PresentRect rect = ComputePresentRect(frame, drawable, mode);
  if (rect.width <= 0 || rect.height <= 0 || window.width <= 0 || window.height <= 0) return {};
  const double pixelX = windowX * drawable.width / window.width;
  const double pixelY = windowY * drawable.height / window.height;
  return {ClampedFloor((pixelX - rect.x) * frame.width / rect.width, frame.width),
          ClampedFloor((pixelY - rect.y) * frame.height / rect.height, frame.height)};
}

}  // namespace ox::platform
