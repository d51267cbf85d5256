// Lookup-table conversion: the mapper's SetBuffer with an unchanged tile plan
// (that is, its conversion into the existing tiles) against a plain loop
// written here, timed alternately within each iteration so that both see the
// same machine load. Reports Mpixel/s of both and their ratio.
#include "BenchImages.h"

#include <quorvel/Gl2DTextureMapper.h>

#include <benchmark/benchmark.h>
#include <omp.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

namespace {

using Quorvel::Gl2DTextureMapper;
using GreyImage = Gl2DTextureMapper::GreyImage;
using Clock = std::chrono::steady_clock;
using QuorvelBench::CtLike;
using QuorvelBench::Image;
using QuorvelBench::ImageKind;
using QuorvelBench::Random;
using QuorvelBench::Table;

// The conversion as the mapper's contract reads, one tile of the image's
// power-of-two size: clamp, load, store per pixel; zero padding.
void ReferenceConversion(const GreyImage& image, const std::uint32_t* table, unsigned short tableSize,
                         std::uint32_t* tile, int tileWidth, int tileHeight) {
  const int width = static_cast<int>(image.GetWidth()), height = static_cast<int>(image.GetHeight());
  const unsigned short* pixels = image.GetData();
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = tile + static_cast<std::size_t>(y) * tileWidth;
    const unsigned short* source = pixels + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      unsigned short v = source[x];
      if (v >= tableSize) v = static_cast<unsigned short>(tableSize - 1);
      row[x] = table[v];
    }
    std::fill(row + width, row + tileWidth, 0u);
  }
  std::fill(tile + static_cast<std::size_t>(height) * tileWidth,
            tile + static_cast<std::size_t>(tileHeight) * tileWidth, 0u);
}

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// Arguments: image size, image kind, table entries, maxTileSize, smooth, threads.
void BM_Conversion(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  const GreyImage& image = Image(size, static_cast<ImageKind>(state.range(1)));
  const std::vector<std::uint32_t>& table = Table(static_cast<int>(state.range(2)));
  const unsigned short tableSize = static_cast<unsigned short>(table.size());
  Gl2DTextureMapper mapper(static_cast<unsigned>(state.range(3)), state.range(4) != 0);
  GreyImage* buffer = const_cast<GreyImage*>(&image);
  mapper.SetLookupTable(table.data(), tableSize);
  mapper.SetBuffer(buffer);  // plans and allocates the tiles once
  std::vector<std::uint32_t> referenceTile(static_cast<std::size_t>(size) * size);
  const int previousThreads = omp_get_max_threads();
  omp_set_num_threads(static_cast<int>(state.range(5)));

  double librarySeconds = 0, referenceSeconds = 0;
  for (auto _ : state) {
    const Clock::time_point t0 = Clock::now();
    mapper.SetBuffer(buffer);
    const Clock::time_point t1 = Clock::now();
    ReferenceConversion(image, table.data(), tableSize, referenceTile.data(), size, size);
    benchmark::DoNotOptimize(referenceTile.data());
    benchmark::ClobberMemory();
    const Clock::time_point t2 = Clock::now();
    librarySeconds += Seconds(t0, t1);
    referenceSeconds += Seconds(t1, t2);
    state.SetIterationTime(Seconds(t0, t1));
  }
  omp_set_num_threads(previousThreads);

  const double megapixels = static_cast<double>(size) * size * static_cast<double>(state.iterations()) / 1e6;
  state.counters["Mpix/s"] = megapixels / librarySeconds;
  state.counters["ref_Mpix/s"] = megapixels / referenceSeconds;
  state.counters["vs_ref"] = referenceSeconds / librarySeconds;
}

void ConversionArguments(benchmark::internal::Benchmark* b) {
  b->ArgNames({"size", "random", "table", "maxTile", "smooth", "threads"});
  for (const int size : {512, 2048, 4096})
    for (const int kind : {CtLike, Random})
      for (const int entries : {4096, 65535}) {
        b->Args({size, kind, entries, 0, 1, 1});
        for (const int smooth : {0, 1})
          for (const int threads : {1, 2}) b->Args({size, kind, entries, 1024, smooth, threads});
      }
}

BENCHMARK(BM_Conversion)->Apply(ConversionArguments)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
