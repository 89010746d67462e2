// Reading a large game file: 100,000 images with scripts, nested five deep under 20 screens.
// Reports elements read per second and the peak memory of the process.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <memory>

#include "elements/register_classes.h"
#include "gamefile/game_file_writer.h"
#include "scene/game_file_reader.h"
#include "scene/game_root.h"
#include "scene/script_binding.h"
#include "scriptlib/engine_functions.h"

namespace {

using ox::gamefile::Node;

constexpr int kScreens = 20;
constexpr int kChainsPerScreen = 1000;
constexpr int kChainLength = 5;  // images nested five deep

Node ScriptedImage(int n) {
  return Node::Of("TOxImage")
      .Set("Key", n)
      .Set("Id", "Image" + std::to_string(n))
      .Set("imImage", "pictures\\item" + std::to_string(n % 97) + ".png")
      .Set("exMouseDown", "IF OXDB.STATE = 1 THEN BEGIN SELF.VIS := FALSE; PlaySnd('click') END")
      .Set("exProcess", "X := X + 1")
      .Set("NotSave", 0);
}

const std::string& GameFile() {
  static const std::string bytes = [] {
    Node root = Node::Of("TOxDB").Set("Id", "Bench");
    int key = 1;
    for (int s = 0; s < kScreens; ++s) {
      Node screen = Node::Of("TOxScreen").Set("Key", key++);
      for (int c = 0; c < kChainsPerScreen; ++c) {
        Node chain = ScriptedImage(key++);
        for (int depth = 1; depth < kChainLength; ++depth) {
          Node inner = ScriptedImage(key++);
          inner.Add(std::move(chain));
          chain = std::move(inner);
        }
        screen.Add(std::move(chain));
      }
      root.Add(std::move(screen));
    }
    return ox::gamefile::WriteGameFile(root);
  }();
  return bytes;
}

// Reads the file; with `prepare` the interpreter prepares every event script as it is read, as
// the player does.
void ReadGameFile(benchmark::State& state) {
  ox::elements::RegisterElementClasses();
  const std::string& bytes = GameFile();
  std::unique_ptr<ox::scene::InterpreterPool> pool;
  if (state.range(0) != 0) pool = std::make_unique<ox::scene::InterpreterPool>(ox::scriptlib::RegisterAllFunctions);
  for (auto _ : state) {
    ox::scene::TOxDB root;
    ox::scene::ReadRootRecord(root, bytes, true);
    benchmark::DoNotOptimize(root.Children().size());
  }
  const int elements = kScreens * (1 + kChainsPerScreen * kChainLength);
  state.counters["elements/s"] =
      benchmark::Counter(static_cast<double>(elements), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_RSS_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

BENCHMARK(ReadGameFile)->ArgName("prepare")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
