// One game tick of particle effects: four systems of about 5,000 live particles each updated
// by 1/30 s and drawn into the canvas; one tick of a full star pool, moved and drawn; and the
// star side of a frame's walk over 50 layers. All against a back end that discards what it is
// sent, so the figures are the CPU's share.
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <vector>

#include "discarding_backend.h"
#include "elements/drawing.h"
#include "elements/star_drawing.h"
#include "platform/core/random.h"
#include "render/particle_system.h"

namespace ox::render {
namespace {

constexpr int kSystems = 4;
constexpr float kTick = 1.0f / 30.0f;

struct ParticleScene {
  ParticleScene() {
    device.SetWidth(1024);
    device.SetHeight(768);
    canvas.SetPublisher(&device);
    ready = device.Initialize();
    const std::vector<std::uint32_t> pixels(64 * 64, 0x80FFFFFF);
    ready = ready && texture.LoadFromBitmap(pixels, 64, 64, 4, 4);
    platform::SeedSharedRandom(1);
    for (int i = 0; i < kSystems; ++i) {
      systems[i] = manager.CreateSystem(5000);
      TParticleParams& p = systems[i]->Params();
      p = {.FirstPattern = 0, .LastPattern = 15, .DrawEffect = kFxAdd, .EmitRate = 2600, .Duration = 1e9f,
           .LifeA = 1.5f, .LifeB = 2.5f, .Spread = 6.3f, .SpeedA = 50, .SpeedB = 200, .GravityA = 5,
           .GravityB = 20, .RadialA = -2, .RadialB = 2, .TangentialA = 0, .TangentialB = 5,
           .ScaleStart = 0.2f, .ScaleMiddle = 1, .ScaleEnd = 0.1f, .ScaleVariance = 0.5f, .SpinStart = 0,
           .SpinMiddle = 3, .SpinEnd = 6, .SpinVariance = 0.5f, .ColorStart = 0xFF2040FF,
           .ColorMiddle = 0x80FFFFFF, .ColorEnd = 0x00FF0000, .ColorVariance = 0.3f, .AlphaVariance = 0.3f,
           .MiddleTime = 0.4f};
      systems[i]->MoveTo({200.0f + 200.0f * static_cast<float>(i), 384}, false);
      systems[i]->Start();
    }
    for (int tick = 0; tick < 120; ++tick) Tick();
  }

  void Tick() {
    for (auto& s : systems) s->Update(kTick);
    device.Render(0, true);
  }

  int Live() const {
    int live = 0;
    for (const auto& s : systems) live += s->Count();
    return live;
  }

  DiscardingBackend backend;
  TAsphyreDevice device{backend};
  TAsphyreCanvas canvas;
  TAsphyreImage texture{backend};
  TXParticleManager manager{&canvas, [this]() -> const TAsphyreImage* { return &texture; }};
  std::array<std::unique_ptr<TXParticleSystem>, kSystems> systems;
  bool ready = false;
};

void BM_FourSystemsOneTick(benchmark::State& state) {
  ParticleScene scene;
  if (!scene.ready) {
    state.SkipWithError("the scene could not be set up");
    return;
  }
  // Argument 0 measures the update alone.
  if (state.range(0) != 0) {
    scene.device.OnRender = [&scene](TAsphyreDevice&) {
      scene.canvas.SetAntialias(true);
      for (const auto& s : scene.systems) s->Render(scene.canvas, 0, 0, 0xFFFFFFFF);
    };
  }
  for (auto _ : state) scene.Tick();
  state.counters["live_particles"] = static_cast<double>(scene.Live());
  state.SetItemsProcessed(state.iterations() * scene.Live());
}
BENCHMARK(BM_FourSystemsOneTick)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_FullStarPoolOneTick(benchmark::State& state) {
  ParticleScene scene;
  if (!scene.ready) {
    state.SkipWithError("the scene could not be set up");
    return;
  }
  scene::StarPool stars;
  for (std::size_t i = 0; i < scene::StarPool::kSlots; ++i) {
    const double x = static_cast<double>(i % 100) * 10, y = static_cast<double>(i / 100) * 15;
    stars.AddStar(static_cast<std::int32_t>(i % 16), std::nullopt, scene::StarPool::kDefaultEffect, scene::StarPool::kAfterAllLayers,
                  {0, x, y, 1, 3, -1e-9, 0.1, -0.1});
  }
  elements::SetCanvas(&scene.canvas);
  elements::SetParticleManager(&scene.manager);
  scene.device.OnRender = [&stars](TAsphyreDevice&) { elements::DrawStars(stars, scene::StarPool::kAfterAllLayers); };
  for (auto _ : state) {
    stars.UpdateStars();
    scene.device.Render(0, true);
  }
  elements::SetParticleManager(nullptr);
  elements::SetCanvas(nullptr);
  state.counters["live_stars"] = static_cast<double>(stars.LiveCount());
}
BENCHMARK(BM_FullStarPoolOneTick)->Unit(benchmark::kMicrosecond);

// A frame of a screen with elements on layers 0 ... 49 and the given number of sparkles above
// all layers: after each layer the walk asks for the next star layer and draws that layer's
// stars, then the sparkles are drawn.
void BM_StarsOfFiftyLayers(benchmark::State& state) {
  constexpr std::int32_t kLayers = 50;
  ParticleScene scene;
  if (!scene.ready) {
    state.SkipWithError("the scene could not be set up");
    return;
  }
  scene::StarPool stars;
  for (std::int64_t i = 0; i < state.range(0); ++i) {
    stars.AddStar(2, std::nullopt, scene::StarPool::kDefaultEffect, scene::StarPool::kAfterAllLayers,
                  {0, static_cast<double>(i % 100) * 10, static_cast<double>(i / 100) * 15, 1, 0, 0, 0, 0});
  }
  elements::SetCanvas(&scene.canvas);
  elements::SetParticleManager(&scene.manager);
  std::int64_t starLayers = 0;
  scene.device.OnRender = [&](TAsphyreDevice&) {
    for (std::int32_t layer = 0; layer < kLayers; ++layer) {
      starLayers += stars.LayerAtOrAbove(layer) == layer ? 1 : 0;
      elements::DrawStars(stars, layer);
    }
    elements::DrawStars(stars, scene::StarPool::kAfterAllLayers);
  };
  for (auto _ : state) scene.device.Render(0, true);
  elements::SetParticleManager(nullptr);
  elements::SetCanvas(nullptr);
  benchmark::DoNotOptimize(starLayers);
}
BENCHMARK(BM_StarsOfFiftyLayers)->Arg(100)->Arg(5001)->ArgNames({"sparkles"})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ox::render

BENCHMARK_MAIN();
