// A monochrome volume as the demo holds it in memory: the voxels of a DICOM
// series (or of the voxelised phantom), where they lie in the patient's
// coordinates, and how their stored values become real ones.
#pragma once

#include "ArchSpline.h"
#include "LookupTable.h"

#include <brantel/geometry/Vector3.h>

#include <cstddef>
#include <string>
#include <vector>

namespace Demo {

using Vec3i = Brantel::Geometry::Vector3<int>;

/// Voxel (i, j, k) is column i, row j of slice k. Its centre lies at
/// origin + i · spacing[0] · rowDirection + j · spacing[1] · columnDirection
/// + k · spacing[2] · normal, in DICOM patient coordinates (mm; x towards the
/// patient's left, y towards the back, z towards the head). The three
/// directions are orthonormal and right-handed, and slice k + 1 lies further
/// along the normal than slice k. For an axial series the directions are
/// the axes and `voxels` can be viewed as is by a volume whose voxel centre
/// is origin + (i · sx, j · sy, k · sz).
struct DicomSeries {
  /// Stored values, x (column) fastest, then y (row), then slice; 0 is the
  /// smallest value the pixel format could hold (see `intercept`).
  std::vector<unsigned short> voxels;
  Vec3i dimensions{0, 0, 0};  ///< columns, rows, slices
  /// mm between neighbouring columns, rows and slices (the last from the
  /// slices' positions).
  Vec3 spacing{1.0, 1.0, 1.0};
  Vec3 origin{0.0, 0.0, 0.0};           ///< centre of voxel (0, 0, 0)
  Vec3 rowDirection{1.0, 0.0, 0.0};     ///< along a row: increasing i
  Vec3 columnDirection{0.0, 1.0, 0.0};  ///< down a column: increasing j
  Vec3 normal{0.0, 0.0, 1.0};           ///< rowDirection × columnDirection: increasing k
  /// False when the files gave no orientation (a projection image, say):
  /// the directions above are then only the grid's own axes.
  bool oriented = true;

  /// Real value (Hounsfield units for CT) = stored · slope + intercept.
  double slope = 1.0;
  double intercept = 0.0;
  unsigned short largestStored = 65535;  ///< the largest value the pixel format can hold
  Window window;                         ///< the first slice's, or one over the voxels' range

  std::string seriesUid;
  std::string description;  ///< for labels, e.g. "CT Phantom, 400 x 400 x 300, 0.4 x 0.4 x 0.4 mm"
  /// Lines for the user about what was read: files skipped, other series.
  std::vector<std::string> notes;

  std::size_t SliceVoxels() const { return std::size_t(dimensions[0]) * std::size_t(dimensions[1]); }
  std::size_t Index(int i, int j, int k) const {
    return std::size_t(k) * SliceVoxels() + std::size_t(j) * std::size_t(dimensions[0]) + std::size_t(i);
  }
  unsigned short At(int i, int j, int k) const { return voxels[Index(i, j, k)]; }
  /// Patient coordinates of the centre of voxel (i, j, k); fractions allowed.
  Vec3 Position(double i, double j, double k) const {
    return origin + rowDirection * (i * spacing[0]) + columnDirection * (j * spacing[1]) + normal * (k * spacing[2]);
  }
};

}  // namespace Demo
