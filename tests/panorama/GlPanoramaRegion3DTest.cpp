#include <quorvel/GlPanoramaRegion3D.h>

#include "Feedback.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"
#include "TestSplines.h"

#include <gmock/gmock.h>

#include <stdexcept>

namespace QuorvelTest {
namespace {

using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Rows = std::vector<Vec3>;

constexpr double kMask = GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT;
const std::vector<double> kBorder{0.25, 0.5, 0.75};
const std::vector<double> kTsa{0, 1, 0};
const std::vector<double> kIw{0, 0, 1};

// The worked example: nine samples (64 - 16k, 0, 0), curve length 128, width
// 8, window 0 long and 20 high, position (16, 2, 30), height along z.
class PanoramaRegion3DTest : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    MakeStraightNineSamples(spline);
    region.SetSpline(&spline);
    region.SetWidth(8);
    region.SetInspectionWindow(0, 20);
    region.SetBorderColor(Vec3(0.25, 0.5, 0.75));
    region.SetTSAColor(Vec3(0, 1, 0));
    region.SetIWColor(Vec3(0, 0, 1));
  }
  void RenderSlices() { region.RenderSlices(position, Vec3(0, 0, 1)); }
  // x of every slice rectangle's first vertex.
  std::vector<double> SliceXs() {
    GlRecorder rec;
    RenderSlices();
    std::vector<double> xs;
    for (const Primitive& p : rec.Primitives())
      if (p.color == kTsa) xs.push_back(p.vertices.at(0)[0]);
    return xs;
  }
  TestSpline spline;
  Quorvel::GlPanoramaRegion3D region;
  Vec3 position{16, 2, 30};
};

TEST_F(PanoramaRegion3DTest, RegionIsBothEdgesThenBothCapsFlatInBorderColour) {
  spline.Samples()[3] = Vec3(16, 0, 7);  // height is flattened away
  GlRecorder rec;
  region.RenderRegion();
  const std::vector<Primitive> prims = rec.Primitives();
  ASSERT_EQ(prims.size(), 4u);
  Rows second, first;
  for (int k = 0; k <= 8; ++k) {
    second.push_back({64.0 - 16 * k, -4, 0});
    first.push_back({64.0 - 16 * k, 4, 0});
  }
  EXPECT_EQ(prims[0].mode, GLenum(GL_LINE_STRIP));
  EXPECT_EQ(prims[0].vertices, second);
  EXPECT_EQ(prims[1].mode, GLenum(GL_LINE_STRIP));
  EXPECT_EQ(prims[1].vertices, first);
  EXPECT_EQ(prims[2].mode, GLenum(GL_LINES));
  EXPECT_EQ(prims[2].vertices, (Rows{{64, 4, 0}, {64, -4, 0}}));
  EXPECT_EQ(prims[3].mode, GLenum(GL_LINES));
  EXPECT_EQ(prims[3].vertices, (Rows{{-64, 4, 0}, {-64, -4, 0}}));
  for (const Primitive& p : prims) EXPECT_EQ(p.color, kBorder);
}

TEST_F(PanoramaRegion3DTest, RegionBracketsDrawingWithAttributesAndSmoothLinesOff) {
  GlRecorder rec;
  region.RenderRegion();
  const std::vector<std::string> names = rec.Names();
  ASSERT_GE(names.size(), 7u);
  EXPECT_EQ(rec.Calls()[0].name, "glPushAttrib");
  EXPECT_THAT(rec.Calls()[0].args, ElementsAre(kMask));
  EXPECT_THAT(std::vector<std::string>(names.begin() + 1, names.begin() + 7),
              ElementsAre("glDisable", "glDisable", "glDisable", "glDisable", "glDisable", "glBegin"));
  EXPECT_EQ(names.back(), "glPopAttrib");
  EXPECT_EQ(rec.Count("glColor3dv"), 3u);
  EXPECT_EQ(rec.Count("glLineWidth") + rec.Count("glLineStipple"), 0u);
}

TEST_F(PanoramaRegion3DTest, RegionEdgesStopAtTheShorterSequenceAndCapsTakeEachLastElement) {
  spline.Normals().resize(5);
  spline.Normals()[4] = Vec3(0, 2, 0);
  GlRecorder rec;
  region.RenderRegion();
  const std::vector<Primitive> prims = rec.Primitives();
  ASSERT_EQ(prims.size(), 4u);
  EXPECT_EQ(prims[0].vertices.size(), 5u);
  EXPECT_EQ(prims[1].vertices.size(), 5u);
  EXPECT_EQ(prims[3].vertices, (Rows{{-64, 8, 0}, {-64, -8, 0}}));
}

TEST_F(PanoramaRegion3DTest, RegionWithoutSplineOrSamplesIssuesNoGlCommand) {
  Quorvel::GlPanoramaRegion3D detached;
  TestSpline noPoints, noNormals;
  MakeStraightNineSamples(noPoints);
  MakeStraightNineSamples(noNormals);
  noPoints.Samples().clear();
  noNormals.Normals().clear();
  GlRecorder rec;
  detached.RenderRegion();
  detached.RenderSlices(position, Vec3(0, 0, 1));
  for (TestSpline* s : {&noPoints, &noNormals}) {
    region.SetSpline(s);
    region.RenderRegion();
  }
  EXPECT_THAT(rec.Calls(), IsEmpty());
}

TEST_F(PanoramaRegion3DTest, SingleSliceAndZeroLengthWindowIssueTheExactSequence) {
  region.SetTransversalSlices(1, 16);
  GlRecorder rec;
  RenderSlices();
  EXPECT_THAT(rec.Names(),
              ElementsAre("glPushAttrib", "glDisable", "glDisable", "glDisable", "glDisable", "glDisable",
                          "glDisable", "glColor3dv", "glBegin", "glVertex3dv", "glVertex3dv", "glVertex3dv",
                          "glVertex3dv", "glEnd", "glColor3dv", "glBegin", "glVertex3dv", "glVertex3dv", "glEnd",
                          "glPopAttrib"));
  EXPECT_THAT(rec.Calls()[6].args, ElementsAre(GL_LIGHTING));
  const std::vector<Primitive> prims = rec.Primitives();
  ASSERT_EQ(prims.size(), 2u);
  EXPECT_EQ(prims[0].mode, GLenum(GL_LINE_LOOP));
  EXPECT_EQ(prims[0].color, kTsa);
  EXPECT_EQ(prims[0].vertices, (Rows{{16, 4, 40}, {16, -4, 40}, {16, -4, 20}, {16, 4, 20}}));
  EXPECT_EQ(prims[1].mode, GLenum(GL_LINE_LOOP));
  EXPECT_EQ(prims[1].color, kIw);
  EXPECT_EQ(prims[1].vertices, (Rows{{16, 2, 40}, {16, 2, 20}}));
}

TEST_F(PanoramaRegion3DTest, SlicesAreCentredOnThePositionAndClampedBeyondTheEnds) {
  position = Vec3(0, 0, 0);
  const struct {
    int count;
    double spacing;
    std::vector<double> xs;
  } cases[] = {
      {4, 16, {-32, -16, 0, 16}},
      {5, 16, {-32, -16, 0, 16, 32}},
      {3, 100, {-64, 0, 64}},  // j = -1 and 1 fall beyond the ends
      {0, 16, {}},
      {-3, 16, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    region.SetTransversalSlices(c.count, c.spacing);
    EXPECT_EQ(SliceXs(), c.xs);
  }
}

TEST_F(PanoramaRegion3DTest, SlicesExtendAlongHeightDirectionWhileTheWindowMovesAlongZ) {
  region.SetTransversalSlices(1, 16);
  GlRecorder rec;
  region.RenderSlices(position, Vec3(1, 0, 2));
  const std::vector<Primitive> prims = rec.Primitives();
  ASSERT_EQ(prims.size(), 2u);
  EXPECT_EQ(prims[0].vertices, (Rows{{26, 4, 50}, {26, -4, 50}, {6, -4, 10}, {6, 4, 10}}));
  EXPECT_EQ(prims[1].vertices, (Rows{{16, 2, 40}, {16, 2, 20}}));
}

TEST_F(PanoramaRegion3DTest, WindowIsOneLoopForwardAboveAndBackBelow) {
  region.SetInspectionWindow(32, 20);  // a quarter of the curve: u from 0.25 to 0.5
  GlRecorder rec;
  RenderSlices();
  const std::vector<Primitive> prims = rec.Primitives();
  ASSERT_EQ(prims.size(), 1u);
  const Rows& v = prims[0].vertices;
  ASSERT_EQ(v.size() % 2, 0u);
  const std::size_t n = v.size() / 2;
  ASSERT_GE(n, 50u);
  ASSERT_LE(n, 51u);
  EXPECT_EQ(v[0], Vec3(32, 2, 40));
  for (std::size_t i = 0; i < n; ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(v[i][0], 32 - 0.64 * i, 1e-9);
    EXPECT_EQ(v[i][1], 2.0);
    EXPECT_EQ(v[i][2], 40.0);
    const Vec3& back = v[2 * n - 1 - i];
    EXPECT_EQ(back, Vec3(v[i][0], v[i][1], 20.0));
  }
}

TEST_F(PanoramaRegion3DTest, NegativeWindowLengthGivesAnEmptyLoop) {
  region.SetInspectionWindow(-32, 20);
  GlRecorder rec;
  RenderSlices();
  EXPECT_THAT(rec.Names(), ElementsAre("glPushAttrib", "glDisable", "glDisable", "glDisable", "glDisable",
                                       "glDisable", "glDisable", "glColor3dv", "glBegin", "glEnd", "glPopAttrib"));
}

TEST_F(PanoramaRegion3DTest, WindowWalkIsBoundedInSteps) {
  const struct {
    const char* what;
    double positionX;
    double windowLength;
    std::size_t vertices;
  } cases[] = {
      {"window of a million curve lengths stops at the step limit", 0, 128e6, 2 * 10000},
      // u0 near 8e13, where adding 0.005 leaves the parameter unchanged.
      {"stagnant parameter stops after one point", -1e16, 128, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    region.SetInspectionWindow(c.windowLength, 20);
    GlRecorder rec;
    region.RenderSlices(Vec3(c.positionX, 2, 30), Vec3(0, 0, 1));
    EXPECT_EQ(rec.Count("glVertex3dv"), c.vertices);
  }
}

TEST_F(PanoramaRegion3DTest, MissingSamplesThrowTheLookupErrorWithTheStackRestored) {
  const int depth = GetInt(GL_ATTRIB_STACK_DEPTH);
  glEnable(GL_LIGHTING);
  for (int count : {1, 0}) {  // from a slice, or from the window when there is none
    SCOPED_TRACE(count);
    region.SetTransversalSlices(count, 16);
    spline.Samples().clear();
    EXPECT_THROW(RenderSlices(), std::runtime_error);
    MakeStraightNineSamples(spline);
    spline.Normals().clear();
    EXPECT_THROW(RenderSlices(), std::runtime_error);
    EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), depth);
    EXPECT_TRUE(IsEnabled(GL_LIGHTING));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    spline = TestSpline();
  }
}

TEST_F(PanoramaRegion3DTest, CallerStateSurvivesExceptTheCurrentColour) {
  region.SetTransversalSlices(3, 16);
  region.SetInspectionWindow(32, 20);
  glEnable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_LINE_STIPPLE);
  glLineWidth(3);
  const int depth = GetInt(GL_ATTRIB_STACK_DEPTH);
  region.RenderRegion();
  EXPECT_THAT(CurrentColor(), ElementsAre(0.25f, 0.5f, 0.75f, 1.0f));
  RenderSlices();
  EXPECT_THAT(CurrentColor(), ElementsAre(0.0f, 0.0f, 1.0f, 1.0f));
  EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), depth);
  for (GLenum cap : {GL_LIGHTING, GL_BLEND, GL_LINE_SMOOTH, GL_LINE_STIPPLE}) EXPECT_TRUE(IsEnabled(cap)) << cap;
  EXPECT_EQ(GetFloat(GL_LINE_WIDTH), 3.0f);
}

TEST_F(PanoramaRegion3DTest, FeedbackShowsTheOutlineAndTheSliceRectangle) {
  region.SetTransversalSlices(1, 16);
  const Feedback fb = CaptureWorldFeedback([&] {
    region.RenderRegion();
    RenderSlices();
  });
  // Outline: 8 + 8 edge segments and two caps; slice: 4 sides; window: 2.
  const auto lines = fb.LinePositions();
  ASSERT_EQ(lines.size(), 2u * (8 + 8 + 2 + 4 + 2));
  EXPECT_THAT(lines[0], ElementsAre(DoubleNear(64, 1e-3), DoubleNear(-4, 1e-3), DoubleNear(0, 2e-3)));
  EXPECT_THAT(lines[36], ElementsAre(DoubleNear(16, 1e-3), DoubleNear(4, 1e-3), DoubleNear(40, 2e-3)));
}

}  // namespace
}  // namespace QuorvelTest
