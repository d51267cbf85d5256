#include "SceneTestSupport.h"

#include <cmath>
#include <sstream>

namespace QuorvelTest {
namespace {

Vec3 ToVec(const std::array<double, 3>& p) { return Vec3(p[0], p[1], p[2]); }

std::string Describe(const std::vector<Vec3>& points) {
  std::ostringstream os;
  for (const Vec3& p : points) Brantel::Geometry::PrintTo(p, &os);
  return os.str();
}

bool Near(const Vec3& a, const Vec3& b, double tolerance) {
  return std::abs(a[0] - b[0]) <= tolerance && std::abs(a[1] - b[1]) <= tolerance &&
         std::abs(a[2] - b[2]) <= tolerance;
}

}  // namespace

std::vector<Vec3> RecordedPoints(const GlRecorder& rec, const std::string& name) {
  std::vector<Vec3> points;
  for (const GlCall& call : rec.Of(name)) points.emplace_back(call.args.at(0), call.args.at(1), call.args.at(2));
  return points;
}

std::vector<Vec3> FedBackLoop(const Feedback& fb) {
  const auto ends = fb.LinePositions();
  std::vector<Vec3> loop;
  for (std::size_t i = 0; i < ends.size(); i += 2) loop.push_back(ToVec(ends[i]));
  return loop;
}

std::vector<Vec3> FedBackPolygonVertices(const Feedback& fb) {
  std::vector<Vec3> points;
  for (const FbItem& polygon : fb.Of(GL_POLYGON_TOKEN))
    for (const FbVertex& v : polygon.vertices) points.push_back(ToVec(v.position));
  return points;
}

::testing::AssertionResult SameLoop(const std::vector<Vec3>& actual, const std::vector<Vec3>& expected,
                                    double tolerance) {
  const std::size_t n = expected.size();
  if (actual.size() == n) {
    for (std::size_t start = 0; start < std::max<std::size_t>(n, 1); ++start) {
      bool same = true;
      for (std::size_t i = 0; i < n && same; ++i) same = Near(actual[(start + i) % n], expected[i], tolerance);
      if (same) return ::testing::AssertionSuccess();
    }
  }
  return ::testing::AssertionFailure() << "loop " << Describe(actual) << " is not " << Describe(expected);
}

::testing::AssertionResult NoRepeatedConsecutivePoints(const std::vector<Vec3>& loop) {
  for (std::size_t i = 0; i + 1 < loop.size(); ++i)
    if (loop[i] == loop[i + 1]) return ::testing::AssertionFailure() << "point " << i << " repeats in " << Describe(loop);
  if (loop.size() > 1 && loop.back() == loop.front())
    return ::testing::AssertionFailure() << "last point repeats the first in " << Describe(loop);
  return ::testing::AssertionSuccess();
}

}  // namespace QuorvelTest
