#include "ColumnSampling.h"

#include "GridAxis.h"
#include "ParallelWork.h"
#include "PixelValues.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace Quorvel {
namespace VolumeSampling {
namespace {

using GreyImage = Brantel::NImage::Image2D<unsigned short>;

// The two slices a row lies between, the row's fraction toward the upper
// one, the step to a voxel's neighbour in y, and the slice above the pair
// (the lower one at the top of the grid).
struct SlicePair {
  const unsigned short* lower;
  const unsigned short* upper;
  float fz;
  std::int64_t stepY;
  const unsigned short* next;
};

// The next rows mostly lie one slice higher: asking for that slice's lines
// while this row computes hides the memory latency that dominates when a
// column has few samples (a cross-section reads each line once a row). With
// many samples a column, the lines are in cache and this costs little.
inline void Prefetch(const SlicePair& s, const Tap& tap) {
  __builtin_prefetch(s.next + tap.offset);
  __builtin_prefetch(s.next + tap.offset + s.stepY);
}

// Four lanes, one per bilinear corner: the voxel, its neighbour in x, its
// neighbour in y and the one in both (GCC and Clang vector extensions).
typedef float Float4 __attribute__((vector_size(16)));

// The corners as two pairs of neighbours in x, each pair one 32-bit load.
// Needs a grid at least two voxels wide, so that a pair stays in the array.
inline Float4 CornerPairs(const unsigned short* p, std::int64_t stepY) {
#if defined(__SSE2__)
  std::int32_t front, back;
  std::memcpy(&front, p, 4);
  std::memcpy(&back, p + stepY, 4);
  const __m128i corners = _mm_unpacklo_epi32(_mm_cvtsi32_si128(front), _mm_cvtsi32_si128(back));
  return Float4(_mm_cvtepi32_ps(_mm_unpacklo_epi16(corners, _mm_setzero_si128())));
#else
  return Float4{float(p[0]), float(p[1]), float(p[stepY]), float(p[stepY + 1])};
#endif
}

// The corners of a grid one voxel wide, where each voxel is its own
// neighbour in x.
inline Float4 CornersOfOneColumn(const unsigned short* p, std::int64_t stepY) {
  return Float4{float(p[0]), float(p[0]), float(p[stepY]), float(p[stepY])};
}

template <bool kPairs>
inline Float4 Corners(const unsigned short* p, std::int64_t stepY) {
  return kPairs ? CornerPairs(p, stepY) : CornersOfOneColumn(p, stepY);
}

inline Float4 Weights(const Tap& tap) {
  Float4 w;
  std::memcpy(&w, tap.weight, sizeof w);
  return w;
}

inline float Sum(const Float4& v) { return (v[0] + v[1]) + (v[2] + v[3]); }

// The mean is linear in the slices' values, so each slice's corners are
// summed with their weights first and the two sums interpolated in z once
// per pixel.
template <bool kPairs>
void MeanRow(const SlicePair& s, const ColumnTaps& taps, unsigned short padding, unsigned short* out) {
  const int perColumn = taps.PerColumn();
  const float inverse = 1.0f / float(perColumn);
  for (int c = 0; c < taps.Columns(); ++c) {
    const Tap* tap = taps.Column(c);
    const int count = taps.Count(c);
    Float4 lower{}, upper{};
    for (int i = 0; i < count; ++i) {
      const Float4 w = Weights(tap[i]);
      Prefetch(s, tap[i]);
      lower += Corners<kPairs>(s.lower + tap[i].offset, s.stepY) * w;
      upper += Corners<kPairs>(s.upper + tap[i].offset, s.stepY) * w;
    }
    const float below = Sum(lower), above = Sum(upper);
    const float outside = float(perColumn - count) * float(padding);
    out[c] = Stored((below + s.fz * (above - below) + outside) * inverse);
  }
}

template <bool kPairs>
void MaximumRow(const SlicePair& s, const ColumnTaps& taps, unsigned short padding, unsigned short* out) {
  for (int c = 0; c < taps.Columns(); ++c) {
    const Tap* tap = taps.Column(c);
    const int count = taps.Count(c);
    float best = count < taps.PerColumn() ? float(padding) : 0.0f;
    for (int i = 0; i < count; ++i) {
      Prefetch(s, tap[i]);
      const Float4 lower = Corners<kPairs>(s.lower + tap[i].offset, s.stepY);
      const Float4 upper = Corners<kPairs>(s.upper + tap[i].offset, s.stepY);
      best = std::max(best, Sum((lower + s.fz * (upper - lower)) * Weights(tap[i])));
    }
    out[c] = Stored(best);
  }
}

using RowSampler = void (*)(const SlicePair&, const ColumnTaps&, unsigned short, unsigned short*);

RowSampler SelectRowSampler(bool maximum, bool pairs) {
  if (maximum) return pairs ? MaximumRow<true> : MaximumRow<false>;
  return pairs ? MeanRow<true> : MeanRow<false>;
}

}  // namespace

void ColumnTaps::Reset(int columnCount, int samplesPerColumn) {
  columns = columnCount;
  perColumn = samplesPerColumn;
  taps.resize(static_cast<std::size_t>(columns) * perColumn);
  counts.assign(columns, 0);
}

void ColumnTaps::Add(int column, const Volume& volume, double x, double y) {
  AxisPosition ax, ay;
  if (!Locate(volume, 0, x, ax) || !Locate(volume, 1, y, ay)) return;
  const std::int64_t offset = ay.index * volume.Dimensions()[0] + ax.index;
  const float fx = ax.fraction, fy = ay.fraction;
  taps[static_cast<std::size_t>(column) * perColumn + counts[column]++] = {
      offset, {(1 - fx) * (1 - fy), fx * (1 - fy), (1 - fx) * fy, fx * fy}};
}

void SampleColumns(const Volume& volume, const ColumnTaps& taps, double bottom, double rowStep,
                   PanoramicReformatter::Projection projection, unsigned short padding, GreyImage& image) {
  const int height = static_cast<int>(image.GetHeight());
  const std::int64_t sliceSize = Stride(volume, 2);
  const std::int64_t stepZ = NeighbourStep(volume, 2);
  // With one sample a pixel the maximum is the mean, and its loop does less
  // per pixel.
  const bool maximum = projection == PanoramicReformatter::Projection::Maximum || taps.PerColumn() == 1;
  const RowSampler sampleRow = SelectRowSampler(maximum, NeighbourStep(volume, 0) == 1);
  const bool parallel = Work(std::int64_t{height} * taps.Columns(), taps.PerColumn()) >= kParallelWork;
  // Chunks of consecutive rows keep each thread on neighbouring slices; taken
  // dynamically, a thread delayed by other work on its core holds up little.
#pragma omp parallel for schedule(dynamic, 16) if (parallel)
  for (int r = 0; r < height; ++r) {
    unsigned short* out = image.GetData() + static_cast<std::size_t>(r) * image.GetWidth();
    AxisPosition z;
    if (!Locate(volume, 2, bottom + r * rowStep, z)) {
      std::fill(out, out + image.GetWidth(), padding);
      continue;
    }
    const unsigned short* lower = volume.Voxels() + z.index * sliceSize;
    const unsigned short* next = z.index + 2 < volume.Dimensions()[2] ? lower + 2 * stepZ : lower;
    sampleRow({lower, lower + stepZ, z.fraction, NeighbourStep(volume, 1), next}, taps, padding, out);
  }
}

}  // namespace VolumeSampling
}  // namespace Quorvel
