// The 3D view's camera as the user turns it: the direction from the point
// looked at to the eye, by azimuth about the world's z axis and elevation
// above its xy plane, a zoom and a pan of the point looked at.
#pragma once

#include <brantel/geometry/Vector3.h>

namespace Demo {

using Vec3 = Brantel::Geometry::Vector3<double>;

struct Orbit {
  // From the front, a little from the patient's right and from above, in a
  // series' usual frame (x to the patient's left, y to the back, z up).
  double azimuth = -116.57, elevation = 29.0;  ///< degrees
  double zoom = 1.0;
  Vec3 pan;  ///< mm the point looked at moved

  /// Unit vector from the point looked at to the eye.
  Vec3 EyeDirection() const;
  /// Unit vectors of the screen's right and up.
  Vec3 Right() const;
  Vec3 Up() const;

  /// Turns the view as if the cursor dragged the scene (dx, dy) pixels.
  void Rotate(double dx, double dy);
  /// Moves the point looked at so that it follows the cursor, with
  /// `pixel` mm per screen pixel there.
  void Pan(double dx, double dy, double pixel);
  /// Zooms by `factor`, within 0.25 … 16.
  void Zoom(double factor);
};

}  // namespace Demo
