#pragma once

#include <brantel/geometry/Vector2.h>
#include <brantel/geometry/Vector3.h>
#include <quorvel/GlObjectsBase.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

/// A crosshair about the origin of the current modelview coordinates: four long
/// arms with a pixel gap around the centre, optional ticks and an optional
/// stippled tilt line.
///
/// The arms run along two caller-given axes; tick marks cross them at a fixed
/// world spacing. Gaps and tick lengths are given in pixels and converted with
/// the caller's pixel sampling (SetSampling()), so they keep their screen size
/// whatever the zoom. To place the crosshair, translate the modelview matrix to
/// its centre; SetPosition() only stores a point for the caller. Keeps no
/// pointers and no GL objects.
///
/// GL state: Render() leaves lighting, 1D texturing and blending disabled and
/// the current colour at the crosshair's.
///
/// Thread rule: Render() runs on the thread whose context is current; no
/// locking.
class QUORVEL_EXPORT GlCrosshair : public GlObjectsBase {
public:
  /// Directions, points and colours.
  using Vec3 = Brantel::Geometry::Vector3<double>;
  /// Pixel sampling (x, y).
  using Vec2 = Brantel::Geometry::Vector2<double>;

  /// Position, colour, both axes, tilt and sampling zero; all gaps 0 and
  /// shared (ticks enabled). The tick count, length and spacing start at 0,
  /// which draws no ticks until SetTicks is called.
  GlCrosshair();
  ///@{
  /// Copies every setting; nothing to release. No GL objects are involved.
  GlCrosshair(const GlCrosshair&);
  GlCrosshair& operator=(const GlCrosshair&);
  ~GlCrosshair() override;
  ///@}

  /// Stores the position for the caller; Render does not use it (set up the
  /// modelview matrix so that its origin is the centre instead).
  void SetPosition(const Vec3& p);
  /// The position stored by SetPosition.
  const Vec3& GetPosition() const;

  /// RGB in 0..1 for every line.
  void SetColor(const Vec3& rgb);

  /// Directions of the two pairs of arms, not normalised: their lengths
  /// scale arm reach, gaps, tick positions and tick lengths.
  void SetAxes(const Vec3& first, const Vec3& second);

  /// Direction of the stippled tilt line, not normalised; a vector whose
  /// squared length is at most 1e-14 means no tilt line.
  void SetTilt(const Vec3& t);
  /// The tilt direction stored by SetTilt.
  const Vec3& GetTilt() const;
  /// True when the squared length of the tilt exceeds 1e-14.
  bool IsTilt() const;

  /// World size of one screen pixel: x for the first axis and the tilt line,
  /// y for the second axis and the tick length.
  void SetSampling(const Vec2& s);

  /// All five gaps (the tilt line's included) become g pixels; re-enables
  /// the ticks.
  void SetGap(int g);
  /// Gaps in pixels of the arms along +second (a), -second (b), -first (c)
  /// and +first (d) axis; the tilt gap keeps its value. Suppresses the ticks
  /// until the one-value SetGap is called.
  void SetGap(int a, int b, int c, int d);

  /// Ticks at spacing, 2·spacing, … (world units along the unnormalised
  /// axes) for the indices 1 … count − 1, each reaching length pixels to
  /// both sides of its arm. A count of 0 or 1 draws no tick; a negative
  /// count skips the tick block altogether.
  void SetTicks(int count, int length, double spacing);

  /// Draws, as GL_LINES in the current modelview coordinates: the tilt line
  /// (when IsTilt) stippled 0xCCCC from its gap out to 100000 · tilt on both
  /// sides; the four arms from their gaps out to 100000 · axis; then the
  /// ticks unless separate gaps are set. Zero sampling removes the gaps it
  /// scales; zero axes collapse their arms and ticks to the origin.
  ///
  /// The arms and ticks set no stipple of their own.
  /// Context: the caller's context must be current on this thread.
  /// @gl_pushes GL_COLOR_BUFFER_BIT | GL_LINE_BIT around the tilt line only
  /// (its stipple).
  /// @gl_leaves lighting, GL_TEXTURE_1D and blending disabled; the current
  /// colour at the crosshair colour with alpha 1.
  void Render();

private:
  void RenderTiltLine() const;
  void RenderArms() const;
  void RenderTicks() const;

  Vec3 position;
  Vec3 color;
  Vec3 firstAxis;
  Vec3 secondAxis;
  Vec3 tilt;
  Vec2 sampling;
  bool separateGaps = false;
  int tickCount = 0;
  int tickLength = 0;
  double tickSpacing = 0.0;
  int gaps[5] = {0, 0, 0, 0, 0};
};

}  // namespace Quorvel
