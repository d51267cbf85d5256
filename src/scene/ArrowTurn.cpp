#include "ArrowTurn.h"

#include <cmath>

namespace Quorvel {
namespace {

using Vec3 = Brantel::Geometry::Vector3<double>;

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

bool IsPracticallyZero(const Vec3& v) {
  return std::abs(v[0]) < 1e-14 && std::abs(v[1]) < 1e-14 && std::abs(v[2]) < 1e-14;
}

}  // namespace

ArrowTurn TurnFromZOnto(const Vec3& direction) {
  const Vec3 zAxis(0.0, 0.0, 1.0);
  const Vec3 cross = CrossProduct(zAxis, direction);
  Vec3 axis = cross;
  axis.Normalize();
  if (IsPracticallyZero(axis)) {
    if (direction[2] < 0.0) return {true, 180.0, Vec3(1.0, 0.0, 0.0)};
    return {false, 0.0, axis};
  }
  const double cosine = DotProduct(zAxis, direction);
  // Exactly 90 degrees for the directions the quarter turn already serves.
  if (cosine == 0.0) return {true, 90.0, axis};
  return {true, std::atan2(cross.Length(), cosine) * kDegreesPerRadian, axis};
}

}  // namespace Quorvel
