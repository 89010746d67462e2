// The layer walks of drawing and hit testing visit only the layers that exist, in the order of
// a walk over every integer between the lowest and the highest, with Orders changed mid-walk.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "hit_fixture.h"
#include "scene/layer_walk.h"

namespace ox::elements {
namespace {

using scene::TOxElement;
using Draws = std::vector<std::pair<const TOxElement*, std::int32_t>>;

// Records what it draws, and may act (as an exRender script would) when drawn.
struct RecordingShape : TOxShape {
  void Render(std::int32_t layer, std::uint32_t, double, double, std::uint8_t) override {
    if (layer != Order) return;
    draws->emplace_back(this, layer);
    if (onDraw) onDraw();
  }
  Draws* draws = nullptr;
  std::function<void()> onDraw;
};

struct LayerWalk : HitFixture {
  RecordingShape* Recorder(std::int32_t order) {
    auto* shape = TOxElement::CreateIn<RecordingShape>(*current);
    shape->draws = &draws;
    shape->SetOrder(order);
    return shape;
  }
  // Both walks take the range as it stands when they start, as the frame does.
  void DrawByLayers() { DrawByLayers(root.MinOrder, root.MaxOrder); }
  void DrawByLayers(std::int32_t low, std::int32_t high) {
    scene::WalkLayersUp(low, high, [this](std::int64_t n) { return root.LayerAtOrAbove(n); },
                        [this](std::int32_t layer) {
                          ++passes;
                          current->Render(layer, 0xFFFFFFFFu, 0, 0, 0);
                        });
  }
  void DrawByIntegers(std::int32_t low, std::int32_t high) {
    for (std::int64_t layer = low; layer <= high; ++layer)
      current->Render(static_cast<std::int32_t>(layer), 0xFFFFFFFFu, 0, 0, 0);
  }

  Draws draws;
  int passes = 0;
};

constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();

TEST_F(LayerWalk, TheExtremeOrdersCostOnePassEachAndDrawAndHitInLayerOrder) {
  RecordingShape* top = Recorder(kHighest);
  RecordingShape* bottom = Recorder(kLowest);
  RecordingShape* middle = Recorder(0);
  DrawByLayers();
  EXPECT_EQ(draws, (Draws{{bottom, kLowest}, {middle, 0}, {top, kHighest}}));
  EXPECT_EQ(passes, 3) << "the root, the screen and the middle share layer 0";

  for (RecordingShape* shape : {top, bottom, middle}) {
    shape->SetPos(0, 0);
    shape->SetSizeX(10);
    shape->SetSizeY(10);
  }
  EXPECT_EQ(HitAt(5, 5), top);
  top->SetOrder(-5);
  EXPECT_EQ(HitAt(5, 5), middle) << "an Order set later is seen by the next walk";
}

TEST_F(LayerWalk, AnOrderChangedDuringTheFrameCountsForTheLayersStillAhead) {
  RecordingShape* first = Recorder(-2);
  RecordingShape* ahead = Recorder(1);
  RecordingShape* behind = Recorder(3);
  Recorder(6);
  first->onDraw = [&] {
    ahead->SetOrder(4);
    behind->SetOrder(-3);
  };
  const std::int32_t low = root.MinOrder, high = root.MaxOrder;
  DrawByLayers(low, high);
  const Draws byLayers = draws;
  draws.clear();
  ahead->SetOrder(1);
  behind->SetOrder(3);
  DrawByIntegers(low, high);
  EXPECT_EQ(byLayers, draws);
  EXPECT_EQ(byLayers, (Draws{{first, -2}, {ahead, 4}, {draws.back().first, 6}}))
      << "moved ahead: drawn there; moved behind the walk: not drawn this frame";
}

TEST_F(LayerWalk, DrawsWhatTheIntegerWalkDrawsWhenScriptsMoveElementsAtRandom) {
  std::mt19937 random(17);
  std::uniform_int_distribution<std::int32_t> order(-6, 6);
  std::vector<RecordingShape*> shapes;
  for (int i = 0; i < 12; ++i) shapes.push_back(Recorder(order(random)));
  for (int frame = 0; frame < 200; ++frame) {
    std::vector<std::int32_t> orders, moves;
    for (RecordingShape* shape : shapes) orders.push_back(shape->Order), moves.push_back(order(random));
    for (std::size_t i = 0; i < shapes.size(); ++i) {
      RecordingShape* target = shapes[(i * 5 + static_cast<std::size_t>(frame)) % shapes.size()];
      const std::int32_t to = moves[i];
      shapes[i]->onDraw = frame % 3 == 0 ? std::function<void()>{} : [target, to] { target->SetOrder(to); };
    }
    const std::int32_t low = root.MinOrder, high = root.MaxOrder;
    draws.clear();
    DrawByIntegers(low, high);
    const Draws byIntegers = draws;
    for (std::size_t i = 0; i < shapes.size(); ++i) shapes[i]->SetOrder(orders[i]);
    draws.clear();
    DrawByLayers(low, high);
    ASSERT_EQ(draws, byIntegers) << "frame " << frame;
  }
}

}  // namespace
}  // namespace ox::elements
