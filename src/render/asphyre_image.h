// A picture's texture set: equally sized textures holding a grid of equally sized patterns.
// The canvas draws pattern n from texture n / (patterns per texture), patterns running row by
// row; only the visible part of a pattern (centred in it) is drawn. Textures are made in the
// first of A8R8G8B8, A4R4G4B4, A8R3G3B2, A1R5G5B5 that the back end offers, and are released
// with the set. Colours of pictures and texels are in device order (0xAARRGGBB).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "render/backend.h"

namespace ox::render {

class TAsphyreImage {
 public:
  // The back end must outlive the set.
  explicit TAsphyreImage(GraphicsBackend& backend) : backend_(backend) {}
  ~TAsphyreImage() { ReleaseTextures(); }
  TAsphyreImage(const TAsphyreImage&) = delete;
  TAsphyreImage& operator=(const TAsphyreImage&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

  int PatternWidth() const { return patternWidth_; }
  int PatternHeight() const { return patternHeight_; }
  void SetPatternSize(int width, int height);
  int VisibleWidth() const { return visibleWidth_; }
  int VisibleHeight() const { return visibleHeight_; }
  void SetVisibleSize(int width, int height);
  int PatternCount() const { return patternCount_; }
  void SetPatternCount(int count) { patternCount_ = count; }

  int TextureWidth() const { return textureWidth_; }
  int TextureHeight() const { return textureHeight_; }
  int TextureCount() const { return static_cast<int>(textures_.size()); }
  TextureFormat Format() const { return format_; }
  // The back end's texture, 0 for an index out of range.
  TextureId Texture(int index) const;

  // Replaces the textures by `count` new ones of the given size; false (with none left) when
  // the back end offers no usable format or cannot make one of them.
  bool CreateTextures(int count, int width, int height);
  void ReleaseTextures();
  // Writes a whole texture from width x height colours, row by row.
  bool WriteTexture(int index, std::span<const std::uint32_t> argb);

  // A picture of width x height colours cut into columns x rows patterns (numbered row by row
  // from the top left), each at the top left of its own texture of TextureSide of the pattern
  // size. The rest of a texture repeats the pattern's edges: its last column and row the first
  // ones, the others the last ones, so that filtering at any edge, wrapping round the texture,
  // sees only the pattern's own edge texels. An empty picture, or one smaller than its grid,
  // gives no patterns; false only when the upload fails.
  bool LoadFromBitmap(std::span<const std::uint32_t> argb, int width, int height, int columns,
                      int rows);
  // The same for a picture whose rows are `pitch` colours apart. A picture of one pattern laid
  // out as its texture (pitch and rows of TextureSide) gets its border in
  // place and its buffer becomes the texture, without a copy.
  bool LoadFromBitmap(TexelBuffer&& argb, int width, int height, int pitch, int columns,
                      int rows);

  // The texel at column x, row y of a texture, converted to 8-bit channels in the engine's
  // order (red in the low byte); 0 when it cannot be read.
  std::uint32_t Pixel(int x, int y, int textureIndex) const;

  GraphicsBackend& Backend() const { return backend_; }

 private:
  GraphicsBackend& backend_;
  std::string name_;
  int patternWidth_ = 0;
  int patternHeight_ = 0;
  int visibleWidth_ = 0;
  int visibleHeight_ = 0;
  int patternCount_ = 0;
  int textureWidth_ = 0;
  int textureHeight_ = 0;
  TextureFormat format_ = TextureFormat::A8R8G8B8;

  // Sets the pattern sizes and count of the grid; false when there are no patterns to make.
  bool SetGrid(int width, int height, int columns, int rows);
  bool CutPatterns(const std::uint32_t* argb, std::size_t size, int width, int height, int pitch,
                   int columns, int rows);
  bool TakePicture(TexelBuffer& argb, int width, int height, int pitch);
  std::vector<TextureId> textures_;
};

// The side of the texture that holds a pattern: the pattern's side plus a border of at least
// one texel on each side, rounded up to even.
inline int TextureSide(int patternSide) { return (patternSide + 2 + 1) / 2 * 2; }

// The texel as the image store's GetTexturePixel gives it; 0 without an image.
std::uint32_t GetTexturePixel(const TAsphyreImage* image, int x, int y, int textureIndex);

}  // namespace ox::render
