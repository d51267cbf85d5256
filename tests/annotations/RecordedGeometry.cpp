#include "RecordedGeometry.h"

namespace QuorvelTest {

using ::testing::DoubleEq;
using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::Matcher;

std::vector<std::vector<Point>> RecordedBlocks(const GlRecorder& rec) {
  std::vector<std::vector<Point>> blocks;
  for (const GlCall& call : rec.Calls()) {
    if (call.name == "glBegin") blocks.emplace_back();
    if (call.name == "glVertex3dv" && !blocks.empty())
      blocks.back().push_back({call.args.at(0), call.args.at(1), call.args.at(2)});
  }
  return blocks;
}

std::vector<Point> RecordedVertices(const GlRecorder& rec) {
  std::vector<Point> vertices;
  for (const GlCall& call : rec.Of("glVertex3dv")) vertices.push_back({call.args.at(0), call.args.at(1), call.args.at(2)});
  return vertices;
}

std::vector<Matcher<Point>> ExactPoints(const std::vector<Point>& expected) {
  std::vector<Matcher<Point>> matchers;
  for (const Point& p : expected) matchers.push_back(ElementsAre(DoubleEq(p[0]), DoubleEq(p[1]), DoubleEq(p[2])));
  return matchers;
}

std::vector<Matcher<Point>> NearPoints(const std::vector<Point>& expected, double tolerance) {
  std::vector<Matcher<Point>> matchers;
  for (const Point& p : expected)
    matchers.push_back(
        ElementsAre(DoubleNear(p[0], tolerance), DoubleNear(p[1], tolerance), DoubleNear(p[2], tolerance)));
  return matchers;
}

}  // namespace QuorvelTest
