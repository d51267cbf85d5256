#include <quorvel/GlPanoramaRegion3D.h>

#include "BandOutline.h"
#include "WindowWalk.h"
#include "frame/GlScopes.h"

#include <GL/gl.h>

#include <vector>

namespace Quorvel {

GlPanoramaRegion3D::~GlPanoramaRegion3D() = default;

void GlPanoramaRegion3D::RenderRegion() {
  if (!spline) return;
  Panorama::RenderBandOutline(*spline, halfWidth, borderColor, glState, false);
}

void GlPanoramaRegion3D::RenderSlices(const Vec3& position, const Vec3& heightDirection) {
  if (!spline) return;
  const AttributeScope attributes(kLineDrawingAttributes);
  glState.SetSmoothLines(false);
  const double halfHeight = inspectionWindowHeight * 0.5;
  const int half = sliceCount / 2;
  glDisable(GL_LIGHTING);
  for (int j = -half; j < sliceCount - half; ++j) DrawSlice(j, position, heightDirection * halfHeight);
  DrawInspectionWindow(position, halfHeight);
}

// An upright rectangle across the band; the lookups clamp a slice beyond an
// end of the curve onto that end.
void GlPanoramaRegion3D::DrawSlice(int j, const Vec3& position, const Vec3& h) {
  Vec3 first, second;
  GetOuterPoints(PanoramaPosPToUnit(static_cast<double>(j) * sliceSpacing + position[0]), first, second);
  first[2] = position[2];
  second[2] = position[2];
  glColor3dv(tsaColor.Data());
  glBegin(GL_LINE_LOOP);
  glVertex3dv((first + h).Data());
  glVertex3dv((second + h).Data());
  glVertex3dv((second - h).Data());
  glVertex3dv((first - h).Data());
  glEnd();
}

// The window's points are all looked up before glBegin, so a throwing lookup
// never leaves a primitive open. The loop runs forward and back over the same
// points, hence the list (bounded by the walk's step limit).
void GlPanoramaRegion3D::DrawInspectionWindow(const Vec3& position, double halfHeight) {
  double s, e;
  GetInspectionWindowRange(PanoramaPosPToUnit(position[0]), s, e);
  std::vector<Vec3> points;
  Panorama::WalkWindow(s, e, [&](double c) {
    Vec3 first, second, p;
    GetOuterPoints(c, first, second);
    GetOffsetPoint(position[1], first, second, p);
    p[2] = position[2];
    points.push_back(p);
  });
  glColor3dv(iwColor.Data());
  glBegin(GL_LINE_LOOP);
  for (auto it = points.begin(); it != points.end(); ++it) {
    Vec3 v = *it;
    v[2] = (*it)[2] + halfHeight;
    glVertex3dv(v.Data());
  }
  for (auto it = points.rbegin(); it != points.rend(); ++it) {
    Vec3 v = *it;
    v[2] = (*it)[2] - halfHeight;
    glVertex3dv(v.Data());
  }
  glEnd();
}

}  // namespace Quorvel
