#include <quorvel/GlCrosshair.h>

#include "Feedback.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"
#include "RecordedGeometry.h"

#include <gmock/gmock.h>

#include <functional>
#include <vector>

namespace QuorvelTest {
namespace {

using Quorvel::GlCrosshair;
using Vec2 = GlCrosshair::Vec2;
using Vec3 = GlCrosshair::Vec3;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;
using ::testing::SizeIs;

constexpr double R = 100000.0;

class GlCrosshairTest : public GlTest {
protected:
  GlCrosshairTest() {
    crosshair.SetColor(Vec3(0.25, 0.5, 0.75));
    crosshair.SetAxes(Vec3(1, 0, 0), Vec3(0, 1, 0));
    crosshair.SetSampling(Vec2(0.2, 0.4));
  }

  std::vector<std::vector<Point>> RenderedBlocks() {
    GlRecorder rec;
    crosshair.Render();
    return RecordedBlocks(rec);
  }

  GlCrosshair crosshair;
};

TEST_F(GlCrosshairTest, ResetsStateThenDrawsStippledTiltArmsAndTicksInOrder) {
  crosshair.SetTilt(Vec3(1, 1, 0));
  crosshair.SetGap(5);
  crosshair.SetTicks(2, 1, 10.0);
  GlRecorder rec;
  crosshair.Render();
  std::vector<std::string> expected;
  auto append = [&](const std::vector<std::string>& names) { expected.insert(expected.end(), names.begin(), names.end()); };
  auto vertices = [](std::size_t n) { return std::vector<std::string>(n, "glVertex3dv"); };
  append({"glDisable", "glDisable", "glDisable", "glColor4ub"});
  append({"glPushAttrib", "glEnable", "glLineStipple", "glBegin", "glColor3dv"});
  append(vertices(4));
  append({"glEnd", "glDisable", "glPopAttrib"});
  append({"glBegin", "glColor3dv"});
  append(vertices(8));
  append({"glEnd", "glBegin", "glColor3dv"});
  append(vertices(8));
  append({"glEnd"});
  EXPECT_EQ(rec.Names(), expected);

  const auto& c = rec.Calls();
  EXPECT_THAT(c[0].args, ElementsAre(GL_LIGHTING));
  EXPECT_THAT(c[1].args, ElementsAre(GL_TEXTURE_1D));
  EXPECT_THAT(c[2].args, ElementsAre(GL_BLEND));
  EXPECT_THAT(c[3].args, ElementsAre(255, 255, 255, 255));
  EXPECT_THAT(c[4].args, ElementsAre(GL_COLOR_BUFFER_BIT | GL_LINE_BIT));
  EXPECT_THAT(c[5].args, ElementsAre(GL_LINE_STIPPLE));
  EXPECT_THAT(c[6].args, ElementsAre(1, 0xCCCC));
  EXPECT_THAT(c[14].args, ElementsAre(GL_LINE_STIPPLE));
  for (const GlCall& begin : rec.Of("glBegin")) EXPECT_THAT(begin.args, ElementsAre(GL_LINES));
  for (const GlCall& colour : rec.Of("glColor3dv")) EXPECT_THAT(colour.args, ElementsAre(0.25, 0.5, 0.75));
}

struct ArmCase {
  const char* name;
  std::function<void(GlCrosshair&)> setup;
  std::vector<Point> arms;
  std::size_t blocks = 2;  // arms, then the tick block unless the gaps are separate
};

TEST_F(GlCrosshairTest, ArmsRunFromTheirPixelGapsToTheReach) {
  const ArmCase cases[] = {
      {"one gap for all arms, unit axes",
       [](GlCrosshair& c) { c.SetGap(5); },
       {{-1, 0, 0}, {-R, 0, 0}, {1, 0, 0}, {R, 0, 0}, {0, -2, 0}, {0, -R, 0}, {0, 2, 0}, {0, R, 0}}},
      {"separate gaps +second, -second, -first, +first on scaled axes",
       [](GlCrosshair& c) {
         c.SetAxes(Vec3(2, 0, 0), Vec3(0, 0, 3));
         c.SetSampling(Vec2(0.5, 0.25));
         c.SetGap(1, 2, 3, 4);
       },
       {{-3, 0, 0}, {-2 * R, 0, 0}, {4, 0, 0}, {2 * R, 0, 0}, {0, 0, -1.5}, {0, 0, -3 * R}, {0, 0, 0.75}, {0, 0, 3 * R}},
       1},
      {"zero sampling removes the gaps",
       [](GlCrosshair& c) {
         c.SetSampling(Vec2(0, 0));
         c.SetGap(5);
       },
       {{0, 0, 0}, {-R, 0, 0}, {0, 0, 0}, {R, 0, 0}, {0, 0, 0}, {0, -R, 0}, {0, 0, 0}, {0, R, 0}}},
      {"zero second axis collapses its arms to the origin",
       [](GlCrosshair& c) {
         c.SetAxes(Vec3(1, 0, 0), Vec3());
         c.SetGap(5);
       },
       {{-1, 0, 0}, {-R, 0, 0}, {1, 0, 0}, {R, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
  };
  for (const ArmCase& c : cases) {
    SCOPED_TRACE(c.name);
    GlCrosshair fresh;
    fresh.SetAxes(Vec3(1, 0, 0), Vec3(0, 1, 0));
    fresh.SetSampling(Vec2(0.2, 0.4));
    c.setup(fresh);
    GlRecorder rec;
    fresh.Render();
    const auto blocks = RecordedBlocks(rec);
    ASSERT_THAT(blocks, SizeIs(c.blocks));
    EXPECT_THAT(blocks[0], ElementsAreArray(ExactPoints(c.arms)));
  }
}

TEST_F(GlCrosshairTest, DrawnArmsLeaveTheGapAroundTheCentre) {
  crosshair.SetGap(5);
  const Feedback fb = CaptureWorldFeedback([&] { crosshair.Render(); });
  // The reach is clipped at the edge of the captured window (±4096).
  const double edge = kWorldExtent;
  EXPECT_THAT(fb.LinePositions(), ElementsAreArray(NearPoints({{-1, 0, 0}, {-edge, 0, 0}, {1, 0, 0}, {edge, 0, 0},
                                                               {0, -2, 0}, {0, -edge, 0}, {0, 2, 0}, {0, edge, 0}},
                                                              1e-3)));
}

struct TickCase {
  int count;
  std::size_t blocks;  // glBegin calls: arms, plus the tick block unless skipped
  std::vector<Point> ticks;
};

TEST_F(GlCrosshairTest, TicksCrossEveryArmAtMultiplesOfTheSpacing) {
  crosshair.SetSampling(Vec2(1, 0.5));
  const TickCase cases[] = {
      {3, 2, {{-10, -2, 0}, {-10, 2, 0}, {10, -2, 0}, {10, 2, 0}, {-2, -10, 0}, {2, -10, 0}, {-2, 10, 0}, {2, 10, 0},
              {-20, -2, 0}, {-20, 2, 0}, {20, -2, 0}, {20, 2, 0}, {-2, -20, 0}, {2, -20, 0}, {-2, 20, 0}, {2, 20, 0}}},
      {1, 2, {}},
      {0, 2, {}},
      {-1, 1, {}},
  };
  for (const TickCase& c : cases) {
    SCOPED_TRACE(c.count);
    crosshair.SetTicks(c.count, 4, 10.0);
    const auto blocks = RenderedBlocks();
    ASSERT_THAT(blocks, SizeIs(c.blocks));
    if (c.blocks == 2) {
      EXPECT_THAT(blocks[1], ElementsAreArray(ExactPoints(c.ticks)));
    }
  }
}

TEST_F(GlCrosshairTest, TickLengthUsesTheYSamplingOnBothAxes) {
  crosshair.SetAxes(Vec3(2, 0, 0), Vec3(0, 3, 0));
  crosshair.SetSampling(Vec2(100, 0.25));
  crosshair.SetTicks(2, 4, 1.5);
  const auto blocks = RenderedBlocks();
  ASSERT_THAT(blocks, SizeIs(2));
  EXPECT_THAT(blocks[1], ElementsAreArray(ExactPoints({{-3, -3, 0}, {-3, 3, 0}, {3, -3, 0}, {3, 3, 0},
                                                       {-2, -4.5, 0}, {2, -4.5, 0}, {-2, 4.5, 0}, {2, 4.5, 0}})));
}

TEST_F(GlCrosshairTest, SeparateGapsSuppressTicksUntilASharedGapIsSet) {
  crosshair.SetTicks(2, 1, 10.0);
  crosshair.SetTilt(Vec3(1, 0, 0));

  crosshair.SetGap(1, 2, 3, 4);
  crosshair.SetGap(7);
  auto blocks = RenderedBlocks();
  ASSERT_THAT(blocks, SizeIs(3));  // tilt, arms, ticks
  EXPECT_THAT(blocks[0][0], ElementsAre(-1.4000000000000001, 0, 0));
  EXPECT_THAT(blocks[1], ElementsAreArray(ExactPoints({{-1.4000000000000001, 0, 0}, {-R, 0, 0},
                                                       {1.4000000000000001, 0, 0}, {R, 0, 0},
                                                       {0, -2.8000000000000003, 0}, {0, -R, 0},
                                                       {0, 2.8000000000000003, 0}, {0, R, 0}})));

  crosshair.SetGap(1, 2, 3, 4);
  blocks = RenderedBlocks();
  ASSERT_THAT(blocks, SizeIs(2));  // tilt, arms: no ticks
  // The tilt gap keeps the 7 pixels of the shared gap.
  EXPECT_THAT(blocks[0][0], ElementsAre(-1.4000000000000001, 0, 0));
}

struct TiltCase {
  Vec3 tilt;
  bool isTilt;
};

TEST_F(GlCrosshairTest, TiltLineNeedsASquaredLengthAbove1e14) {
  const TiltCase cases[] = {
      {Vec3(0, 0, 0), false},
      {Vec3(1e-8, 0, 0), false},
      {Vec3(1e-7, 0, 0), false},  // squared: 9.999999999999998e-15
      {Vec3(1.0000001e-7, 0, 0), true},
      {Vec3(1e-6, 0, 0), true},
      {Vec3(0, 0, -3), true},
  };
  for (const TiltCase& c : cases) {
    SCOPED_TRACE(c.tilt[0]);
    crosshair.SetTilt(c.tilt);
    EXPECT_EQ(crosshair.IsTilt(), c.isTilt);
    GlRecorder rec;
    crosshair.Render();
    EXPECT_EQ(rec.Count("glLineStipple"), c.isTilt ? 1u : 0u);
    EXPECT_EQ(rec.Count("glBegin"), c.isTilt ? 3u : 2u);
  }
}

TEST_F(GlCrosshairTest, TiltLineRunsFromItsGapScaledByTheXSampling) {
  crosshair.SetTilt(Vec3(1, 1, 0));
  crosshair.SetGap(5);
  const auto blocks = RenderedBlocks();
  ASSERT_THAT(blocks, SizeIs(3));
  EXPECT_THAT(blocks[0], ElementsAreArray(ExactPoints({{-1, -1, 0}, {-R, -R, 0}, {1, 1, 0}, {R, R, 0}})));
  EXPECT_EQ(crosshair.GetTilt(), Vec3(1, 1, 0));
}

struct CallerState {
  const char* name;
  bool stippleOn;
};

TEST_F(GlCrosshairTest, LeavesLightingTexturingBlendingOffAndRestoresStipple) {
  crosshair.SetTilt(Vec3(0, 0, 1));
  crosshair.SetTicks(3, 2, 5.0);
  for (const CallerState& c : {CallerState{"caller stipple on", true}, CallerState{"caller stipple off", false}}) {
    SCOPED_TRACE(c.name);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_1D);
    glEnable(GL_BLEND);
    c.stippleOn ? glEnable(GL_LINE_STIPPLE) : glDisable(GL_LINE_STIPPLE);
    glLineStipple(2, 0xF0F0);
    glColor4f(0, 0, 0, 0.5f);

    crosshair.Render();

    EXPECT_FALSE(IsEnabled(GL_LIGHTING));
    EXPECT_FALSE(IsEnabled(GL_TEXTURE_1D));
    EXPECT_FALSE(IsEnabled(GL_BLEND));
    EXPECT_EQ(IsEnabled(GL_LINE_STIPPLE), c.stippleOn);
    EXPECT_EQ(LineStipple().pattern, 0xF0F0);
    EXPECT_EQ(LineStipple().repeat, 2);
    EXPECT_THAT(CurrentColor(), ElementsAre(0.25f, 0.5f, 0.75f, 1.0f));
  }
}

TEST_F(GlCrosshairTest, DefaultCrosshairDrawsOnlyAtTheOriginAndNoTicks) {
  GlCrosshair fresh;
  EXPECT_EQ(fresh.GetPosition(), Vec3());
  EXPECT_EQ(fresh.GetTilt(), Vec3());
  EXPECT_FALSE(fresh.IsTilt());
  auto render = [&] {
    GlRecorder rec;
    fresh.Render();
    return RecordedBlocks(rec);
  };
  auto blocks = render();
  ASSERT_THAT(blocks, SizeIs(2));
  EXPECT_THAT(blocks[0], SizeIs(8));
  EXPECT_THAT(blocks[0], Each(ElementsAre(0, 0, 0)));
  EXPECT_THAT(blocks[1], IsEmpty());

  fresh.SetTicks(3, 4, 10.0);
  blocks = render();
  ASSERT_THAT(blocks, SizeIs(2));
  EXPECT_THAT(blocks[1], SizeIs(16));
  EXPECT_THAT(blocks[1], Each(ElementsAre(0, 0, 0)));
}

TEST_F(GlCrosshairTest, PositionIsStoredButNotUsedForDrawing) {
  crosshair.SetGap(5);
  const auto before = RenderedBlocks();
  crosshair.SetPosition(Vec3(7, 8, 9));
  EXPECT_EQ(crosshair.GetPosition(), Vec3(7, 8, 9));
  EXPECT_EQ(RenderedBlocks(), before);
}

TEST_F(GlCrosshairTest, CopiesKeepEveryMember) {
  crosshair.SetPosition(Vec3(1, 2, 3));
  crosshair.SetTilt(Vec3(0, 0, 2));
  crosshair.SetGap(3);
  crosshair.SetGap(1, 2, 3, 4);
  crosshair.SetTicks(4, 2, 3.0);
  const auto expected = RenderedBlocks();
  GlCrosshair copied(crosshair);
  GlCrosshair assigned;
  assigned = crosshair;
  crosshair = GlCrosshair();
  for (GlCrosshair* c : {&copied, &assigned}) {
    EXPECT_EQ(c->GetPosition(), Vec3(1, 2, 3));
    GlRecorder rec;
    c->Render();
    EXPECT_EQ(RecordedBlocks(rec), expected);
    EXPECT_THAT(rec.Of("glColor3dv").at(0).args, ElementsAre(0.25, 0.5, 0.75));
    // The tick settings came along too: a shared gap brings back 3 ticks per arm.
    c->SetGap(0);
    rec.Clear();
    c->Render();
    const auto blocks = RecordedBlocks(rec);
    ASSERT_THAT(blocks, SizeIs(3));
    EXPECT_THAT(blocks[2], SizeIs(24));
  }
}

}  // namespace
}  // namespace QuorvelTest
