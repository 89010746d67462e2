// The graphics back end: the one interface through which the device, the canvas and the
// picture textures reach the graphics hardware. It offers a render target of the device's size,
// textures written and read row by row, one dynamic stream of pre-transformed vertices drawn
// as indexed line or triangle lists, the blend and sampling states of the canvas, a viewport
// that limits drawing, clearing, presentation and read-back of the frame.
//
// Coordinates are those the games were drawn for: vertex positions are screen pixels with
// the centre of pixel (i, j) at (i, j), and a texel's centre at ((i + 0.5) / width, ...). All
// colours (vertices, clearing, texels of A8R8G8B8, the frame read back) are in device order,
// 0xAARRGGBB (see colour.h).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/graphics/texel_buffer.h"
#include "platform/graphics/texel_format.h"

namespace ox::platform {

// A pre-transformed vertex (28 bytes): position, reciprocal w, colour, one texture coordinate.
struct Vertex {
  float x = 0, y = 0, z = 0, rhw = 1;
  std::uint32_t colour = 0;
  float u = 0, v = 0;
};
static_assert(sizeof(Vertex) == 28);

enum class PrimitiveKind { Lines, Triangles };

enum class BlendFactor {
  Zero, One, SourceColour, InverseSourceColour, SourceAlpha, InverseSourceAlpha,
  DestinationAlpha, InverseDestinationAlpha, DestinationColour, InverseDestinationColour,
  SourceAlphaSaturated
};

enum class BlendOperation { Add, ReverseSubtract, Subtract, Minimum, Maximum };

// Blending off writes the source unchanged. The alpha test, when on, discards pixels whose
// alpha is below 1 (of 255).
struct BlendState {
  bool blending = false;
  bool alphaTest = false;
  BlendFactor source = BlendFactor::One;
  BlendFactor destination = BlendFactor::Zero;
  BlendOperation operation = BlendOperation::Add;
  bool operator==(const BlendState&) const = default;
};

struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const Viewport&) const = default;
};

struct PresentParameters {
  int width = 640;
  int height = 480;
  bool windowed = true;
  bool vsync = false;
  bool depthBuffer = false;
};

enum class PresentResult { Ok, DriverInternalError };

using TextureId = std::uint32_t;  // 0 names no texture

// Texels of a locked texture: `height` rows of `pitch` bytes from `bits`.
struct TexelLock {
  std::uint8_t* bits = nullptr;
  int pitch = 0;
  int width = 0;
  int height = 0;
  TextureFormat format = TextureFormat::A8R8G8B8;
};

class GraphicsBackend {
 public:
  virtual ~GraphicsBackend() = default;

  // The device. CreateDevice makes the render target; a reset keeps textures (they are
  // managed) but drops the vertex stream, which its owner makes again.
  virtual bool CreateDevice(const PresentParameters& parameters) = 0;
  virtual void ReleaseDevice() = 0;
  virtual bool ResetDevice(const PresentParameters& parameters) = 0;
  virtual PresentResult Present() = 0;
  // Clears the viewport's part of the target.
  virtual bool Clear(std::uint32_t colour) = 0;
  virtual bool BeginScene() = 0;
  virtual bool EndScene() = 0;
  // The whole target, rows from the top, alpha 255.
  virtual bool ReadFrame(std::vector<std::uint32_t>& pixels, int& width, int& height) = 0;

  // Textures. A texture's texels start undefined; a lock gives all of them, and unlocking
  // after a writing lock makes the written texels the ones drawn.
  virtual bool SupportsTextureFormat(TextureFormat format) = 0;
  virtual TextureId CreateTexture(int width, int height, TextureFormat format) = 0;
  // An A8R8G8B8 texture of width x height holding `argb` (row by row, exactly its size), the
  // buffer taken over where the back end keeps texels in memory; 0 when it cannot be made.
  virtual TextureId CreateTextureFrom(int width, int height, TexelBuffer&& argb);
  virtual void ReleaseTexture(TextureId texture) = 0;
  virtual std::optional<TexelLock> LockTexture(TextureId texture, bool readOnly) = 0;
  virtual void UnlockTexture(TextureId texture) = 0;

  // The vertex stream: room for `vertices` vertices and `indices` 16-bit indices; each draw
  // overwrites what the previous one sent.
  virtual bool CreateStream(int vertices, int indices) = 0;
  virtual void ReleaseStream() = 0;
  virtual bool DrawIndexed(PrimitiveKind kind, std::span<const Vertex> vertices,
                           std::span<const std::uint16_t> indices) = 0;

  // States. Scene states: no culling, no depth test, no texture, the blend state off, texels
  // multiplied by the vertex colour whenever a texture is set.
  virtual void SetSceneStates() = 0;
  virtual void SetBlend(const BlendState& state) = 0;
  virtual void SetTexture(TextureId texture) = 0;
  virtual void SetLinearFiltering(bool linear) = 0;
  virtual void SetDithering(bool dithering) = 0;
  // The viewport is kept inside the render target.
  virtual void SetViewport(const Viewport& viewport) = 0;
  virtual Viewport GetViewport() = 0;
};

}  // namespace ox::platform
