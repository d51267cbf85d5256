#include "ArchSpline.h"

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

constexpr int kDenseStepsPerSegment = 400;
constexpr double kApart = 1e-3;  // mm: closer points count as one
// The library measures the first and the last segment as straight lines;
// a short straight piece before the first point and after the last lets
// every given point lie on the smooth inner segments.
constexpr double kEndPiece = 1e-3;  // of the neighbouring segment's length

Vec3 CatmullRom(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3, double t) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  return (p1 * 2.0 + (p2 - p0) * t + (p0 * 2.0 - p1 * 5.0 + p2 * 4.0 - p3) * t2 +
          (p1 * 3.0 - p0 - p2 * 3.0 + p3) * t3) *
         0.5;
}

std::vector<Vec3> DistinctInPlane(const std::vector<Vec3>& points) {
  std::vector<Vec3> kept;
  for (const Vec3& p : points) {
    const Vec3 flat(p[0], p[1], 0.0);
    if (std::isfinite(flat.Length()) && (kept.empty() || Distance(kept.back(), flat) > kApart)) kept.push_back(flat);
  }
  return kept;
}

}  // namespace

ArchSpline::ArchSpline(const std::vector<Vec3>& points, int sampleCount) {
  const std::vector<Vec3> kept = DistinctInPlane(points);
  if (kept.size() < 2) return;
  const std::size_t last = kept.size() - 1;
  controlPoints.push_back(kept[0] - (kept[1] - kept[0]) * kEndPiece);
  controlPoints.insert(controlPoints.end(), kept.begin(), kept.end());
  controlPoints.push_back(kept[last] + (kept[last] - kept[last - 1]) * kEndPiece);
  ComputeSamples(std::max(sampleCount, 2));
  length = GetLength();
}

Vec3 ArchSpline::InterpolateSegment(unsigned int index, double t) const {
  const std::size_t last = controlPoints.size() - 1;
  const std::size_t i = std::min<std::size_t>(index, last);
  const Vec3& p0 = controlPoints[i == 0 ? 0 : i - 1];
  const Vec3& p3 = controlPoints[std::min(i + 2, last)];
  return CatmullRom(p0, controlPoints[i], controlPoints[std::min(i + 1, last)], p3, t);
}

// As the library evaluates it: the first and the last segment straight.
Vec3 ArchSpline::PointOnSegment(unsigned int index, double t) const {
  const unsigned int segments = static_cast<unsigned int>(controlPoints.size()) - 1;
  if (index == 0 || index + 1 == segments)
    return controlPoints[index] + (controlPoints[index + 1] - controlPoints[index]) * t;
  return InterpolateSegment(index, t);
}

// Traces the curve densely, then picks samples at equal arc-length steps so
// that the unit parameter of the sample lookup is proportional to arc length.
void ArchSpline::ComputeSamples(int sampleCount) {
  std::vector<Vec3> dense;
  std::vector<double> arc;
  const unsigned int segments = static_cast<unsigned int>(controlPoints.size()) - 1;
  for (unsigned int k = 0; k < segments; ++k)
    for (int step = (k == 0 ? 0 : 1); step <= kDenseStepsPerSegment; ++step) {
      const Vec3 p = PointOnSegment(k, double(step) / kDenseStepsPerSegment);
      arc.push_back(dense.empty() ? 0.0 : arc.back() + Brantel::Geometry::Distance(dense.back(), p));
      dense.push_back(p);
    }

  std::size_t j = 0;
  for (int i = 0; i < sampleCount; ++i) {
    const double target = arc.back() * i / (sampleCount - 1);
    while (j + 2 < arc.size() && arc[j + 1] < target) ++j;
    const double step = arc[j + 1] - arc[j];
    const double f = step > 0.0 ? std::clamp((target - arc[j]) / step, 0.0, 1.0) : 0.0;
    samplePoints.push_back(dense[j] + (dense[j + 1] - dense[j]) * f);
  }

  const Vec3 up(0.0, 0.0, 1.0);
  for (std::size_t i = 0; i < samplePoints.size(); ++i) {
    const Vec3& before = samplePoints[i == 0 ? 0 : i - 1];
    const Vec3& after = samplePoints[std::min(i + 1, samplePoints.size() - 1)];
    Vec3 normal = Brantel::Geometry::CrossProduct(after - before, up);
    normal.Normalize();
    sampleNormals.push_back(normal);
  }
}

}  // namespace Demo
