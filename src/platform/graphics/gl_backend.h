// The graphics back end on OpenGL 3.3 core. The frame is always drawn into an off-screen target
// of the device's size without an alpha channel (so destination alpha reads as opaque, as on a
// desktop back buffer). Presenting shows it scaled into the surface's drawable as the surface's
// scale mode says, between black bars; a surface that shows nothing (headless) keeps it for
// read-back only. Textures keep a copy of their texels in their own format, so locks read
// exactly what was written and survive a device reset.
#pragma once

#include <epoxy/gl.h>

#include <map>
#include <vector>

#include "platform/graphics/gl_program.h"
#include "platform/graphics/gl_texture_pool.h"
#include "platform/graphics/graphics_backend.h"
#include "platform/graphics/window_surface.h"

namespace ox::platform {

class GlBackend final : public GraphicsBackend {
 public:
  // The surface must outlive the back end.
  explicit GlBackend(platform::WindowSurface& surface) : surface_(surface) {}
  ~GlBackend() override;
  GlBackend(const GlBackend&) = delete;
  GlBackend& operator=(const GlBackend&) = delete;

  bool CreateDevice(const PresentParameters& parameters) override;
  void ReleaseDevice() override;
  bool ResetDevice(const PresentParameters& parameters) override;
  PresentResult Present() override;
  bool Clear(std::uint32_t colour) override;
  bool BeginScene() override { return created_; }
  bool EndScene() override { return created_; }
  bool ReadFrame(std::vector<std::uint32_t>& pixels, int& width, int& height) override;

  bool SupportsTextureFormat(TextureFormat) override { return true; }
  TextureId CreateTexture(int width, int height, TextureFormat format) override;
  TextureId CreateTextureFrom(int width, int height, TexelBuffer&& argb) override;
  void ReleaseTexture(TextureId texture) override;
  std::optional<TexelLock> LockTexture(TextureId texture, bool readOnly) override;
  void UnlockTexture(TextureId texture) override;

  bool CreateStream(int vertices, int indices) override;
  void ReleaseStream() override;
  bool DrawIndexed(PrimitiveKind kind, std::span<const Vertex> vertices,
                   std::span<const std::uint16_t> indices) override;

  void SetSceneStates() override;
  void SetBlend(const BlendState& state) override;
  void SetTexture(TextureId texture) override;
  void SetLinearFiltering(bool linear) override;
  void SetDithering(bool dithering) override;
  void SetViewport(const Viewport& viewport) override;
  Viewport GetViewport() override { return viewport_; }

 private:
  struct Texture {
    GLuint name = 0;
    int width = 0;
    int height = 0;
    TextureFormat format = TextureFormat::A8R8G8B8;
    TexelBuffer texels;  // the texels as last written, in 32-bit words whatever the format
    bool writing = false;
    bool stored = false;  // the driver holds storage of the texture's size
    bool stale = true;    // written since the driver last had the texels
  };

  bool CreateTarget(const PresentParameters& parameters);
  void ReleaseTarget();
  TextureId AddTexture(Texture texture);
  // Hands the driver the texels written since it last had them.
  void Upload(Texture& texture);
  void RebindTexture() const;
  void Stream(std::span<const Vertex> vertices, std::span<const std::uint16_t> indices) const;
  void ApplyScissor() const;

  platform::WindowSurface& surface_;
  bool created_ = false;
  PresentParameters parameters_;
  GlProgram program_;
  GLuint framebuffer_ = 0;
  GLuint colourBuffer_ = 0;
  GLuint depthBuffer_ = 0;
  GLuint nearestSampler_ = 0;
  GLuint linearSampler_ = 0;
  GLuint vertexArray_ = 0;
  GLuint vertexBuffer_ = 0;
  GLuint indexBuffer_ = 0;
  int streamVertices_ = 0;
  int streamIndices_ = 0;
  std::map<TextureId, Texture> textures_;
  GlTexturePool spareTextures_{std::size_t{8} << 20};  // texels: about ten full frames
  TextureId nextTexture_ = 1;
  TextureId boundTexture_ = 0;
  Texture* bound_ = nullptr;  // the entry of boundTexture_
  Viewport viewport_;
};

}  // namespace ox::platform
