#pragma once

#include <brantel/geometry/Vector2.h>
#include <brantel/nimage/Image2D.h>
#include <quorvel/QuorvelExport.h>
#include <quorvel/Volume.h>

namespace Quorvel {

/// Axial, coronal and sagittal slices of a Volume at any position, on the
/// volume's own voxel grid.
///
/// The slice lies at any world coordinate along the cut axis, interpolated
/// linearly between the two voxel planes around it; in its plane the pixels
/// are the volume's voxels, so pixel (c, r) is the voxel centre at grid
/// position (c, r) of the plane and has the volume's spacing as its size:
///
/// | Plane    | cut axis | column c | row r | SliceSize  |
/// |----------|----------|----------|-------|------------|
/// | Axial    | z        | x (i)    | y (j) | (nx, ny)   |
/// | Coronal  | y        | x (i)    | z (k) | (nx, nz)   |
/// | Sagittal | x        | y (j)    | z (k) | (ny, nz)   |
///
/// Row 0 is the lowest coordinate on its axis (the bottom for coronal and
/// sagittal slices), as Gl2DTextureMapper draws row 0 at the origin corner:
/// the image's outer corner is at the first voxel centre minus half a voxel.
/// Any image size works: pixels beyond the grid, and a whole slice whose
/// position lies outside the first and last voxel centres (or is NaN), are
/// the padding value; the part of the grid beyond the image is not drawn. An
/// empty or missing volume gives padding; an image of width or height 0, or
/// without pixel memory, is left untouched.
///
/// Keeps a pointer to the caller's volume (not owned; alive while set).
/// Allocates nothing and issues no GL.
///
/// Thread rule: a call runs an OpenMP parallel loop over the image rows and
/// returns when it is done; an image of fewer than 2^21 pixels is computed
/// on the calling thread. One slicer is used by one thread at a time.
class QUORVEL_EXPORT AxisSlicer {
public:
  /// The 16-bit image a slice is written into.
  using GreyImage = Brantel::NImage::Image2D<unsigned short>;
  /// Image sizes (columns, rows).
  using Vec2i = Brantel::Geometry::Vector2<int>;

  /// The plane of a slice, named by the axis it cuts (see the table above).
  enum class Plane {
    Axial,     ///< across z: columns along x, rows along y
    Coronal,   ///< across y: columns along x, rows along z
    Sagittal,  ///< across x: columns along y, rows along z
  };

  /// No volume, padding 0.
  AxisSlicer();
  ///@{
  /// Copies the settings; the copy points to the same volume. Nothing to
  /// release.
  AxisSlicer(const AxisSlicer& other);
  AxisSlicer& operator=(const AxisSlicer& other);
  virtual ~AxisSlicer();
  ///@}

  /// The volume to cut; null detaches it.
  void SetVolume(const Volume* volume);
  /// The value of pixels outside the volume.
  void SetPadding(unsigned short padding);

  /// The image size that holds the whole grid of `plane` (columns, rows);
  /// (0, 0) without a volume or for an empty one.
  Vec2i SliceSize(Plane plane) const;

  /// Fills `image` with the slice of `plane` at world coordinate `position`
  /// along its cut axis.
  void Slice(Plane plane, double position, GreyImage& image) const;

private:
  const Volume* volume = nullptr;
  unsigned short padding = 0;
};

}  // namespace Quorvel
