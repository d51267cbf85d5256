#include "ArchField.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Demo {
namespace {

constexpr double kMargin = 30.0;  // mm of plane covered around the arch

}  // namespace

ArchField::ArchField(const ArchSpline& arch) {
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (const Vec3& p : arch.Samples()) {
    minX = std::min(minX, p[0]), maxX = std::max(maxX, p[0]);
    minY = std::min(minY, p[1]), maxY = std::max(maxY, p[1]);
  }
  originX = minX - kMargin;
  originY = minY - kMargin;
  columns = int((maxX - minX + 2 * kMargin) / step) + 1;
  rows = int((maxY - minY + 2 * kMargin) / step) + 1;
  along.resize(std::size_t(columns) * rows);
  across.resize(along.size());
#pragma omp parallel for schedule(static)
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      const ArchCoordinates a = Nearest(arch, originX + c * step, originY + r * step);
      along[std::size_t(r) * columns + c] = float(a.along);
      across[std::size_t(r) * columns + c] = float(a.across);
    }
}

// Nearest sample by brute force, refined along its tangent.
ArchCoordinates ArchField::Nearest(const ArchSpline& arch, double x, double y) const {
  const auto& points = arch.Samples();
  const Vec3 p(x, y, 0.0);
  std::size_t best = 0;
  double bestDistance = std::numeric_limits<double>::max();
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double d = (points[i] - p).LengthSquared();
    if (d < bestDistance) bestDistance = d, best = i;
  }
  const double spacing = arch.Length() / double(points.size() - 1);
  const Vec3& normal = arch.Normals()[best];
  const Vec3 tangent(-normal[1], normal[0], 0.0);
  ArchCoordinates a;
  a.along = best * spacing + Brantel::Geometry::DotProduct(p - points[best], tangent);
  a.across = Brantel::Geometry::DotProduct(p - points[best], normal);
  a.nearArch = true;
  return a;
}

ArchCoordinates ArchField::At(double x, double y) const {
  const double fx = (x - originX) / step, fy = (y - originY) / step;
  if (fx < 0 || fy < 0 || fx >= columns - 1 || fy >= rows - 1) return {};
  const int c = int(fx), r = int(fy);
  const double tx = fx - c, ty = fy - r;
  auto lerp = [&](const std::vector<float>& v) {
    const std::size_t i = std::size_t(r) * columns + c;
    const double top = v[i] * (1 - tx) + v[i + 1] * tx;
    const double bottom = v[i + columns] * (1 - tx) + v[i + columns + 1] * tx;
    return top * (1 - ty) + bottom * ty;
  };
  return {lerp(along), lerp(across), true};
}

}  // namespace Demo
