#include "ArchSpline.h"

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

// Arch points (mm): the patient's right ramus, molars, premolars, canine,
// the midline between the central incisors, and the same on the left.
const Vec3 kArchPoints[] = {
    {39.0, -40.0, 0.0},  {31.0, -18.0, 0.0},  {25.5, 0.0, 0.0},   {17.0, 13.0, 0.0},
    {0.0, 20.0, 0.0},    {-17.0, 13.0, 0.0},  {-25.5, 0.0, 0.0},  {-31.0, -18.0, 0.0},
    {-39.0, -40.0, 0.0}};

constexpr int kDenseStepsPerSegment = 400;

Vec3 CatmullRom(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3, double t) {
  const double t2 = t * t;
  const double t3 = t2 * t;
  return (p1 * 2.0 + (p2 - p0) * t + (p0 * 2.0 - p1 * 5.0 + p2 * 4.0 - p3) * t2 +
          (p1 * 3.0 - p0 - p2 * 3.0 + p3) * t3) *
         0.5;
}

}  // namespace

ArchSpline::ArchSpline(int sampleCount) {
  controlPoints.assign(std::begin(kArchPoints), std::end(kArchPoints));
  ComputeSamples(sampleCount);
}

Vec3 ArchSpline::InterpolateSegment(unsigned int index, double t) const {
  const std::size_t last = controlPoints.size() - 1;
  const std::size_t i = index;
  const Vec3& p0 = controlPoints[i == 0 ? 0 : i - 1];
  const Vec3& p3 = controlPoints[std::min(i + 2, last)];
  return CatmullRom(p0, controlPoints[i], controlPoints[std::min(i + 1, last)], p3, t);
}

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
  sampledLength = arc.back();

  samplePoints.clear();
  std::size_t j = 0;
  for (int i = 0; i < sampleCount; ++i) {
    const double target = sampledLength * i / (sampleCount - 1);
    while (j + 2 < arc.size() && arc[j + 1] < target) ++j;
    const double f = std::clamp((target - arc[j]) / (arc[j + 1] - arc[j]), 0.0, 1.0);
    samplePoints.push_back(dense[j] + (dense[j + 1] - dense[j]) * f);
  }

  sampleNormals.clear();
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
