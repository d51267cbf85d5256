// The rotation that carries a GLU cylinder's local +z axis onto an arrow's
// direction.
#pragma once

#include <brantel/geometry/Vector3.h>

namespace Quorvel {

struct ArrowTurn {
  bool issued;  // false: no glRotated at all
  double degrees;
  Brantel::Geometry::Vector3<double> axis;
};

/// The turn from +z onto `direction`. A direction perpendicular to z gets the
/// plain quarter turn about the unit vector of (0, 0, 1) × direction; one
/// along +z (or zero) gets none; one along −z a half turn about x; any other
/// the angle between +z and the direction about that same unit vector.
ArrowTurn TurnFromZOnto(const Brantel::Geometry::Vector3<double>& direction);

}  // namespace Quorvel
