// The 2D canvas: every drawing of the engine. It batches screen-space primitives (textured
// quads from picture patterns, filled quads and triangles, lines) and sends consecutive
// primitives that share kind, draw effect and texture to the back end in one draw call of at
// most VertexCache vertices and indices. Nothing reaches the screen before a flush: a change of
// kind, effect, texture, filtering, dithering or clip rectangle flushes, and so does the end of
// a scene.
//
// Colours are in the engine's order (red in the low byte); 0xFFFFFFFF leaves a texture as it is.
// A draw effect code holds the source blend factor index in bits 0-7, the destination factor
// index in bits 8-15 and the blend operation index in bits 16-23:
//   factors 0 zero, 1 one, 2 source colour, 3 inverse source colour, 4 source alpha, 5 inverse
//   source alpha, 6 destination alpha, 7 inverse destination alpha, 8 destination colour,
//   9 inverse destination colour, 10 source alpha saturated;
//   operations 0 add, 1 reverse subtract (destination - source), 2 subtract (source -
//   destination), 3 minimum, 4 maximum.
// 0x000504 is alpha blending, 0x000104 additive light, 0x000001 an opaque copy (blending and
// alpha test off). Every other code blends, and with AlphaTesting discards pixels of alpha 0.
// An index outside the tables reads as the opaque copy's factor (source one, destination zero)
// or operation (add).
//
// The canvas subscribes to a device (SetPublisher) and makes its buffers when the device is
// initialised; drawing without them does nothing. A device has one canvas: the back end has one
// vertex stream.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "render/asphyre_image.h"
#include "render/device.h"

namespace ox::render {

struct TPoint2 {
  float x = 0;
  float y = 0;
};

// Top-left, top-right, bottom-right, bottom-left for an unrotated rectangle.
using TPoint4 = std::array<TPoint2, 4>;
using TColor4 = std::array<std::uint32_t, 4>;

struct TClipRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const TClipRect&) const = default;
};

// Which part of a picture a textured quad shows. The pattern index is clamped into the
// picture's patterns; offsets are pixels inside the pattern's visible part; a source width or
// height below 1 means the visible width or height. Mirror swaps left and right, flip top and
// bottom.
struct TPatternSelection {
  int pattern = 0;
  int sourceX = 0;
  int sourceY = 0;
  int sourceWidth = 0;
  int sourceHeight = 0;
  bool mirror = false;
  bool flip = false;
};

inline constexpr std::uint32_t kFxBlend = 0x000504;
inline constexpr std::uint32_t kFxAdd = 0x000104;
inline constexpr std::uint32_t kFxCopy = 0x000001;

// The blend state a draw effect code stands for (see the top of this file).
BlendState BlendStateOfEffect(std::uint32_t effect, bool alphaTesting);

// The corners of a box of `size` whose point `middle` (from its top left) is the origin, scaled,
// rotated by `angle` radians and moved to `position`.
TPoint4 RotatedQuad(TPoint2 position, TPoint2 size, TPoint2 middle, float scale, float angle);

// Texture coordinates of a pattern in point order, and the texture that holds it; none when
// the picture has nothing to draw.
struct PatternMapping {
  int textureIndex = 0;
  TPoint4 uv;
};
std::optional<PatternMapping> MapPattern(const TAsphyreImage& image, const TPatternSelection& selection);

class TAsphyreCanvas final : public TAsphyreDeviceSubscriber {
 public:
  TAsphyreCanvas() = default;
  ~TAsphyreCanvas() override;

  // Only changeable while the canvas has no buffers.
  bool AlphaTesting() const { return alphaTesting_; }
  void SetAlphaTesting(bool alphaTesting);
  // Rounded up to a multiple of 4 and kept within 512 ... 65536.
  int VertexCache() const { return vertexCache_; }
  void SetVertexCache(int entries);
  // Linear texture filtering when true, nearest texel when false.
  bool Antialias() const { return antialias_; }
  void SetAntialias(bool antialias);
  bool Dithering() const { return dithering_; }
  void SetDithering(bool dithering);

  // The pattern's visible rectangle at (x, y) in its visible size.
  void Draw(const TAsphyreImage* image, float x, float y, int pattern, std::uint32_t colour,
            std::uint32_t effect);
  // At (x, y), its visible size times scale, rounded.
  void DrawStretch(const TAsphyreImage* image, float x, float y, float scale, int pattern,
                   std::uint32_t colour, std::uint32_t effect);
  // Scaled and rotated about its middle, the middle placed at (x, y).
  void DrawRot(const TAsphyreImage* image, float x, float y, float angle, float scale, int pattern,
               std::uint32_t colour, std::uint32_t effect);
  // The general textured quad; its points are moved half a pixel up and left so that texel
  // centres fall on pixel centres.
  void TexMap(const TAsphyreImage* image, const TPoint4& points, const TColor4& colours,
              const TPatternSelection& selection, std::uint32_t effect);
  void FillQuad(const TPoint4& points, const TColor4& colours, std::uint32_t effect);
  void FillRect(float x, float y, float width, float height, std::uint32_t colour, std::uint32_t effect);
  // Four lines round the rectangle, the right and bottom ones on its last column and row.
  void FrameRect(float x, float y, float width, float height, std::uint32_t colour, std::uint32_t effect);
  void FillTriangle(TPoint2 a, TPoint2 b, TPoint2 c, std::uint32_t colour, std::uint32_t effect);
  // A one-pixel line from a to b, not drawing its last pixel.
  void Line(TPoint2 a, TPoint2 b, std::uint32_t colourA, std::uint32_t colourB, std::uint32_t effect);

  // Flushes, then limits drawing to the rectangle (kept inside the frame).
  void SetClipRect(const TClipRect& rect);
  // The current clip rectangle; all zero without a device.
  TClipRect GetClipRect();
  void Flush();

  bool DeviceNotice(TAsphyreDevice& device, int code) override;

 private:
  enum class Kind { None, Lines, Triangles };

  bool CreateBuffers();
  void ReleaseBuffers();
  void SetSceneStates();
  // Makes room for a primitive and switches effect and texture; false when nothing can be drawn.
  bool BeginPrimitive(Kind kind, int vertices, int indices, std::uint32_t effect, TextureId texture);
  void AddVertex(float x, float y, std::uint32_t colour, float u = 0, float v = 0);
  void AddQuad(const TPoint4& points, const TColor4& colours, const TPoint4& uv, float shift);
  GraphicsBackend* Backend() const;

  bool alphaTesting_ = true;
  int vertexCache_ = 4096;
  bool antialias_ = false;
  bool dithering_ = false;

  bool hasBuffers_ = false;
  bool lost_ = false;
  bool statesPending_ = true;
  std::vector<Vertex> vertices_;
  std::vector<std::uint16_t> indices_;
  Kind kind_ = Kind::None;
  std::optional<std::uint32_t> effect_;
  std::optional<TextureId> texture_;
};

}  // namespace ox::render
