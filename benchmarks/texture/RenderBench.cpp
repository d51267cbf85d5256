// RenderTexture on llvmpipe into a 1024 × 1024 framebuffer: texture creation,
// upload of every tile, drawing and deletion, per draw (glFinish included);
// alone, and after UpdateBufferFromLUT as in a window/level drag.
#include "BenchImages.h"

#include <quorvel/Gl2DTextureMapper.h>

#include "HeadlessContext.h"

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

using Quorvel::Gl2DTextureMapper;

void SetUpView() {
  glViewport(0, 0, 1024, 1024);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 1024, 0, 1024, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

void Draw(Gl2DTextureMapper& mapper) {
  const Gl2DTextureMapper::Vec3 origin(0, 0, 0), xEdge(1024, 0, 0), yEdge(0, 1024, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  mapper.RenderTexture(origin, xEdge, yEdge);
  glFinish();
}

void CountPixels(benchmark::State& state, int size) {
  state.counters["Mpix/s"] = benchmark::Counter(static_cast<double>(size) * size * static_cast<double>(state.iterations()) / 1e6,
                                                benchmark::Counter::kIsRate);
}

// Draws `image` through `table` each iteration, in tiles of state.range(1);
// converts it through the table again first when `convert`.
void DrawLoop(benchmark::State& state, Gl2DTextureMapper::GreyImage& image, const std::vector<std::uint32_t>& table,
              bool convert) {
  Headless::HeadlessContext context(1024, 1024);
  if (!context.Ok()) {
    state.SkipWithError(context.Error().c_str());
    return;
  }
  Gl2DTextureMapper mapper(static_cast<unsigned>(state.range(1)), true, true);
  mapper.SetLookupTable(table.data(), static_cast<unsigned short>(table.size()));
  mapper.SetBuffer(&image);
  SetUpView();
  for (auto _ : state) {
    if (convert) mapper.UpdateBufferFromLUT();
    Draw(mapper);
  }
  CountPixels(state, static_cast<int>(image.GetWidth()));
}

// Arguments: image size, maxTileSize.
void BM_RenderTexture(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  Gl2DTextureMapper::GreyImage image(size, size, true);
  for (int i = 0; i < size * size; ++i) image.GetData()[i] = static_cast<unsigned short>((i * 31) % 4096);
  std::vector<std::uint32_t> table(4096);
  for (std::size_t v = 0; v < table.size(); ++v) table[v] = 0xFF000000u | static_cast<std::uint32_t>(v * 4097);
  DrawLoop(state, image, table, false);
}

// One frame of a window/level drag: the whole image re-converted, then drawn
// (CT-like image, 4096-entry table). Arguments: image size, maxTileSize.
void BM_ConvertAndRender(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  auto& image = const_cast<Gl2DTextureMapper::GreyImage&>(QuorvelBench::Image(size, QuorvelBench::CtLike));
  DrawLoop(state, image, QuorvelBench::Table(4096), true);
}

BENCHMARK(BM_RenderTexture)->ArgNames({"size", "maxTile"})->Args({512, 0})->Args({2048, 1024})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ConvertAndRender)
    ->ArgNames({"size", "maxTile"})
    ->Args({512, 0})
    ->Args({1024, 0})
    ->Args({2048, 0})
    ->Args({2048, 1024})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
