#include "Orbit.h"

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;
constexpr double kDegreesPerPixel = 0.4;

}  // namespace

Vec3 Orbit::EyeDirection() const {
  const double a = azimuth * kDegree, e = elevation * kDegree;
  return {std::cos(e) * std::cos(a), std::cos(e) * std::sin(a), std::sin(e)};
}

Vec3 Orbit::Right() const {
  const double a = azimuth * kDegree;
  return {-std::sin(a), std::cos(a), 0.0};
}

Vec3 Orbit::Up() const { return CrossProduct(EyeDirection(), Right()); }

void Orbit::Rotate(double dx, double dy) {
  azimuth = std::remainder(azimuth - dx * kDegreesPerPixel, 360.0);
  elevation = std::clamp(elevation - dy * kDegreesPerPixel, -89.0, 89.0);
}

void Orbit::Pan(double dx, double dy, double pixel) { pan = pan - (Right() * dx + Up() * dy) * pixel; }

void Orbit::Zoom(double factor) { zoom = std::clamp(zoom * factor, 0.25, 16.0); }

}  // namespace Demo
