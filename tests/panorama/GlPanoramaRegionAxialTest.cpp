#include <quorvel/GlPanoramaRegion3D.h>
#include <quorvel/GlPanoramaRegionAxial.h>

#include "Feedback.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"
#include "TestSplines.h"

#include <gmock/gmock.h>

#include <cmath>
#include <stdexcept>

namespace QuorvelTest {
namespace {

using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Rows = std::vector<Vec3>;

constexpr double kMask = GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT;
const std::vector<double> kTsa{0, 1, 0};
const std::vector<double> kLsa{1, 0, 0};
const std::vector<double> kIw{0, 0, 1};

// The worked example: nine samples (64 - 16k, 0, 0), curve length 128, width
// 8, three slices 16 apart, window 8 long, half a world unit per pixel, all
// gaps 2 pixels (1 world unit), position (16, 2, 99).
class PanoramaRegionAxialTest : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    MakeStraightNineSamples(spline);
    region.SetSpline(&spline);
    region.SetWidth(8);
    region.SetTransversalSlices(3, 16);
    region.SetInspectionWindow(8, 0);
    region.SetSampling({0.5, 0.5});
    SetGaps(2);
    region.SetTSAColor(Vec3(0, 1, 0));
    region.SetLSAColor(Vec3(1, 0, 0));
    region.SetIWColor(Vec3(0, 0, 1));
  }
  void SetGaps(int pixels) {
    region.SetTSAGapInPixels(pixels);
    region.SetLSAGapInPixels(pixels);
    region.SetIWGapInPixels(pixels);
  }
  std::vector<Primitive> Draw() {
    GlRecorder rec;
    region.RenderSlices(position);
    return rec.Primitives();
  }
  static std::vector<Primitive> InColour(const std::vector<Primitive>& prims, const std::vector<double>& color) {
    std::vector<Primitive> out;
    for (const Primitive& p : prims)
      if (p.color == color) out.push_back(p);
    return out;
  }
  TestSpline spline;
  Quorvel::GlPanoramaRegionAxial region;
  Vec3 position{16, 2, 99};
};

TEST_F(PanoramaRegionAxialTest, SlicesAreStubsWithSignsAroundACentralSliceWithAGap) {
  const std::vector<Primitive> tsa = InColour(Draw(), kTsa);
  ASSERT_EQ(tsa.size(), 5u);
  // j = -1 (u = 0.5, x = 0): stubs and a minus.
  EXPECT_EQ(tsa[0].vertices, (Rows{{0, 4, 0}, {0, 2, 0}, {0, -2, 0}, {0, -4, 0}}));
  EXPECT_EQ(tsa[1].vertices, (Rows{{-1, 5, 0}, {1, 5, 0}}));
  // j = 0: across the band, a hole of 1 on each side of (16, 2).
  EXPECT_EQ(tsa[2].vertices, (Rows{{16, 4, 0}, {16, 3, 0}, {16, 1, 0}, {16, -4, 0}}));
  // j = 1 (u = 0.25, x = 32): stubs and a plus.
  EXPECT_EQ(tsa[3].vertices, (Rows{{32, 4, 0}, {32, 2, 0}, {32, -2, 0}, {32, -4, 0}}));
  EXPECT_EQ(tsa[4].vertices, (Rows{{31, 5, 0}, {33, 5, 0}, {32, 6, 0}, {32, 4, 0}}));
  for (const Primitive& p : tsa) EXPECT_EQ(p.mode, GLenum(GL_LINES));
}

TEST_F(PanoramaRegionAxialTest, LsaLineIsTheTangentThroughThePanoramaPointWithAGap) {
  const std::vector<Primitive> lsa = InColour(Draw(), kLsa);
  ASSERT_EQ(lsa.size(), 1u);
  EXPECT_EQ(lsa[0].mode, GLenum(GL_LINES));
  EXPECT_EQ(lsa[0].vertices, (Rows{{20, 2, 0}, {17, 2, 0}, {15, 2, 0}, {12, 2, 0}}));
}

TEST_F(PanoramaRegionAxialTest, WindowStripLeavesOutPointsNearThePanoramaPointAndSplitsOnce) {
  const std::vector<Primitive> iw = InColour(Draw(), kIw);
  ASSERT_EQ(iw.size(), 2u);
  // Points every 0.64 from x = 20 toward 12; 16.8, 16.16 and 15.52 are within 1 of x = 16.
  const std::vector<int> steps[] = {{0, 1, 2, 3, 4}, {8, 9, 10, 11, 12}};
  for (int part = 0; part < 2; ++part) {
    SCOPED_TRACE(part);
    EXPECT_EQ(iw[part].mode, GLenum(GL_LINE_STRIP));
    ASSERT_EQ(iw[part].vertices.size(), steps[part].size());
    for (std::size_t i = 0; i < steps[part].size(); ++i)
      EXPECT_TRUE(std::abs(iw[part].vertices[i][0] - (20 - 0.64 * steps[part][i])) <= 1e-9 &&
                  iw[part].vertices[i][1] == 2.0 && iw[part].vertices[i][2] == 0.0);
  }
}

TEST_F(PanoramaRegionAxialTest, ZeroGapsDrawUnbrokenLinesThroughThePanoramaPoint) {
  SetGaps(0);
  const std::vector<Primitive> prims = Draw();
  EXPECT_EQ(InColour(prims, kTsa)[2].vertices, (Rows{{16, 4, 0}, {16, 2, 0}, {16, 2, 0}, {16, -4, 0}}));
  EXPECT_EQ(InColour(prims, kLsa)[0].vertices, (Rows{{20, 2, 0}, {16, 2, 0}, {16, 2, 0}, {12, 2, 0}}));
  const std::vector<Primitive> iw = InColour(prims, kIw);
  ASSERT_EQ(iw.size(), 1u);
  EXPECT_EQ(iw[0].vertices.size(), 13u);
}

TEST_F(PanoramaRegionAxialTest, CentralSliceGapFollowsTheSignAndSizeOfTheGap) {
  region.SetTransversalSlices(1, 16);
  const struct {
    int pixels;
    Rows lines;
  } cases[] = {
      {2, {{16, 4, 0}, {16, 3, 0}, {16, 1, 0}, {16, -4, 0}}},
      {-2, {{16, 4, 0}, {16, 1, 0}, {16, 3, 0}, {16, -4, 0}}},   // negative: beyond the point
      {20, {{16, 4, 0}, {16, 4, 0}, {16, -4, 0}, {16, -4, 0}}},  // longer than the line: nothing left
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pixels);
    region.SetTSAGapInPixels(c.pixels);
    EXPECT_EQ(InColour(Draw(), kTsa).at(0).vertices, c.lines);
  }
}

TEST_F(PanoramaRegionAxialTest, GapInPixelsScalesWithTheFirstSamplingComponent) {
  region.SetTransversalSlices(1, 16);
  region.SetSampling({0.5, 2});
  region.SetTSAGapInPixels(4);
  position = Vec3(16, 0, 0);
  EXPECT_EQ(InColour(Draw(), kTsa).at(0).vertices, (Rows{{16, 4, 0}, {16, 2, 0}, {16, -2, 0}, {16, -4, 0}}));
}

TEST_F(PanoramaRegionAxialTest, SlicesBeyondTheCurveEndsAreSkipped) {
  region.SetTransversalSlices(3, 100);
  const std::vector<Primitive> tsa = InColour(Draw(), kTsa);
  ASSERT_EQ(tsa.size(), 1u);
  EXPECT_EQ(tsa[0].vertices[0], Vec3(16, 4, 0));
}

TEST_F(PanoramaRegionAxialTest, HeightOfThePositionHasNoEffect) {
  GlRecorder rec;
  region.RenderSlices(Vec3(16, 2, 99));
  const Rows high = Vertices(rec);
  rec.Clear();
  region.RenderSlices(Vec3(16, 2, -5));
  EXPECT_EQ(Vertices(rec), high);
  for (const auto& v : high) EXPECT_EQ(v[2], 0.0);
}

TEST_F(PanoramaRegionAxialTest, SlicesSwitchSmoothLinesOnInsideTheAttributeSave) {
  GlRecorder rec;
  region.RenderSlices(position);
  const std::vector<std::string> names = rec.Names();
  ASSERT_GT(names.size(), 11u);
  EXPECT_EQ(names[0], "glPushAttrib");
  EXPECT_THAT(rec.Calls()[0].args, ElementsAre(kMask));
  EXPECT_THAT(std::vector<std::string>(names.begin() + 1, names.begin() + 11),
              ElementsAre("glDisable", "glDisable", "glEnable", "glEnable", "glHint", "glHint", "glBlendFunc",
                          "glEnable", "glAlphaFunc", "glEnable"));
  EXPECT_EQ(names.back(), "glPopAttrib");
  EXPECT_EQ(rec.Count("glLineWidth"), 0u);
  EXPECT_EQ(rec.Count("glBegin"), rec.Count("glEnd"));
}

TEST_F(PanoramaRegionAxialTest, RegionMatchesTheThreeDimensionalOutlineButWithSmoothLines) {
  spline.Samples()[5] = Vec3(-16, 0, 9);
  Quorvel::GlPanoramaRegion3D view3D;
  view3D.SetSpline(&spline);
  view3D.SetWidth(8);
  GlRecorder rec;
  view3D.RenderRegion();
  const Rows outline = Vertices(rec);
  rec.Clear();
  region.RenderRegion();
  EXPECT_EQ(Vertices(rec), outline);
  EXPECT_EQ(rec.Calls()[0].name, "glPushAttrib");
  EXPECT_EQ(rec.Calls()[3].name, "glEnable");
  EXPECT_THAT(rec.Calls()[3].args, ElementsAre(GL_LINE_SMOOTH));
  EXPECT_EQ(rec.Names().back(), "glPopAttrib");
}

TEST_F(PanoramaRegionAxialTest, StateIsRestoredExceptHintsAndCurrentColour) {
  glHint(GL_LINE_SMOOTH_HINT, GL_FASTEST);
  glEnable(GL_LINE_STIPPLE);
  const int depth = GetInt(GL_ATTRIB_STACK_DEPTH);
  region.RenderRegion();
  region.RenderSlices(position);
  EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), depth);
  EXPECT_TRUE(IsEnabled(GL_LINE_STIPPLE));
  for (GLenum cap : {GL_LINE_SMOOTH, GL_BLEND, GL_ALPHA_TEST, GL_COLOR_MATERIAL}) EXPECT_FALSE(IsEnabled(cap)) << cap;
  EXPECT_EQ(GetInt(GL_LINE_SMOOTH_HINT), GL_NICEST);
  EXPECT_THAT(CurrentColor(), ElementsAre(0.0f, 0.0f, 1.0f, 1.0f));
}

TEST_F(PanoramaRegionAxialTest, MissingSamplesThrowFromTheFirstLookupWithTheStackRestored) {
  const int depth = GetInt(GL_ATTRIB_STACK_DEPTH);
  spline.Samples().clear();
  for (int count : {3, 0}) {  // from a slice, or from the LSA line when no slice is drawn
    SCOPED_TRACE(count);
    region.SetTransversalSlices(count, 16);
    GlRecorder rec;
    EXPECT_THROW(region.RenderSlices(position), std::runtime_error);
    EXPECT_EQ(rec.Count("glBegin"), 0u);
    EXPECT_EQ(rec.Names().back(), "glPopAttrib");
    EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), depth);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  }
}

TEST_F(PanoramaRegionAxialTest, RegionWithoutSplineIssuesNoGlCommand) {
  Quorvel::GlPanoramaRegionAxial detached;
  GlRecorder rec;
  detached.RenderRegion();
  detached.RenderSlices(position);
  region.SetSpline(nullptr);
  region.RenderRegion();
  region.RenderSlices(position);
  EXPECT_THAT(rec.Calls(), IsEmpty());
}

TEST_F(PanoramaRegionAxialTest, WindowWalkIsBoundedInSteps) {
  SetGaps(0);
  region.SetTransversalSlices(0, 16);
  region.SetInspectionWindow(128e6, 0);
  GlRecorder rec;
  region.RenderSlices(position);
  EXPECT_EQ(rec.Count("glVertex3dv"), 4u + 10000u);  // LSA line, then the window
}

TEST_F(PanoramaRegionAxialTest, FeedbackShowsTheSplitWindowAndTheSign) {
  const Feedback fb = CaptureWorldFeedback([&] { region.RenderSlices(position); });
  // Slices: 2 + 1 + 2 + 2 + 2 segments; LSA 2; window 4 + 4.
  const auto lines = fb.LinePositions();
  ASSERT_EQ(lines.size(), 2u * (9 + 2 + 8));
  EXPECT_THAT(lines[4], ElementsAre(DoubleNear(-1, 1e-3), DoubleNear(5, 1e-3), DoubleNear(0, 2e-3)));
  EXPECT_THAT(lines.back(), ElementsAre(DoubleNear(12.32, 1e-3), DoubleNear(2, 1e-3), DoubleNear(0, 2e-3)));
}

}  // namespace
}  // namespace QuorvelTest
