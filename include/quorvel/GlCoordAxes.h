#pragma once

#include <brantel/geometry/Vector3.h>
#include <quorvel/ColoredVector.h>
#include <quorvel/GlObjectsBase.h>
#include <quorvel/QuorvelExport.h>

#include <list>

namespace Quorvel {

/// Coordinate-axis arrows drawn as solid, lit 3D arrows from GLU quadrics.
///
/// Each arrow starts at the origin of the caller's current modelview
/// coordinates, points along its direction and is scaled by that direction's
/// length L; translate the matrix to move the arrows. The caller adds the
/// arrows (one per axis, each in its colour) and draws them under its own
/// lighting. Owns its list of arrows; keeps no pointers. Creates and deletes
/// one GLU quadric per arrow inside Render() and holds no GL object between
/// calls.
///
/// GL state: Render() leaves GL_LIGHT0's specular colour, the front material
/// and the current colour changed.
///
/// Thread rule: Render() runs on the thread whose context is current; no
/// locking.
class QUORVEL_EXPORT GlCoordAxes : public GlObjectsBase {
public:
  /// Directions, colours and points.
  using Vec3 = Brantel::Geometry::Vector3<double>;

  /// No arrows, position (0, 0, 0).
  GlCoordAxes();
  /// Deep copy of the arrows.
  /// @throws std::bad_alloc after freeing the arrows it had already copied.
  GlCoordAxes(const GlCoordAxes& other);
  /// Copies the position, empties the arrow list and appends copies of all of
  /// `other`'s arrows in order; self-assignment changes nothing.
  /// @throws std::bad_alloc; the target keeps the new position and the arrows
  /// copied so far.
  GlCoordAxes& operator=(const GlCoordAxes& other);
  /// Frees the arrows.
  ~GlCoordAxes() override;

  /// Stores the position. Render does not read it: every arrow starts at the
  /// origin of the current modelview matrix; translate the matrix to move the
  /// arrows.
  void SetPosition(const Vec3& position);

  /// Appends an arrow. The same arrow may be added more than once and is then
  /// drawn more than once.
  /// @throws std::bad_alloc with the list unchanged.
  void AddAxis(const Vec3& direction, const Vec3& color);

  /// Removes all arrows.
  void ClearAxes();

  /// Draws every arrow in the order added; with no arrows it issues no GL or
  /// GLU call at all. For an arrow d of length L and colour c:
  /// - gluNewQuadric; when it returns null the arrow is skipped without any
  ///   other call and the next arrow is drawn;
  /// - glLightfv(GL_LIGHT0, GL_SPECULAR, 0.9, 0.9, 0.9, 1), glColor3dv(c),
  ///   front material specular 0.5·ĉ, diffuse 0.01·ĉ (alpha 1), ambient
  ///   (0, 0, 0, 1), shininess 0.5, where ĉ is c normalised (black stays
  ///   black);
  /// - three open gluCylinder pieces (8 slices, 1 stack), each inside its own
  ///   glPushMatrix/glPopMatrix and turned from +z onto d: the head cone from
  ///   0.7·d (radius 0.1·L) to its tip at 0.9·d, the shaft (radius 0.05·L)
  ///   from 0.1·d to 0.8·d, the tail cone from the origin to 0.1·d;
  /// - gluDeleteQuadric.
  ///
  /// 0.05, 0.1 and 0.2 are the single-precision constants taken as doubles;
  /// 0.7 is 1 − 0.1 − 0.2 computed from them in double.
  ///
  /// The turn: for d perpendicular to z it is glRotated(90, n) with n the
  /// unit vector of (0, 0, 1) × d; for d along +z (x and y both below 1e-14
  /// in the normalised cross product) and for a zero direction no glRotated
  /// is issued; for d along −z it is glRotated(180, 1, 0, 0); for any other d
  /// it is glRotated(θ, n) with θ the angle between +z and d in degrees.
  /// So every arrow points where its direction points, tip at 0.9·d.
  ///
  /// Enables nothing: lighting is the caller's, and without it the arrows come
  /// out flat in their colours.
  /// Context: the caller's context must be current on this thread.
  /// @gl_pushes the modelview matrix around each piece; no attributes.
  /// @gl_leaves the specular colour of GL_LIGHT0; the front material's
  /// specular, diffuse, ambient and shininess; the current colour at the
  /// last arrow's colour.
  void Render();

private:
  Vec3 position;
  std::list<ColoredVector> axes;
};

}  // namespace Quorvel
