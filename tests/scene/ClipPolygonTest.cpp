#include "scene/ClipPolygonByPlane.h"

#include "VectorPrinting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <list>

using Vec3 = Brantel::Geometry::Vector3<double>;
using Loop = std::list<Vec3>;

// The inner side is where (X − point) · normal ≤ 0.
TEST(ClipPolygon, KeepsTheInnerSideAndAddsWhereEdgesCross) {
  const Loop square = {Vec3(0, 0, 0), Vec3(2, 0, 0), Vec3(2, 2, 0), Vec3(0, 2, 0)};
  const struct {
    const char* what;
    Vec3 point, normal;
    Loop polygon, expected;
  } cases[] = {
      {"across x = 0.5", {0.5, 0, 0}, {1, 0, 0}, square, {{0, 0, 0}, {0.5, 0, 0}, {0.5, 2, 0}, {0, 2, 0}}},
      {"across y = 0.5, kept above", {0, 0.5, 0}, {0, -1, 0}, square, {{0, 0.5, 0}, {2, 0.5, 0}, {2, 2, 0}, {0, 2, 0}}},
      {"a corner on the plane", {1, 0, 0}, {1, 0, 0}, {{2, 0, 0}, {0, 0, 0}, {1, 2, 0}},
       {{1, 0, 0}, {0, 0, 0}, {1, 2, 0}}},
      {"a square shrunk to a point", {0, 0, 0}, {1, 0, 0}, Loop(4, Vec3(-1, 1, 1)), {{-1, 1, 1}}},
      {"the first point repeated at the end", {5, 0, 0}, {1, 0, 0}, {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 0, 0}},
       {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Loop polygon = c.polygon;
    Quorvel::ClipPolygonByPlane(c.point, c.normal, polygon);
    EXPECT_EQ(polygon, c.expected);
  }
}

// The plane x + y + z = 0 through the centre of the cube [−1, 1]³ meets it in a regular hexagon whose corners
// are the midpoints of six edges; a square that covers it, cut by the six faces, leaves just that hexagon.
TEST(ClipPolygon, CubeFacesCutARegularHexagonThroughTheCentre) {
  const Vec3 u = Vec3(1, -1, 0) * std::sqrt(0.5), v = Vec3(1, 1, -2) * std::sqrt(1.0 / 6);
  Loop section = {(u + v) * -10.0, (u - v) * 10.0, (u + v) * 10.0, (v - u) * 10.0};
  for (const Vec3& face : {Vec3(1, 0, 0), Vec3(-1, 0, 0), Vec3(0, 1, 0), Vec3(0, -1, 0), Vec3(0, 0, 1), Vec3(0, 0, -1)})
    Quorvel::ClipPolygonByPlane(face, face, section);
  // Counter-clockwise about u × v, as the square was.
  const Vec3 corners[] = {{1, 0, -1}, {0, 1, -1}, {-1, 1, 0}, {-1, 0, 1}, {0, -1, 1}, {1, -1, 0}};
  ASSERT_EQ(section.size(), 6u);
  for (int turn = 0; turn < 6 && Distance(section.front(), corners[0]) > 1e-12; ++turn)
    section.splice(section.end(), section, section.begin());  // start the loop at the first corner
  for (const Vec3& corner : corners) {
    EXPECT_NEAR(Distance(section.front(), corner), 0, 1e-12) << testing::PrintToString(corner);
    section.pop_front();
  }
}
