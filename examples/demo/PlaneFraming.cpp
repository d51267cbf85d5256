#include "PlaneFraming.h"

#include <algorithm>

namespace Demo {
namespace {

constexpr double kMargin = 1.04;
constexpr double kEyeDistance = 100.0;  // mm from the plane; the clip range holds it

}  // namespace

PlaneFraming PlaneFraming::Fit(const Vec3& centre, double width, double height, const Viewport& viewport,
                               const Vec3& right, const Vec3& up) {
  const double pixel = std::max(width / std::max(viewport.width, 1), height / std::max(viewport.height, 1));
  return {centre, right, up, std::max(pixel * kMargin, 1e-6)};
}

PlaneFraming PlaneFraming::Moved(const PanZoom& p) const {
  return {centre + right * p.right + up * p.up, right, up, pixel / p.zoom};
}

Vec3 PlaneFraming::At(const Viewport& viewport, double x, double y) const {
  return centre + right * ((x - viewport.CentreX()) * pixel) + up * ((y - viewport.CentreY()) * pixel);
}

void PlaneFraming::Load(Quorvel::GlCamera& camera) const {
  camera.SetFocus(centre);
  camera.SetEye(centre + CrossProduct(right, up) * kEyeDistance);
  camera.SetDirectionUp(up);
  camera.SetClipPlanes(Brantel::Geometry::Vector2<double>(1.0, kEyeDistance * 2.0));
  camera.SetZoom(pixel * 0.5);  // GlCamera: one pixel is 2 · zoom world units
  camera.SetOrthoFrustum();
  camera.SetLookAt();
}

void ZoomAbout(PanZoom& p, const PlaneFraming& fitted, const Viewport& viewport, double x, double y, double factor) {
  const Vec3 held = fitted.Moved(p).At(viewport, x, y);
  p.zoom = std::clamp(p.zoom * factor, 0.25, 32.0);
  const double pixel = fitted.pixel / p.zoom;
  p.right = DotProduct(held - fitted.centre, fitted.right) - (x - viewport.CentreX()) * pixel;
  p.up = DotProduct(held - fitted.centre, fitted.up) - (y - viewport.CentreY()) * pixel;
}

void PanBy(PanZoom& p, const PlaneFraming& fitted, double dx, double dy) {
  const double pixel = fitted.pixel / p.zoom;
  p.right -= dx * pixel;
  p.up -= dy * pixel;
}

}  // namespace Demo
