#pragma once

#include <brantel/geometry/Vector3.h>
#include <quorvel/QuorvelExport.h>

#include <cstddef>
#include <vector>

namespace Quorvel {

/// A grid of 16-bit voxels whose axes are the world axes: the data that
/// AxisSlicer and PanoramicReformatter sample.
///
/// Voxel (i, j, k) lies in column i (world x), row j (world y) and slice k
/// (world z, the up axis of the reformatters); it is element
/// (k · ny + j) · nx + i of the array, so x varies fastest and each slice is
/// nx · ny contiguous voxels. Its centre is at origin + (i · sx, j · sy,
/// k · sz) with (sx, sy, sz) the spacing: the origin is the centre of voxel
/// (0, 0, 0), not its corner. A series in another orientation is resampled by
/// the caller, or the caller states its arch in the grid's frame.
///
/// The volume either owns its voxels (allocated once, zero-filled, written by
/// the caller through WritableVoxels) or views an array the caller owns and
/// keeps alive and unchanged in size: no copy is made then.
///
/// A volume is empty, and every sample of it is the reformatters' padding
/// value, when it has no voxels (a dimension below 1, or a null array) or its
/// spacing or origin is unusable (a spacing component not finite and
/// positive, an origin component not finite).
///
/// Keeps a pointer to the caller's voxels when it views them. Issues no GL.
///
/// Thread rule: the reformatters only read a volume, so any number of them
/// may sample one volume at once; the caller must not write its voxels
/// meanwhile.
class QUORVEL_EXPORT Volume {
public:
  /// Spacing, origin and world positions (mm).
  using Vec3 = Brantel::Geometry::Vector3<double>;
  /// Dimensions (nx, ny, nz).
  using Vec3i = Brantel::Geometry::Vector3<int>;

  /// An empty volume: no voxels; dimensions, spacing and origin all zero.
  Volume();

  /// Owns nx · ny · nz voxels, all 0. A geometry that makes the volume empty
  /// allocates nothing.
  /// @throws std::length_error when the voxel count does not fit in memory's
  /// address range; std::bad_alloc when the allocation fails.
  Volume(const Vec3i& dimensions, const Vec3& spacing, const Vec3& origin);

  /// Views the caller's nx · ny · nz voxels at `voxels` without copying them;
  /// the caller keeps them alive while this volume or a copy of it is used.
  /// A null `voxels` gives an empty volume.
  /// @throws std::length_error as the owning constructor.
  Volume(const unsigned short* voxels, const Vec3i& dimensions, const Vec3& spacing,
         const Vec3& origin);

  ///@{
  /// A copy of an owning volume owns a copy of the voxels; a copy of a view
  /// views the same caller memory. The destructor frees owned voxels only.
  /// @throws std::bad_alloc when the copy's voxels cannot be allocated; the
  /// target of an assignment is then unchanged.
  Volume(const Volume& other);
  Volume& operator=(const Volume& other);
  virtual ~Volume();
  ///@}

  /// Voxels along x, y and z (nx, ny, nz), as given.
  const Vec3i& Dimensions() const { return dimensions; }
  /// Distance between neighbouring voxel centres along x, y and z, as given.
  const Vec3& Spacing() const { return spacing; }
  /// World position of the centre of voxel (0, 0, 0), as given.
  const Vec3& Origin() const { return origin; }

  /// True when nothing can be sampled (see the class description).
  bool IsEmpty() const;
  /// Whether the voxels belong to this volume (false for a view).
  bool OwnsVoxels() const { return !owned.empty(); }

  /// The voxels, x fastest, then y, then z; null when there are none.
  const unsigned short* Voxels() const { return voxels; }
  /// The owned voxels, for the caller to fill; null for a view or an empty
  /// volume (a view's memory is written where the caller holds it).
  unsigned short* WritableVoxels() { return OwnsVoxels() ? owned.data() : nullptr; }
  /// nx · ny · nz, or 0 when a dimension is below 1.
  std::size_t VoxelCount() const;

  /// World position of the centre of voxel (i, j, k); indices need not lie
  /// in the grid.
  Vec3 VoxelCentre(int i, int j, int k) const;

private:
  Vec3i dimensions;
  Vec3 spacing;
  Vec3 origin;
  std::vector<unsigned short> owned;
  const unsigned short* voxels = nullptr;
};

}  // namespace Quorvel
