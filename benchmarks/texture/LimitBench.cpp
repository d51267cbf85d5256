// Lookup-table conversion against the memory limit: a kernel that only moves
// the bytes the conversion has to move (reads 2 and writes 4 bytes a pixel)
// with streaming 16-byte stores, its rows split statically over the same
// number of threads. The mapper's UpdateBufferFromLUT and the kernel run
// alternately, one pair per iteration, so both see the same machine load;
// the reported share of the limit is the median of the per-pair ratios.
#include "BenchImages.h"

#include <quorvel/Gl2DTextureMapper.h>

#include <benchmark/benchmark.h>
#include <omp.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

// The limit kernel is written for SSE2; elsewhere there is no benchmark.
#if defined(__SSE2__)
#include <emmintrin.h>

namespace {

using Quorvel::Gl2DTextureMapper;
using GreyImage = Gl2DTextureMapper::GreyImage;
using Clock = std::chrono::steady_clock;

struct FreeDeleter {
  void operator()(std::uint32_t* p) const { std::free(p); }
};
using AlignedTexels = std::unique_ptr<std::uint32_t[], FreeDeleter>;

// 64-byte aligned, so that every row of a power-of-two image starts a line.
AlignedTexels AllocateTexels(std::size_t count) {
  return AlignedTexels(static_cast<std::uint32_t*>(std::aligned_alloc(64, count * sizeof(std::uint32_t))));
}

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
  return values[values.size() / 2];
}

// Each pixel zero-extended to 32 bits: the bytes of the conversion, no lookup.
void MoveRow(const std::uint16_t* pixels, std::uint32_t* texels, int width) {
  const __m128i zero = _mm_setzero_si128();
  for (int x = 0; x < width; x += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + x));
    _mm_stream_si128(reinterpret_cast<__m128i*>(texels + x), _mm_unpacklo_epi16(v, zero));
    _mm_stream_si128(reinterpret_cast<__m128i*>(texels + x + 4), _mm_unpackhi_epi16(v, zero));
  }
}

// The limit kernel over the whole image (width a multiple of 8); one thread
// runs it alone, without waking a team, as the mapper does with one tile.
void MoveImage(const GreyImage& image, std::uint32_t* texels, int threads) {
  const int width = static_cast<int>(image.GetWidth()), height = static_cast<int>(image.GetHeight());
  const std::uint16_t* pixels = image.GetData();
#pragma omp parallel num_threads(threads) if (threads > 1)
  {
#pragma omp for schedule(static) nowait
    for (int y = 0; y < height; ++y)
      MoveRow(pixels + static_cast<std::size_t>(y) * width, texels + static_cast<std::size_t>(y) * width, width);
    _mm_sfence();  // streaming stores are weakly ordered: done before the barrier
  }
}

// Arguments: image size, maxTileSize, threads. CT-like image, 4096-entry
// table, no smoothing (the tiles hold exactly the image's pixels).
void BM_ConversionVsLimit(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0)), threads = static_cast<int>(state.range(2));
  const GreyImage& image = QuorvelBench::Image(size, QuorvelBench::CtLike);
  const std::vector<std::uint32_t>& table = QuorvelBench::Table(4096);
  Gl2DTextureMapper mapper(static_cast<unsigned>(state.range(1)), false);
  mapper.SetLookupTable(table.data(), 4096);
  mapper.SetBuffer(const_cast<GreyImage*>(&image));
  const AlignedTexels limitTexels = AllocateTexels(static_cast<std::size_t>(size) * size);
  MoveImage(image, limitTexels.get(), threads);  // touch the pages once
  const int previousThreads = omp_get_max_threads();
  omp_set_num_threads(threads);

  std::vector<double> librarySeconds, limitSeconds, shares;
  bool libraryFirst = true;
  for (auto _ : state) {
    const Clock::time_point t0 = Clock::now();
    if (libraryFirst) mapper.UpdateBufferFromLUT(); else MoveImage(image, limitTexels.get(), threads);
    const Clock::time_point t1 = Clock::now();
    if (libraryFirst) MoveImage(image, limitTexels.get(), threads); else mapper.UpdateBufferFromLUT();
    const Clock::time_point t2 = Clock::now();
    const double library = libraryFirst ? Seconds(t0, t1) : Seconds(t1, t2);
    const double limit = libraryFirst ? Seconds(t1, t2) : Seconds(t0, t1);
    librarySeconds.push_back(library);
    limitSeconds.push_back(limit);
    shares.push_back(limit / library);
    state.SetIterationTime(library);
    libraryFirst = !libraryFirst;  // neither always finds the other's lines
  }
  omp_set_num_threads(previousThreads);

  const double megapixels = static_cast<double>(size) * size / 1e6;
  state.counters["Mpix/s"] = megapixels / Median(librarySeconds);
  state.counters["limit_Mpix/s"] = megapixels / Median(limitSeconds);
  state.counters["pct_of_limit"] = 100 * Median(shares);
}

BENCHMARK(BM_ConversionVsLimit)
    ->ArgNames({"size", "maxTile", "threads"})
    ->Args({2048, 0, 1})
    ->Args({2048, 1024, 2})
    ->Args({4096, 0, 1})
    ->Args({512, 0, 1})
    ->Iterations(41)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
#endif
