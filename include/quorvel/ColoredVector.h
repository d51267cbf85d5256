#pragma once

#include <brantel/geometry/Vector3.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

/// One coordinate-axis arrow of GlCoordAxes: a direction from the origin and
/// the arrow's colour.
///
/// A plain pair of values with no virtual operations; the direction's length
/// sets the arrow's size. No pointers, no GL state, no thread rule of its own.
struct QUORVEL_EXPORT ColoredVector {
  /// Directions and colours.
  using Vec3 = Brantel::Geometry::Vector3<double>;

  /// Stores `direction` and `color` (red, green, blue, normally in 0..1).
  ColoredVector(const Vec3& direction, const Vec3& color);
  ///@{
  /// Copies both vectors; assigning an object to itself changes nothing.
  ColoredVector(const ColoredVector& other);
  ColoredVector& operator=(const ColoredVector& other);
  ///@}
  /// Nothing to release.
  ~ColoredVector();

  /// The arrow from the origin; its length L scales every part of the arrow.
  Vec3 direction;
  /// Red, green, blue, normally each in 0..1.
  Vec3 color;
};

}  // namespace Quorvel
