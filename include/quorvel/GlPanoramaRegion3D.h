#pragma once

#include <quorvel/GlPanoramaRegionBase.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

/// Draws a panoramic region into a 3D view: the band's outline in the plane z =
/// 0, the transversal slices as upright rectangles and the inspection window as
/// an upright frame that follows the band.
///
/// Set it up through the setters of GlPanoramaRegionBase and call
/// RenderRegion() and RenderSlices() inside the frame, with the view's
/// projection and modelview matrices current. Keeps a pointer to the viewer's
/// spline (see GlPanoramaRegionBase); holds no GL objects.
///
/// GL state: both render operations push and restore what they change and leave
/// only the current colour changed.
///
/// Thread rule: the render operations run on the thread whose context is
/// current; no locking.
class QUORVEL_EXPORT GlPanoramaRegion3D : public GlPanoramaRegionBase {
public:
  ///@{
  /// The defaults of GlPanoramaRegionBase. Copies copy every setting; the
  /// spline is shared, not duplicated. Nothing to release.
  GlPanoramaRegion3D() = default;
  GlPanoramaRegion3D(const GlPanoramaRegion3D& other) = default;
  GlPanoramaRegion3D& operator=(const GlPanoramaRegion3D& other) = default;
  ~GlPanoramaRegion3D() override;
  ///@}

  /// Draws the band's outline in the border colour, every vertex flattened to
  /// z = 0: the second edge and the first edge as line strips over the sample
  /// points moved by -/+ half width along the sample normals (stopping at the
  /// shorter of the two sequences), then the start and the end cap as lines.
  /// The curve itself is not drawn. Line width and stipple are the caller's.
  ///
  /// Switches smooth lines off inside the push.
  /// Without a spline, or when the spline has no sample points or no sample
  /// normals, draws nothing and issues no GL command.
  /// Context: the caller's, current on this thread, with its own matrices.
  /// @gl_pushes GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT |
  /// GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT.
  /// @gl_leaves the current colour at the border colour.
  void RenderRegion();

  /// Draws, for the panorama `position` (x along the curve, y across, z the
  /// height), the transversal slices and the inspection window:
  /// - slice j (j from -count/2, count slices) at position.x + j · spacing,
  ///   a line loop in the TSA colour through the two edge points at height
  ///   position.z, moved by ±heightDirection · half window height; slices
  ///   beyond the curve's ends are drawn at the end they pass;
  /// - the window, in the IW colour: the band's parallel at offset position.y
  ///   sampled every 0.005 of the unit parameter over the window's length
  ///   centred on position.x, drawn as one line loop forward at z + half
  ///   height and back at z - half height (z = position.z). A window of
  ///   negative length gives a loop without vertices.
  ///   The walk is bounded: it stops after 10000 parameter values (a span of
  ///   50 in u, fifty curve lengths), or as soon as adding 0.005 no longer
  ///   changes the parameter (|u| beyond about 4.5e13). Windows and positions
  ///   within some forty-nine curve lengths of the curve are drawn whole.
  ///
  /// Switches smooth lines off and disables lighting inside the push.
  /// Allocation: one list of window points per call (bounded as above).
  /// Without a spline draws nothing and issues no GL command.
  /// @throws std::runtime_error from the spline's sample lookup if the spline
  /// has no samples; the attribute stack is popped before the exception
  /// leaves, and no glBegin is left open.
  /// @gl_pushes GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT |
  /// GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT.
  /// @gl_leaves the current colour at the IW colour (or the last colour set
  /// if a lookup throws).
  void RenderSlices(const Vec3& position, const Vec3& heightDirection);

private:
  void DrawSlice(int j, const Vec3& position, const Vec3& h);
  void DrawInspectionWindow(const Vec3& position, double halfHeight);
};

}  // namespace Quorvel
