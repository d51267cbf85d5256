#pragma once

#include <brantel/geometry/Vector3.h>
#include <quorvel/GlObjectsBase.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

/// A circle drawn as a closed, optionally stippled line loop in the plane of
/// two direction vectors given at each call.
///
/// The segment count follows a chord tolerance taken from the lengths of those
/// vectors: pass vectors of one screen pixel's world size to keep the chords
/// within half a pixel. The object holds only its colour and stipple pattern;
/// centre, plane and radius come with each Render(). Keeps no pointers and no
/// GL objects.
///
/// GL state: Render() restores what it changes except the matrix mode
/// (GL_MODELVIEW) and the current colour (the circle's).
///
/// Thread rule: Render() runs on the thread whose context is current; no
/// locking.
class QUORVEL_EXPORT GlCircle : public GlObjectsBase {
public:
  /// Centre and axes.
  using Vec3 = Brantel::Geometry::Vector3<double>;

  /// Stipple pattern 0xFFFF: every pixel drawn; switches stippling off.
  static const unsigned short LINE_SOLID;
  /// Stipple pattern 0xCCCC: two pixels on, two off.
  static const unsigned short LINE_STRIPED;
  /// Stipple pattern 0x8888: one pixel on, three off.
  static const unsigned short LINE_DOTTED;

  /// Colour (255, 128, 128, 255), stipple LINE_STRIPED.
  GlCircle();
  ///@{
  /// Copies the colour and the stipple pattern; nothing to release.
  GlCircle(const GlCircle&);
  GlCircle& operator=(const GlCircle&);
  ~GlCircle() override;
  ///@}

  /// Copies four bytes: red, green, blue, alpha. Keeps no pointer.
  /// A null pointer is ignored and the colour stays as it was.
  void SetColor(const unsigned char* const rgba);

  /// Red, green and blue take the low 8 bits of x, y and z (no clamping:
  /// 256 gives 0, -1 gives 255); alpha becomes 255.
  void SetColor(const Brantel::Geometry::Vector3<int>& rgb);

  /// Stores any 16-bit stipple pattern; LINE_SOLID switches stippling off.
  void SetLineStipple(unsigned short pattern);

  /// Draws a GL_LINE_LOOP of radius `radius` around `center`, starting at
  /// radius · axis2/|axis2| and turning towards axis1. Only the directions of
  /// the axes shape the circle (an axis shorter than 1e-14 is used as it is,
  /// not normalised); half the length of the shorter axis (axis2
  /// when equal) is the chord tolerance e, from which the segment count
  /// n = ceil(pi / acos(1 - e / radius)), at most 100, follows. The angle is
  /// accumulated in steps of 2pi/n while it stays within 2pi, so the loop
  /// repeats its first vertex when the steps sum to 2pi exactly. The vertices
  /// are sent relative to the centre, after glTranslated(center).
  ///
  /// Degenerate input draws nothing and never fails: a zero axis (or a NaN
  /// axis2) issues no glBegin at all; a radius of 0, a negative or NaN
  /// radius, or one below e/2 sends a loop of one vertex; a NaN axis1 sends
  /// not-a-number vertices, which GL discards.
  ///
  /// Disables lighting and sets the stipple inside the push. Line width,
  /// smoothing and blending are the caller's.
  /// Context: the caller's context must be current on this thread.
  /// @gl_pushes GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_LIGHTING_BIT |
  /// GL_LINE_BIT | GL_POINT_BIT, and the modelview matrix.
  /// @gl_leaves the matrix mode at GL_MODELVIEW; the current colour at the
  /// circle's colour (when the loop was drawn).
  void Render(const Vec3& center, const Vec3& axis1, const Vec3& axis2, double radius);

private:
  unsigned char color[4];
  unsigned short lineStipple;
};

}  // namespace Quorvel
