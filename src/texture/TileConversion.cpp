#include "TileConversion.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__) && defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace Quorvel {
namespace TileConversion {
namespace {

void FillZero(std::uint32_t* texels, std::size_t count) {
  std::memset(texels, 0, count * sizeof(std::uint32_t));
}

// The reference: dst[i] = table[min(src[i], lastIndex)].
void ConvertScalar(const std::uint16_t* src, std::uint32_t* dst, int count, const std::uint32_t* table,
                   std::uint16_t lastIndex) {
  for (int i = 0; i < count; ++i) dst[i] = table[std::min(src[i], lastIndex)];
}

#if defined(__SSE2__) && defined(__x86_64__)
// Eight pixels a step: one 16-byte load and a saturating clamp for all eight,
// then eight scalar table loads gathered into two 16-byte stores. Against the
// plain loop this saves most source loads and three of four stores.
__attribute__((always_inline)) inline void ConvertEightAtATime(const std::uint16_t* src, std::uint32_t* dst,
                                                               int count, const std::uint32_t* table,
                                                               std::uint16_t lastIndex) {
  const __m128i last = _mm_set1_epi16(static_cast<short>(lastIndex));
  int i = 0;
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
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), first);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 4), second);
  }
  ConvertScalar(src + i, dst + i, count - i, table, lastIndex);
}

using RowConverter = void (*)(const std::uint16_t*, std::uint32_t*, int, const std::uint32_t*, std::uint16_t);

void ConvertRowBaseline(const std::uint16_t* src, std::uint32_t* dst, int count, const std::uint32_t* table,
                        std::uint16_t lastIndex) {
  ConvertEightAtATime(src, dst, count, table, lastIndex);
}

// The same loop with VEX encoding (three-operand inserts), about an eighth
// faster where the processor has it; chosen at run time.
__attribute__((target("avx2"))) void ConvertRowAvx2(const std::uint16_t* src, std::uint32_t* dst, int count,
                                                    const std::uint32_t* table, std::uint16_t lastIndex) {
  ConvertEightAtATime(src, dst, count, table, lastIndex);
}

RowConverter SelectRowConverter() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? ConvertRowAvx2 : ConvertRowBaseline;
}

RowConverter BestRowConverter() {
  static const RowConverter best = SelectRowConverter();
  return best;
}
#else
using RowConverter = void (*)(const std::uint16_t*, std::uint32_t*, int, const std::uint32_t*, std::uint16_t);

RowConverter BestRowConverter() { return ConvertScalar; }
#endif

}  // namespace

void Convert(const Source& source, const Tile& tile) {
  const std::size_t tileWidth = static_cast<std::size_t>(tile.width);
  if (!source.table) {
    FillZero(tile.texels, tileWidth * static_cast<std::size_t>(tile.height));
    return;
  }
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

  FillZero(tile.texels, tileWidth * static_cast<std::size_t>(leadRows));
  std::uint32_t* row = tile.texels + tileWidth * static_cast<std::size_t>(leadRows);
  const RowConverter convertRow = BestRowConverter();
  const std::size_t stride = static_cast<std::size_t>(source.width);
  for (int k = 0; k < dataRows; ++k, row += tileWidth) {
    const std::uint16_t* pixels = source.pixels + (static_cast<std::size_t>(firstRow) + k) * stride + firstColumn;
    // A tile narrower than the image reads each row in a piece, which the
    // hardware prefetcher picks up late: ask for the next piece now.
    if (k + 1 < dataRows)
      for (int x = 0; x < dataColumns; x += 32) __builtin_prefetch(pixels + stride + x);
    FillZero(row, static_cast<std::size_t>(leadColumns));
    convertRow(pixels, row + leadColumns, dataColumns, source.table, source.lastIndex);
    FillZero(row + leadColumns + dataColumns, static_cast<std::size_t>(trailColumns));
  }
  FillZero(row, tileWidth * static_cast<std::size_t>(tile.height - leadRows - dataRows));
}

}  // namespace TileConversion
}  // namespace Quorvel
