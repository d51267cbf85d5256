// GlText construction: matching the font, rendering the 256 glyphs and
// compiling them into display lists. Target: well under 50 ms for a
// 10-point face.
#include <quorvel/GlText.h>

#include "HeadlessContext.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Args: point size, weight.
void BM_GlTextConstruction(benchmark::State& state) {
  Headless::HeadlessContext context(64, 64);
  if (!context.Ok()) {
    state.SkipWithError(context.Error().c_str());
    return;
  }
  const int pointSize = static_cast<int>(state.range(0));
  const int weight = static_cast<int>(state.range(1));
  for (auto _ : state) {
    auto text = std::make_unique<Quorvel::GlText>("DejaVu Sans", pointSize, weight);
    glFinish();
    state.PauseTiming();
    text.reset();  // deleting the lists is not part of construction
    glFinish();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_GlTextConstruction)
    ->ArgNames({"points", "weight"})
    ->Args({10, 400})
    ->Args({10, 700})
    ->Args({24, 400})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
