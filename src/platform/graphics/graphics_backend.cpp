#include "platform/graphics/graphics_backend.h"

namespace ox::platform {

TextureId GraphicsBackend::CreateTextureFrom(int width, int height, TexelBuffer&& argb) {
  if (width <= 0 || height <= 0 ||
      argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return 0;
  }
  const TextureId texture = CreateTexture(width, height, TextureFormat::A8R8G8B8);
  const std::optional<TexelLock> lock =
      texture != 0 ? LockTexture(texture, false) : std::optional<TexelLock>();
  if (!lock) {
    if (texture != 0) ReleaseTexture(texture);
    return 0;
  }
  const auto rowLength = static_cast<std::size_t>(width);
  for (int row = 0; row < height; ++row) {
    EncodeRow(lock->format,
              std::span<const std::uint32_t>(argb.data() + static_cast<std::size_t>(row) * rowLength,
                                             rowLength),
              lock->bits + static_cast<std::ptrdiff_t>(row) * lock->pitch);
  }
  UnlockTexture(texture);
  return texture;
}

}  // namespace ox::platform
