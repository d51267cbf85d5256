#include "TestSplines.h"

#include <gmock/gmock.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace QuorvelTest {
namespace {

using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kPi = 3.14159265358979323846;

// Runs `f` and returns the text of the bare string it throws, or "" if none.
template <typename F>
std::string ThrownString(F f) {
  try {
    f();
  } catch (const char* text) {
    return text;
  }
  return "";
}

template <typename F>
std::string ThrownExceptionMessage(F f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "";
}

class SplineLookupTest : public ::testing::Test {
protected:
  void SetUp() override {
    spline.Samples() = {Vec3(0, 0, 0), Vec3(10, 20, 40), Vec3(5, -5, 7), Vec3(1, 2, 3), Vec3(-8, 4, 2)};
    for (const Vec3& s : spline.Samples()) spline.Normals().push_back(-s);
  }
  TestSpline spline;
};

struct LookupCase {
  double u;
  Vec3 expected;
};

TEST_F(SplineLookupTest, InterpolatesBetweenNeighbouringSamplesAndClampsOutside) {
  const LookupCase cases[] = {
      {0.5, Vec3(5, -5, 7)},       // x = 2 exactly: sample 2
      {0.1, Vec3(4, 8, 16)},       // x = 0.4: sample1 · 0.4 + sample0 · 0.6
      {0.625, Vec3(3, -1.5, 5)},   // halfway between samples 2 and 3
      {1.0, Vec3(-8, 4, 2)},       // last
      {1.7, Vec3(-8, 4, 2)},       // beyond: last
      {0.0, Vec3(0, 0, 0)},        // first
      {-0.3, Vec3(0, 0, 0)},       // before: first
      {kNaN, Vec3(0, 0, 0)},       // not a number: first
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.u);
    EXPECT_EQ(spline.GetPointFromSampling(c.u), c.expected);
    EXPECT_EQ(spline.GetNormalFromSampling(c.u), -c.expected);
  }
}

TEST_F(SplineLookupTest, SingleSampleAnswersEveryParameter) {
  spline.Samples() = {Vec3(3, 2, 1)};
  for (double u : {-1.0, 0.0, 0.4, 1.0, 2.0}) EXPECT_EQ(spline.GetPointFromSampling(u), Vec3(3, 2, 1)) << u;
}

TEST_F(SplineLookupTest, InterpolatedNormalIsNotRenormalised) {
  spline.Normals() = {Vec3(0, 1, 0), Vec3(1, 0, 0)};
  EXPECT_EQ(spline.GetNormalFromSampling(0.5), Vec3(0.5, 0.5, 0));
}

TEST_F(SplineLookupTest, EmptySequenceThrowsTheSameRuntimeErrorFromEitherLookup) {
  const std::string message = "No sampling points were computed in CSplineBase::GetPointFromSampling";
  spline.Samples().clear();
  EXPECT_THROW(spline.GetPointFromSampling(0.5), std::runtime_error);
  EXPECT_EQ(ThrownExceptionMessage([&] { spline.GetPointFromSampling(0.5); }), message);
  EXPECT_EQ(spline.GetNormalFromSampling(0.5), Vec3(-5, 5, -7));

  spline.Normals().clear();
  EXPECT_EQ(ThrownExceptionMessage([&] { spline.GetNormalFromSampling(0.5); }), message);
}

TEST_F(SplineLookupTest, SamplingAccessorsReturnIndependentCopies) {
  std::vector<Vec3> points = spline.GetSamplingPoints();
  std::vector<Vec3> normals = spline.GetSamplingNormals();
  EXPECT_EQ(points, spline.Samples());
  EXPECT_EQ(normals, spline.Normals());
  points[0] = Vec3(9, 9, 9);
  normals.clear();
  EXPECT_EQ(spline.Samples()[0], Vec3(0, 0, 0));
  EXPECT_EQ(spline.Normals().size(), 5u);
}

class SplineSegmentTest : public ::testing::Test {
protected:
  void SetUp() override {
    spline.ControlPoints() = {Vec3(0, 0, 0), Vec3(3, 4, 0), Vec3(3, 4, 12), Vec3(3, 4, 20)};
  }
  TestSpline spline;
};

TEST_F(SplineSegmentTest, FirstAndLastSegmentsAreChordsAndInnerOnesComeFromTheOwner) {
  spline.interpolate = [](unsigned int index, double t) { return Vec3(index, t, -1); };
  EXPECT_EQ(spline.GetPointOnSegment(0, 0.5), Vec3(1.5, 2, 0));
  EXPECT_EQ(spline.GetPointOnSegment(2, 0.25), Vec3(3, 4, 14));
  EXPECT_THAT(spline.interpolatedSegments, IsEmpty());
  EXPECT_EQ(spline.GetPointOnSegment(1, 0.75), Vec3(1, 0.75, -1));
  // n - 1 passes the range test and is the owner's to evaluate.
  EXPECT_EQ(spline.GetPointOnSegment(3, 0.5), Vec3(3, 0.5, -1));
  EXPECT_THAT(spline.interpolatedSegments, ElementsAre(1u, 3u));
}

TEST_F(SplineSegmentTest, IndexBeyondTheControlPointsThrowsTheBareString) {
  EXPECT_EQ(ThrownString([&] { spline.GetPointOnSegment(4, 0.5); }), "Index out of range.");
  EXPECT_EQ(ThrownString([&] { spline.GetArcLength(0, 4); }), "Index out of range.");
  EXPECT_EQ(ThrownString([&] { spline.GetArcLength(7, 3); }), "Index out of range.");
  EXPECT_THAT(spline.interpolatedSegments, IsEmpty());
}

TEST_F(SplineSegmentTest, FewerThanTwoControlPointsHaveNoSegmentsAndLengthZero) {
  for (std::size_t count : {0u, 1u}) {
    SCOPED_TRACE(count);
    spline.ControlPoints().resize(count);
    EXPECT_EQ(ThrownString([&] { spline.GetPointOnSegment(0, 0.5); }), "Index out of range.");
    EXPECT_EQ(ThrownString([&] { spline.GetArcLength(0, 0); }), "Index out of range.");
    EXPECT_EQ(spline.GetLength(), 0.0);
  }
}

struct LengthCase {
  std::vector<Vec3> controlPoints;
  double length;
  std::vector<unsigned int> interpolated;  // distinct segment indices measured adaptively
};

TEST_F(SplineSegmentTest, LengthCountsEndSegmentsByChordAndInnerOnesAdaptively) {
  const LengthCase cases[] = {
      {{Vec3(0, 0, 0), Vec3(3, 4, 0)}, 5, {}},
      {{Vec3(0, 0, 0), Vec3(3, 4, 0), Vec3(3, 4, 12)}, 17, {}},
      {{Vec3(0, 0, 0), Vec3(3, 4, 0), Vec3(3, 4, 12), Vec3(3, 4, 20)}, 25, {1}},
      {{Vec3(0, 0, 0), Vec3(3, 4, 0), Vec3(3, 4, 12), Vec3(3, 4, 20), Vec3(3, 4, 21)}, 26, {1, 2}},
      {{Vec3(2, 2, 2), Vec3(2, 2, 2), Vec3(2, 2, 2), Vec3(2, 2, 2)}, 0, {1}},
  };
  for (const LengthCase& c : cases) {
    SCOPED_TRACE(c.controlPoints.size());
    spline.ControlPoints() = c.controlPoints;
    spline.interpolatedSegments.clear();
    EXPECT_NEAR(spline.GetLength(), c.length, 1e-12);
    std::vector<unsigned int> distinct;
    for (unsigned int index : spline.interpolatedSegments)
      if (distinct.empty() || distinct.back() != index) distinct.push_back(index);
    EXPECT_EQ(distinct, c.interpolated);
  }
}

TEST_F(SplineSegmentTest, StraightInnerSegmentIsAcceptedAfterExactlyOneForcedSplit) {
  EXPECT_NEAR(spline.GetSegmentLength(1, 0.0, 1.0, 0.005), 12.0, 1e-12);
  // Whole segment: ends and midpoint; then each half: its ends and midpoint.
  EXPECT_EQ(spline.interpolatedSegments.size(), 9u);
  EXPECT_THAT(spline.interpolatedSegments, Each(1u));
}

TEST_F(SplineSegmentTest, ArcLengthBetweenInnerControlPointsSkipsTheEndChords) {
  EXPECT_NEAR(spline.GetArcLength(1, 2), 12.0, 1e-12);
  EXPECT_NEAR(spline.GetArcLength(1, 3), 20.0, 1e-12);
  EXPECT_NEAR(spline.GetArcLength(0, 2), 17.0, 1e-12);
}

// Fine polyline of an inner segment, for reference lengths.
double PolylineLength(const std::function<Vec3(unsigned int, double)>& curve, int pieces) {
  double length = 0;
  for (int i = 0; i < pieces; ++i) length += Distance(curve(1, double(i) / pieces), curve(1, double(i + 1) / pieces));
  return length;
}

struct CurvedCase {
  const char* name;
  std::function<Vec3(unsigned int, double)> curve;
};

TEST_F(SplineSegmentTest, CurvedInnerSegmentsAreMeasuredAlongTheCurve) {
  const CurvedCase cases[] = {
      // Quarter circle of radius 10 from (3, 4, 0) to (13, 14, 0): 5π.
      {"quarter circle", [](unsigned int, double t) { return Vec3(13 - 10 * std::cos(t * kPi / 2), 4 + 10 * std::sin(t * kPi / 2), 0); }},
      // One sine period across a 12-long chord: its midpoint lies on the chord,
      // so only the forced split of the whole segment measures the wave.
      {"sine period", [](unsigned int, double t) { return Vec3(3, 4 + 2 * std::sin(2 * kPi * t), 12 * t); }},
  };
  for (const CurvedCase& c : cases) {
    SCOPED_TRACE(c.name);
    spline.interpolate = c.curve;
    const double reference = PolylineLength(c.curve, 100000);
    const double measured = spline.GetSegmentLength(1, 0.0, 1.0, 0.005);
    EXPECT_NEAR(measured, reference, 0.02);
    EXPECT_LE(measured, reference + 1e-9);  // a polyline never exceeds the arc
  }
}

TEST_F(SplineSegmentTest, BisectionEndsForNonPositiveToleranceAndNaNSegments) {
  EXPECT_NEAR(spline.GetSegmentLength(1, 0.0, 1.0, 0.0), 12.0, 1e-9);
  const std::size_t bound = 3 * (std::size_t(2) << Brantel::Geometry::CSplineBase<Vec3>::kMaxBisectionDepth);
  EXPECT_LE(spline.interpolatedSegments.size(), bound);

  spline.interpolate = [](unsigned int, double) { return Vec3(kNaN, 0, 0); };
  EXPECT_TRUE(std::isnan(spline.GetSegmentLength(1, 0.0, 1.0, 0.005)));
  // A NaN total falls back to the distance between the end control points.
  EXPECT_EQ(spline.GetLength(), Distance(Vec3(0, 0, 0), Vec3(3, 4, 20)));
}

}  // namespace
}  // namespace QuorvelTest
