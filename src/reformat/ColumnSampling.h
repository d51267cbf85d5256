// The sampling loop shared by every vertical image (panoramic image,
// cross-sections): each image column has its own in-plane sample positions,
// shared by all rows; each row has its own height.
#pragma once

#include <brantel/nimage/Image2D.h>
#include <quorvel/PanoramicReformatter.h>
#include <quorvel/Volume.h>

#include <cstdint>
#include <vector>

namespace Quorvel {
namespace VolumeSampling {

/// An in-plane sample position: the offset within a slice of the voxel at
/// its lower x and y corner, and the bilinear weights of that voxel, its
/// neighbour in x, its neighbour in y and the one in both.
struct Tap {
  std::int64_t offset;
  float weight[4];
};

/// The sample positions of every column of a vertical image: up to
/// PerColumn() taps per column. Positions outside the volume are not stored;
/// they count as padding samples. Reused between images: Reset allocates only
/// when the image needs more slots than any before.
class ColumnTaps {
public:
  /// `columns` columns of `perColumn` slots, all empty.
  void Reset(int columns, int perColumn);
  int Columns() const { return columns; }
  int PerColumn() const { return perColumn; }

  /// Adds the sample at world (x, y) to `column` if it lies inside the
  /// volume's grid in x and y. Distinct columns may be filled in parallel.
  void Add(int column, const Volume& volume, double x, double y);

  const Tap* Column(int column) const { return &taps[static_cast<std::size_t>(column) * perColumn]; }
  int Count(int column) const { return counts[column]; }

private:
  int columns = 0;
  int perColumn = 0;
  std::vector<Tap> taps;
  std::vector<int> counts;
};

/// Fills `image`, whose width is taps.Columns(): row r at world height
/// bottom + r · rowStep, each pixel the mean or the maximum of the trilinear
/// samples at its column's taps and its row's height, samples outside the
/// volume (missing taps, or a height outside the grid) taken as `padding`.
/// A column without taps and a row outside the grid are all padding; the
/// result is rounded to the nearest stored value. Parallel over rows.
/// Requires a non-empty volume.
void SampleColumns(const Volume& volume, const ColumnTaps& taps, double bottom, double rowStep,
                   PanoramicReformatter::Projection projection, unsigned short padding, Brantel::NImage::Image2D<unsigned short>& image);

}  // namespace VolumeSampling
}  // namespace Quorvel
