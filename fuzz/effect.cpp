// Effect files: the parameter block read into a particle system of an effect's capacity, which
// then emits, moves and draws. The block is the first 136 bytes; the bytes after it are a play
// of the system, one operation a byte (some take a time step or a position from the bytes after
// them), so the fuzzer chooses the time steps too (any float: a time factor or ProcEf's ticks
// can make 0, negative or huge ones) and the positions (whole numbers, as elements have).
// Without them the system plays one second of 30 frames.
#include <algorithm>
#include <bit>
#include <vector>

#include "../tests/render/fake_backend.h"
#include "platform/core/random.h"
#include "render/canvas.h"
#include "render/device.h"
#include "render/particle_system.h"

namespace {

using namespace ox::render;

// Fewer particles than an effect element's 5,000 keep an input that fills the system at every
// step quick; no path depends on the number.
constexpr int kCapacity = 500;
constexpr int kMostOperations = 64;

class Play {
 public:
  Play(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t Word() {
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) bits |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return bits;
  }
  float Step() { return std::bit_cast<float>(Word()); }
  TPoint2 Position() {
    const auto x = static_cast<float>(static_cast<std::int32_t>(Word()));
    return {x, static_cast<float>(static_cast<std::int32_t>(Word()))};
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

struct Stage {
  Stage() {
    device.SetWidth(1024);
    device.SetHeight(768);
    canvas.SetPublisher(&device);
    device.Initialize();
    const std::vector<std::uint32_t> pixels(32 * 16, 0xFFFFFFFF);
    texture.LoadFromBitmap(pixels, 32, 16, 2, 1);
  }
  void Draw(const TXParticleSystem& system, int x, int y) {
    system.Render(canvas, x, y, 0xFFFFFFFF);
    canvas.Flush();
    backend.draws.clear();
  }

  testing::FakeBackend backend;
  TAsphyreDevice device{backend};
  TAsphyreCanvas canvas;
  TAsphyreImage texture{backend};
  TXParticleManager manager{&canvas, [this]() -> const TAsphyreImage* { return &texture; }};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Stage stage;
  ox::platform::SeedSharedRandom(1);
  const std::size_t block = std::min(size, kParticleParamsSize);
  auto system = stage.manager.CreateSystem(kCapacity);
  if (!system->LoadFromStream({data, block})) return 0;
  system->MoveTo({512, 384}, false);
  system->Start();

  Play play(data + block, size - block);
  if (!play.More()) {
    for (int frame = 0; frame < 30; ++frame) {
      system->Update(1.0f / 30);
      if (frame % 10 == 0) stage.Draw(*system, 0, 0);
    }
    return 0;
  }
  for (int n = 0; n < kMostOperations && play.More(); ++n) {
    switch (play.Byte() % 8) {
      case 0: system->Update(1.0f / 30); break;
      case 1: system->Update(play.Step()); break;
      case 2: system->Start(); break;
      case 3: system->Stop(play.Byte() & 1); break;
      case 4: {
        const TPoint2 to = play.Position();
        system->MoveTo(to, play.Byte() & 1);
        break;
      }
      case 5: system->Restart(play.Position()); break;
      case 6: {
        const TPoint2 offset = play.Position();
        system->AddEmissionPoints({&offset, 1});
        break;
      }
      default: {
        const auto x = static_cast<std::int32_t>(play.Word());
        stage.Draw(*system, x, static_cast<std::int32_t>(play.Word()));
      }
    }
  }
  return 0;
}
