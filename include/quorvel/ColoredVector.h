// One coordinate-axis arrow of GlCoordAxes: a direction from the origin, whose
// length sets the arrow's size, and the arrow's colour.
#pragma once

#include <brantel/geometry/Vector3.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

struct QUORVEL_EXPORT ColoredVector {
  using Vec3 = Brantel::Geometry::Vector3<double>;

  /// Stores `direction` and `color` (red, green, blue, normally in 0..1).
  ColoredVector(const Vec3& direction, const Vec3& color);
  ColoredVector(const ColoredVector& other);
  /// Copies both vectors; assigning an object to itself changes nothing.
  ColoredVector& operator=(const ColoredVector& other);
  ~ColoredVector();

  Vec3 direction;
  Vec3 color;
};

}  // namespace Quorvel
