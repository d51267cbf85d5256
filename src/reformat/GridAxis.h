// Where a world coordinate falls on one axis of a volume's voxel grid.
#pragma once

#include <quorvel/Volume.h>

#include <cmath>
#include <cstdint>

namespace Quorvel {
namespace VolumeSampling {

/// The two voxels a coordinate lies between on one axis: `index` and
/// index + 1, weighted 1 - fraction and fraction.
struct AxisPosition {
  std::int64_t index;
  float fraction;
};

/// Positions this close to the first or last voxel centre (in voxels) count
/// as on it, so that a position computed with rounding error does not drop
/// the grid's border.
constexpr double kBorderTolerance = 1e-6;

/// Locates world coordinate `position` on `axis` of a non-empty volume.
/// Returns false when it lies outside the first and last voxel centres (or is
/// NaN). On the last centre, and on an axis of one voxel, index is the last
/// pair's first voxel with fraction 1 (fraction 0 for one voxel), so index + 1
/// never passes the grid when stepped by NeighbourStep.
inline bool Locate(const Volume& volume, int axis, double position, AxisPosition& located) {
  const double last = volume.Dimensions()[axis] - 1;
  const double x = (position - volume.Origin()[axis]) / volume.Spacing()[axis];
  if (!(x >= -kBorderTolerance && x <= last + kBorderTolerance)) return false;
  if (last == 0) {
    located = {0, 0.0f};
    return true;
  }
  const double index = std::fmin(std::fmax(std::floor(x), 0.0), last - 1);
  located = {static_cast<std::int64_t>(index), static_cast<float>(std::fmin(std::fmax(x - index, 0.0), 1.0))};
  return true;
}

/// Elements between neighbouring voxels along `axis`: 1, nx or nx · ny.
inline std::int64_t Stride(const Volume& volume, int axis) {
  const Volume::Vec3i& n = volume.Dimensions();
  const std::int64_t strides[3] = {1, n[0], std::int64_t{n[0]} * n[1]};
  return strides[axis];
}

/// The stride to the second voxel of a located pair: 0 on an axis of one
/// voxel, where the pair is the voxel itself (weighted 1 and 0).
inline std::int64_t NeighbourStep(const Volume& volume, int axis) {
  return volume.Dimensions()[axis] < 2 ? 0 : Stride(volume, axis);
}

}  // namespace VolumeSampling
}  // namespace Quorvel
