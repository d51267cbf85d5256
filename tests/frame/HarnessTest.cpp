// Proves the harness on direct GL calls before any library test relies on it.
#include "Feedback.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"

#include <GL/glu.h>
#include <gmock/gmock.h>

namespace QuorvelTest {
namespace {

using ::testing::ElementsAre;
using ::testing::DoubleNear;

class HarnessTest : public GlTest {};

TEST_F(HarnessTest, ContextIsCompatibilityProfileOnTheRequestedSurface) {
  EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), 0);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 64);
  EXPECT_EQ(viewport[3], 64);
}

TEST_F(HarnessTest, WorldFeedbackReturnsObjectCoordinatesColoursAndTokens) {
  const Feedback fb = CaptureWorldFeedback([] {
    glPassThrough(7.0f);
    glBegin(GL_LINES);
    glColor3d(1, 0.5, 0);
    glVertex3d(-100, 20, 30);
    glVertex3d(250.5, -3, -40);
    glEnd();
    glBegin(GL_TRIANGLES);
    glTexCoord2d(0.25, 0.75);
    glVertex3d(0, 0, 0);
    glVertex3d(10, 0, 0);
    glVertex3d(0, 10, 0);
    glEnd();
  });
  ASSERT_EQ(fb.items.size(), 3u);
  EXPECT_EQ(fb.Of(GL_PASS_THROUGH_TOKEN)[0].value, 7.0f);
  const auto lines = fb.LinePositions();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_THAT(lines[0], ElementsAre(DoubleNear(-100, 1e-3), DoubleNear(20, 1e-3), DoubleNear(30, 2e-3)));
  EXPECT_THAT(lines[1], ElementsAre(DoubleNear(250.5, 1e-3), DoubleNear(-3, 1e-3), DoubleNear(-40, 2e-3)));
  EXPECT_THAT(fb.items[1].vertices[0].color, ElementsAre(1.0f, 0.5f, 0.0f, 1.0f));
  const auto polygons = fb.Of(GL_POLYGON_TOKEN);
  ASSERT_EQ(polygons.size(), 1u);
  ASSERT_EQ(polygons[0].vertices.size(), 3u);
  EXPECT_THAT(polygons[0].vertices[2].texCoord, ElementsAre(0.25f, 0.75f, 0.0f, 1.0f));
}

TEST_F(HarnessTest, RecorderLogsCallsAndStillForwardsThem) {
  GlRecorder rec;
  glEnable(GL_LINE_STIPPLE);
  glLineStipple(2, 0xF0F0);
  const GLdouble v[3] = {1, 2, 3};
  glBegin(GL_POINTS);
  glVertex3dv(v);
  glEnd();
  EXPECT_THAT(rec.Names(), ElementsAre("glEnable", "glLineStipple", "glBegin", "glVertex3dv", "glEnd"));
  EXPECT_THAT(rec.Of("glVertex3dv")[0].args, ElementsAre(1, 2, 3));
  EXPECT_TRUE(IsEnabled(GL_LINE_STIPPLE));
  EXPECT_EQ(LineStipple().pattern, 0xF0F0);
  EXPECT_EQ(LineStipple().repeat, 2);
}

TEST_F(HarnessTest, RecorderSkipsCallsMadeInsideGlu) {
  GlRecorder rec;
  gluLookAt(0, 0, 1, 0, 0, 0, 0, 1, 0);
  EXPECT_THAT(rec.Names(), ElementsAre("gluLookAt"));
}

TEST_F(HarnessTest, PixelsReadBackWhatWasCleared) {
  glClearColor(1, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  EXPECT_EQ(ReadPixel(10, 10), Rgba(255, 0, 0));
}

}  // namespace
}  // namespace QuorvelTest
