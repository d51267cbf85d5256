#include "VectorPrinting.h"

#include <gtest/gtest.h>

using namespace Brantel::Geometry;
using Vec3 = Vector3<double>;

TEST(Vector, OperationsGiveTheirClosedForms) {
  const Vec3 a(1, 2, 3), b(4, -5, 6);
  const auto normalized = [](Vec3 v) { return v.Normalize(), v; };
  const std::pair<Vec3, Vec3> cases[] = {
      {Vec3(), {0, 0, 0}}, {a + b, {5, -3, 9}}, {a - b, {-3, 7, -3}}, {-a, {-1, -2, -3}}, {a * 2.0, {2, 4, 6}},
      {2.0 * a, {2, 4, 6}}, {a / 2.0, {0.5, 1, 1.5}}, {CrossProduct(a, b), {27, 6, -13}},
      {normalized({0, 0, 0}), {0, 0, 0}}, {normalized({1e-15, 0, 0}), {1e-15, 0, 0}},  // shorter than 1e-14
      {normalized({0, 0, 1e-14}), {0, 0, 1}}, {normalized({3, 0, -4}), {0.6, 0, -0.8}}};
  for (const auto& [result, expected] : cases) EXPECT_EQ(result, expected);
  EXPECT_EQ(DotProduct(a, b), 12);
  EXPECT_EQ(Distance(Vec3(1, 2, 3), Vec3(4, 6, 15)), 13);
}
