// The canvas's share of a frame of game elements (their drawing and the batching of what they
// draw, not the driver): 100 boxes of mixed effects and sizes and an inventory list of 40
// items with one selected and grown, drawn layer by layer as the frame loop draws a screen,
// against a back end that discards what it is sent. Pies are measured apart: a frame of pies
// whose pictures are already made, and the making of one picture.
// On a shared machine compare medians: --benchmark_repetitions=15
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "discarding_backend.h"
#include "elements/drawing.h"
#include "elements/im_list.h"
#include "elements/image.h"
#include "elements/pie_raster.h"
#include "elements/register_classes.h"
#include "elements/screen.h"
#include "elements/shape.h"
#include "media/image_store.h"
#include "platform/game_files.h"
#include "render/canvas.h"
#include "scene/game_root.h"

namespace ox::bench {
namespace {

namespace fs = std::filesystem;
using elements::TOxImage;
using elements::TOxImList;
using elements::TOxScreen;
using elements::TOxShape;
using scene::TOxElement;

constexpr int kBoxes = 100;
constexpr int kListItems = 40;
constexpr int kItemPictures = 8;

// A 32-bit BMP of side x side pixels of one colour.
std::string Bmp32(int side, std::uint32_t argb) {
  auto le32 = [](std::uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
  const auto size = static_cast<std::uint32_t>(side * side * 4);
  std::string bmp = "BM" + le32(54 + size) + le32(0) + le32(54) + le32(40) + le32(side) + le32(side);
  bmp += std::string{1, 0, 32, 0} + le32(0) + le32(size) + le32(2835) + le32(2835) + le32(0) + le32(0);
  for (int i = 0; i < side * side; ++i) bmp += le32(argb);
  return bmp;
}

// A game folder holding the items' pictures, removed at the end of the run.
const fs::path& GameFolder() {
  static const fs::path folder = [] {
    std::string pattern = (fs::temp_directory_path() / "oxplayer-bench-elements-XXXXXX").string();
    const fs::path made = ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
    for (int i = 0; i < kItemPictures; ++i) {
      std::ofstream(made / ("item" + std::to_string(i) + ".bmp"), std::ios::binary)
          << Bmp32(48, 0xFF000000u | (0x1F3D5Bu * static_cast<std::uint32_t>(i + 1)));
    }
    std::atexit([] { fs::remove_all(GameFolder()); });
    return made;
  }();
  return folder;
}

class BenchHost final : public media::ImageStoreHost {
 public:
  std::int32_t MaxMem() const override { return 0; }
  bool AlwaysLoadIm() const override { return true; }
  const platform::GameFiles& GameData() const override { return files_; }
  const platform::GameFiles* ProgramFiles() const override { return nullptr; }
  std::string ProgramFolderPrefix() const override { return {}; }
  render::TASDb* Archive() override { return nullptr; }
  fs::path UserFolder() const override { return GameFolder(); }
  bool Loading() const override { return false; }
  void LoadImProcess() override {}

 private:
  platform::GameFiles files_{GameFolder()};
};

// A current screen on a device and canvas that discard what they draw, with the player's image
// store; the scene's elements are added by the benchmarks.
struct Frame {
  Frame() {
    elements::RegisterElementClasses();
    device.SetWidth(1024);
    device.SetHeight(768);
    canvas.SetPublisher(&device);
    ready = device.Initialize();
    media::SetImages(&store);
    elements::SetCanvas(&canvas);
  }
  ~Frame() {
    elements::SetCanvas(nullptr);
    media::SetImages(nullptr);
  }

  void AddBoxes() {
    for (int i = 0; i < kBoxes; ++i) {
      auto* box = TOxElement::CreateIn<TOxShape>(*screen);
      box->SetPos(i * 37 % 900, i * 53 % 700);
      box->SetSizeX(20 + i % 7 * 15);
      box->SetSizeY(20 + i % 5 * 20);
      box->SetHxColor(0x102030u * static_cast<std::uint32_t>(i));
      box->SetHxTrans(static_cast<std::uint8_t>(128 + i));
      box->hxDrawFx = i % 4 == 3 ? render::kFxAdd : render::kFxBlend;
    }
  }
  // Eight columns of five rows, the item under the mouse selected and grown.
  void AddList() {
    auto* list = TOxElement::CreateIn<TOxImList>(*screen);
    list->SetPos(100, 300);
    list->SetSizeX(8 * 60 + 7 * 8);
    list->SetSizeY(5 * 60 + 4 * 8);
    list->SetColCount(8);
    list->SetRowCount(5);
    list->SetSpace(8);
    list->Scale = 1.5;
    for (int i = 0; i < kListItems; ++i) {
      auto* item = TOxElement::CreateIn<TOxImage>(*screen);
      item->SetVis(false);
      item->SetImImage("item" + std::to_string(i % kItemPictures) + ".bmp");
      list->AddItem(*item);
    }
    list->HitTest(list->Order, 100 + 3 * 68 + 10, 300 + 2 * 68 + 10, 0, 0);
    for (int tick = 0; tick < 10; ++tick) list->Process();
  }
  void AddPies(int count) {
    for (int i = 0; i < count; ++i) {
      auto* pie = TOxElement::CreateIn<TOxShape>(*screen);
      pie->SetPos(i * 37 % 900, i * 53 % 700);
      pie->SetSizeX(64);
      pie->SetSizeY(64);
      pie->ShapeType = elements::kShapeCircle;
      pie->Par1 = i * 7 % 360;
      pie->Par2 = i * 13 % 360;
      pie->Par3 = 1;
    }
  }

  // The frame loop's drawing of the current screen: every layer from the lowest up.
  void Draw() {
    device.OnRender = [this](render::TAsphyreDevice&) {
      for (std::int32_t layer = root.MinOrder; layer <= root.MaxOrder; ++layer)
        screen->Render(layer, 0xFFFFFFFF, 0, 0, 0);
    };
    device.Render(0, true);
  }

  render::DiscardingBackend backend;
  render::TAsphyreDevice device{backend};
  render::TAsphyreCanvas canvas;
  BenchHost host;
  media::ImageStore store{backend, host};
  scene::TOxDB root;  // after the back end: the tree's pictures are released first
  TOxScreen* screen = TOxElement::CreateIn<TOxScreen>(root);
  bool ready = false;
};

void Run(benchmark::State& state, Frame& frame) {
  if (!frame.ready) return state.SkipWithError("the device could not be set up");
  frame.Draw();  // pictures loaded, pies made
  const std::int64_t before = frame.backend.draws;
  for (auto _ : state) frame.Draw();
  state.counters["draw_calls_per_frame"] = benchmark::Counter(
      static_cast<double>(frame.backend.draws - before), benchmark::Counter::kAvgIterations);
}

void BM_BoxesAndListFrame(benchmark::State& state) {
  Frame frame;
  frame.AddBoxes();
  frame.AddList();
  Run(state, frame);
}
BENCHMARK(BM_BoxesAndListFrame)->Unit(benchmark::kMicrosecond);

void BM_CachedPiesFrame(benchmark::State& state) {
  Frame frame;
  frame.AddPies(100);
  Run(state, frame);
}
BENCHMARK(BM_CachedPiesFrame)->Unit(benchmark::kMicrosecond);

void BM_PieRaster(benchmark::State& state) {
  const auto side = static_cast<std::int32_t>(state.range(0));
  const elements::RadialPoint first = elements::RadialPointOf(side, side, 30);
  const elements::RadialPoint second = elements::RadialPointOf(side, side, 250);
  for (auto _ : state) benchmark::DoNotOptimize(elements::RasterisePie(side, side, first, second));
  state.SetItemsProcessed(state.iterations() * side * side);
}
BENCHMARK(BM_PieRaster)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace ox::bench

BENCHMARK_MAIN();
