#include <brantel/geometry/Vector2.h>
#include <brantel/geometry/Vector3.h>

#include <gtest/gtest.h>

#include <type_traits>

namespace {

using Brantel::Geometry::CrossProduct;
using Brantel::Geometry::Distance;
using Brantel::Geometry::DotProduct;
using Vec3 = Brantel::Geometry::Vector3<double>;
using Vec2 = Brantel::Geometry::Vector2<double>;

static_assert(sizeof(Vec3) == 3 * sizeof(double), "three contiguous components");
static_assert(sizeof(Vec2) == 2 * sizeof(double), "two contiguous components");
static_assert(std::is_trivially_copyable_v<Vec3> && !std::is_polymorphic_v<Vec3>, "plain value");

void ExpectVec(const Vec3& v, double x, double y, double z) {
  EXPECT_DOUBLE_EQ(v[0], x);
  EXPECT_DOUBLE_EQ(v[1], y);
  EXPECT_DOUBLE_EQ(v[2], z);
}

TEST(Vector, DefaultsToZero) {
  ExpectVec(Vec3(), 0, 0, 0);
  EXPECT_EQ(Vec2(), Vec2(0, 0));
}

TEST(Vector, ComponentsAreContiguousAndWritable) {
  Vec3 v(1, 2, 3);
  v[1] = 5;
  EXPECT_EQ(v.Data()[1], 5);
  EXPECT_EQ(&v[2], v.Data() + 2);
}

TEST(Vector, ArithmeticIsComponentWise) {
  const Vec3 a(1, 2, 3), b(4, -5, 6);
  ExpectVec(a + b, 5, -3, 9);
  ExpectVec(a - b, -3, 7, -3);
  ExpectVec(-a, -1, -2, -3);
  ExpectVec(a * 2.0, 2, 4, 6);
  ExpectVec(2.0 * a, 2, 4, 6);
  ExpectVec(a / 2.0, 0.5, 1, 1.5);
}

TEST(Vector, DivisionByZeroFollowsIeee) {
  const Vec3 v = Vec3(1, -1, 0) / 0.0;
  EXPECT_TRUE(std::isinf(v[0]) && v[0] > 0);
  EXPECT_TRUE(std::isinf(v[1]) && v[1] < 0);
  EXPECT_TRUE(std::isnan(v[2]));
}

TEST(Vector, CrossProductIsRightHanded) {
  ExpectVec(CrossProduct(Vec3(1, 0, 0), Vec3(0, 1, 0)), 0, 0, 1);
  ExpectVec(CrossProduct(Vec3(0, 1, 0), Vec3(1, 0, 0)), 0, 0, -1);
  ExpectVec(CrossProduct(Vec3(0, 0, 1), Vec3(2, 3, 0)), -3, 2, 0);
}

TEST(Vector, DotLengthAndDistance) {
  EXPECT_EQ(DotProduct(Vec3(1, 2, 3), Vec3(4, 5, 6)), 32);
  EXPECT_EQ(Vec3(3, 4, 12).LengthSquared(), 169);
  EXPECT_EQ(Vec3(3, 4, 12).Length(), 13);
  EXPECT_EQ(Distance(Vec3(1, 2, 3), Vec3(1, 2, 3)), 0);
  EXPECT_EQ(Distance(Vec3(0, 0, 0), Vec3(3, 4, 0)), 5);
}

struct NormalizeCase {
  Vec3 in;
  Vec3 out;
};

TEST(Vector, NormalizeLeavesVectorsShorterThan1em14Unchanged) {
  const NormalizeCase cases[] = {
      {Vec3(0, 0, 0), Vec3(0, 0, 0)},
      {Vec3(1e-15, 0, 0), Vec3(1e-15, 0, 0)},
      {Vec3(0, 9.9e-15, 0), Vec3(0, 9.9e-15, 0)},
      {Vec3(0, 0, 1e-14), Vec3(0, 0, 1)},  // exactly the threshold is divided
      {Vec3(3, 0, 4), Vec3(0.6, 0, 0.8)},
      {Vec3(0, -2, 0), Vec3(0, -1, 0)},
  };
  for (const NormalizeCase& c : cases) {
    Vec3 v = c.in;
    v.Normalize();
    SCOPED_TRACE(c.in[0] + c.in[1] + c.in[2]);
    ExpectVec(v, c.out[0], c.out[1], c.out[2]);
  }
}

TEST(Vector, SelfAssignmentKeepsTheValue) {
  Vec3 v(1, 2, 3);
  Vec3& alias = v;
  v = alias;
  ExpectVec(v, 1, 2, 3);
}

TEST(Vector, IntegerInstantiations) {
  const Brantel::Geometry::Vector3<int> c(300, -1, 128);
  EXPECT_EQ(c[0] + c[1] + c[2], 427);
  const Brantel::Geometry::Vector2<int> s(512, 256);
  EXPECT_EQ(s * 2, Brantel::Geometry::Vector2<int>(1024, 512));
}

}  // namespace
