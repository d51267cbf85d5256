// The volume the viewer shows, whichever way it came: the voxels of a DICOM
// series or of the voxelised phantom, and the library's Volume that views
// them without a copy.
//
// The viewer's world is the voxel grid's own frame, because the library's
// Volume has world-aligned axes: x along a row (increasing column), y down a
// column (increasing row), z along the slice normal (increasing slice), in
// mm, with the series' origin (the centre of voxel (0, 0, 0)) as its own.
// For an axial series stored as scanners store one (rows along the
// patient's x, columns along y) the world is the patient's frame; for any
// other, ToWorld and ToPatient turn points with the series' directions.
#pragma once

#include "DicomSeries.h"

#include <quorvel/Volume.h>

namespace Demo {

class LoadedVolume {
public:
  explicit LoadedVolume(DicomSeries series);
  // The Volume views this object's voxels: not copied, not moved.
  LoadedVolume(const LoadedVolume&) = delete;
  LoadedVolume& operator=(const LoadedVolume&) = delete;

  const DicomSeries& Series() const { return series; }
  const Quorvel::Volume& Voxels() const { return volume; }

  /// World point of a patient point, and back.
  Vec3 ToWorld(const Vec3& patient) const;
  Vec3 ToPatient(const Vec3& world) const;
  /// Patient direction of a world direction.
  Vec3 PatientDirection(const Vec3& world) const;

  /// The grid's box in the world: its lowest corner (the outer corner of
  /// voxel (0, 0, 0)), its size and its centre.
  Vec3 Corner() const;
  Vec3 Extent() const;
  Vec3 Centre() const { return Corner() + Extent() * 0.5; }

  int SliceCount() const { return series.dimensions[2]; }
  /// World z of slice k's voxel centres.
  double SliceZ(int k) const { return series.origin[2] + k * series.spacing[2]; }
  /// The slice nearest to world z, within the grid.
  int NearestSlice(double z) const;

private:
  DicomSeries series;
  Quorvel::Volume volume;
};

}  // namespace Demo
