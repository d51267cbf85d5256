#include <quorvel/GlCoordAxes.h>
#include <quorvel/GlWiredVolume.h>

#include "GlRecorder.h"
#include "GlTest.h"

#include <gtest/gtest.h>

#include <string>

using Vec3 = Brantel::Geometry::Vector3<double>;
using QuorvelTest::RecordTrace;

class Scene : public QuorvelTest::GlTest {};

// A y axis of length 2: every size doubles. The material takes the colour normalised to (0, 0.6, 0.8).
TEST_F(Scene, ArrowIsLitHeadShaftAndTailTurnedOntoItsDirection) {
  Quorvel::GlCoordAxes axes;
  axes.AddAxis(Vec3(0, 2, 0), Vec3(0, 1.5, 2));
  EXPECT_EQ(RecordTrace([&] { axes.Render(); }), R"(gluNewQuadric()
glLightfv(LIGHT0, SPECULAR, 0.9, 0.9, 0.9, 1)
glColor3dv(0, 1.5, 2)
glMaterialfv(FRONT, SPECULAR, 0, 0.3, 0.4, 1)
glMaterialfv(FRONT, DIFFUSE, 0, 0.006, 0.008, 1)
glMaterialfv(FRONT, AMBIENT, 0, 0, 0, 1)
glMaterialf(FRONT, SHININESS, 0.5)
glPushMatrix()
glTranslated(0, 1.4, 0)
glRotated(90, -1, 0, 0)
gluCylinder(1, 0.2, 0, 0.4, 8, 1)
glPopMatrix()
glPushMatrix()
glTranslated(0, 0.2, 0)
glRotated(90, -1, 0, 0)
gluCylinder(1, 0.1, 0.1, 1.4, 8, 1)
glPopMatrix()
glPushMatrix()
glRotated(90, -1, 0, 0)
gluCylinder(1, 0, 0.1, 0.2, 8, 1)
glPopMatrix()
gluDeleteQuadric(1))");
}

// The arrows drawn are those of the list, each with a quadric of its own; an assigned object draws the source's.
TEST_F(Scene, ArrowsAreDrawnFromTheirList) {
  Quorvel::GlCoordAxes source, assigned;
  EXPECT_EQ(RecordTrace([&] { source.Render(); }), "");
  source.AddAxis(Vec3(0, 0, 3), Vec3(1, 0, 0));  // upright: not turned
  EXPECT_EQ(RecordTrace([&] { source.Render(); }).find("glRotated"), std::string::npos);
  source.AddAxis(Vec3(1, 0, 0), Vec3(0, 1, 0));
  QuorvelTest::SetGluNewQuadricFails(true);
  EXPECT_EQ(RecordTrace([&] { source.Render(); }), "gluNewQuadric()\ngluNewQuadric()");
  QuorvelTest::SetGluNewQuadricFails(false);
  assigned.AddAxis(Vec3(0, 1, 0), Vec3(0, 0, 1));
  assigned = source;
  const std::string drawn = RecordTrace([&] { source.Render(); });
  source.ClearAxes();
  assigned = *&assigned;  // to itself
  EXPECT_EQ(RecordTrace([&] { assigned.Render(); }), drawn);
  EXPECT_EQ(RecordTrace([&] { source.Render(); }), "");
}

// The attribute save of both render operations, then what SetSmoothLines(false) issues.
const std::string kPushSmoothOff = "glPushAttrib(COLOR_BUFFER|ENABLE|LIGHTING|LINE|POINT)\n"
                                   "glDisable(LIGHTING)\nglDisable(LINE_SMOOTH)\nglDisable(COLOR_MATERIAL)\n"
                                   "glDisable(BLEND)\nglDisable(ALPHA_TEST)\n";

// Corners one unit inside the faces at ±50, ±40, ±30: corners 0 to 3 around the bottom, 4 to 7 above them.
// Plane outlines meet the faces themselves, each drawn from scratch. Lines are 1 pixel wide until a thickness is set.
TEST_F(Scene, BoxIsTwoLoopsAndFourUprightsAndPlaneOutlinesAreClippedToTheVolume) {
  Quorvel::GlWiredVolume volume;
  volume.SetVolumeSize(Vec3(100, 80, 60));
  volume.SetBoxColor(Vec3(0.25, 0.5, 1));
  volume.SetPlaneColor(Vec3(1, 0, 0));
  QuorvelTest::GlRecorder recorder;
  volume.RenderBox();
  volume.SetLineThickness(2.5);
  volume.RenderPlane(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0));
  EXPECT_EQ(recorder.Trace(QuorvelTest::GlRecorder::Vertices::Counted), kPushSmoothOff + R"(glLineWidth(1)
glLineWidth(1)
glColor3dv(0.25, 0.5, 1)
glBegin(LINE_LOOP)
glVertex3dv x 4
glEnd()
glBegin(LINE_LOOP)
glVertex3dv x 4
glEnd()
glBegin(LINES)
glVertex3dv x 8
glEnd()
glPopAttrib()
)" + kPushSmoothOff + R"(glLineWidth(1)
glLineWidth(2.5)
glColor3dv(1, 0, 0)
glBegin(LINE_LOOP)
glVertex3dv x 4
glEnd()
glPopAttrib())");
  volume.RenderPlane(Vec3(0, 0, 10), Vec3(1, 0, 0), Vec3(0, 0, 1));   // the plane y = 0, raised by 10
  volume.RenderPlane(Vec3(0, 0, 100), Vec3(1, 0, 0), Vec3(0, 1, 0));  // misses the volume
  const Vec3 c[] = {{-49, -39, -29}, {49, -39, -29}, {49, 39, -29}, {-49, 39, -29},
                    {-49, -39, 29},  {49, -39, 29},  {49, 39, 29},  {-49, 39, 29}};
  const std::vector<Vec3> drawn[] = {{c[0], c[1], c[2], c[3]}, {c[4], c[5], c[6], c[7]},
                                     {c[0], c[4], c[1], c[5], c[2], c[6], c[3], c[7]},
                                     {{50, 40, 0}, {-50, 40, 0}, {-50, -40, 0}, {50, -40, 0}},
                                     {{50, 0, 30}, {-50, 0, 30}, {-50, 0, -30}, {50, 0, -30}}, {}};
  ASSERT_EQ(recorder.Primitives().size(), 6u);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(recorder.Primitives()[i].vertices, drawn[i]);
}
