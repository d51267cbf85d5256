#include <quorvel/GlWiredVolume.h>

#include "Feedback.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"
#include "SceneTestSupport.h"

#include <gmock/gmock.h>

#include <cmath>
#include <vector>

namespace QuorvelTest {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr double kMask = GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT;

class GlWiredVolumeTest : public GlTest {
protected:
  // The feedback of a loop comes back in window coordinates: z is good to
  // about 1e-3.
  static constexpr double kFeedbackTolerance = 2e-3;

  std::vector<Vec3> DrawnOutline(const Vec3& center, const Vec3& u, const Vec3& v) {
    return FedBackLoop(CaptureWorldFeedback([&] { volume.RenderPlane(center, u, v); }));
  }

  std::vector<Vec3> OutlineVertices(const Vec3& center, const Vec3& u, const Vec3& v) {
    GlRecorder rec;
    volume.RenderPlane(center, u, v);
    return RecordedPoints(rec, "glVertex3dv");
  }

  Quorvel::GlWiredVolume volume;
};

const std::vector<Vec3> kCorners100x80x60 = {Vec3(-49, -39, -29), Vec3(49, -39, -29), Vec3(49, 39, -29),
                                             Vec3(-49, 39, -29),  Vec3(-49, -39, 29), Vec3(49, -39, 29),
                                             Vec3(49, 39, 29),    Vec3(-49, 39, 29)};

TEST_F(GlWiredVolumeTest, BoxIsTwoLoopsAndFourUprightsThroughTheCorners) {
  volume.SetVolumeSize(Vec3(100, 80, 60));
  volume.SetBoxColor(Vec3(0.25, 0.5, 1));
  GlRecorder rec;
  volume.RenderBox();
  std::vector<std::string> expected = {"glPushAttrib", "glDisable", "glDisable", "glDisable", "glDisable",
                                       "glDisable",    "glLineWidth", "glLineWidth", "glColor3dv", "glBegin"};
  expected.insert(expected.end(), 4, "glVertex3dv");
  expected.insert(expected.end(), {"glEnd", "glBegin"});
  expected.insert(expected.end(), 4, "glVertex3dv");
  expected.insert(expected.end(), {"glEnd", "glBegin"});
  expected.insert(expected.end(), 8, "glVertex3dv");
  expected.insert(expected.end(), {"glEnd", "glPopAttrib"});
  EXPECT_THAT(rec.Names(), ElementsAreArray(expected));
  EXPECT_THAT(rec.Of("glPushAttrib")[0].args, ElementsAre(kMask));
  EXPECT_THAT(rec.Of("glColor3dv")[0].args, ElementsAre(0.25, 0.5, 1));
  const auto begins = rec.Of("glBegin");
  EXPECT_THAT(std::vector<double>({begins[0].args[0], begins[1].args[0], begins[2].args[0]}),
              ElementsAre(GL_LINE_LOOP, GL_LINE_LOOP, GL_LINES));
  const std::vector<Vec3>& c = kCorners100x80x60;
  EXPECT_THAT(RecordedPoints(rec, "glVertex3dv"),
              ElementsAre(c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[7], c[0], c[4], c[1], c[5], c[2], c[6], c[3], c[7]));
}

TEST_F(GlWiredVolumeTest, BoxFeedsBackTwelveEdgesInBoxColour) {
  volume.SetVolumeSize(Vec3(100, 80, 60));
  volume.SetBoxColor(Vec3(0, 1, 0));
  const Feedback fb = CaptureWorldFeedback([&] { volume.RenderBox(); });
  const auto ends = fb.LinePositions();
  ASSERT_EQ(ends.size(), 24u);
  const std::vector<Vec3>& c = kCorners100x80x60;
  const std::vector<Vec3> expected = {c[0], c[1], c[1], c[2], c[2], c[3], c[3], c[0], c[4], c[5], c[5], c[6],
                                      c[6], c[7], c[7], c[4], c[0], c[4], c[1], c[5], c[2], c[6], c[3], c[7]};
  for (std::size_t i = 0; i < ends.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_NEAR(ends[i][0], expected[i][0], 1e-9);
    EXPECT_NEAR(ends[i][1], expected[i][1], 1e-9);
    EXPECT_NEAR(ends[i][2], expected[i][2], kFeedbackTolerance);
  }
  for (const FbItem& item : fb.items) EXPECT_THAT(item.vertices[0].color, ElementsAre(0, 1, 0, 1));
}

TEST_F(GlWiredVolumeTest, ZeroSizePutsCornersAtOneWithSignsReversed) {
  volume.SetVolumeSize(Vec3(0, 0, 0));
  GlRecorder rec;
  volume.RenderBox();
  const auto points = RecordedPoints(rec, "glVertex3dv");
  ASSERT_EQ(points.size(), 16u);
  EXPECT_EQ(points[0], Vec3(1, 1, 1));
  EXPECT_EQ(points[2], Vec3(-1, -1, 1));
  EXPECT_EQ(points[6], Vec3(-1, -1, -1));
}

TEST_F(GlWiredVolumeTest, BoxBeforeAnySizeDrawsEveryCornerAtTheOrigin) {
  GlRecorder rec;
  volume.RenderBox();
  for (const Vec3& p : RecordedPoints(rec, "glVertex3dv")) EXPECT_EQ(p, Vec3(0, 0, 0));
}

struct OutlineCase {
  const char* name;
  Vec3 size, center, u, v;
  std::vector<Vec3> loop;  // in drawing order
};

// The sections of the box the outline must keep exactly, in drawing order.
const OutlineCase kOutlineCases[] = {
    {"plane z = 0", Vec3(100, 80, 60), Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0),
     {Vec3(50, 40, 0), Vec3(-50, 40, 0), Vec3(-50, -40, 0), Vec3(50, -40, 0)}},
    {"plane y = 0 off centre", Vec3(100, 80, 60), Vec3(0, 0, 10), Vec3(1, 0, 0), Vec3(0, 0, 1),
     {Vec3(50, 0, 30), Vec3(-50, 0, 30), Vec3(-50, 0, -30), Vec3(50, 0, -30)}},
    {"plane that misses the box", Vec3(100, 80, 60), Vec3(0, 0, 100), Vec3(1, 0, 0), Vec3(0, 1, 0), {}},
    {"negative size: the faces enclose nothing", Vec3(-100, -80, -60), Vec3(0, 0, 0), Vec3(1, 0, 0),
     Vec3(0, 1, 0), {}},
};

TEST_F(GlWiredVolumeTest, OutlineIsThePlaneClippedToTheFaces) {
  for (const OutlineCase& c : kOutlineCases) {
    SCOPED_TRACE(c.name);
    volume.SetVolumeSize(c.size);
    EXPECT_THAT(OutlineVertices(c.center, c.u, c.v), ElementsAreArray(c.loop));
    const auto drawn = DrawnOutline(c.center, c.u, c.v);
    ASSERT_EQ(drawn.size(), c.loop.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
      EXPECT_NEAR(drawn[i][0], c.loop[i][0], 1e-9);
      EXPECT_NEAR(drawn[i][1], c.loop[i][1], 1e-9);
      EXPECT_NEAR(drawn[i][2], c.loop[i][2], kFeedbackTolerance);
    }
  }
}

TEST_F(GlWiredVolumeTest, PlaneThatMissesTheBoxStillOpensAndClosesTheLoop) {
  volume.SetVolumeSize(Vec3(100, 80, 60));
  GlRecorder rec;
  volume.RenderPlane(Vec3(0, 0, 100), Vec3(1, 0, 0), Vec3(0, 1, 0));
  EXPECT_THAT(rec.Names(), ElementsAre("glPushAttrib", "glDisable", "glDisable", "glDisable", "glDisable", "glDisable",
                                       "glLineWidth", "glLineWidth", "glColor3dv", "glBegin", "glEnd", "glPopAttrib"));
  EXPECT_THAT(rec.Of("glPushAttrib")[0].args, ElementsAre(kMask));
  EXPECT_THAT(rec.Of("glBegin")[0].args, ElementsAre(GL_LINE_LOOP));
}

// Planes whose section has points exactly on face planes: they keep their
// whole section, without a repeated point.
const OutlineCase kOnFaceCases[] = {
    {"plane lying in the +z face", Vec3(100, 80, 60), Vec3(0, 0, 30), Vec3(1, 0, 0), Vec3(0, 1, 0),
     {Vec3(50, 40, 30), Vec3(-50, 40, 30), Vec3(-50, -40, 30), Vec3(50, -40, 30)}},
    {"plane lying in the -x face", Vec3(100, 80, 60), Vec3(-50, 0, 0), Vec3(0, 1, 0), Vec3(0, 0, 1),
     {Vec3(-50, 40, 30), Vec3(-50, -40, 30), Vec3(-50, -40, -30), Vec3(-50, 40, -30)}},
    {"diagonal plane x = y through the cube's centre", Vec3(100, 100, 100), Vec3(0, 0, 0), Vec3(1, 1, 0),
     Vec3(0, 0, 1), {Vec3(50, 50, 50), Vec3(-50, -50, 50), Vec3(-50, -50, -50), Vec3(50, 50, -50)}},
    {"diagonal plane with unit axes", Vec3(100, 100, 100), Vec3(0, 0, 0), Vec3(M_SQRT1_2, M_SQRT1_2, 0),
     Vec3(0, 0, 1), {Vec3(50, 50, 50), Vec3(-50, -50, 50), Vec3(-50, -50, -50), Vec3(50, 50, -50)}},
    {"plane x + y = 2z through two opposite corners", Vec3(100, 100, 100), Vec3(0, 0, 0), Vec3(1, -1, 0),
     Vec3(1, 1, 1), {Vec3(50, 50, 50), Vec3(-50, 50, 0), Vec3(-50, -50, -50), Vec3(50, -50, 0)}},
    {"plane y = 2x - 50 through an upright edge", Vec3(100, 100, 100), Vec3(50, 50, 0), Vec3(1, 2, 0),
     Vec3(0, 0, 1), {Vec3(50, 50, 50), Vec3(0, -50, 50), Vec3(0, -50, -50), Vec3(50, 50, -50)}},
};

TEST_F(GlWiredVolumeTest, PlanesThroughEdgesCornersAndFacesKeepTheirSection) {
  for (const OutlineCase& c : kOnFaceCases) {
    SCOPED_TRACE(c.name);
    volume.SetVolumeSize(c.size);
    const auto recorded = OutlineVertices(c.center, c.u, c.v);
    EXPECT_TRUE(NoRepeatedConsecutivePoints(recorded));
    EXPECT_TRUE(SameLoop(recorded, c.loop, 1e-9));
    EXPECT_TRUE(SameLoop(DrawnOutline(c.center, c.u, c.v), c.loop, kFeedbackTolerance));
  }
}

// A plane that only touches the box keeps just the touching edge or corner,
// clipped by every face, never a line running on outside the box.
const OutlineCase kTouchingCases[] = {
    {"plane y + z = 100 along the top edge", Vec3(100, 100, 100), Vec3(0, 50, 50), Vec3(1, 0, 0), Vec3(0, 1, -1),
     {Vec3(-50, 50, 50), Vec3(50, 50, 50)}},
    {"the same plane, axes reversed", Vec3(100, 100, 100), Vec3(0, 50, 50), Vec3(-1, 0, 0), Vec3(0, -1, 1),
     {Vec3(-50, 50, 50), Vec3(50, 50, 50)}},
    {"the same plane, one axis reversed", Vec3(100, 100, 100), Vec3(0, 50, 50), Vec3(-1, 0, 0), Vec3(0, 1, -1),
     {Vec3(-50, 50, 50), Vec3(50, 50, 50)}},
    {"plane x + y = 100 along an upright edge", Vec3(100, 100, 100), Vec3(50, 50, 0), Vec3(1, -1, 0),
     Vec3(0, 0, 1), {Vec3(50, 50, 50), Vec3(50, 50, -50)}},
    {"plane x + y + z = 150 through one corner", Vec3(100, 100, 100), Vec3(50, 50, 50), Vec3(1, -1, 0),
     Vec3(1, 1, -2), {Vec3(50, 50, 50)}},
};

TEST_F(GlWiredVolumeTest, PlaneTouchingTheBoxKeepsOnlyTheTouchingEdgeOrCorner) {
  for (const OutlineCase& c : kTouchingCases) {
    SCOPED_TRACE(c.name);
    volume.SetVolumeSize(c.size);
    EXPECT_TRUE(SameLoop(OutlineVertices(c.center, c.u, c.v), c.loop, 0));
  }
}

TEST_F(GlWiredVolumeTest, ZeroSizeCollapsesTheOutlineToTheCenter) {
  volume.SetVolumeSize(Vec3(0, 0, 0));
  EXPECT_THAT(OutlineVertices(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0)), ElementsAre(Vec3(0, 0, 0)));
  EXPECT_THAT(DrawnOutline(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0)), IsEmpty());
  EXPECT_THAT(OutlineVertices(Vec3(5, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0)), IsEmpty());
}

TEST_F(GlWiredVolumeTest, OutlineBeforeAnySizeIsTheCenterAlone) {
  EXPECT_THAT(OutlineVertices(Vec3(3, 4, 5), Vec3(1, 0, 0), Vec3(0, 1, 0)), ElementsAre(Vec3(3, 4, 5)));
}

TEST_F(GlWiredVolumeTest, NotANumberCenterDrawsAnEmptyLoop) {
  volume.SetVolumeSize(Vec3(100, 80, 60));
  EXPECT_THAT(OutlineVertices(Vec3(NAN, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0)), IsEmpty());
}

struct ThicknessCase {
  double thickness;
  GLenum error;  // what GL reports for the second width
};

const ThicknessCase kThicknessCases[] = {{2.5, GL_NO_ERROR}, {1.0, GL_NO_ERROR}, {0.0, GL_INVALID_VALUE},
                                         {-3.0, GL_INVALID_VALUE}};

TEST_F(GlWiredVolumeTest, BothRendersSetWidthOneThenTheThicknessAndRestoreLineState) {
  volume.SetVolumeSize(Vec3(100, 80, 60));
  glLineWidth(3.0f);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glEnable(GL_LIGHTING);
  for (const ThicknessCase& c : kThicknessCases) {
    SCOPED_TRACE(c.thickness);
    volume.SetLineThickness(c.thickness);
    for (int which = 0; which < 2; ++which) {
      SCOPED_TRACE(which == 0 ? "box" : "outline");
      GlRecorder rec;
      if (which == 0) volume.RenderBox();
      else volume.RenderPlane(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0));
      const auto widths = rec.Of("glLineWidth");
      ASSERT_EQ(widths.size(), 2u);
      EXPECT_THAT(widths[0].args, ElementsAre(1.0));
      EXPECT_THAT(widths[1].args, ElementsAre(static_cast<float>(c.thickness)));
      EXPECT_EQ(glGetError(), c.error);
      EXPECT_EQ(GetFloat(GL_LINE_WIDTH), 3.0f);
      EXPECT_TRUE(IsEnabled(GL_LINE_SMOOTH));
      EXPECT_TRUE(IsEnabled(GL_BLEND));
      EXPECT_TRUE(IsEnabled(GL_LIGHTING));
    }
  }
}

TEST_F(GlWiredVolumeTest, CurrentColourIsLeftAtTheLastColourDrawn) {
  volume.SetVolumeSize(Vec3(100, 80, 60));
  volume.SetBoxColor(Vec3(1, 0, 0));
  volume.SetPlaneColor(Vec3(0, 0, 1));
  volume.RenderBox();
  EXPECT_THAT(CurrentColor(), ElementsAre(1, 0, 0, 1));
  volume.RenderPlane(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0));
  EXPECT_THAT(CurrentColor(), ElementsAre(0, 0, 1, 1));
}

TEST_F(GlWiredVolumeTest, OutlineIsRebuiltOnEveryCall) {
  volume.SetVolumeSize(Vec3(100, 80, 60));
  volume.RenderPlane(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0));
  EXPECT_THAT(OutlineVertices(Vec3(0, 0, 100), Vec3(1, 0, 0), Vec3(0, 1, 0)), IsEmpty());
  EXPECT_THAT(OutlineVertices(Vec3(0, 0, 10), Vec3(1, 0, 0), Vec3(0, 0, 1)), ::testing::SizeIs(4));
}

TEST_F(GlWiredVolumeTest, CopiesAreIndependentAndComplete) {
  Quorvel::GlWiredVolume source;
  source.SetVolumeSize(Vec3(100, 80, 60));
  source.SetBoxColor(Vec3(1, 0, 0));
  source.SetLineThickness(2.0);
  Quorvel::GlWiredVolume copied(source);
  Quorvel::GlWiredVolume assigned;
  assigned = source;
  source.SetVolumeSize(Vec3(10, 10, 10));
  source.SetBoxColor(Vec3(0, 1, 0));
  source.SetLineThickness(4.0);
  assigned = assigned;
  for (Quorvel::GlWiredVolume* copy : {&copied, &assigned}) {
    GlRecorder rec;
    copy->RenderBox();
    EXPECT_THAT(rec.Of("glColor3dv")[0].args, ElementsAre(1, 0, 0));
    EXPECT_THAT(rec.Of("glLineWidth")[1].args, ElementsAre(2.0));
    EXPECT_EQ(RecordedPoints(rec, "glVertex3dv")[6], kCorners100x80x60[6]);
  }
}

}  // namespace
}  // namespace QuorvelTest
