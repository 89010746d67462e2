// The layer walk of one frame: a screen of 500 shapes drawn layer by layer (no canvas, so the
// cost is the walk and the passes over the tree), with their Orders a few small values, or
// spread over the whole 32-bit range, or with one element at each end of it. The frame costs
// one pass per distinct Order, whatever the span between them.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <limits>

#include "elements/register_classes.h"
#include "elements/screen.h"
#include "elements/shape.h"
#include "scene/game_root.h"
#include "scene/layer_walk.h"

namespace {

using ox::scene::TOxElement;

constexpr int kShapes = 500;

enum class Spread { FewLayers, WholeRange, TwoExtremes };

void BM_FrameLayers(benchmark::State& state) {
  ox::elements::RegisterElementClasses();
  ox::scene::TOxDB root;
  auto* screen = TOxElement::CreateIn<ox::elements::TOxScreen>(root);
  const auto spread = static_cast<Spread>(state.range(0));
  for (int i = 0; i < kShapes; ++i) {
    auto* shape = TOxElement::CreateIn<ox::elements::TOxShape>(*screen);
    std::int32_t order = i % 5;
    if (spread == Spread::WholeRange) order = static_cast<std::int32_t>(static_cast<std::int64_t>(i) * 8589934 - 2147483647);
    if (spread == Spread::TwoExtremes && i < 2)
      order = i == 0 ? std::numeric_limits<std::int32_t>::min() : std::numeric_limits<std::int32_t>::max();
    shape->SetOrder(order);
  }
  std::int64_t layers = 0;
  for (auto _ : state) {
    ox::scene::WalkLayersUp(root.MinOrder, root.MaxOrder, [&root](std::int64_t n) { return root.LayerAtOrAbove(n); },
                            [&](std::int32_t layer) {
                              ++layers;
                              screen->Render(layer, 0xFFFFFFFFu, 0, 0, 0);
                            });
  }
  state.counters["layers_per_frame"] = static_cast<double>(layers) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_FrameLayers)->Arg(0)->Arg(1)->Arg(2)->ArgNames({"spread"})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
