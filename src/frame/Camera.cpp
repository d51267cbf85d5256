#include <quorvel/Camera.h>

using Brantel::Geometry::CrossProduct;

Camera::Camera() : eye(0, 1, 0), focus(0, 0, 0), up(0, 0, 1), clip(0, 1), fov(0.7, 0.7), zoom(1) {}

Camera::~Camera() = default;

void Camera::SetEye(const Vec3& e) { eye = e; }
void Camera::SetFocus(const Vec3& f) { focus = f; }
void Camera::SetDirectionUp(const Vec3& u) { up = u; }
void Camera::SetClipPlanes(const Vec2& c) { clip = c; }
void Camera::SetClipDistance(double d, double h) { clip = Vec2(d - h, d + h); }
void Camera::SetFOV(const Vec2& f) { fov = f; }
void Camera::SetFOV(double a) { fov = Vec2(a, a); }
void Camera::SetZoom(double z) { zoom = z; }

Camera::Vec3 Camera::DirectionEye() const {
  Vec3 d = eye - focus;
  d.Normalize();
  return d;
}

Camera::Vec3 Camera::DirectionUp() const {
  Vec3 d = up;
  d.Normalize();
  return d;
}

Camera::Vec3 Camera::DirectionRight() const {
  Vec3 d = CrossProduct(up, eye - focus);
  d.Normalize();
  return d;
}
