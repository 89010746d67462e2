#include "render/asphyre_image.h"

#include <algorithm>
#include <cstring>

#include "render/colour.h"

namespace ox::render {
namespace {

// Pattern size plus a border of at least one texel on each side, rounded up to even.
int TextureSide(int pattern) { return (pattern + 2 + 1) / 2 * 2; }

// Which source column (or row) of a pattern a texel of its texture repeats.
int EdgeSource(int texel, int pattern, int texture) {
  if (texel < pattern) return texel;
  return texel == texture - 1 ? 0 : pattern - 1;
}

constexpr int kLargestSide = 8192;

}  // namespace

void TAsphyreImage::SetPatternSize(int width, int height) {
  patternWidth_ = width;
  patternHeight_ = height;
}

void TAsphyreImage::SetVisibleSize(int width, int height) {
  visibleWidth_ = width;
  visibleHeight_ = height;
}

TextureId TAsphyreImage::Texture(int index) const {
  return index >= 0 && index < TextureCount() ? textures_[static_cast<std::size_t>(index)] : 0;
}

bool TAsphyreImage::CreateTextures(int count, int width, int height) {
  ReleaseTextures();
  const auto format = std::find_if(std::begin(kPictureFormats), std::end(kPictureFormats),
                                   [this](TextureFormat f) { return backend_.SupportsTextureFormat(f); });
  if (format == std::end(kPictureFormats) || count < 0) return false;
  format_ = *format;
  textureWidth_ = width;
  textureHeight_ = height;
  for (int i = 0; i < count; ++i) {
    const TextureId texture = backend_.CreateTexture(width, height, format_);
    if (texture == 0) {
      ReleaseTextures();
      return false;
    }
    textures_.push_back(texture);
  }
  return true;
}

void TAsphyreImage::ReleaseTextures() {
  for (const TextureId texture : textures_) backend_.ReleaseTexture(texture);
  textures_.clear();
}

bool TAsphyreImage::WriteTexture(int index, std::span<const std::uint32_t> argb) {
  const TextureId texture = Texture(index);
  const std::optional<TexelLock> lock =
      texture != 0 ? backend_.LockTexture(texture, false) : std::nullopt;
  if (!lock) return false;
  const std::size_t width = static_cast<std::size_t>(lock->width);
  const bool fits = argb.size() == width * static_cast<std::size_t>(lock->height);
  for (int row = 0; fits && row < lock->height; ++row) {
    EncodeRow(lock->format, argb.subspan(static_cast<std::size_t>(row) * width, width),
              lock->bits + static_cast<std::ptrdiff_t>(row) * lock->pitch);
  }
  backend_.UnlockTexture(texture);
  return fits;
}

bool TAsphyreImage::LoadFromBitmap(std::span<const std::uint32_t> argb, int width, int height,
                                   int columns, int rows) {
  ReleaseTextures();
  columns = std::max(columns, 1);
  rows = std::max(rows, 1);
  const bool empty = width <= 0 || height <= 0;
  if (!empty && (width > kLargestSide || height > kLargestSide ||
                 argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))) {
    return false;
  }
  const int patternWidth = empty ? 0 : width / columns;
  const int patternHeight = empty ? 0 : height / rows;
  SetPatternSize(patternWidth, patternHeight);
  SetVisibleSize(patternWidth, patternHeight);
  // An empty picture, or one smaller than its grid, has nothing to draw.
  if (patternWidth <= 0 || patternHeight <= 0) {
    SetPatternCount(0);
    return true;
  }
  SetPatternCount(columns * rows);
  const int textureWidth = TextureSide(patternWidth);
  const int textureHeight = TextureSide(patternHeight);
  if (!CreateTextures(columns * rows, textureWidth, textureHeight)) return false;
  std::vector<std::uint32_t> texels(static_cast<std::size_t>(textureWidth) *
                                    static_cast<std::size_t>(textureHeight));
  for (int pattern = 0; pattern < columns * rows; ++pattern) {
    const int left = pattern % columns * patternWidth;
    const int top = pattern / columns * patternHeight;
    for (int y = 0; y < textureHeight; ++y) {
      const int sourceY = top + EdgeSource(y, patternHeight, textureHeight);
      const std::uint32_t* source = argb.data() + static_cast<std::size_t>(sourceY) * static_cast<std::size_t>(width) +
                                    static_cast<std::size_t>(left);
      std::uint32_t* target = texels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(textureWidth);
      std::copy(source, source + patternWidth, target);  // the pattern's own row, then its edge
      for (int x = patternWidth; x < textureWidth; ++x) target[x] = source[EdgeSource(x, patternWidth, textureWidth)];
    }
    if (!WriteTexture(pattern, texels)) {
      ReleaseTextures();
      return false;
    }
  }
  return true;
}

std::uint32_t TAsphyreImage::Pixel(int x, int y, int textureIndex) const {
  const TextureId texture = Texture(textureIndex);
  const std::optional<TexelLock> lock =
      texture != 0 ? backend_.LockTexture(texture, true) : std::nullopt;
  if (!lock) return 0;
  std::uint32_t argb = 0;
  if (x >= 0 && y >= 0 && x < lock->width && y < lock->height) {
    const int size = BytesPerTexel(lock->format);
    DecodeRow(lock->format, lock->bits + static_cast<std::ptrdiff_t>(y) * lock->pitch + x * size,
              std::span<std::uint32_t>(&argb, 1));
  }
  backend_.UnlockTexture(texture);
  return SwapRedBlue(argb);
}

std::uint32_t GetTexturePixel(const TAsphyreImage* image, int x, int y, int textureIndex) {
  return image != nullptr ? image->Pixel(x, y, textureIndex) : 0;
}

}  // namespace ox::render
