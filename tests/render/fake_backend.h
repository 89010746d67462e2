// A graphics back end that draws nothing: it keeps textures in memory and records every draw
// call with the states it was made under, and its device results can be scripted.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "render/backend.h"

namespace ox::render::testing {

struct RecordedDraw {
  PrimitiveKind kind;
  std::vector<Vertex> vertices;
  std::vector<std::uint16_t> indices;
  BlendState blend;
  TextureId texture;
  bool linear;
  bool dithering;
};

class FakeBackend final : public GraphicsBackend {
 public:
  bool createSucceeds = true;
  bool resetSucceeds = true;
  std::vector<PresentResult> presentResults;  // consumed in order; Ok when empty
  std::vector<TextureFormat> unsupported;
  bool copyBuffers = false;
  std::vector<std::string> calls;  // device-level calls in order
  std::vector<RecordedDraw> draws;
  int streamVertices = 0;
  int streamIndices = 0;
  int sceneStateSets = 0;
  std::uint32_t clearColour = 0;

  bool CreateDevice(const PresentParameters& p) override {
    calls.push_back("create");
    parameters = p;
    viewport = {0, 0, p.width, p.height};
    return createSucceeds;
  }
  void ReleaseDevice() override { calls.push_back("release"); }
  bool ResetDevice(const PresentParameters& p) override {
    calls.push_back("reset");
    parameters = p;
    ReleaseStream();
    return resetSucceeds;
  }
  PresentResult Present() override {
    calls.push_back("present");
    if (presentResults.empty()) return PresentResult::Ok;
    const PresentResult result = presentResults.front();
    presentResults.erase(presentResults.begin());
    return result;
  }
  bool Clear(std::uint32_t colour) override {
    calls.push_back("clear");
    clearColour = colour;
    return true;
  }
  bool BeginScene() override {
    calls.push_back("begin");
    return true;
  }
  bool EndScene() override {
    calls.push_back("end");
    return true;
  }
  bool ReadFrame(std::vector<std::uint32_t>&, int&, int&) override { return false; }

  bool SupportsTextureFormat(TextureFormat format) override {
    for (const TextureFormat f : unsupported) {
      if (f == format) return false;
    }
    return true;
  }
  TextureId CreateTexture(int width, int height, TextureFormat format) override {
    Texture& t = textures[nextTexture];
    t.width = width;
    t.height = height;
    t.format = format;
    t.texels.assign((static_cast<std::size_t>(width * height * BytesPerTexel(format)) + 3) / 4, 0);
    return nextTexture++;
  }
  // Keeps the buffer as the texture's texels, as a back end with textures in memory does; or,
  // with copyBuffers, leaves it to the interface, which copies it in through a lock.
  TextureId CreateTextureFrom(int width, int height, TexelBuffer&& argb) override {
    if (copyBuffers) return GraphicsBackend::CreateTextureFrom(width, height, std::move(argb));
    if (width <= 0 || height <= 0 || argb.size() != static_cast<std::size_t>(width * height)) return 0;
    Texture& t = textures[nextTexture];
    t.width = width;
    t.height = height;
    t.format = TextureFormat::A8R8G8B8;
    t.texels = std::move(argb);
    return nextTexture++;
  }
  void ReleaseTexture(TextureId texture) override { textures.erase(texture); }
  std::optional<TexelLock> LockTexture(TextureId texture, bool) override {
    const auto found = textures.find(texture);
    if (found == textures.end()) return std::nullopt;
    Texture& t = found->second;
    return TexelLock{reinterpret_cast<std::uint8_t*>(t.texels.data()), t.width * BytesPerTexel(t.format),
                     t.width, t.height, t.format};
  }
  void UnlockTexture(TextureId) override {}

  bool CreateStream(int vertices, int indices) override {
    streamVertices = vertices;
    streamIndices = indices;
    return true;
  }
  void ReleaseStream() override { streamVertices = streamIndices = 0; }
  bool DrawIndexed(PrimitiveKind kind, std::span<const Vertex> vertices,
                   std::span<const std::uint16_t> indices) override {
    draws.push_back({kind, {vertices.begin(), vertices.end()}, {indices.begin(), indices.end()},
                     blend, texture, linear, dithering});
    return streamVertices > 0;
  }

  void SetSceneStates() override {
    ++sceneStateSets;
    blend = {};
    texture = 0;
  }
  void SetBlend(const BlendState& state) override { blend = state; }
  void SetTexture(TextureId t) override { texture = t; }
  void SetLinearFiltering(bool l) override { linear = l; }
  void SetDithering(bool d) override { dithering = d; }
  void SetViewport(const Viewport& v) override { viewport = v; }
  Viewport GetViewport() override { return viewport; }

  struct Texture {
    int width = 0, height = 0;
    TextureFormat format = TextureFormat::A8R8G8B8;
    TexelBuffer texels;  // 32-bit words whatever the format
  };
  std::map<TextureId, Texture> textures;
  PresentParameters parameters;

 private:
  TextureId nextTexture = 1;
  BlendState blend;
  TextureId texture = 0;
  bool linear = false;
  bool dithering = false;
  Viewport viewport;
};

}  // namespace ox::render::testing
