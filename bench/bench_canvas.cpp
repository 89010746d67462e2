// The canvas's cost per frame of 10,000 textured quads with mixed effects and textures: its
// own share (batching and handing the batches over) against a back end that discards them,
// and the whole frame drawn by the OpenGL back end off screen.
#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <memory>
#include <vector>

#include "discarding_backend.h"
#include "render/canvas.h"
#include "platform/graphics/egl_surface.h"
#include "platform/graphics/gl_backend.h"

namespace ox::render {
namespace {

constexpr int kQuads = 10000;
constexpr int kPictures = 16;
constexpr std::uint32_t kEffects[] = {kFxBlend, kFxAdd, kFxCopy};

struct Scene {
  explicit Scene(GraphicsBackend& backend) : device(backend) {
    device.SetWidth(1024);
    device.SetHeight(768);
    canvas.SetPublisher(&device);
    ready = device.Initialize();
    const std::vector<std::uint32_t> pixels(32 * 32, 0x80FFFFFF);
    for (int i = 0; i < kPictures && ready; ++i) {
      pictures.push_back(std::make_unique<TAsphyreImage>(backend));
      ready = pictures.back()->LoadFromBitmap(pixels, 32, 32, 1, 1);
    }
  }

  // `run` consecutive quads share picture and effect; a mix of plain, rotated and stretched.
  void DrawFrame(int run) {
    device.OnRender = [this, run](TAsphyreDevice&) {
      for (int i = 0; i < kQuads; ++i) {
        const int group = i / run;
        const TAsphyreImage* picture = pictures[static_cast<std::size_t>(group % kPictures)].get();
        const std::uint32_t effect = kEffects[group % 3];
        const float x = static_cast<float>(i * 37 % 1000), y = static_cast<float>(i * 53 % 740);
        switch (i % 3) {
          case 0: canvas.Draw(picture, x, y, 0, 0xFFFFFFFF, effect); break;
          case 1: canvas.DrawRot(picture, x, y, 0.3f * static_cast<float>(i), 1.2f, 0, 0xC0FF8040, effect); break;
          default: canvas.DrawStretch(picture, x, y, 0.75f, 0, 0xFFFFFFFF, effect); break;
        }
      }
    };
    device.Render(0, true);
  }

  TAsphyreDevice device;
  TAsphyreCanvas canvas;
  std::vector<std::unique_ptr<TAsphyreImage>> pictures;
  bool ready = false;
};

void BM_CanvasOnly(benchmark::State& state) {
  DiscardingBackend backend;
  Scene scene(backend);
  if (!scene.ready) {
    state.SkipWithError("the scene could not be set up");
    return;
  }
  const int run = static_cast<int>(state.range(0));
  for (auto _ : state) scene.DrawFrame(run);
  state.counters["draw_calls_per_frame"] =
      benchmark::Counter(static_cast<double>(backend.draws), benchmark::Counter::kAvgIterations);
  state.SetItemsProcessed(state.iterations() * kQuads);
}
BENCHMARK(BM_CanvasOnly)->Arg(1)->Arg(50)->Arg(kQuads)->Unit(benchmark::kMillisecond);

void BM_WholeFrameOffscreen(benchmark::State& state) {
  platform::EglSurface surface;
  platform::GlBackend backend(surface);
  Scene scene(backend);
  if (!scene.ready) {
    state.SkipWithError("no OpenGL 3.3 core context through EGL");
    return;
  }
  const int run = static_cast<int>(state.range(0));
  for (auto _ : state) {
    scene.DrawFrame(run);
    glFinish();
  }
  state.SetItemsProcessed(state.iterations() * kQuads);
}
BENCHMARK(BM_WholeFrameOffscreen)->Arg(1)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace ox::render

BENCHMARK_MAIN();
