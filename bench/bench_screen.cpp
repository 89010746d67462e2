// A screen of 1,000 shapes, each running a five-statement exProcess that reads and writes its
// own properties, played headless tick by tick: the CPU time of one game tick.
#include <benchmark/benchmark.h>

#include <string>

#include "gamefile/game_file_writer.h"
#include "render/timer.h"
#include "shell/form_main.h"
#include "support/temp_folder.h"

namespace {

using ox::gamefile::Node;

constexpr int kElements = 1000;
constexpr const char* kProcess =
    "X := X + 1; IF X > 1000 THEN X := 0; Y := Y + 2; IF Y > 700 THEN Y := 0; V := X + Y * 2";

Node ScreenOfShapes() {
  Node root = Node::Of("TOxDB").Set("Key", 1).Set("Id", "Game").Set("InitScreen", 2);
  Node screen = Node::Of("TOxScreen").Set("Key", 2).Set("Id", "S").Set("SizeX", 1024).Set("SizeY", 768);
  for (int i = 0; i < kElements; ++i) {
    const std::int32_t x = i % 1000, y = i % 700;
    screen.Add(Node::Of("TOxShape").Set("Key", 10 + i).Set("Id", "E" + std::to_string(i)).Set("X", x)
                   .Set("Y", y).Set("rX", static_cast<double>(x)).Set("rY", static_cast<double>(y))
                   .Set("SizeX", 4).Set("SizeY", 4).Set("exProcess", kProcess));
  }
  root.Add(screen);
  return root;
}

void BM_ScreenOf1000ScriptedElements(benchmark::State& state) {
  const ox::test_support::TempFolder folder;
  const auto file = folder.path() / "game.oxf";
  ox::test_support::WriteFile(file, ox::gamefile::WriteGameFile(ScreenOfShapes()));
  {
    ox::render::VirtualClock clock;
    ox::shell::TFormMain form(clock, false, false);
    form.StartGame(file.string());
    auto tick = [&] {
      clock.Advance(form.Timer().TickNanoseconds());
      form.Timer().Idle();
    };
    while (form.TicksRun() < 110) tick();  // past the splash, onto the screen
    const std::int64_t first = form.TicksRun();
    for (auto _ : state) tick();
    state.counters["ticks"] = static_cast<double>(form.TicksRun() - first);
    ox::script::Value x;
    ox::scene::TOxElement* e = form.Root().FindByKey(10);
    if (e == nullptr || !e->GetVar("X", x) || x.i == 0) state.SkipWithError("the scripts did not run");
  }
}
BENCHMARK(BM_ScreenOf1000ScriptedElements)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace

BENCHMARK_MAIN();
