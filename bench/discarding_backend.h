// A graphics back end for benchmarks that accepts everything and draws nothing, so that a
// benchmark measures only what the canvas and its callers spend.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "render/backend.h"

namespace ox::render {

// Accepts everything and draws nothing; only touches what it is sent.
class DiscardingBackend final : public GraphicsBackend {
 public:
  bool CreateDevice(const PresentParameters&) override { return true; }
  void ReleaseDevice() override {}
  bool ResetDevice(const PresentParameters&) override { return true; }
  PresentResult Present() override { return PresentResult::Ok; }
  bool Clear(std::uint32_t) override { return true; }
  bool BeginScene() override { return true; }
  bool EndScene() override { return true; }
  bool ReadFrame(std::vector<std::uint32_t>&, int&, int&) override { return false; }
  bool SupportsTextureFormat(TextureFormat) override { return true; }
  TextureId CreateTexture(int w, int h, TextureFormat) override {
    textures_.push_back({std::vector<std::uint8_t>(static_cast<std::size_t>(w * h * 4)), w, h});
    return static_cast<TextureId>(textures_.size());
  }
  void ReleaseTexture(TextureId) override {}
  std::optional<TexelLock> LockTexture(TextureId t, bool) override {
    Texture& texture = textures_[t - 1];
    return TexelLock{texture.texels.data(), texture.width * 4, texture.width, texture.height,
                     TextureFormat::A8R8G8B8};
  }
  void UnlockTexture(TextureId) override {}
  bool CreateStream(int, int) override { return true; }
  void ReleaseStream() override {}
  bool DrawIndexed(PrimitiveKind, std::span<const Vertex> v, std::span<const std::uint16_t> i) override {
    benchmark::DoNotOptimize(v.data());
    benchmark::DoNotOptimize(i.data());
    ++draws;
    return true;
  }
  void SetSceneStates() override {}
  void SetBlend(const BlendState&) override {}
  void SetTexture(TextureId) override {}
  void SetLinearFiltering(bool) override {}
  void SetDithering(bool) override {}
  void SetViewport(const Viewport&) override {}
  Viewport GetViewport() override { return {0, 0, 1024, 768}; }
  std::int64_t draws = 0;

 private:
  struct Texture {
    std::vector<std::uint8_t> texels;
    int width, height;
  };
  std::vector<Texture> textures_;
};

}  // namespace ox::render
