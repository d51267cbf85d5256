#include <quorvel/GlCamera.h>

#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"

#include <GL/glu.h>
#include <gmock/gmock.h>

#include <cmath>

namespace QuorvelTest {
namespace {

using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::Pointwise;
using Vec2 = Camera::Vec2;
using Vec3 = Camera::Vec3;

MATCHER_P(VecEq, expected, "") {
  return arg[0] == expected[0] && arg[1] == expected[1] && arg[2] == expected[2];
}

TEST(CameraSettings, DefaultsAndDerivedDirections) {
  const Quorvel::GlCamera cam;
  EXPECT_THAT(cam.Eye(), VecEq(Vec3(0, 1, 0)));
  EXPECT_THAT(cam.Focus(), VecEq(Vec3(0, 0, 0)));
  EXPECT_THAT(cam.Up(), VecEq(Vec3(0, 0, 1)));
  EXPECT_EQ(cam.Clip(), Vec2(0, 1));
  EXPECT_EQ(cam.FOV(), Vec2(0.7, 0.7));
  EXPECT_EQ(cam.Zoom(), 1);
  EXPECT_THAT(cam.DirectionEye(), VecEq(Vec3(0, 1, 0)));
  EXPECT_THAT(cam.DirectionUp(), VecEq(Vec3(0, 0, 1)));
  EXPECT_THAT(cam.DirectionRight(), VecEq(Vec3(-1, 0, 0)));
}

TEST(CameraSettings, SettersStoreAndDirectionsNormalise) {
  Quorvel::GlCamera cam;
  cam.SetClipDistance(10, 2);
  EXPECT_EQ(cam.Clip(), Vec2(8, 12));
  cam.SetFOV(30.0);
  EXPECT_EQ(cam.FOV(), Vec2(30, 30));
  cam.SetDirectionUp(Vec3(0, 0, 5));
  EXPECT_THAT(cam.Up(), VecEq(Vec3(0, 0, 5)));  // stored unnormalised
  EXPECT_THAT(cam.DirectionUp(), VecEq(Vec3(0, 0, 1)));
  cam.SetEye(Vec3(3, 0, 4));
  EXPECT_THAT(cam.DirectionEye(), VecEq(Vec3(0.6, 0, 0.8)));
  cam.SetFocus(Vec3(3, 0, 4));
  EXPECT_THAT(cam.DirectionEye(), VecEq(Vec3(0, 0, 0)));
}

TEST(CameraSettings, CopiesTakeAllSixMembers) {
  Quorvel::GlCamera a;
  a.SetEye(Vec3(1, 2, 3));
  a.SetFocus(Vec3(4, 5, 6));
  a.SetDirectionUp(Vec3(0, 1, 0));
  a.SetClipPlanes(Vec2(2, 9));
  a.SetFOV(Vec2(40, 50));
  a.SetZoom(0.25);
  Quorvel::GlCamera b(a);
  Quorvel::GlCamera c;
  c = a;
  for (const Quorvel::GlCamera* cam : {&b, &c}) {
    EXPECT_THAT(cam->Eye(), VecEq(a.Eye()));
    EXPECT_THAT(cam->Focus(), VecEq(a.Focus()));
    EXPECT_THAT(cam->Up(), VecEq(a.Up()));
    EXPECT_EQ(cam->Clip(), a.Clip());
    EXPECT_EQ(cam->FOV(), a.FOV());
    EXPECT_EQ(cam->Zoom(), a.Zoom());
  }
}

std::array<double, 16> ReferenceMatrix(void (*build)(const double* args), const double* args) {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  build(args);
  const std::array<double, 16> m = GetMatrix(GL_PROJECTION_MATRIX);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  return m;
}

class GlCameraTest : public GlTest {
protected:
  Quorvel::GlCamera cam;

  static std::array<double, 16> OrthoMatrix(double l, double r, double b, double t, double n, double f) {
    const double args[] = {l, r, b, t, n, f};
    return ReferenceMatrix([](const double* a) { glOrtho(a[0], a[1], a[2], a[3], a[4], a[5]); }, args);
  }
  static std::array<double, 16> FrustumMatrix(double l, double r, double b, double t, double n, double f) {
    const double args[] = {l, r, b, t, n, f};
    return ReferenceMatrix([](const double* a) { glFrustum(a[0], a[1], a[2], a[3], a[4], a[5]); }, args);
  }
};

TEST_F(GlCameraTest, OrthoFrustumSpansTwoZoomUnitsPerPixel) {
  glViewport(0, 0, 640, 480);
  cam.SetZoom(0.5);
  cam.SetClipPlanes(Vec2(-5, 7));
  glMatrixMode(GL_TEXTURE);
  cam.SetOrthoFrustum();
  EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_THAT(GetMatrix(GL_PROJECTION_MATRIX),
              Pointwise(DoubleNear(1e-12), OrthoMatrix(-320, 320, -240, 240, -5, 7)));
}

TEST_F(GlCameraTest, OrthoFrustumIgnoresEarlierProjection) {
  glViewport(0, 0, 100, 50);
  glMatrixMode(GL_PROJECTION);
  glTranslated(3, 4, 5);
  cam.SetOrthoFrustum();
  cam.SetOrthoFrustum();
  EXPECT_THAT(GetMatrix(GL_PROJECTION_MATRIX),
              Pointwise(DoubleNear(1e-12), OrthoMatrix(-100, 100, -50, 50, 0, 1)));
}

TEST_F(GlCameraTest, OrthoWidthAndHeightIgnoresViewportAndZoom) {
  glViewport(0, 0, 17, 33);
  cam.SetZoom(9);
  cam.SetClipPlanes(Vec2(1, 3));
  cam.SetOrthoFrustumWidthAndHeight(100, 50);
  EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_THAT(GetMatrix(GL_PROJECTION_MATRIX),
              Pointwise(DoubleNear(1e-12), OrthoMatrix(-50, 50, -25, 25, 1, 3)));
}

struct FrontPlaneCase {
  int width, height;
  Vec2 lowerLeft, upperRight;
};

TEST_F(GlCameraTest, FrontPlaneWidensTheLargerViewportSide) {
  const double t = std::tan(90 * 0.5 * 3.14159265 / 180.0);
  const FrontPlaneCase cases[] = {
      {200, 100, Vec2(-2 * t, -t), Vec2(2 * t, t)},
      {100, 200, Vec2(-t, -2 * t), Vec2(t, 2 * t)},
      {128, 128, Vec2(-t, -t), Vec2(t, t)},
  };
  cam.SetFOV(90.0);
  cam.SetClipPlanes(Vec2(1, 10));
  for (const FrontPlaneCase& c : cases) {
    SCOPED_TRACE(c.width);
    glViewport(0, 0, c.width, c.height);
    Vec2 ll, ur;
    GlRecorder rec;
    cam.GetFrontPlaneCoords(ll, ur);
    EXPECT_THAT(rec.Names(), ElementsAre("glGetIntegerv"));
    EXPECT_EQ(ll, c.lowerLeft);
    EXPECT_EQ(ur, c.upperRight);
  }
}

TEST_F(GlCameraTest, PerspectiveFrustumUsesFrontPlaneAndClip) {
  glViewport(0, 0, 200, 100);
  cam.SetFOV(Vec2(60, 10));  // fov.y has no effect
  cam.SetClipPlanes(Vec2(2, 50));
  cam.SetPerspectiveFrustum();
  const double t = std::tan(60 * 0.5 * 3.14159265 / 180.0) * 2;
  EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_THAT(GetMatrix(GL_PROJECTION_MATRIX),
              Pointwise(DoubleNear(1e-12), FrustumMatrix(-t * 2, 2 * t, -t, t, 2, 50)));
}

TEST_F(GlCameraTest, LookAtReplacesTheModelviewMatrix) {
  cam.SetEye(Vec3(10, -4, 3));
  cam.SetFocus(Vec3(1, 2, 0));
  cam.SetDirectionUp(Vec3(0, 0, 2));
  glMatrixMode(GL_MODELVIEW);
  glTranslated(5, 5, 5);
  glMatrixMode(GL_PROJECTION);
  cam.SetLookAt();
  EXPECT_EQ(GetInt(GL_MATRIX_MODE), GL_MODELVIEW);
  const auto actual = GetMatrix(GL_MODELVIEW_MATRIX);
  glLoadIdentity();
  gluLookAt(10, -4, 3, 1, 2, 0, 0, 0, 2);
  EXPECT_THAT(actual, Pointwise(DoubleNear(1e-12), GetMatrix(GL_MODELVIEW_MATRIX)));
}

TEST_F(GlCameraTest, ProjectionsIssueTheirCommandsInOrder) {
  glViewport(0, 0, 640, 480);
  cam.SetZoom(0.5);
  GlRecorder rec;
  cam.SetOrthoFrustum();
  EXPECT_THAT(rec.Names(), ElementsAre("glGetIntegerv", "glMatrixMode", "glLoadIdentity", "glOrtho", "glMatrixMode"));
  EXPECT_THAT(rec.Of("glOrtho")[0].args, ElementsAre(-320, 320, -240, 240, 0, 1));
  rec.Clear();
  cam.SetClipPlanes(Vec2(1, 2));
  cam.SetPerspectiveFrustum();
  EXPECT_THAT(rec.Names(),
              ElementsAre("glMatrixMode", "glLoadIdentity", "glGetIntegerv", "glFrustum", "glMatrixMode"));
  rec.Clear();
  cam.SetLookAt();
  EXPECT_THAT(rec.Names(), ElementsAre("glMatrixMode", "glLoadIdentity", "gluLookAt"));
  EXPECT_THAT(rec.Of("gluLookAt")[0].args, ElementsAre(0, 1, 0, 0, 0, 0, 0, 0, 1));
}

}  // namespace
}  // namespace QuorvelTest
