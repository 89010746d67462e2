// Script interpreter benchmarks: each runs one script through Compile and Run and reports the
// script's loop iterations per second ("iter/s").
#include <benchmark/benchmark.h>

#include <string>

#include "script/pascalc.h"

namespace {

using ox::script::TPasCalc;

void RunLoop(benchmark::State& state, const std::string& source, int n) {
  TPasCalc calc;
  std::string src = source;
  const std::string key = "$N";
  for (std::size_t p; (p = src.find(key)) != std::string::npos;) src.replace(p, key.size(), std::to_string(n));
  const std::string prepared = calc.Compile(src);
  for (auto _ : state) {
    calc.Vars().Clear();
    if (!calc.Run(prepared)) {
      state.SkipWithError(calc.ErrorMessage().c_str());
      break;
    }
  }
  state.counters["iter/s"] = benchmark::Counter(static_cast<double>(n) * static_cast<double>(state.iterations()),
                                                benchmark::Counter::kIsRate);
}

void BM_CountingLoop(benchmark::State& state) {
  RunLoop(state, "I := 0; K := 0; FOR I := 1 TO $N DO K := K + 1", 200000);
}
BENCHMARK(BM_CountingLoop)->Unit(benchmark::kMillisecond);

void BM_StringBuilding(benchmark::State& state) {
  RunLoop(state, "I := 0; S := ''; FOR I := 1 TO $N DO S := S + 'x'", 20000);
}
BENCHMARK(BM_StringBuilding)->Unit(benchmark::kMillisecond);

void BM_NestedFunctionCalls(benchmark::State& state) {
  RunLoop(state,
          "FUNCTION G(X); BEGIN RESULT := X * 2 END;"
          "FUNCTION F(X); BEGIN RESULT := G(X) + 1 END;"
          "I := 0; K := 0; FOR I := 1 TO $N DO K := F(I)",
          20000);
}
BENCHMARK(BM_NestedFunctionCalls)->Unit(benchmark::kMillisecond);

void BM_CaseDispatch(benchmark::State& state) {
  RunLoop(state,
          "I := 0; A := 0; B := 0; C := 0; D := 0;"
          "FOR I := 1 TO $N DO CASE I AND 3 OF 0: A := A + 1; 1: B := B + 1; 2: C := C + 1;"
          " ELSE D := D + 1; END",
          100000);
}
BENCHMARK(BM_CaseDispatch)->Unit(benchmark::kMillisecond);

void BM_CompileOnce(benchmark::State& state) {
  TPasCalc calc;
  std::string src;
  for (int i = 0; i < 200; ++i) src += "IF X" + std::to_string(i) + " > 1 THEN Y := Y + 'abc' ELSE Z := Z * 2;\n";
  for (auto _ : state) {
    calc.Compile("X := 0");  // defeat the one-source cache
    benchmark::DoNotOptimize(calc.Compile(src));
  }
  state.counters["bytes/s"] = benchmark::Counter(static_cast<double>(src.size()) * static_cast<double>(state.iterations()),
                                                 benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CompileOnce)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
