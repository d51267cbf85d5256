#pragma once

#include <brantel/geometry/SplineBase.h>
#include <brantel/geometry/Vector3.h>
#include <brantel/nimage/Image2D.h>
#include <quorvel/QuorvelExport.h>
#include <quorvel/Volume.h>

#include <memory>

namespace Quorvel {

namespace VolumeSampling {
class ColumnTaps;
}

/// The panoramic image and the cross-sections of a Volume along the viewer's
/// spline: a band along the curve, projected across its thickness, and the
/// transversal slices the panorama regions draw.
///
/// The surface stands on the spline's sample points (their x and y; their z
/// is not used) and extends along the world z axis, the volume's up axis.
/// At each point the band runs across the curve along the sample normal's
/// horizontal part (x, y), made unit length; a normal without one puts every
/// band sample on the curve. Points and normals are looked up from the
/// spline's samples by the unit parameter u as the panorama regions do
/// (linear between samples), so the images line up with the regions' band
/// and slices.
///
/// Positions along the curve are panorama positions, as in
/// GlPanoramaRegionBase: a world length p from the middle of the curve,
/// positive toward the first sample, u = 0.5 - p / L with L the spline's
/// GetLength() taken at SetSpline. They are arc lengths where the samples
/// are evenly spaced along the curve, which the regions assume as well.
///
/// Both images have pixels of SetPixelSize (horizontal, vertical) and their
/// rows at world heights bottom + r · vertical (SetBottom), row 0 the
/// lowest: drawn by Gl2DTextureMapper with an upward y edge, row 0 is at
/// the bottom. Any image size works; the caller chooses it (ArchColumns
/// gives the width that covers the curve).
///
/// - Panoramic image (Reformat): column c is at panorama position
///   ((width - 1) / 2 - c) · horizontal, so the middle column is the curve's
///   middle and column 0 lies toward the first sample (on the left). Columns
///   beyond either end of the curve are padding. Each pixel is the mean or
///   the maximum (SetProjection) of trilinear samples across the band.
/// - Cross-section (CrossSection): the transversal slice at one panorama
///   position, the plane spanned by the normal and the z axis there. Column c
///   is at offset (c - (width - 1) / 2) · horizontal along the normal (column
///   0 on the side opposite to the normal, the middle column on the curve);
///   one trilinear sample per pixel.
///
/// A sample outside the volume (beyond its first or last voxel centre on any
/// axis) is the padding value; in the mean it counts as a sample of that
/// value. Results are rounded to the nearest value and clamped to 0..65535.
/// An image that cannot be sampled (no volume or an empty one, no spline, a
/// spline without samples or of zero or non-finite length, a pixel size not
/// finite and positive, a position that is NaN) is filled with padding; an
/// image of width or height 0, or without pixel memory, is left untouched.
///
/// Keeps pointers to the caller's volume and spline (not owned; alive and
/// unchanged while set) and a table of in-plane sample positions (24 bytes
/// per column and band sample) that each call rebuilds in place: a call
/// whose columns × band samples do not exceed an earlier call's allocates
/// nothing. Issues no GL.
///
/// Thread rule: a call runs OpenMP parallel loops over the image's columns and
/// rows and returns when they are done; an image of less than about 4 ms of
/// work (a cross-section, say) is computed on the calling thread, where
/// starting the workers could cost more than they save on a busy machine. One
/// reformatter is used by one thread at a time; several may read the same
/// volume and spline at once.
class QUORVEL_EXPORT PanoramicReformatter {
public:
  /// The viewer's spline, as the panorama regions take it.
  using Spline = Brantel::Geometry::CSplineBase<Brantel::Geometry::Vector3<double>>;
  /// The 16-bit image an image is written into.
  using GreyImage = Brantel::NImage::Image2D<unsigned short>;

  /// How a panoramic pixel combines the samples across the band.
  enum class Projection {
    Mean,     ///< their mean, like a radiograph through the band
    Maximum,  ///< their largest value, which brings out dense structures
  };

  /// The most samples across the band: a band that would have this many or
  /// more is sampled at this many points spread over its whole thickness.
  static constexpr int kMaxBandSamples = 1024;

  /// No volume, no spline, a band of thickness 0 (one sample on the curve)
  /// at a step of 0.25, pixels of 0.25 by 0.25, bottom 0, the mean, padding 0.
  PanoramicReformatter();
  ///@{
  /// Copies every setting; the copy points to the same volume and spline and
  /// keeps a sample table of its own. The destructor frees the table.
  PanoramicReformatter(const PanoramicReformatter& other);
  PanoramicReformatter& operator=(const PanoramicReformatter& other);
  virtual ~PanoramicReformatter();
  ///@}

  /// The volume to sample; null detaches it.
  void SetVolume(const Volume* volume);
  /// Keeps `spline` and caches its length; call again after changing its
  /// control points. Null detaches it. Whatever the spline's GetLength
  /// throws passes through, and the reformatter is then unchanged.
  void SetSpline(const Spline* spline);
  /// The band across the curve: floor(thickness / step) + 1 samples, `step`
  /// apart along the normal and centred on the curve (a 16 mm band at 0.25 mm
  /// gives 65 samples, from -8 to +8). A thickness or step that is not finite
  /// and positive gives one sample, on the curve.
  void SetBand(double thickness, double step);
  /// Mean (the default) or maximum across the band.
  void SetProjection(Projection projection);
  /// The value of samples outside the volume.
  void SetPadding(unsigned short padding);
  /// World size of a pixel: horizontal (along the curve, or along the normal
  /// in a cross-section) and vertical (z).
  void SetPixelSize(double horizontal, double vertical);
  /// World z of row 0.
  void SetBottom(double z);

  /// The number of columns whose pixels cover the curve at the horizontal
  /// pixel size, floor(L / horizontal) + 1; 0 when there is no curve (no
  /// spline, zero or non-finite length, or a pixel size not finite and
  /// positive).
  int ArchColumns() const;
  /// The number of band samples SetBand gives.
  int BandSamples() const;

  /// Fills `image` with the panoramic image (see the class description).
  /// @throws std::bad_alloc when the sample table cannot grow; `image` is
  /// then unchanged.
  void Reformat(GreyImage& image);
  /// Fills `image` with the cross-section at panorama position `position`,
  /// one sample a pixel (the band and the projection do not apply); a
  /// position beyond either end of the curve gives padding.
  /// @throws std::bad_alloc as Reformat.
  void CrossSection(double position, GreyImage& image);

private:
  double BandSpacing() const;
  bool CanSample() const;
  bool SplineHasSamples() const;
  bool OnCurve(double position) const;
  void BuildBandTaps(int columns, bool parallel);
  void BuildCrossSectionTaps(double position, int columns);

  const Volume* volume = nullptr;
  const Spline* spline = nullptr;
  double curveLength = 0;
  double bandThickness = 0;
  double bandStep = 0.25;
  Projection projection = Projection::Mean;
  unsigned short padding = 0;
  double pixelWidth = 0.25;
  double pixelHeight = 0.25;
  double bottom = 0;
  /// The sample table, rebuilt by every call: a copy or an assignment
  /// gives the object a table of its own, empty.
  struct Scratch {
    Scratch();
    Scratch(const Scratch&);
    Scratch& operator=(const Scratch&) { return *this; }
    ~Scratch();
    std::unique_ptr<VolumeSampling::ColumnTaps> taps;
  };
  Scratch scratch;
};

}  // namespace Quorvel
