#pragma once

#include <brantel/geometry/SplineBase.h>
#include <brantel/geometry/Vector2.h>
#include <brantel/geometry/Vector3.h>
#include <quorvel/GlObjectsBase.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

/// Settings and band geometry of a panoramic region: a band of a given width
/// along the viewer's spline, with transversal slices and an inspection window
/// around the panorama position.
///
/// Draws nothing itself; GlPanoramaRegion3D and GlPanoramaRegionAxial draw it
/// and add no members. The marks they draw are named by the setters: TSA, the
/// transversal slices across the band; LSA, the line along the panorama through
/// the panorama position (axial view); IW, the inspection window, a stretch of
/// the panorama of the window's length centred on the position.
///
/// Panorama coordinates (the position handed to the render operations): x runs
/// along the curve, a world length from the middle of the sample range,
/// positive toward the first sample; y is the signed offset across the band
/// (+half width is the first edge, on the side the sample normals point to); z
/// is the height (3D view only).
///
/// Keeps a pointer to the viewer's spline, which it neither copies nor frees:
/// the spline must outlive the region and its copies. Holds no GL objects.
///
/// Thread rule: every call on the rendering thread; no locking.
class QUORVEL_EXPORT GlPanoramaRegionBase : public GlObjectsBase {
public:
  /// Points, directions and colours.
  using Vec3 = Brantel::Geometry::Vector3<double>;
  /// Pixel sampling (x, y).
  using Vec2 = Brantel::Geometry::Vector2<double>;
  /// The viewer's spline, or a class derived from it.
  using Spline = Brantel::Geometry::CSplineBase<Brantel::Geometry::Vector3<double>>;

  /// No spline, width 0, no slices, an empty inspection window, black
  /// colours, gaps of 0 pixels and a sampling of (1, 1).
  GlPanoramaRegionBase();
  ///@{
  /// Copies every setting; the copy points to the same caller-owned spline.
  /// Nothing to release.
  GlPanoramaRegionBase(const GlPanoramaRegionBase& other);
  GlPanoramaRegionBase& operator=(const GlPanoramaRegionBase& other);
  ~GlPanoramaRegionBase() override;
  ///@}

  /// The band's full width across the curve (stored as its half).
  void SetWidth(double width);
  /// `count` slices, `spacing` apart along the curve, centred on the panorama
  /// position. A count of 0 or less draws no slice.
  void SetTransversalSlices(int count, double spacing);
  /// The inspection window's length along the curve and its height.
  void SetInspectionWindow(double length, double height);

  /// @name Gaps around the panorama position
  /// In pixels, converted to world lengths with the first component of the
  /// sampling; used by the axial view only.
  ///@{
  /// Gap of the central transversal slice on each side of the panorama point.
  void SetTSAGapInPixels(int gap);
  /// Gap of the LSA line on each side of the panorama point.
  void SetLSAGapInPixels(int gap);
  /// Radius around the panorama point that the inspection window leaves out.
  void SetIWGapInPixels(int gap);
  ///@}

  /// @name Colours
  /// Red, green, blue in 0..1.
  ///@{
  /// The band's outline.
  void SetBorderColor(const Vec3& color);
  /// Only stored; no render operation draws with it.
  void SetPointColor(const Vec3& color);
  /// Only stored; no render operation draws with it.
  void SetSplineColor(const Vec3& color);
  /// The transversal slices.
  void SetTSAColor(const Vec3& color);
  /// The LSA line (axial view).
  void SetLSAColor(const Vec3& color);
  /// The inspection window.
  void SetIWColor(const Vec3& color);
  ///@}

  /// World length of one screen pixel (x, y); only x is used.
  void SetSampling(Vec2 sampling);

  /// Keeps `spline` (caller-owned, not copied: it must outlive this region and
  /// its copies) and caches its length and the length's inverse. Call again
  /// after changing the spline's control points.
  /// A null `spline` detaches the region: length and inverse become 0 and the
  /// render operations draw nothing.
  /// Passes on whatever the spline's GetLength throws; the region is then
  /// left unchanged.
  void SetSpline(const Spline* spline);

protected:
  /// The unit parameter of a position along the curve: 0.5 - inverse length ·
  /// position. Not clamped; the sample lookups clamp.
  double PanoramaPosPToUnit(double position) const;

  /// The unit-parameter range of the inspection window around u0: `start` =
  /// u0 - w / 2 and `end` = start + w, w being the window's length times the
  /// inverse curve length.
  void GetInspectionWindowRange(double u0, double& start, double& end) const;

  /// The band's two edge points at unit parameter u: the sample point plus
  /// (first) and minus (second) the sample normal times the half width.
  /// Requires a spline; throws the lookup's std::runtime_error if it has no
  /// samples.
  void GetOuterPoints(double u, Vec3& first, Vec3& second) const;

  /// The point at a signed offset across the band: +half width gives `first`,
  /// -half width `second`; offsets beyond extrapolate along their line.
  void GetOffsetPoint(double offset, const Vec3& first, const Vec3& second, Vec3& result) const;

  double halfWidth;               ///< half the band's width
  double curveLength;             ///< the spline's length at SetSpline
  double curveLengthInverse;      ///< 1 / curveLength (0 without a spline)
  double sliceSpacing;            ///< distance between transversal slices
  int sliceCount;                 ///< number of transversal slices
  double inspectionWindowLength;  ///< along the curve
  double inspectionWindowHeight;  ///< full height
  const Spline* spline;           ///< the viewer's spline; not owned, may be null
  Vec3 borderColor;               ///< outline colour
  Vec3 pointColor;                ///< stored only
  Vec3 splineColor;               ///< stored only
  Vec3 tsaColor;                  ///< transversal slice colour
  Vec3 lsaColor;                  ///< LSA line colour
  Vec3 iwColor;                   ///< inspection window colour
  int tsaGapInPixels;             ///< central slice gap, pixels
  int lsaGapInPixels;             ///< LSA line gap, pixels
  int iwGapInPixels;              ///< inspection window gap, pixels
  Vec2 sampling;                  ///< world size of one pixel; x is used
};

}  // namespace Quorvel
