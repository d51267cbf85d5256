// Volumes with known content and a straight spline for the reformatter tests.
#pragma once

#include <brantel/geometry/SplineBase.h>
#include <quorvel/Volume.h>

#include <functional>
#include <limits>

namespace QuorvelTest {

using Vec3 = Brantel::Geometry::Vector3<double>;
using Vec3i = Brantel::Geometry::Vector3<int>;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

/// Fills an owning volume with value(i, j, k).
inline Quorvel::Volume MakeVolume(const Vec3i& n, const Vec3& spacing, const Vec3& origin,
                                  const std::function<int(int, int, int)>& value) {
  Quorvel::Volume volume(n, spacing, origin);
  unsigned short* v = volume.WritableVoxels();
  for (int k = 0; k < n[2]; ++k)
    for (int j = 0; j < n[1]; ++j)
      for (int i = 0; i < n[0]; ++i) *v++ = static_cast<unsigned short>(value(i, j, k));
  return volume;
}

/// 8 × 6 × 5 voxels of (1, 1.5, 0.5) mm from (-2, 1, 10), holding the linear
/// ramp 100 + 7i + 20j + 300k: trilinear sampling reproduces it exactly, so
/// any sample equals Ramp at its world position.
inline Quorvel::Volume RampVolume() {
  return MakeVolume(Vec3i(8, 6, 5), Vec3(1, 1.5, 0.5), Vec3(-2, 1, 10),
                    [](int i, int j, int k) { return 100 + 7 * i + 20 * j + 300 * k; });
}

inline double Ramp(const Vec3& p) {
  return 100 + 7 * (p[0] + 2) + 20 * (p[1] - 1) / 1.5 + 300 * (p[2] - 10) / 0.5;
}

/// The straight line from `first` to `last`: two control points, `count`
/// evenly spaced samples, every normal `normal`.
class LineSpline : public Brantel::Geometry::CSplineBase<Vec3> {
public:
  LineSpline(const Vec3& first, const Vec3& last, const Vec3& normal, int count = 9) {
    controlPoints = {first, last};
    for (int s = 0; s < count; ++s) {
      samplePoints.push_back(first + (last - first) * (s / double(count - 1)));
      sampleNormals.push_back(normal);
    }
  }
  Vec3 InterpolateSegment(unsigned int, double) const override { return controlPoints[0]; }
  void ClearSamples() { samplePoints.clear(), sampleNormals.clear(); }
};

}  // namespace QuorvelTest
