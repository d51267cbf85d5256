#include "ColumnSampling.h"

#include "GridAxis.h"
#include "PixelValues.h"

#include <algorithm>

namespace Quorvel {
namespace VolumeSampling {
namespace {

using GreyImage = Brantel::NImage::Image2D<unsigned short>;

// The two slices a row lies between and the steps to a voxel's neighbours.
struct SlicePair {
  const unsigned short* lower;
  const unsigned short* upper;
  float fz;
  std::int64_t stepX;
  std::int64_t stepY;
};

inline float Bilinear(const unsigned short* slice, const Tap& tap, std::int64_t stepX, std::int64_t stepY) {
  const unsigned short* p = slice + tap.offset;
  const float front = p[0] + tap.fx * (float(p[stepX]) - float(p[0]));
  const float back = p[stepY] + tap.fx * (float(p[stepY + stepX]) - float(p[stepY]));
  return front + tap.fy * (back - front);
}

// The mean is linear in the slices' values, so the samples of each slice are
// summed first and the two sums interpolated in z once per pixel.
void MeanRow(const SlicePair& s, const ColumnTaps& taps, unsigned short padding, unsigned short* out) {
  const int perColumn = taps.PerColumn();
  const float inverse = 1.0f / float(perColumn);
  for (int c = 0; c < taps.Columns(); ++c) {
    const Tap* tap = taps.Column(c);
    const int count = taps.Count(c);
    float lower = 0, upper = 0;
    for (int i = 0; i < count; ++i) {
      lower += Bilinear(s.lower, tap[i], s.stepX, s.stepY);
      upper += Bilinear(s.upper, tap[i], s.stepX, s.stepY);
    }
    const float outside = float(perColumn - count) * float(padding);
    out[c] = Stored((lower + s.fz * (upper - lower) + outside) * inverse);
  }
}

void MaximumRow(const SlicePair& s, const ColumnTaps& taps, unsigned short padding, unsigned short* out) {
  for (int c = 0; c < taps.Columns(); ++c) {
    const Tap* tap = taps.Column(c);
    const int count = taps.Count(c);
    float best = count < taps.PerColumn() ? float(padding) : 0.0f;
    for (int i = 0; i < count; ++i) {
      const float lower = Bilinear(s.lower, tap[i], s.stepX, s.stepY);
      const float upper = Bilinear(s.upper, tap[i], s.stepX, s.stepY);
      best = std::max(best, lower + s.fz * (upper - lower));
    }
    out[c] = Stored(best);
  }
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
  taps[static_cast<std::size_t>(column) * perColumn + counts[column]++] = {offset, ax.fraction, ay.fraction};
}

void SampleColumns(const Volume& volume, const ColumnTaps& taps, double bottom, double rowStep,
                   PanoramicReformatter::Projection projection, unsigned short padding, GreyImage& image) {
  const int height = static_cast<int>(image.GetHeight());
  const std::int64_t sliceSize = Stride(volume, 2);
  const std::int64_t stepZ = NeighbourStep(volume, 2);
  const bool maximum = projection == PanoramicReformatter::Projection::Maximum;
#pragma omp parallel for schedule(static)
  for (int r = 0; r < height; ++r) {
    unsigned short* out = image.GetData() + static_cast<std::size_t>(r) * image.GetWidth();
    AxisPosition z;
    if (!Locate(volume, 2, bottom + r * rowStep, z)) {
      std::fill(out, out + image.GetWidth(), padding);
      continue;
    }
    const unsigned short* lower = volume.Voxels() + z.index * sliceSize;
    const SlicePair slices{lower, lower + stepZ, z.fraction, NeighbourStep(volume, 0), NeighbourStep(volume, 1)};
    if (maximum)
      MaximumRow(slices, taps, padding, out);
    else
      MeanRow(slices, taps, padding, out);
  }
}

}  // namespace VolumeSampling
}  // namespace Quorvel
