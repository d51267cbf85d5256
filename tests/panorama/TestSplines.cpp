#include "TestSplines.h"

namespace QuorvelTest {

Vec3 TestSpline::InterpolateSegment(unsigned int index, double t) const {
  interpolatedSegments.push_back(index);
  if (interpolate) return interpolate(index, t);
  const Vec3& a = controlPoints.at(index);
  const Vec3& b = controlPoints.at(index + 1);
  return a + (b - a) * t;
}

void MakeStraightNineSamples(TestSpline& spline) {
  spline.ControlPoints() = {Vec3(64, 0, 0), Vec3(-64, 0, 0)};
  for (int k = 0; k <= 8; ++k) {
    spline.Samples().push_back(Vec3(64 - 16 * k, 0, 0));
    spline.Normals().push_back(Vec3(0, 1, 0));
  }
}

std::vector<Vec3> Vertices(const GlRecorder& rec) {
  std::vector<Vec3> vertices;
  for (const GlCall& call : rec.Of("glVertex3dv")) vertices.emplace_back(call.args[0], call.args[1], call.args[2]);
  return vertices;
}

}  // namespace QuorvelTest
