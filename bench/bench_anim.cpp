// An animation of 50 keys with 20 actors each and Count 1000 (50 050 frames), actors on smooth
// paths: building its frame table (time, and the heap bytes the built table keeps) and
// drawing one frame of it onto a canvas whose back end only records the draws.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>
#include <fstream>

#include "../tests/render/fake_backend.h"
#include "elements/an_key.h"
#include "elements/anim.h"
#include "elements/drawing.h"
#include "elements/image.h"
#include "elements/register_classes.h"
#include "media/image_store.h"
#include "picture_sources.h"
#include "render/canvas.h"
#include "render/device.h"
#include "scene/game_root.h"
#include "support/folder_image_host.h"
#include "support/temp_folder.h"

namespace {

// Bytes in use on the heap (one thread: the main arena holds them all).
std::size_t HeapBytes() { return mallinfo2().uordblks; }

}  // namespace

namespace {

namespace fs = std::filesystem;
using namespace ox;

constexpr int kKeys = 50;
constexpr int kActors = 20;
constexpr std::uint16_t kCount = 1000;

fs::path MakeGameFolder(const fs::path& folder) {
  const bench::Bytes bmp = bench::EncodeBmp(8);
  std::ofstream(folder / "actor.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  return folder;
}

struct AnimScene {
  AnimScene() {
    elements::RegisterElementClasses();
    device.SetWidth(1024);
    device.SetHeight(768);
    canvas.SetPublisher(&device);
    device.Initialize();
    media::SetImages(&store);
    elements::SetCanvas(&canvas);
    anim->Interpol = true;
    anim->ShowAn = true;
    for (int k = 0; k < kKeys; ++k) {
      auto* key = scene::TOxElement::CreateIn<elements::TOxAnKey>(*anim);
      key->SetCount(kCount);
      for (int a = 0; a < kActors; ++a) {
        auto* actor = scene::TOxElement::CreateIn<elements::TOxImage>(*key);
        actor->Id = "Actor" + std::to_string(a);
        actor->SetImImage("actor.bmp");
        actor->SetPos((k * 37 + a * 11) % 900, (k * 53 + a * 29) % 700);
        actor->SetScale(0.05L);
        actor->SetAngle(k * 7.5L);
      }
    }
  }
  ~AnimScene() {
    elements::SetCanvas(nullptr);
    media::SetImages(nullptr);
  }

  test_support::TempFolder temp;
  fs::path folder = MakeGameFolder(temp.path());
  test_support::FolderImageHost host{folder};
  render::testing::FakeBackend backend;
  media::ImageStore store{backend, host};
  render::TAsphyreDevice device{backend};
  render::TAsphyreCanvas canvas;
  scene::TOxDB root;
  elements::TOxAnim* anim = scene::TOxElement::CreateIn<elements::TOxAnim>(root);
};

AnimScene& Scene() {
  static AnimScene scene;
  return scene;
}

void BM_Rebuild(benchmark::State& state) {
  AnimScene& scene = Scene();
  for (auto _ : state) scene.anim->Rebuild();
  elements::AnimFrames table;
  const std::size_t before = HeapBytes();
  table.Build(*scene.anim);
  state.counters["table_bytes"] = static_cast<double>(HeapBytes() - before);
  state.counters["frames"] = table.FrameCount();
}
BENCHMARK(BM_Rebuild)->Unit(benchmark::kMillisecond);

void BM_DrawFrame(benchmark::State& state) {
  AnimScene& scene = Scene();
  scene.anim->Rebuild();
  std::int32_t frame = 0;
  for (auto _ : state) {
    scene.anim->DrawFrame(frame, 0xFFFFFFFF, 0, 0);
    scene.canvas.Flush();
    scene.backend.draws.clear();
    frame = (frame + 997) % scene.anim->FrameCount();
  }
}
BENCHMARK(BM_DrawFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
