#pragma once

#include <quorvel/GlPanoramaRegionBase.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

/// Draws a panoramic region into the axial view, flat in the plane z = 0 and
/// with smooth lines.
///
/// It draws the band's outline, the transversal slices (the central one with a
/// gap around the panorama position, the others as stubs with a plus or minus
/// sign), the LSA line and the inspection window. Gaps are given in pixels and
/// converted with the region's sampling, so update SetSampling() when the zoom
/// changes. Keeps a pointer to the viewer's spline (see GlPanoramaRegionBase);
/// holds no GL objects.
///
/// GL state: both render operations push and restore what they change, except
/// the smoothing hints (left at GL_NICEST) and the current colour.
///
/// Thread rule: the render operations run on the thread whose context is
/// current; no locking.
class QUORVEL_EXPORT GlPanoramaRegionAxial : public GlPanoramaRegionBase {
public:
  ///@{
  /// The defaults of GlPanoramaRegionBase. Copies copy every setting; the
  /// spline is shared, not duplicated. Nothing to release.
  GlPanoramaRegionAxial() = default;
  GlPanoramaRegionAxial(const GlPanoramaRegionAxial& other) = default;
  GlPanoramaRegionAxial& operator=(const GlPanoramaRegionAxial& other) = default;
  ~GlPanoramaRegionAxial() override;
  ///@}

  /// Draws the band's outline exactly as GlPanoramaRegion3D::RenderRegion
  /// does (edges and caps in the border colour at z = 0), but with smooth
  /// lines switched on.
  ///
  /// Switches smooth lines on inside the push.
  /// Without a spline, or when the spline has no sample points or no sample
  /// normals, draws nothing and issues no GL command.
  /// @gl_pushes GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT |
  /// GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT.
  /// @gl_leaves the line and point smoothing hints at GL_NICEST; the current
  /// colour at the border colour.
  void RenderRegion();

  /// Draws, for the panorama `position` (only x along the curve and y across
  /// the band are used), at z = 0:
  /// - the transversal slices j = -count/2 ... (count of them) at
  ///   position.x + j · spacing, in the TSA colour; a slice beyond either end
  ///   of the curve is skipped. The central slice (j = 0) spans the band with
  ///   a hole of TSA gap on each side of the panorama point; the others are
  ///   quarter-width stubs from both edges with a sign one eighth of the width
  ///   beyond the first edge: plus for j > 0, minus for j < 0;
  /// - the LSA line, in the LSA colour: the tangent at the panorama point, as
  ///   long as the inspection window, with a hole of LSA gap on each side;
  /// - the inspection window, in the IW colour: the band's parallel at offset
  ///   position.y sampled every 0.005 of the unit parameter over the window's
  ///   length centred on position.x, as a line strip that leaves out points
  ///   closer than the IW gap to the panorama point and is split once there.
  ///   The walk is bounded: it stops after 10000 parameter values (a span of
  ///   50 in u, fifty curve lengths), or as soon as adding 0.005 no longer
  ///   changes the parameter (|u| beyond about 4.5e13). Windows and positions
  ///   within some forty-nine curve lengths of the curve are drawn whole.
  ///
  /// Gaps are pixels times the first component of the sampling; negative gaps
  /// are used as they are. Line width is the caller's.
  ///
  /// Switches smooth lines on (stipple off) inside the push.
  /// Allocates nothing. Without a spline draws nothing and issues no GL
  /// command.
  /// @throws std::runtime_error from the spline's sample lookup if the spline
  /// has no samples (at a slice's lookup, or the LSA line's when every slice
  /// is skipped); the attribute stack is popped before the exception leaves.
  /// @gl_pushes GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT |
  /// GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT.
  /// @gl_leaves the line and point smoothing hints at GL_NICEST; the current
  /// colour at the IW colour.
  void RenderSlices(const Vec3& position);

private:
  void DrawSlice(int j, const Vec3& position, double gap);
  void DrawLsaLine(const Vec3& center, const Vec3& first, const Vec3& second, double gap);
  void DrawInspectionWindow(double u0, const Vec3& position, const Vec3& center, double gap);
  void GetFlatPoints(double u, double offset, Vec3& first, Vec3& second, Vec3& point) const;
};

}  // namespace Quorvel
