#include <quorvel/GlCircle.h>

#include "Feedback.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"
#include "RecordedGeometry.h"

#include <gmock/gmock.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace QuorvelTest {
namespace {

using Quorvel::GlCircle;
using Vec3 = GlCircle::Vec3;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::SizeIs;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const Vec3 kX(1, 0, 0);
const Vec3 kY(0, 1, 0);
constexpr GLbitfield kCircleAttribs =
    GL_COLOR_BUFFER_BIT | GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_LINE_BIT | GL_POINT_BIT;

class GlCircleTest : public GlTest {
protected:
  GlCircle circle;
};

TEST(GlCircleConstants, AreExportedDataWithTheirPatterns) {
  // Taking the addresses needs the definitions exported from the library.
  const unsigned short* solid = &GlCircle::LINE_SOLID;
  const unsigned short* striped = &GlCircle::LINE_STRIPED;
  const unsigned short* dotted = &GlCircle::LINE_DOTTED;
  EXPECT_EQ(*solid, 0xFFFF);
  EXPECT_EQ(*striped, 0xCCCC);
  EXPECT_EQ(*dotted, 0x8888);
}

TEST_F(GlCircleTest, IssuesPushStippleTranslateLoopAndRestoreInOrder) {
  GlRecorder rec;
  circle.Render(Vec3(1, 2, 3), kX, kY, 1.0);
  EXPECT_THAT(rec.Names(),
              ElementsAre("glPushAttrib", "glMatrixMode", "glPushMatrix", "glDisable", "glEnable", "glLineStipple",
                          "glTranslated", "glBegin", "glColor4ubv", "glVertex3dv", "glVertex3dv", "glVertex3dv",
                          "glVertex3dv", "glEnd", "glDisable", "glPopMatrix", "glPopAttrib"));
  const auto& c = rec.Calls();
  EXPECT_THAT(c[0].args, ElementsAre(kCircleAttribs));
  EXPECT_THAT(c[1].args, ElementsAre(GL_MODELVIEW));
  EXPECT_THAT(c[3].args, ElementsAre(GL_LIGHTING));
  EXPECT_THAT(c[4].args, ElementsAre(GL_LINE_STIPPLE));
  EXPECT_THAT(c[5].args, ElementsAre(1, 0xCCCC));
  EXPECT_THAT(c[6].args, ElementsAre(1, 2, 3));
  EXPECT_THAT(c[7].args, ElementsAre(GL_LINE_LOOP));
  EXPECT_THAT(c[8].args, ElementsAre(255, 128, 128, 255));
  EXPECT_THAT(c[14].args, ElementsAre(GL_LINE_STIPPLE));
}

struct StippleCase {
  unsigned short pattern;
  std::vector<std::string> stippleCalls;  // between glDisable(GL_LIGHTING) and glTranslated
  std::vector<double> patternArgs;        // glLineStipple arguments, if any
};

TEST_F(GlCircleTest, SolidPatternDisablesStippleAndOthersSetFactorOne) {
  const StippleCase cases[] = {
      {GlCircle::LINE_SOLID, {"glDisable"}, {}},
      {GlCircle::LINE_STRIPED, {"glEnable", "glLineStipple"}, {1, 0xCCCC}},
      {GlCircle::LINE_DOTTED, {"glEnable", "glLineStipple"}, {1, 0x8888}},
      {0x0000, {"glEnable", "glLineStipple"}, {1, 0x0000}},
  };
  for (const StippleCase& c : cases) {
    SCOPED_TRACE(c.pattern);
    circle.SetLineStipple(c.pattern);
    GlRecorder rec;
    circle.Render(Vec3(), kX, kY, 1.0);
    const auto names = rec.Names();
    const std::vector<std::string> between(names.begin() + 4, names.begin() + 4 + c.stippleCalls.size());
    EXPECT_EQ(between, c.stippleCalls);
    EXPECT_EQ(names[4 + c.stippleCalls.size()], "glTranslated");
    if (c.patternArgs.empty()) {
      EXPECT_THAT(rec.Calls()[4].args, ElementsAre(GL_LINE_STIPPLE));
      EXPECT_EQ(rec.Count("glLineStipple"), 0u);
    } else {
      EXPECT_EQ(rec.Of("glLineStipple").at(0).args, c.patternArgs);
    }
  }
}

TEST_F(GlCircleTest, UnitRadiusWithUnitAxesSendsThreeChordsStartingAtAxis2) {
  GlRecorder rec;
  circle.Render(Vec3(), kX, kY, 1.0);
  // Three steps of 2pi/3 sum to 2pi exactly, so the first vertex is repeated
  // (up to the sine of 2pi) as the fourth.
  EXPECT_THAT(RecordedVertices(rec),
              ElementsAreArray(ExactPoints({{0.0, 1.0, 0.0}, {0.8660254037844387, -0.4999999999999998, 0.0},
                                            {-0.8660254037844384, -0.5000000000000004, 0.0},
                                            {-2.4492935982947064e-16, 1.0, 0.0}})));
}

struct CountCase {
  const char* name;
  Vec3 axis1;
  Vec3 axis2;
  double radius;
  std::size_t loops;     // glBegin(GL_LINE_LOOP) calls
  std::size_t vertices;  // glVertex3dv calls
  std::size_t drawnSegments;
};

TEST_F(GlCircleTest, SegmentCountFollowsTheChordToleranceOfTheShorterAxis) {
  const Vec3 longAxis(2, 0, 0);
  const Vec3 shortAxis(0, 0.5, 0);
  const CountCase cases[] = {
      {"unit axes, radius 1: n = 3 and the closing repeat", kX, kY, 1.0, 1, 4, 4},
      {"radius 1000: n = 100 and the closing repeat", kX, kY, 1000.0, 1, 101, 101},
      {"axes of 0.1, radius 1000: 315 capped to 100", kX * 0.1, kY * 0.1, 1000.0, 1, 101, 101},
      {"axes of 2e-14, radius 1000: infinite count capped to 100", kX * 2e-14, kY * 2e-14, 1000.0, 1, 101, 101},
      {"short axis2 gives e = 0.25: n = 5", longAxis, shortAxis, 1.0, 1, 6, 6},
      {"short axis1 gives e = 0.25 too", shortAxis, longAxis, 1.0, 1, 6, 6},
      {"e = 0.25, radius 100: n = 45, the sum stays below 2pi", longAxis, shortAxis, 100.0, 1, 45, 45},
      {"radius e/2: n = 1, the same point twice", kX, kY, 0.25, 1, 2, 2},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.name);
    GlRecorder rec;
    const Feedback fb = CaptureWorldFeedback([&] { circle.Render(Vec3(), c.axis1, c.axis2, c.radius); });
    EXPECT_EQ(rec.Count("glBegin"), c.loops);
    EXPECT_EQ(rec.Count("glVertex3dv"), c.vertices);
    EXPECT_EQ(fb.LinePositions().size(), 2 * c.drawnSegments);
  }
}

TEST_F(GlCircleTest, DegenerateInputDrawsNothing) {
  const CountCase cases[] = {
      {"zero axis1", Vec3(), kY, 1.0, 0, 0, 0},
      {"zero axis2", kX, Vec3(), 1.0, 0, 0, 0},
      {"both axes zero", Vec3(), Vec3(), 1.0, 0, 0, 0},
      {"NaN axis2", kX, Vec3(kNaN, 0, 0), 1.0, 0, 0, 0},
      {"NaN axis1: not-a-number vertices", Vec3(kNaN, 0, 0), kY, 1.0, 1, 4, 0},
      {"radius 0", kX, kY, 0.0, 1, 1, 0},
      {"negative radius", kX, kY, -1.0, 1, 1, 0},
      {"radius below e/2", kX, kY, 0.2, 1, 1, 0},
      {"NaN radius", kX, kY, kNaN, 1, 1, 0},
  };
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.name);
    GlRecorder rec;
    const Feedback fb = CaptureWorldFeedback([&] { circle.Render(Vec3(), c.axis1, c.axis2, c.radius); });
    EXPECT_EQ(rec.Count("glBegin"), c.loops);
    EXPECT_EQ(rec.Count("glTranslated"), c.loops);
    EXPECT_EQ(rec.Count("glVertex3dv"), c.vertices);
    EXPECT_TRUE(fb.items.empty());
    EXPECT_EQ(rec.Count("glPopAttrib"), 1u);
    EXPECT_EQ(rec.Count("glPopMatrix"), 1u);
  }
}

TEST_F(GlCircleTest, LiesInThePlaneOfTheDirectionsWhateverTheirLengths) {
  const Vec3 center(10, 20, 30);
  GlRecorder rec;
  const Feedback fb = CaptureWorldFeedback([&] { circle.Render(center, Vec3(0, 0, 2), Vec3(0, 0.5, 0), 100.0); });
  // Sent relative to the centre: the first vertex is radius · axis2 / |axis2|.
  ASSERT_THAT(rec.Of("glTranslated"), SizeIs(1));
  EXPECT_THAT(rec.Of("glTranslated")[0].args, ElementsAre(10, 20, 30));
  const std::vector<Point> sent = RecordedVertices(rec);
  ASSERT_THAT(sent, SizeIs(45));
  EXPECT_THAT(sent[0], ElementsAre(0.0, 100.0, 0.0));
  // The loop turns from axis2 (+y) towards axis1 (+z).
  EXPECT_GT(sent[1][2], 0.0);
  const auto drawn = fb.LinePositions();
  ASSERT_THAT(drawn, SizeIs(90));
  for (const Point& p : drawn) {
    EXPECT_NEAR(p[0], 10.0, 1e-3);
    EXPECT_NEAR(std::hypot(p[1] - 20.0, p[2] - 30.0), 100.0, 5e-3);
  }
}

struct ColorCase {
  const char* name;
  std::function<void(GlCircle&)> set;
  std::vector<double> rgba;
};

TEST_F(GlCircleTest, ColourSettersStoreFourBytes) {
  static const unsigned char bytes[4] = {1, 2, 3, 4};
  const ColorCase cases[] = {
      {"default", [](GlCircle&) {}, {255, 128, 128, 255}},
      {"integer RGB keeps the low 8 bits", [](GlCircle& c) { c.SetColor(Brantel::Geometry::Vector3<int>(300, -1, 128)); },
       {44, 255, 128, 255}},
      {"256 wraps to 0", [](GlCircle& c) { c.SetColor(Brantel::Geometry::Vector3<int>(256, 0, 255)); }, {0, 0, 255, 255}},
      {"byte array includes alpha", [](GlCircle& c) { c.SetColor(bytes); }, {1, 2, 3, 4}},
      {"null byte array is ignored", [](GlCircle& c) { c.SetColor(static_cast<const unsigned char*>(nullptr)); },
       {255, 128, 128, 255}},
  };
  for (const ColorCase& c : cases) {
    SCOPED_TRACE(c.name);
    GlCircle fresh;
    c.set(fresh);
    GlRecorder rec;
    fresh.Render(Vec3(), kX, kY, 1.0);
    ASSERT_THAT(rec.Of("glColor4ubv"), SizeIs(1));
    EXPECT_EQ(rec.Of("glColor4ubv")[0].args, c.rgba);
    // The current colour is not saved, so the loop's colour stays current.
    const std::array<float, 4> current = CurrentColor();
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(current[i], c.rgba[i] / 255.0, 1e-6) << i;
  }
}

struct PriorState {
  const char* name;
  bool stippleOn;
  unsigned short pattern;
  GLenum matrixMode;
};

TEST_F(GlCircleTest, RestoresEnablesLineStateAndModelviewButLeavesModelviewMode) {
  const PriorState cases[] = {
      {"caller stipple on, projection mode", true, 0xF00F, GL_PROJECTION},
      {"caller stipple off, modelview mode", false, 0x00FF, GL_MODELVIEW},
  };
  circle.SetLineStipple(GlCircle::LINE_DOTTED);
  for (const PriorState& c : cases) {
    SCOPED_TRACE(c.name);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslated(5, 6, 7);
    const auto modelview = GetMatrix(GL_MODELVIEW_MATRIX);
    glEnable(GL_LIGHTING);
    c.stippleOn ? glEnable(GL_LINE_STIPPLE) : glDisable(GL_LINE_STIPPLE);
    glLineStipple(3, c.pattern);
    glLineWidth(2.0f);
    glPointSize(4.0f);
    glMatrixMode(c.matrixMode);

    circle.Render(Vec3(1, 1, 1), kX, kY, 10.0);

    EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
    EXPECT_EQ(GetMatrix(GL_MODELVIEW_MATRIX), modelview);
    EXPECT_TRUE(IsEnabled(GL_LIGHTING));
    EXPECT_EQ(IsEnabled(GL_LINE_STIPPLE), c.stippleOn);
    EXPECT_EQ(LineStipple().pattern, c.pattern);
    EXPECT_EQ(LineStipple().repeat, 3);
    EXPECT_EQ(GetFloat(GL_LINE_WIDTH), 2.0f);
    EXPECT_EQ(GetFloat(GL_POINT_SIZE), 4.0f);
  }
}

TEST_F(GlCircleTest, CopiesCarryColourAndStipple) {
  static const unsigned char bytes[4] = {10, 20, 30, 40};
  circle.SetColor(bytes);
  circle.SetLineStipple(GlCircle::LINE_DOTTED);
  GlCircle copied(circle);
  GlCircle assigned;
  assigned = circle;
  circle.SetColor(Brantel::Geometry::Vector3<int>(0, 0, 0));
  circle.SetLineStipple(GlCircle::LINE_SOLID);
  for (GlCircle* c : {&copied, &assigned}) {
    GlRecorder rec;
    c->Render(Vec3(), kX, kY, 1.0);
    EXPECT_THAT(rec.Of("glColor4ubv").at(0).args, ElementsAre(10, 20, 30, 40));
    EXPECT_THAT(rec.Of("glLineStipple").at(0).args, ElementsAre(1, 0x8888));
  }
}

}  // namespace
}  // namespace QuorvelTest
