#include <quorvel/GlRuler.h>

#include "Feedback.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"
#include "RecordedGeometry.h"

#include <gmock/gmock.h>

#include <climits>
#include <vector>

namespace QuorvelTest {
namespace {

using Quorvel::GlRuler;
using Vec3 = GlRuler::Vec3;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// Start (1, 2, 3), ruler vector (10, 0, 0), tick vector (0, 2, 0): the line,
// then the start and end marks.
const std::vector<Point> kLineAndEndMarks = {{1, 2, 3}, {11, 2, 3}, {1, 1, 3}, {1, 3, 3}, {11, 1, 3}, {11, 3, 3}};

// A minor tick from the line at x up to y = tipY (the tick vector is along y).
struct Tick {
  double x;
  double tipY;
};

std::vector<Point> LineMarksAndTicks(const std::vector<Tick>& ticks) {
  std::vector<Point> points = kLineAndEndMarks;
  for (const Tick& t : ticks) {
    points.push_back({t.x, 2, 3});
    points.push_back({t.x, t.tipY, 3});
  }
  return points;
}

class GlRulerTest : public GlTest {
protected:
  GlRulerTest() {
    ruler.SetStartPosition(Vec3(1, 2, 3));
    ruler.SetColor(Vec3(0.25, 0.5, 1));
    ruler.SetVectors(Vec3(10, 0, 0), Vec3(0, 2, 0));
  }

  GlRuler ruler;
};

TEST_F(GlRulerTest, ResetsStateThenDrawsOneLinesBlock) {
  ruler.SetMinorTicsCount(1);
  GlRecorder rec;
  ruler.Render();
  EXPECT_THAT(rec.Names(), ElementsAre("glDisable", "glDisable", "glDisable", "glColor4ub", "glBegin", "glColor3dv",
                                       "glVertex3dv", "glVertex3dv", "glVertex3dv", "glVertex3dv", "glVertex3dv",
                                       "glVertex3dv", "glVertex3dv", "glVertex3dv", "glEnd"));
  const auto& c = rec.Calls();
  EXPECT_THAT(c[0].args, ElementsAre(GL_LIGHTING));
  EXPECT_THAT(c[1].args, ElementsAre(GL_TEXTURE_1D));
  EXPECT_THAT(c[2].args, ElementsAre(GL_BLEND));
  EXPECT_THAT(c[3].args, ElementsAre(255, 255, 255, 255));
  EXPECT_THAT(c[4].args, ElementsAre(GL_LINES));
  EXPECT_THAT(c[5].args, ElementsAre(0.25, 0.5, 1));
}

struct RulerCase {
  int minorTicks;
  std::vector<Tick> ticks;
};

TEST_F(GlRulerTest, DrawsLineEndMarksAndMinorTicksWithALongerMiddleTick) {
  const RulerCase cases[] = {
      {3, {{3.5, 2.6}, {6, 3}, {8.5, 2.6}}},
      {4, {{3, 2.6}, {5, 2.6}, {7, 2.6}, {9, 2.6}}},
      {1, {{6, 3}}},
      {9, {{2, 2.6}, {3, 2.6}, {4, 2.6}, {5, 2.6}, {6, 3}, {7, 2.6}, {8, 2.6}, {9, 2.6}, {10, 2.6}}},
      {0, {}},
      {-1, {}},
      {-4, {}},
      {INT_MIN, {}},
  };
  for (const RulerCase& c : cases) {
    SCOPED_TRACE(c.minorTicks);
    ruler.SetMinorTicsCount(c.minorTicks);
    GlRecorder rec;
    ruler.Render();
    const auto blocks = RecordedBlocks(rec);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_THAT(blocks[0], ElementsAreArray(ExactPoints(LineMarksAndTicks(c.ticks))));
  }
}

TEST_F(GlRulerTest, DefaultsToNineTicksWithTheFifthAtTheMiddle) {
  GlRuler fresh;
  fresh.SetStartPosition(Vec3(1, 2, 3));
  fresh.SetVectors(Vec3(10, 0, 0), Vec3(0, 2, 0));
  const Feedback fb = CaptureWorldFeedback([&] { fresh.Render(); });
  EXPECT_THAT(fb.LinePositions(),
              ElementsAreArray(NearPoints(LineMarksAndTicks({{2, 2.6}, {3, 2.6}, {4, 2.6}, {5, 2.6}, {6, 3}, {7, 2.6},
                                                             {8, 2.6}, {9, 2.6}, {10, 2.6}}),
                                          2e-3)));
  // Default colour is black.
  EXPECT_THAT(CurrentColor(), ElementsAre(0.0f, 0.0f, 0.0f, 1.0f));
}

TEST_F(GlRulerTest, TicksFollowAnObliqueRulerAndGoToOneSideOnly) {
  ruler.SetStartPosition(Vec3(0, 0, 0));
  ruler.SetVectors(Vec3(4, 4, 0), Vec3(-1, 1, 0));
  ruler.SetMinorTicsCount(1);
  GlRecorder rec;
  ruler.Render();
  // Line, start mark, end mark, then the middle tick towards (-1, 1, 0).
  EXPECT_THAT(RecordedVertices(rec), ElementsAreArray(ExactPoints({{0, 0, 0}, {4, 4, 0}, {0.5, -0.5, 0}, {-0.5, 0.5, 0},
                                                                   {4.5, 3.5, 0}, {3.5, 4.5, 0}, {2, 2, 0}, {1.5, 2.5, 0}})));
}

TEST_F(GlRulerTest, LeavesLightingTexturingBlendingOffAndItsColourCurrent) {
  glEnable(GL_LIGHTING);
  glEnable(GL_TEXTURE_1D);
  glEnable(GL_BLEND);
  glColor4f(1, 1, 1, 0.5f);
  ruler.Render();
  EXPECT_FALSE(IsEnabled(GL_LIGHTING));
  EXPECT_FALSE(IsEnabled(GL_TEXTURE_1D));
  EXPECT_FALSE(IsEnabled(GL_BLEND));
  EXPECT_THAT(CurrentColor(), ElementsAre(0.25f, 0.5f, 1.0f, 1.0f));
}

TEST_F(GlRulerTest, CopiesKeepAllFiveMembers) {
  ruler.SetMinorTicsCount(3);
  GlRuler copied(ruler);
  GlRuler assigned;
  assigned = ruler;
  ruler = GlRuler();
  for (GlRuler* r : {&copied, &assigned}) {
    GlRecorder rec;
    r->Render();
    EXPECT_THAT(rec.Of("glColor3dv").at(0).args, ElementsAre(0.25, 0.5, 1));
    EXPECT_THAT(RecordedVertices(rec), ElementsAreArray(ExactPoints(LineMarksAndTicks({{3.5, 2.6}, {6, 3}, {8.5, 2.6}}))));
  }
}

}  // namespace
}  // namespace QuorvelTest
