#include <quorvel/AxisSlicer.h>

#include "GridAxis.h"
#include "ParallelWork.h"
#include "PixelValues.h"

#include <algorithm>
#include <cstdint>

namespace Quorvel {
namespace {

// How a plane lies in the grid: the axis it cuts, and the grid axes of its
// image columns and rows.
struct PlaneLayout {
  int cutAxis;
  int columnAxis;
  int rowAxis;
};

PlaneLayout LayoutOf(AxisSlicer::Plane plane) {
  switch (plane) {
    case AxisSlicer::Plane::Coronal: return {1, 0, 2};
    case AxisSlicer::Plane::Sagittal: return {0, 1, 2};
    default: return {2, 0, 1};
  }
}

// One image row: the grid's row `r` interpolated between the two planes at
// `lower` and lower + step, padding beyond the grid's columns.
void SliceRow(const unsigned short* lower, std::int64_t step, float fraction, std::int64_t columnStride,
              int gridColumns, unsigned short padding, unsigned short* out, int width) {
  const int inside = std::min(width, gridColumns);
  for (int c = 0; c < inside; ++c) {
    const unsigned short* p = lower + c * columnStride;
    out[c] = VolumeSampling::Stored(p[0] + fraction * (float(p[step]) - float(p[0])));
  }
  std::fill(out + inside, out + width, padding);
}

}  // namespace

AxisSlicer::AxisSlicer() = default;
AxisSlicer::AxisSlicer(const AxisSlicer& other) = default;
AxisSlicer& AxisSlicer::operator=(const AxisSlicer& other) = default;
AxisSlicer::~AxisSlicer() = default;

void AxisSlicer::SetVolume(const Volume* newVolume) { volume = newVolume; }

void AxisSlicer::SetPadding(unsigned short value) { padding = value; }

AxisSlicer::Vec2i AxisSlicer::SliceSize(Plane plane) const {
  if (volume == nullptr || volume->IsEmpty()) return Vec2i(0, 0);
  const PlaneLayout layout = LayoutOf(plane);
  return Vec2i(volume->Dimensions()[layout.columnAxis], volume->Dimensions()[layout.rowAxis]);
}

void AxisSlicer::Slice(Plane plane, double position, GreyImage& image) const {
  if (image.GetWidth() == 0 || image.GetHeight() == 0 || image.GetData() == nullptr) return;
  const PlaneLayout layout = LayoutOf(plane);
  VolumeSampling::AxisPosition cut;
  if (volume == nullptr || volume->IsEmpty() || !VolumeSampling::Locate(*volume, layout.cutAxis, position, cut))
    return VolumeSampling::FillPadding(image, padding);
  const unsigned short* plane0 = volume->Voxels() + cut.index * VolumeSampling::Stride(*volume, layout.cutAxis);
  const std::int64_t step = VolumeSampling::NeighbourStep(*volume, layout.cutAxis);
  const std::int64_t columnStride = VolumeSampling::Stride(*volume, layout.columnAxis);
  const std::int64_t rowStride = VolumeSampling::Stride(*volume, layout.rowAxis);
  const int gridColumns = volume->Dimensions()[layout.columnAxis];
  const int gridRows = volume->Dimensions()[layout.rowAxis];
  const int width = static_cast<int>(image.GetWidth());
  const int height = static_cast<int>(image.GetHeight());
  // A slice pixel reads two voxels in order, the cost of about one sample.
  const bool parallel = std::int64_t{width} * height >= VolumeSampling::kParallelWork;
#pragma omp parallel for schedule(static) if (parallel)
  for (int r = 0; r < height; ++r) {
    unsigned short* out = image.GetData() + static_cast<std::size_t>(r) * width;
    if (r < gridRows)
      SliceRow(plane0 + r * rowStride, step, cut.fraction, columnStride, gridColumns, padding, out, width);
    else
      std::fill(out, out + width, padding);
  }
}

}  // namespace Quorvel
