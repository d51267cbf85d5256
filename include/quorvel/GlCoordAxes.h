// Coordinate-axis arrows drawn as solid, lit 3D arrows from GLU quadrics. Each
// arrow starts at the origin of the caller's current modelview coordinates,
// points along its direction and is scaled by that direction's length L.
#pragma once

#include <brantel/geometry/Vector3.h>
#include <quorvel/ColoredVector.h>
#include <quorvel/GlObjectsBase.h>
#include <quorvel/QuorvelExport.h>

#include <list>

namespace Quorvel {

class QUORVEL_EXPORT GlCoordAxes : public GlObjectsBase {
public:
  using Vec3 = Brantel::Geometry::Vector3<double>;

  /// No arrows, position (0, 0, 0).
  GlCoordAxes();
  /// Deep copy of the arrows. Throws std::bad_alloc after freeing the arrows
  /// it had already copied.
  GlCoordAxes(const GlCoordAxes& other);
  /// Copies the position, empties the arrow list and appends copies of all of
  /// `other`'s arrows in order; self-assignment changes nothing. On
  /// std::bad_alloc the target keeps the new position and the arrows copied so
  /// far.
  GlCoordAxes& operator=(const GlCoordAxes& other);
  ~GlCoordAxes() override;

  /// Stores the position. Render does not read it: every arrow starts at the
  /// origin of the current modelview matrix; translate the matrix to move the
  /// arrows.
  void SetPosition(const Vec3& position);

  /// Appends an arrow. The same arrow may be added more than once and is then
  /// drawn more than once. Throws std::bad_alloc with the list unchanged.
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
  /// GL state: pushes no attributes, enables nothing. Leaves changed the
  /// specular colour of GL_LIGHT0, the front material's specular, diffuse,
  /// ambient and shininess, and the current colour (the last arrow's colour).
  /// The modelview matrix is the same afterwards. Lighting is the caller's:
  /// without it the arrows come out flat in their colours.
  /// Context: the caller's context must be current on this thread.
  void Render();

private:
  Vec3 position;
  std::list<ColoredVector> axes;
};

}  // namespace Quorvel
