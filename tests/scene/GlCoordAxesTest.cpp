#include <quorvel/GlCoordAxes.h>

#include "Feedback.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"
#include "SceneTestSupport.h"

#include <GL/gl.h>
#include <gmock/gmock.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace QuorvelTest {
namespace {

using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

// The arrow's proportions as GL receives them: single-precision constants
// widened to double, and 1 − 0.1 − 0.2 computed from those in double.
constexpr double kTenth = 0.10000000149011612;
constexpr double kFifth = 0.20000000298023224;
constexpr double kTwentieth = 0.05000000074505806;
constexpr double kSevenTenths = 0.6999999955296516;

class GlCoordAxesTest : public GlTest {
protected:
  Quorvel::GlCoordAxes axes;
};

// Restores quadric creation even when a test fails half-way.
struct QuadricsFail {
  QuadricsFail() { SetGluNewQuadricFails(true); }
  ~QuadricsFail() { SetGluNewQuadricFails(false); }
};

std::vector<std::string> OneArrowCalls(bool turned) {
  std::vector<std::string> names = {"gluNewQuadric", "glLightfv", "glColor3dv", "glMaterialfv", "glMaterialfv",
                                    "glMaterialfv", "glMaterialf"};
  for (bool translated : {true, true, false}) {
    names.push_back("glPushMatrix");
    if (translated) names.push_back("glTranslated");
    if (turned) names.push_back("glRotated");
    names.insert(names.end(), {"gluCylinder", "glPopMatrix"});
  }
  names.push_back("gluDeleteQuadric");
  return names;
}

TEST_F(GlCoordAxesTest, NoArrowsIssuesNoCallAtAll) {
  {
    GlRecorder rec;
    axes.Render();
    EXPECT_THAT(rec.Calls(), IsEmpty());
  }
  axes.AddAxis(Vec3(1, 0, 0), Vec3(1, 0, 0));
  axes.ClearAxes();
  GlRecorder rec;
  axes.Render();
  EXPECT_THAT(rec.Calls(), IsEmpty());
}

struct AxisCase {
  const char* name;
  Vec3 direction;
  bool turned;
  std::vector<double> rotation;   // glRotated arguments when turned
  std::vector<double> headAt;     // glTranslated of the head
  std::vector<double> shaftAt;    // glTranslated of the shaft
  std::vector<double> head, shaft, tail;  // gluCylinder: quadric?, base, top, height, slices, stacks
};

const AxisCase kAxisCases[] = {
    {"x axis", Vec3(1, 0, 0), true, {90, 0, 1, 0}, {kSevenTenths, 0, 0}, {kTenth, 0, 0},
     {1, kTenth, 0, kFifth, 8, 1}, {1, kTwentieth, kTwentieth, kSevenTenths, 8, 1}, {1, 0, kTwentieth, kTenth, 8, 1}},
    {"y axis of length 2", Vec3(0, 2, 0), true, {90, -1, 0, 0}, {0, 2 * kSevenTenths, 0}, {0, 2 * kTenth, 0},
     {1, 2 * kTenth, 0, 2 * kFifth, 8, 1}, {1, 2 * kTwentieth, 2 * kTwentieth, 2 * kSevenTenths, 8, 1},
     {1, 0, 2 * kTwentieth, 2 * kTenth, 8, 1}},
    {"z axis", Vec3(0, 0, 1), false, {}, {0, 0, kSevenTenths}, {0, 0, kTenth}, {1, kTenth, 0, kFifth, 8, 1},
     {1, kTwentieth, kTwentieth, kSevenTenths, 8, 1}, {1, 0, kTwentieth, kTenth, 8, 1}},
    {"zero direction", Vec3(0, 0, 0), false, {}, {0, 0, 0}, {0, 0, 0}, {1, 0, 0, 0, 8, 1}, {1, 0, 0, 0, 8, 1},
     {1, 0, 0, 0, 8, 1}},
};

TEST_F(GlCoordAxesTest, ArrowIsHeadShaftAndTailFromOneQuadric) {
  for (const AxisCase& c : kAxisCases) {
    SCOPED_TRACE(c.name);
    axes.ClearAxes();
    axes.AddAxis(c.direction, Vec3(1, 0, 0));
    GlRecorder rec;
    axes.Render();
    EXPECT_THAT(rec.Names(), ElementsAreArray(OneArrowCalls(c.turned)));
    for (const GlCall& rotation : rec.Of("glRotated")) EXPECT_EQ(rotation.args, c.rotation);
    const auto moves = rec.Of("glTranslated");
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].args, c.headAt);
    EXPECT_EQ(moves[1].args, c.shaftAt);
    const auto pieces = rec.Of("gluCylinder");
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].args, c.head);
    EXPECT_EQ(pieces[1].args, c.shaft);
    EXPECT_EQ(pieces[2].args, c.tail);
    EXPECT_THAT(rec.Of("gluDeleteQuadric")[0].args, ElementsAre(1));
  }
}

struct MaterialCase {
  Vec3 color;
  std::vector<double> specular, diffuse;
};

const MaterialCase kMaterialCases[] = {
    {Vec3(1, 0, 0), {0.5, 0, 0, 1}, {0.01f, 0, 0, 1}},
    {Vec3(0.5, 0, 0), {0.5, 0, 0, 1}, {0.01f, 0, 0, 1}},
    {Vec3(0, 3, 4), {0, 0.3f, 0.4f, 1}, {0, 0.006f, 0.008f, 1}},
    {Vec3(0, 0, 0), {0, 0, 0, 1}, {0, 0, 0, 1}},
};

TEST_F(GlCoordAxesTest, MaterialFollowsTheNormalisedColourAndColourTheGivenOne) {
  for (const MaterialCase& c : kMaterialCases) {
    SCOPED_TRACE(::testing::PrintToString(c.color));
    axes.ClearAxes();
    axes.AddAxis(Vec3(1, 0, 0), c.color);
    GlRecorder rec;
    axes.Render();
    EXPECT_THAT(rec.Of("glLightfv")[0].args, ElementsAre(GL_LIGHT0, GL_SPECULAR, 0.9f, 0.9f, 0.9f, 1.0f));
    EXPECT_THAT(rec.Of("glColor3dv")[0].args, ElementsAre(c.color[0], c.color[1], c.color[2]));
    const auto materials = rec.Of("glMaterialfv");
    ASSERT_EQ(materials.size(), 3u);
    auto expect = [](double face, double pname, const std::vector<double>& values) {
      std::vector<double> args = {face, pname};
      args.insert(args.end(), values.begin(), values.end());
      return args;
    };
    EXPECT_EQ(materials[0].args, expect(GL_FRONT, GL_SPECULAR, c.specular));
    EXPECT_EQ(materials[1].args, expect(GL_FRONT, GL_DIFFUSE, c.diffuse));
    EXPECT_EQ(materials[2].args, expect(GL_FRONT, GL_AMBIENT, {0, 0, 0, 1}));
    EXPECT_THAT(rec.Of("glMaterialf")[0].args, ElementsAre(GL_FRONT, GL_SHININESS, 0.5));
  }
}

TEST_F(GlCoordAxesTest, LeavesLightMaterialAndColourSetButMatricesAndEnablesAlone) {
  glMatrixMode(GL_MODELVIEW);
  glTranslated(1, 2, 3);
  const auto modelview = GetMatrix(GL_MODELVIEW_MATRIX);
  axes.AddAxis(Vec3(1, 0, 0), Vec3(0, 3, 4));
  axes.Render();
  std::array<float, 4> v{};
  glGetLightfv(GL_LIGHT0, GL_SPECULAR, v.data());
  EXPECT_THAT(v, ElementsAre(0.9f, 0.9f, 0.9f, 1.0f));
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, v.data());
  EXPECT_THAT(v, ElementsAre(0.0f, 0.3f, 0.4f, 1.0f));
  glGetMaterialfv(GL_FRONT, GL_DIFFUSE, v.data());
  EXPECT_THAT(v, ElementsAre(0.0f, 0.006f, 0.008f, 1.0f));
  glGetMaterialfv(GL_FRONT, GL_AMBIENT, v.data());
  EXPECT_THAT(v, ElementsAre(0.0f, 0.0f, 0.0f, 1.0f));
  glGetMaterialfv(GL_FRONT, GL_SHININESS, v.data());
  EXPECT_EQ(v[0], 0.5f);
  EXPECT_THAT(CurrentColor(), ElementsAre(0.0f, 3.0f, 4.0f, 1.0f));
  EXPECT_EQ(GetMatrix(GL_MODELVIEW_MATRIX), modelview);
  EXPECT_FALSE(IsEnabled(GL_LIGHTING));
  EXPECT_FALSE(IsEnabled(GL_LIGHT0));
}

TEST_F(GlCoordAxesTest, NotANumberDirectionAndColourStillIssueTheWholeArrow) {
  axes.AddAxis(Vec3(NAN, 0, 1), Vec3(NAN, 0, 0));
  GlRecorder rec;
  axes.Render();
  EXPECT_THAT(rec.Names(), ElementsAreArray(OneArrowCalls(true)));
}

TEST_F(GlCoordAxesTest, ArrowsAreDrawnInTheOrderAddedDuplicatesIncluded) {
  axes.AddAxis(Vec3(1, 0, 0), Vec3(1, 0, 0));
  axes.AddAxis(Vec3(0, 1, 0), Vec3(0, 1, 0));
  axes.AddAxis(Vec3(1, 0, 0), Vec3(1, 0, 0));
  GlRecorder rec;
  axes.Render();
  EXPECT_THAT(RecordedPoints(rec, "glColor3dv"), ElementsAre(Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(1, 0, 0)));
  EXPECT_EQ(rec.Count("gluNewQuadric"), 3u);
  EXPECT_EQ(rec.Count("gluDeleteQuadric"), 3u);
}

TEST_F(GlCoordAxesTest, NullQuadricSkipsTheArrowWithoutAnyOtherCall) {
  axes.AddAxis(Vec3(1, 0, 0), Vec3(1, 0, 0));
  axes.AddAxis(Vec3(0, 1, 0), Vec3(0, 1, 0));
  const QuadricsFail failing;
  GlRecorder rec;
  axes.Render();
  EXPECT_THAT(rec.Names(), ElementsAre("gluNewQuadric", "gluNewQuadric"));
}

TEST_F(GlCoordAxesTest, PositionDoesNotMoveTheArrows) {
  axes.AddAxis(Vec3(1, 2, 3), Vec3(1, 0, 0));
  GlRecorder before;
  axes.Render();
  const std::vector<GlCall> unmoved = before.Calls();
  before.Clear();
  axes.SetPosition(Vec3(10, 20, 30));
  axes.Render();
  ASSERT_EQ(before.Calls().size(), unmoved.size());
  for (std::size_t i = 0; i < unmoved.size(); ++i) EXPECT_EQ(before.Calls()[i].args, unmoved[i].args) << i;
}

std::vector<Vec3> ColoursDrawn(Quorvel::GlCoordAxes& axes) {
  GlRecorder rec;
  axes.Render();
  return RecordedPoints(rec, "glColor3dv");
}

TEST_F(GlCoordAxesTest, CopiesOwnTheirArrows) {
  Quorvel::GlCoordAxes source;
  source.AddAxis(Vec3(1, 0, 0), Vec3(1, 0, 0));
  source.AddAxis(Vec3(0, 1, 0), Vec3(0, 1, 0));
  Quorvel::GlCoordAxes copied(source);
  Quorvel::GlCoordAxes assigned;
  assigned.AddAxis(Vec3(0, 0, 1), Vec3(0, 0, 1));
  assigned = source;
  source.AddAxis(Vec3(0, 0, 1), Vec3(0, 0, 1));
  const std::vector<Vec3> original = {Vec3(1, 0, 0), Vec3(0, 1, 0)};
  EXPECT_EQ(ColoursDrawn(copied), original);
  EXPECT_EQ(ColoursDrawn(assigned), original);
  source.ClearAxes();
  EXPECT_EQ(ColoursDrawn(copied), original);
  EXPECT_EQ(ColoursDrawn(assigned), original);
  assigned = assigned;
  EXPECT_EQ(ColoursDrawn(assigned), original);
}

// Directions the quarter turn alone would not serve, next to the ones it does.
const Vec3 kArrowDirections[] = {Vec3(1000, 0, 1000), Vec3(0, 0, -1000), Vec3(-300, 600, -900),
                                 Vec3(200, -500, 1500), Vec3(0, 0, 1000),  Vec3(1000, 0, 0),
                                 Vec3(0, -2000, 0),    Vec3(1e-16, 0, -1000)};

TEST_F(GlCoordAxesTest, EveryArrowPointsAlongItsDirectionWithItsTipAtNineTenths) {
  for (const Vec3& d : kArrowDirections) {
    SCOPED_TRACE(::testing::PrintToString(d));
    axes.ClearAxes();
    axes.AddAxis(d, Vec3(1, 1, 1));
    const auto points = FedBackPolygonVertices(CaptureWorldFeedback([&] { axes.Render(); }));
    ASSERT_FALSE(points.empty());
    const double length = d.Length();
    Vec3 unit = d;
    unit.Normalize();
    const Vec3 tip = *std::max_element(points.begin(), points.end(), [&](const Vec3& a, const Vec3& b) {
      return DotProduct(a, unit) < DotProduct(b, unit);
    });
    EXPECT_NEAR(Distance(tip, d * 0.9), 0.0, 0.01);
    double lowest = 0, highest = 0, widest = 0;
    for (const Vec3& p : points) {
      const double along = DotProduct(p, unit);
      lowest = std::min(lowest, along);
      highest = std::max(highest, along);
      widest = std::max(widest, Distance(p, unit * along));
    }
    EXPECT_NEAR(lowest, 0.0, 0.01);
    EXPECT_NEAR(highest, 0.9 * length, 0.01);
    EXPECT_NEAR(widest, 0.1 * length, 0.01);
  }
}

struct TurnCase {
  Vec3 direction;
  std::vector<double> rotation;
};

TEST_F(GlCoordAxesTest, SlantedAndDownwardDirectionsTurnByTheirAngleFromZ) {
  const TurnCase cases[] = {{Vec3(1, 0, 1), {45, 0, 1, 0}},
                            {Vec3(0, -1, -1), {135, 1, 0, 0}},
                            {Vec3(0, 0, -1), {180, 1, 0, 0}},
                            {Vec3(0, 0, -5), {180, 1, 0, 0}}};
  for (const TurnCase& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.direction));
    axes.ClearAxes();
    axes.AddAxis(c.direction, Vec3(1, 0, 0));
    GlRecorder rec;
    axes.Render();
    const auto rotations = rec.Of("glRotated");
    ASSERT_EQ(rotations.size(), 3u);
    for (const GlCall& r : rotations)
      EXPECT_THAT(r.args, ElementsAre(DoubleNear(c.rotation[0], 1e-12), DoubleNear(c.rotation[1], 1e-15),
                                      DoubleNear(c.rotation[2], 1e-15), DoubleNear(c.rotation[3], 1e-15)));
  }
}

}  // namespace
}  // namespace QuorvelTest
