#include <quorvel/GlPanoramaRegion3D.h>
#include <quorvel/GlPanoramaRegionAxial.h>
#include <quorvel/GlPanoramaRegionBase.h>

#include "GlRecorder.h"
#include "GlTest.h"
#include "TestSplines.h"

#include <gmock/gmock.h>

#include <memory>
#include <stdexcept>

namespace QuorvelTest {
namespace {

// Opens the protected settings and geometry to the tests.
class RegionProbe : public Quorvel::GlPanoramaRegionBase {
public:
  using GlPanoramaRegionBase::GetOffsetPoint;
  using GlPanoramaRegionBase::GetOuterPoints;
  using GlPanoramaRegionBase::PanoramaPosPToUnit;
  using GlPanoramaRegionBase::borderColor;
  using GlPanoramaRegionBase::curveLength;
  using GlPanoramaRegionBase::curveLengthInverse;
  using GlPanoramaRegionBase::halfWidth;
  using GlPanoramaRegionBase::inspectionWindowHeight;
  using GlPanoramaRegionBase::inspectionWindowLength;
  using GlPanoramaRegionBase::iwColor;
  using GlPanoramaRegionBase::iwGapInPixels;
  using GlPanoramaRegionBase::lsaColor;
  using GlPanoramaRegionBase::lsaGapInPixels;
  using GlPanoramaRegionBase::pointColor;
  using GlPanoramaRegionBase::sampling;
  using GlPanoramaRegionBase::sliceCount;
  using GlPanoramaRegionBase::sliceSpacing;
  using GlPanoramaRegionBase::spline;
  using GlPanoramaRegionBase::splineColor;
  using GlPanoramaRegionBase::tsaColor;
  using GlPanoramaRegionBase::tsaGapInPixels;
};

TEST(GlPanoramaRegionBase, DefaultRegionHasNoSplineBlackColoursZeroSettingsAndUnitSampling) {
  const RegionProbe region;
  EXPECT_EQ(region.spline, nullptr);
  EXPECT_EQ(region.halfWidth, 0.0);
  EXPECT_EQ(region.curveLength, 0.0);
  EXPECT_EQ(region.curveLengthInverse, 0.0);
  EXPECT_EQ(region.sliceCount, 0);
  EXPECT_EQ(region.sliceSpacing, 0.0);
  EXPECT_EQ(region.inspectionWindowLength, 0.0);
  EXPECT_EQ(region.inspectionWindowHeight, 0.0);
  for (const Vec3& color : {region.borderColor, region.pointColor, region.splineColor, region.tsaColor,
                            region.lsaColor, region.iwColor})
    EXPECT_EQ(color, Vec3(0, 0, 0));
  EXPECT_EQ(region.tsaGapInPixels, 0);
  EXPECT_EQ(region.lsaGapInPixels, 0);
  EXPECT_EQ(region.iwGapInPixels, 0);
  EXPECT_EQ(region.sampling, Brantel::Geometry::Vector2<double>(1, 1));
}

class RegionGeometryTest : public ::testing::Test {
protected:
  void SetUp() override {
    spline.ControlPoints() = {Vec3(100, 0, 0), Vec3(-100, 0, 0)};
    spline.Samples() = {Vec3(0, 0, 0)};
    spline.Normals() = {Vec3(0, 1, 0)};
    region.SetSpline(&spline);
    region.SetWidth(10);
  }
  TestSpline spline;
  RegionProbe region;
};

TEST_F(RegionGeometryTest, OuterPointsLieHalfTheWidthAlongAndAgainstTheNormal) {
  Vec3 first, second;
  region.GetOuterPoints(0.3, first, second);
  EXPECT_EQ(first, Vec3(0, 5, 0));
  EXPECT_EQ(second, Vec3(0, -5, 0));
}

TEST_F(RegionGeometryTest, OffsetRunsFromSecondEdgeToFirstAndExtrapolatesBeyond) {
  const Vec3 first(2, 6, 1), second(-4, 0, 3);
  const struct {
    double offset;
    Vec3 expected;
  } cases[] = {{5, first}, {-5, second}, {0, Vec3(-1, 3, 2)}, {10, Vec3(5, 9, 0)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.offset);
    Vec3 result;
    region.GetOffsetPoint(c.offset, first, second, result);
    EXPECT_EQ(result, c.expected);
  }
}

TEST_F(RegionGeometryTest, PanoramaPositionMapsToUnitParameterUnclamped) {
  ASSERT_EQ(region.curveLength, 200.0);
  EXPECT_EQ(region.PanoramaPosPToUnit(0), 0.5);
  EXPECT_EQ(region.PanoramaPosPToUnit(100), 0.0);
  EXPECT_EQ(region.PanoramaPosPToUnit(-100), 1.0);
  EXPECT_EQ(region.PanoramaPosPToUnit(150), -0.25);
}

TEST_F(RegionGeometryTest, LengthIsCachedUntilTheSplineIsHandedInAgain) {
  spline.ControlPoints() = {Vec3(50, 0, 0), Vec3(-50, 0, 0)};
  EXPECT_EQ(region.PanoramaPosPToUnit(100), 0.0);
  region.SetSpline(&spline);
  EXPECT_EQ(region.PanoramaPosPToUnit(50), 0.0);
}

TEST_F(RegionGeometryTest, NullSplineDetachesTheRegion) {
  region.SetSpline(nullptr);
  EXPECT_EQ(region.spline, nullptr);
  EXPECT_EQ(region.curveLength, 0.0);
  EXPECT_EQ(region.curveLengthInverse, 0.0);
}

TEST_F(RegionGeometryTest, ThrowingLengthLeavesTheRegionAsItWas) {
  TestSpline failing;
  failing.ControlPoints() = {Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(2, 0, 0), Vec3(3, 0, 0)};
  failing.interpolate = [](unsigned int, double) -> Vec3 { throw std::runtime_error("segment"); };
  EXPECT_THROW(region.SetSpline(&failing), std::runtime_error);
  EXPECT_EQ(region.spline, &spline);
  EXPECT_EQ(region.curveLength, 200.0);
  EXPECT_EQ(region.curveLengthInverse, 1.0 / 200.0);
}

class RegionViewsTest : public GlTest {};

std::vector<GlCall> RecordBand(Quorvel::GlPanoramaRegion3D& region) {
  GlRecorder rec;
  region.RenderRegion();
  region.RenderSlices(Vec3(16, 2, 30), Vec3(0, 0, 1));
  return rec.Calls();
}

bool SameCalls(const std::vector<GlCall>& a, const std::vector<GlCall>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].name != b[i].name || a[i].args != b[i].args) return false;
  return true;
}

TEST_F(RegionViewsTest, CopiesDrawTheSameBandFromTheSharedSplineAfterTheSourceIsGone) {
  TestSpline spline;
  MakeStraightNineSamples(spline);
  auto source = std::make_unique<Quorvel::GlPanoramaRegion3D>();
  source->SetSpline(&spline);
  source->SetWidth(8);
  source->SetTransversalSlices(3, 16);
  source->SetInspectionWindow(32, 20);
  source->SetBorderColor(Vec3(1, 0, 0));
  source->SetTSAColor(Vec3(0, 1, 0));
  source->SetIWColor(Vec3(0, 0, 1));
  const std::vector<GlCall> expected = RecordBand(*source);
  ASSERT_GT(expected.size(), 40u);

  Quorvel::GlPanoramaRegion3D copy(*source);
  Quorvel::GlPanoramaRegion3D assigned;
  assigned = *source;
  source.reset();
  EXPECT_TRUE(SameCalls(RecordBand(copy), expected));
  EXPECT_TRUE(SameCalls(RecordBand(assigned), expected));
}

// Zero width divides by zero across the band, a zero-length curve gives an
// infinite inverse length: the drawing is meaningless but must end cleanly.
TEST_F(RegionViewsTest, DegenerateBandsDrawWithoutFailing) {
  TestSpline spline;
  MakeStraightNineSamples(spline);
  spline.ControlPoints() = {Vec3(1, 1, 1), Vec3(1, 1, 1)};
  Quorvel::GlPanoramaRegion3D view3D;
  Quorvel::GlPanoramaRegionAxial axial;
  for (Quorvel::GlPanoramaRegionBase* region : {static_cast<Quorvel::GlPanoramaRegionBase*>(&view3D),
                                                 static_cast<Quorvel::GlPanoramaRegionBase*>(&axial)}) {
    region->SetSpline(&spline);
    region->SetWidth(0);
    region->SetTransversalSlices(3, 16);
    region->SetInspectionWindow(32, 20);
  }
  GlRecorder rec;
  EXPECT_NO_THROW(view3D.RenderRegion());
  EXPECT_NO_THROW(view3D.RenderSlices(Vec3(16, 2, 30), Vec3(0, 0, 1)));
  EXPECT_NO_THROW(axial.RenderRegion());
  EXPECT_NO_THROW(axial.RenderSlices(Vec3(16, 2, 30)));
  EXPECT_EQ(rec.Count("glBegin"), rec.Count("glEnd"));
  EXPECT_LT(rec.Count("glVertex3dv"), 200u);
}

}  // namespace
}  // namespace QuorvelTest
