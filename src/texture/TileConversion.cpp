#include "TileConversion.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace Quorvel {
namespace TileConversion {
namespace {

// Conversions that write at least this many bytes of tiles stream their
// stores: tiles of that size are not expected to be in the caches when the
// upload reads them, so reading each line in before writing it (as
// ordinary stores do) only adds memory traffic.
constexpr std::size_t kStreamingThreshold = std::size_t{8} << 20;

void FillZeroCached(std::uint32_t* texels, std::size_t count) {
  std::memset(texels, 0, count * sizeof(std::uint32_t));
}

using RowConverter = void (*)(const std::uint16_t*, std::uint32_t*, int, const std::uint32_t*, std::uint16_t);
using ZeroFiller = void (*)(std::uint32_t*, std::size_t);

// How a tile's texels are written: runs converted from an image row, and
// runs of zero texels.
struct RowWriters {
  RowConverter convert;
  ZeroFiller fillZero;
};

#if defined(__SSE2__) && defined(__x86_64__)
bool Aligned16(const std::uint32_t* p) { return (reinterpret_cast<std::uintptr_t>(p) & 15) == 0; }

// Ordinary stores: the texels stay in the caches for the upload.
struct CachedStores {
  static constexpr bool kAlignedOnly = false;
  static void Texel(std::uint32_t* dst, std::uint32_t texel) { *dst = texel; }
  static void Four(std::uint32_t* dst, __m128i texels) { _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), texels); }
};

// Non-temporal stores: the write-combining buffers gather whole lines and
// send them to memory without reading them first, as an ordinary store must.
// The 16-byte form needs 16-byte aligned addresses; heads and tails use the
// single-texel form, so that no ordinary store pulls a line in after all.
struct StreamingStores {
  static constexpr bool kAlignedOnly = true;
  static void Texel(std::uint32_t* dst, std::uint32_t texel) {
    _mm_stream_si32(reinterpret_cast<int*>(dst), static_cast<int>(texel));
  }
  static void Four(std::uint32_t* dst, __m128i texels) { _mm_stream_si128(reinterpret_cast<__m128i*>(dst), texels); }
};

// One texel at a time: dst[i] = table[min(src[i], lastIndex)].
template <class Stores>
__attribute__((always_inline)) inline void ConvertTexels(const std::uint16_t* src, std::uint32_t* dst, int count,
                                                         const std::uint32_t* table, std::uint16_t lastIndex) {
  for (int i = 0; i < count; ++i) Stores::Texel(dst + i, table[std::min(src[i], lastIndex)]);
}

// Eight pixels a step: one 16-byte load and a saturating clamp for all eight,
// then eight scalar table loads gathered into two 16-byte stores. Against the
// plain loop this saves most source loads and three of four stores.
template <class Stores>
__attribute__((always_inline)) inline void ConvertEightAtATime(const std::uint16_t* src, std::uint32_t* dst,
                                                               int count, const std::uint32_t* table,
                                                               std::uint16_t lastIndex) {
  int i = 0;
  if (Stores::kAlignedOnly) {
    while (i < count && !Aligned16(dst + i)) ++i;
    ConvertTexels<Stores>(src, dst, i, table, lastIndex);
  }
  const __m128i last = _mm_set1_epi16(static_cast<short>(lastIndex));
  for (; i + 8 <= count; i += 8) {
    __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    v = _mm_sub_epi16(v, _mm_subs_epu16(v, last));  // min(v, last), unsigned
    const std::uint64_t lo = static_cast<std::uint64_t>(_mm_cvtsi128_si64(v));
    const std::uint64_t hi = static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(v, v)));
    const std::uint32_t p01 = static_cast<std::uint32_t>(lo), p23 = static_cast<std::uint32_t>(lo >> 32);
    const std::uint32_t p45 = static_cast<std::uint32_t>(hi), p67 = static_cast<std::uint32_t>(hi >> 32);
    const __m128i first = _mm_setr_epi32(static_cast<int>(table[p01 & 0xFFFF]), static_cast<int>(table[p01 >> 16]),
                                         static_cast<int>(table[p23 & 0xFFFF]), static_cast<int>(table[p23 >> 16]));
    const __m128i second = _mm_setr_epi32(static_cast<int>(table[p45 & 0xFFFF]), static_cast<int>(table[p45 >> 16]),
                                          static_cast<int>(table[p67 & 0xFFFF]), static_cast<int>(table[p67 >> 16]));
    Stores::Four(dst + i, first);
    Stores::Four(dst + i + 4, second);
  }
  ConvertTexels<Stores>(src + i, dst + i, count - i, table, lastIndex);
}

template <class Stores>
void ConvertRowBaseline(const std::uint16_t* src, std::uint32_t* dst, int count, const std::uint32_t* table,
                        std::uint16_t lastIndex) {
  ConvertEightAtATime<Stores>(src, dst, count, table, lastIndex);
}

// The same loop with VEX encoding (three-operand inserts), about an eighth
// faster where the processor has it; chosen at run time.
template <class Stores>
__attribute__((target("avx2"))) void ConvertRowAvx2(const std::uint16_t* src, std::uint32_t* dst, int count,
                                                    const std::uint32_t* table, std::uint16_t lastIndex) {
  ConvertEightAtATime<Stores>(src, dst, count, table, lastIndex);
}

void FillZeroStreaming(std::uint32_t* texels, std::size_t count) {
  std::size_t i = 0;
  for (; i < count && !Aligned16(texels + i); ++i) StreamingStores::Texel(texels + i, 0);
  for (; i + 4 <= count; i += 4) StreamingStores::Four(texels + i, _mm_setzero_si128());
  for (; i < count; ++i) StreamingStores::Texel(texels + i, 0);
}

template <class Stores>
RowConverter SelectRowConverter() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? ConvertRowAvx2<Stores> : ConvertRowBaseline<Stores>;
}

const RowWriters& Writers(bool streaming) {
  static const RowWriters cached{SelectRowConverter<CachedStores>(), FillZeroCached};
  static const RowWriters streamed{SelectRowConverter<StreamingStores>(), FillZeroStreaming};
  return streaming ? streamed : cached;
}

// Streaming stores are weakly ordered: they must be done before the caller
// (and the parallel loop's barrier) hands the tile on.
void FenceStreamingStores() { _mm_sfence(); }
#else
// Other processors: the plain loop, dst[i] = table[min(src[i], lastIndex)].
void ConvertScalar(const std::uint16_t* src, std::uint32_t* dst, int count, const std::uint32_t* table,
                   std::uint16_t lastIndex) {
  for (int i = 0; i < count; ++i) dst[i] = table[std::min(src[i], lastIndex)];
}

const RowWriters& Writers(bool) {
  static const RowWriters scalar{ConvertScalar, FillZeroCached};
  return scalar;
}

void FenceStreamingStores() {}
#endif

void ConvertRows(const Source& source, const Tile& tile, const RowWriters& writers) {
  const std::size_t tileWidth = static_cast<std::size_t>(tile.width);
  // Tile texels before the image (start −1 with overlap) and past its end.
  const int leadRows = std::min(std::max(-tile.startY, 0), tile.height);
  const int leadColumns = std::min(std::max(-tile.startX, 0), tile.width);
  const int firstRow = tile.startY + leadRows;
  const int firstColumn = tile.startX + leadColumns;
  const int dataColumns = std::max(std::min(source.width, tile.startX + tile.width) - firstColumn, 0);
  // A tile with no image column is all zero: treat all its rows as blank.
  const int dataRows =
      dataColumns == 0 ? 0 : std::max(std::min(source.height, tile.startY + tile.height) - firstRow, 0);
  const int trailColumns = tile.width - leadColumns - dataColumns;

  writers.fillZero(tile.texels, tileWidth * static_cast<std::size_t>(leadRows));
  std::uint32_t* row = tile.texels + tileWidth * static_cast<std::size_t>(leadRows);
  const std::size_t stride = static_cast<std::size_t>(source.width);
  for (int k = 0; k < dataRows; ++k, row += tileWidth) {
    const std::uint16_t* pixels = source.pixels + (static_cast<std::size_t>(firstRow) + k) * stride + firstColumn;
    // A tile narrower than the image reads each row in a piece, which the
    // hardware prefetcher picks up late: ask for the next piece now.
    if (k + 1 < dataRows)
      for (int x = 0; x < dataColumns; x += 32) __builtin_prefetch(pixels + stride + x);
    writers.fillZero(row, static_cast<std::size_t>(leadColumns));
    writers.convert(pixels, row + leadColumns, dataColumns, source.table, source.lastIndex);
    writers.fillZero(row + leadColumns + dataColumns, static_cast<std::size_t>(trailColumns));
  }
  writers.fillZero(row, tileWidth * static_cast<std::size_t>(tile.height - leadRows - dataRows));
}

}  // namespace

bool StreamsTiles(std::size_t bytes) { return bytes >= kStreamingThreshold; }

void Convert(const Source& source, const Tile& tile) {
  const RowWriters& writers = Writers(tile.streaming);
  if (source.table)
    ConvertRows(source, tile, writers);
  else
    writers.fillZero(tile.texels, static_cast<std::size_t>(tile.width) * static_cast<std::size_t>(tile.height));
  if (tile.streaming) FenceStreamingStores();
}

}  // namespace TileConversion
}  // namespace Quorvel
