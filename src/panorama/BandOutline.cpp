#include "BandOutline.h"

#include "frame/GlScopes.h"

#include <GL/gl.h>

#include <algorithm>
#include <vector>

namespace Quorvel {
namespace Panorama {
namespace {

using Vec3 = Brantel::Geometry::Vector3<double>;

Vec3 Flat(Vec3 v) {
  v[2] = 0;
  return v;
}

// One edge: samples moved along their normals by side · halfWidth.
void DrawEdge(const std::vector<Vec3>& points, const std::vector<Vec3>& normals, double halfWidth,
              const Vec3& color, double side) {
  const std::size_t count = std::min(points.size(), normals.size());
  glBegin(GL_LINE_STRIP);
  glColor3dv(color.Data());
  for (std::size_t j = 0; j < count; ++j) {
    const Vec3 v = Flat(points[j] + (normals[j] * halfWidth) * side);
    glVertex3dv(v.Data());
  }
  glEnd();
}

void DrawCap(const Vec3& point, const Vec3& normal, double halfWidth) {
  const Vec3 first = Flat(point + normal * halfWidth);
  const Vec3 second = Flat(point - normal * halfWidth);
  glBegin(GL_LINES);
  glVertex3dv(first.Data());
  glVertex3dv(second.Data());
  glEnd();
}

}  // namespace

void RenderBandOutline(const Brantel::Geometry::CSplineBase<Vec3>& spline, double halfWidth,
                       const Vec3& color, GlState& state, bool smoothLines) {
  // Copied before the attribute push (no GL command depends on them), so an
  // empty sequence can skip the call entirely.
  const std::vector<Vec3> points = spline.GetSamplingPoints();
  const std::vector<Vec3> normals = spline.GetSamplingNormals();
  if (points.empty() || normals.empty()) return;
  const AttributeScope attributes(kLineDrawingAttributes);
  state.SetSmoothLines(smoothLines);
  DrawEdge(points, normals, halfWidth, color, -1);
  DrawEdge(points, normals, halfWidth, color, 1);
  glColor3dv(color.Data());
  DrawCap(points.front(), normals.front(), halfWidth);
  DrawCap(points.back(), normals.back(), halfWidth);
}

}  // namespace Panorama
}  // namespace Quorvel
