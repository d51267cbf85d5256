#include "TestSpline.h"

#include <gmock/gmock.h>

#include <cmath>
#include <stdexcept>

// Five samples: u = 0.1 lies 0.4 of the way from sample 0 to 1, u = 0.625 halfway from sample 2 to 3.
TEST(Spline, LookupInterpolatesNeighbouringSamplesAndClampsOutside) {
  TestSpline spline;
  spline.samplePoints = {Vec3(0, 0, 0), Vec3(10, 20, 40), Vec3(5, -5, 7), Vec3(1, 2, 3), Vec3(-8, 4, 2)};
  for (const Vec3& s : spline.samplePoints) spline.sampleNormals.push_back(-s);
  const std::pair<double, Vec3> cases[] = {{0.5, {5, -5, 7}}, {0.1, {4, 8, 16}},   {0.625, {3, -1.5, 5}},
                                           {1, {-8, 4, 2}},   {1.7, {-8, 4, 2}},   {0, {0, 0, 0}},
                                           {-0.3, {0, 0, 0}}, {std::nan(""), {0, 0, 0}}};
  for (const auto& [u, expected] : cases) {
    SCOPED_TRACE(u);
    EXPECT_EQ(spline.GetPointFromSampling(u), expected);
    EXPECT_EQ(spline.GetNormalFromSampling(u), -expected);
  }
  const auto noSamples = testing::ThrowsMessage<std::runtime_error>(
      testing::StrEq("No sampling points were computed in CSplineBase::GetPointFromSampling"));
  spline.sampleNormals.clear();
  EXPECT_THAT([&] { spline.GetNormalFromSampling(0.5); }, noSamples);
  spline.samplePoints.clear();
  EXPECT_THAT([&] { spline.GetPointFromSampling(0.5); }, noSamples);
}

// The first and the last segment are straight; the owner draws the inner ones, the last index included.
TEST(Spline, SegmentsAndLengthsTakeEndSegmentsAsChords) {
  const std::vector<Vec3> points = {Vec3(0, 0, 0), Vec3(3, 4, 0), Vec3(3, 4, 12), Vec3(3, 4, 20), Vec3(3, 4, 21)};
  TestSpline spline;
  spline.controlPoints = {points.begin(), points.begin() + 4};
  spline.inner = [](unsigned index, double t) { return Vec3(index, t, -1); };
  EXPECT_EQ(spline.GetPointOnSegment(0, 0.5), Vec3(1.5, 2, 0));
  EXPECT_EQ(spline.GetPointOnSegment(2, 0.25), Vec3(3, 4, 14));
  EXPECT_EQ(spline.GetPointOnSegment(1, 0.75), Vec3(1, 0.75, -1));
  EXPECT_EQ(spline.GetPointOnSegment(3, 0.5), Vec3(3, 0.5, -1));
  const auto outOfRange = testing::Throws<const char*>(testing::StrEq("Index out of range."));
  EXPECT_THAT([&] { spline.GetPointOnSegment(4, 0.5); }, outOfRange);
  EXPECT_THAT([&] { spline.GetArcLength(0, 4); }, outOfRange);
  spline.inner = nullptr;
  const std::pair<std::vector<Vec3>, double> cases[] = {{{points.begin(), points.begin() + 2}, 5},
                                                        {{points.begin(), points.begin() + 3}, 17},
                                                        {{points.begin(), points.begin() + 4}, 25},
                                                        {points, 26},
                                                        {std::vector<Vec3>(4, Vec3(2, 2, 2)), 0}};
  for (const auto& [controlPoints, length] : cases) {
    SCOPED_TRACE(controlPoints.size());
    spline.controlPoints = controlPoints;
    EXPECT_NEAR(spline.GetLength(), length, 1e-12);
  }
}

// Three straight pieces, 5e4, 8e4 and 5e4 long, with corners at t = 1/3 and 2/3: 1.8e5 in all. The midpoint
// t = 1/2 lies on the chord, so only the split forced on the whole segment finds the corners, which bisection
// then follows some 25 levels deep; each corner may cut off about one tolerance.
TEST(Spline, InnerSegmentLengthFollowsItsCornersToTheExactLength) {
  TestSpline spline;
  spline.controlPoints.assign(4, Vec3(0, 0, 0));
  spline.inner = [](unsigned, double t) {
    const Vec3 c(3e4, 4e4, 0), d(3e4, -4e4, 0), b(6e4, 0, 0);
    return t < 1.0 / 3 ? c * (3 * t) : t < 2.0 / 3 ? c + (d - c) * (3 * t - 1) : d + (b - d) * (3 * t - 2);
  };
  EXPECT_NEAR(spline.GetSegmentLength(1, 0, 1, 0.005), 1.8e5, 0.02);
}

// No interval ever meets a tolerance of 0, nor smooths out where the segment is NaN: both still end.
TEST(Spline, SegmentLengthEndsWhereNoBisectionCanMeetTheTolerance) {
  TestSpline spline;
  spline.controlPoints = {Vec3(0, 0, 0), Vec3(3, 4, 0), Vec3(3, 4, 12), Vec3(3, 4, 20)};
  EXPECT_NEAR(spline.GetSegmentLength(1, 0, 1, 0), 12, 1e-9);
  spline.inner = [](unsigned, double t) { return Vec3(t > 0.7 ? std::nan("") : t, 0, 0); };
  EXPECT_TRUE(std::isnan(spline.GetSegmentLength(1, 0, 1, 0.005)));
}
