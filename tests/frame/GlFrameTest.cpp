#include <quorvel/GlCamera.h>
#include <quorvel/GlState.h>

#include "GlRecorder.h"
#include "GlTest.h"

#include <gtest/gtest-spi.h>

class GlFrame : public QuorvelTest::GlTest {};

// 640 × 480 pixels at zoom 0.5 span ±320 × ±240; 90° opens ±tan 45° · near across the smaller side.
TEST_F(GlFrame, CameraLoadsItsMatrices) {
  Quorvel::GlCamera camera;
  camera.SetEye(Camera::Vec3(10, -4, 3));
  camera.SetFocus(Camera::Vec3(1, 2, 0));
  camera.SetDirectionUp(Camera::Vec3(0, 0, 2));
  camera.SetClipDistance(10, 2);
  camera.SetZoom(0.5);
  camera.SetFOV(90.0);
  glViewport(0, 0, 640, 480);
  QuorvelTest::GlRecorder recorder;
  camera.SetOrthoFrustum();
  camera.SetOrthoFrustumWidthAndHeight(100, 50);
  camera.SetPerspectiveFrustum();
  camera.SetLookAt();
  glViewport(0, 0, 480, 640);  // not recorded: the library never calls it
  camera.SetPerspectiveFrustum();
  EXPECT_EQ(recorder.Trace(), R"(glGetIntegerv(VIEWPORT)
glMatrixMode(PROJECTION)
glLoadIdentity()
glOrtho(-320, 320, -240, 240, 8, 12)
glMatrixMode(MODELVIEW)
glMatrixMode(PROJECTION)
glLoadIdentity()
glOrtho(-50, 50, -25, 25, 8, 12)
glMatrixMode(MODELVIEW)
glMatrixMode(PROJECTION)
glLoadIdentity()
glGetIntegerv(VIEWPORT)
glFrustum(-10.6667, 10.6667, -8, 8, 8, 12)
glMatrixMode(MODELVIEW)
glMatrixMode(MODELVIEW)
glLoadIdentity()
gluLookAt(10, -4, 3, 1, 2, 0, 0, 0, 2)
glMatrixMode(PROJECTION)
glLoadIdentity()
glGetIntegerv(VIEWPORT)
glFrustum(-8, 8, -10.6667, 10.6667, 8, 12)
glMatrixMode(MODELVIEW))");
}

TEST_F(GlFrame, SmoothLinesSwitchesStateInOrder) {
  Quorvel::GlState state;
  EXPECT_EQ(QuorvelTest::RecordTrace([&] { state.SetSmoothLines(true), state.SetSmoothLines(false); }), R"(glDisable(LIGHTING)
glDisable(LINE_STIPPLE)
glEnable(LINE_SMOOTH)
glEnable(COLOR_MATERIAL)
glHint(LINE_SMOOTH_HINT, NICEST)
glHint(POINT_SMOOTH_HINT, NICEST)
glBlendFunc(SRC_ALPHA, ONE_MINUS_SRC_ALPHA)
glEnable(BLEND)
glAlphaFunc(GREATER, 0)
glEnable(ALPHA_TEST)
glDisable(LIGHTING)
glDisable(LINE_SMOOTH)
glDisable(COLOR_MATERIAL)
glDisable(BLEND)
glDisable(ALPHA_TEST))");
}

TEST_F(GlFrame, AuditCatchesAnUnbalancedStackAndALeftoverTexture) {
  glPushAttrib(GL_ENABLE_BIT);
  EXPECT_NONFATAL_FAILURE(Audit(), "attribute stack left unbalanced");
  glPopAttrib();
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  EXPECT_NONFATAL_FAILURE(Audit(), "texture 1 left alive");
  glDeleteTextures(1, &texture);
}
