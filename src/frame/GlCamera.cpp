#include <quorvel/GlCamera.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace Quorvel {

GlCamera::~GlCamera() = default;

void GlCamera::SetLookAt() {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eye[0], eye[1], eye[2], focus[0], focus[1], focus[2], up[0], up[1], up[2]);
}

void GlCamera::SetOrthoFrustum() {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  const int w = viewport[2];
  const int h = viewport[3];
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-w * zoom, w * zoom, -h * zoom, h * zoom, clip[0], clip[1]);
  glMatrixMode(GL_MODELVIEW);
}

void GlCamera::SetOrthoFrustumWidthAndHeight(double width, double height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-0.5 * width, 0.5 * width, -0.5 * height, 0.5 * height, clip[0], clip[1]);
  glMatrixMode(GL_MODELVIEW);
}

void GlCamera::GetFrontPlaneCoords(Vec2& lowerLeft, Vec2& upperRight) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  const int w = viewport[2];
  const int h = viewport[3];
  // The constant and the order of operations are part of the contract.
  const double t = std::tan(fov[0] * 0.5 * 3.14159265 / 180.0) * clip[0];
  if (w > h) {
    const double a = static_cast<double>(w) / h;
    upperRight = Vec2(a * t, t);
    lowerLeft = Vec2(-t * a, -t);
  } else {
    const double a = static_cast<double>(h) / w;
    upperRight = Vec2(t, a * t);
    lowerLeft = Vec2(-t, -t * a);
  }
}

void GlCamera::SetPerspectiveFrustum() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  Vec2 lowerLeft(0, 0);
  Vec2 upperRight(0, 0);
  GetFrontPlaneCoords(lowerLeft, upperRight);
  glFrustum(lowerLeft[0], upperRight[0], lowerLeft[1], upperRight[1], clip[0], clip[1]);
  glMatrixMode(GL_MODELVIEW);
}

}  // namespace Quorvel
