#include "render/asphyre_image.h"

#include <algorithm>
#include <cstring>

#include "render/colour.h"

namespace ox::render {
namespace {

constexpr int kLargestSide = 8192;

// The border of a pattern at the top left of its texture: the texture's last column and row
// repeat the first ones, the others past the pattern its last ones.
void FillBorder(std::uint32_t* texels, int width, int height, int textureWidth, int textureHeight) {
  const auto rowLength = static_cast<std::size_t>(textureWidth);
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = texels + static_cast<std::size_t>(y) * rowLength;
    std::fill(row + width, row + textureWidth - 1, row[width - 1]);
    row[textureWidth - 1] = row[0];
  }
  const std::uint32_t* last = texels + static_cast<std::size_t>(height - 1) * rowLength;
  for (int y = height; y < textureHeight - 1; ++y)
    std::copy_n(last, rowLength, texels + static_cast<std::size_t>(y) * rowLength);
  std::copy_n(texels, rowLength, texels + static_cast<std::size_t>(textureHeight - 1) * rowLength);
}

bool Drawable(int width, int height) {
  return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide;
}

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

bool TAsphyreImage::SetGrid(int width, int height, int columns, int rows) {
  ReleaseTextures();
  const bool empty = width <= 0 || height <= 0;
  const int patternWidth = empty ? 0 : width / columns;
  const int patternHeight = empty ? 0 : height / rows;
  SetPatternSize(patternWidth, patternHeight);
  SetVisibleSize(patternWidth, patternHeight);
  const bool patterns = patternWidth > 0 && patternHeight > 0;
  SetPatternCount(patterns ? columns * rows : 0);
  return patterns;
}

bool TAsphyreImage::LoadFromBitmap(std::span<const std::uint32_t> argb, int width, int height,
                                   int columns, int rows) {
  return CutPatterns(argb.data(), argb.size(), width, height, width, columns, rows);
}

bool TAsphyreImage::LoadFromBitmap(TexelBuffer&& argb, int width, int height, int pitch,
                                   int columns, int rows) {
  const bool onePattern = std::max(columns, 1) == 1 && std::max(rows, 1) == 1;
  const bool textureLayout = Drawable(width, height) && pitch == TextureSide(width) &&
                             argb.size() == static_cast<std::size_t>(pitch) *
                                                static_cast<std::size_t>(TextureSide(height));
  if (onePattern && textureLayout && backend_.SupportsTextureFormat(TextureFormat::A8R8G8B8)) {
    return TakePicture(argb, width, height, pitch);
  }
  return CutPatterns(argb.data(), argb.size(), width, height, pitch, columns, rows);
}

bool TAsphyreImage::TakePicture(TexelBuffer& argb, int width, int height, int pitch) {
  SetGrid(width, height, 1, 1);
  const int textureHeight = TextureSide(height);
  FillBorder(argb.data(), width, height, pitch, textureHeight);
  const TextureId texture = backend_.CreateTextureFrom(pitch, textureHeight, std::move(argb));
  if (texture == 0) return false;
  format_ = TextureFormat::A8R8G8B8;
  textureWidth_ = pitch;
  textureHeight_ = textureHeight;
  textures_.push_back(texture);
  return true;
}

bool TAsphyreImage::CutPatterns(const std::uint32_t* argb, std::size_t size, int width,
                                int height, int pitch, int columns, int rows) {
  columns = std::max(columns, 1);
  rows = std::max(rows, 1);
  const bool empty = width <= 0 || height <= 0;
  if (!empty && (!Drawable(width, height) || pitch < width ||
                 size < static_cast<std::size_t>(pitch) * static_cast<std::size_t>(height - 1) +
                            static_cast<std::size_t>(width))) {
    ReleaseTextures();
    return false;
  }
  if (!SetGrid(width, height, columns, rows)) return true;
  const int textureWidth = TextureSide(patternWidth_);
  const int textureHeight = TextureSide(patternHeight_);
  if (!CreateTextures(columns * rows, textureWidth, textureHeight)) return false;
  std::vector<std::uint32_t> texels(static_cast<std::size_t>(textureWidth) *
                                    static_cast<std::size_t>(textureHeight));
  for (int pattern = 0; pattern < columns * rows; ++pattern) {
    const int left = pattern % columns * patternWidth_;
    const int top = pattern / columns * patternHeight_;
    for (int y = 0; y < patternHeight_; ++y) {
      const std::size_t from = static_cast<std::size_t>(top + y) * static_cast<std::size_t>(pitch);
      const std::size_t to = static_cast<std::size_t>(y) * static_cast<std::size_t>(textureWidth);
      std::copy_n(argb + from + static_cast<std::size_t>(left), patternWidth_, texels.data() + to);
    }
    FillBorder(texels.data(), patternWidth_, patternHeight_, textureWidth, textureHeight);
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
