// Settings and band geometry of a panoramic region: a band of a given width
// along the caller's spline, with transversal slices and an inspection window
// around the panorama position. Draws nothing itself; GlPanoramaRegion3D and
// GlPanoramaRegionAxial draw it.
//
// Panorama coordinates (the position handed to the render operations):
// x runs along the curve, a world length from the middle of the sample range,
// positive toward the first sample; y is the signed offset across the band
// (+half width is the first edge, on the side the sample normals point to);
// z is the height (3D view only).
#pragma once

#include <brantel/geometry/SplineBase.h>
#include <brantel/geometry/Vector2.h>
#include <brantel/geometry/Vector3.h>
#include <quorvel/GlObjectsBase.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

class QUORVEL_EXPORT GlPanoramaRegionBase : public GlObjectsBase {
public:
  using Vector3d = Brantel::Geometry::Vector3<double>;
  using Vector2d = Brantel::Geometry::Vector2<double>;
  using Spline = Brantel::Geometry::CSplineBase<Vector3d>;

  /// No spline, width 0, no slices, an empty inspection window, black
  /// colours, gaps of 0 pixels and a sampling of (1, 1).
  GlPanoramaRegionBase();
  /// Copies every setting; the copy points to the same caller-owned spline.
  GlPanoramaRegionBase(const GlPanoramaRegionBase& other);
  GlPanoramaRegionBase& operator=(const GlPanoramaRegionBase& other);
  ~GlPanoramaRegionBase() override;

  /// The band's full width across the curve (stored as its half).
  void SetWidth(double width);
  /// `count` slices, `spacing` apart along the curve, centred on the panorama
  /// position. A count of 0 or less draws no slice.
  void SetTransversalSlices(int count, double spacing);
  /// The inspection window's length along the curve and its height.
  void SetInspectionWindow(double length, double height);

  /// Gaps left around the panorama position in the axial view, in pixels
  /// (converted to world lengths with the first component of the sampling).
  void SetTSAGapInPixels(int gap);
  void SetLSAGapInPixels(int gap);
  void SetIWGapInPixels(int gap);

  /// Colours, red, green, blue in 0..1. The point and spline colours are only
  /// stored; no render operation draws with them.
  void SetBorderColor(const Vector3d& color);
  void SetPointColor(const Vector3d& color);
  void SetSplineColor(const Vector3d& color);
  void SetTSAColor(const Vector3d& color);
  void SetLSAColor(const Vector3d& color);
  void SetIWColor(const Vector3d& color);

  /// World length of one screen pixel (x, y); only x is used.
  void SetSampling(Vector2d sampling);

  /// Keeps `spline` (caller-owned, not copied: it must outlive this region and
  /// its copies) and caches its length and the length's inverse. Call again
  /// after changing the spline's control points.
  /// A null `spline` detaches the region: length and inverse become 0 and the
  /// render operations draw nothing.
  /// Throws whatever the spline's GetLength throws; the region is then left
  /// unchanged.
  void SetSpline(const Spline* spline);

protected:
  /// The unit parameter of a position along the curve: 0.5 - inverse length ·
  /// position. Not clamped; the sample lookups clamp.
  double PanoramaPosPToUnit(double position) const;

  /// The band's two edge points at unit parameter u: the sample point plus
  /// (first) and minus (second) the sample normal times the half width.
  /// Requires a spline; throws the lookup's std::runtime_error if it has no
  /// samples.
  void GetOuterPoints(double u, Vector3d& first, Vector3d& second) const;

  /// The point at a signed offset across the band: +half width gives `first`,
  /// -half width `second`; offsets beyond extrapolate along their line.
  void GetOffsetPoint(double offset, const Vector3d& first, const Vector3d& second, Vector3d& result) const;

  double halfWidth;
  double curveLength;
  double curveLengthInverse;
  double sliceSpacing;
  int sliceCount;
  double inspectionWindowLength;
  double inspectionWindowHeight;
  const Spline* spline;
  Vector3d borderColor;
  Vector3d pointColor;
  Vector3d splineColor;
  Vector3d tsaColor;
  Vector3d lsaColor;
  Vector3d iwColor;
  int tsaGapInPixels;
  int lsaGapInPixels;
  int iwGapInPixels;
  Vector2d sampling;
};

}  // namespace Quorvel
