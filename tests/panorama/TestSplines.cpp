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

std::vector<Primitive> Primitives(const GlRecorder& rec) {
  std::vector<Primitive> primitives;
  std::vector<double> color;
  bool open = false;
  for (const GlCall& call : rec.Calls()) {
    if (call.name == "glColor3dv") {
      color = call.args;
    } else if (call.name == "glBegin") {
      primitives.push_back({static_cast<GLenum>(call.args[0]), {}, {}});
      open = true;
    } else if (call.name == "glVertex3dv" && open) {
      primitives.back().vertices.push_back(call.args);
    } else if (call.name == "glEnd" && open) {
      primitives.back().color = color;
      open = false;
    }
  }
  return primitives;
}

std::vector<std::vector<double>> Vertices(const GlRecorder& rec) {
  std::vector<std::vector<double>> vertices;
  for (const GlCall& call : rec.Of("glVertex3dv")) vertices.push_back(call.args);
  return vertices;
}

}  // namespace QuorvelTest
