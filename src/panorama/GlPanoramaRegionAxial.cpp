#include <quorvel/GlPanoramaRegionAxial.h>

#include "BandOutline.h"
#include "WindowWalk.h"
#include "frame/GlScopes.h"

#include <GL/gl.h>

namespace Quorvel {
namespace {

using Vec3 = Brantel::Geometry::Vector3<double>;

const Vec3 kUp(0, 0, 1);

// The end of a line drawn from `end` toward `target` that stops `gap` short
// of it (or at `end` if the gap is longer than the line). The line from the
// far side, b - (b - p)·k, is the same computation: b - p is exactly
// -(p - b) in floating point.
Vec3 StopShortOf(const Vec3& end, const Vec3& target, double gap) {
  Vec3 d = target - end;
  const double l = d.Length();
  d.Normalize();
  double k = l - gap;
  if (k < 0) k = 0;
  return end + d * k;
}

void DrawLines(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d) {
  glBegin(GL_LINES);
  glVertex3dv(a.Data());
  glVertex3dv(b.Data());
  glVertex3dv(c.Data());
  glVertex3dv(d.Data());
  glEnd();
}

// Unit vector along the curve: perpendicular, in the plane z = 0, to the line
// between the two edge points.
Vec3 AlongCurve(const Vec3& first, const Vec3& second) {
  Vec3 t = CrossProduct(first - second, kUp);
  t.Normalize();
  return t;
}

}  // namespace

GlPanoramaRegionAxial::~GlPanoramaRegionAxial() = default;

void GlPanoramaRegionAxial::RenderRegion() {
  if (!spline) return;
  Panorama::RenderBandOutline(*spline, halfWidth, borderColor, glState, true);
}

void GlPanoramaRegionAxial::RenderSlices(const Vec3& position) {
  if (!spline) return;
  const AttributeScope attributes(kLineDrawingAttributes);
  glState.SetSmoothLines(true);
  const int half = sliceCount / 2;
  const double gapTSA = static_cast<double>(tsaGapInPixels) * sampling[0];
  for (int j = -half; j < sliceCount - half; ++j) DrawSlice(j, position, gapTSA);

  const double u0 = PanoramaPosPToUnit(position[0]);
  Vec3 first, second, center;
  GetFlatPoints(u0, position[1], first, second, center);
  DrawLsaLine(center, first, second, static_cast<double>(lsaGapInPixels) * sampling[0]);
  // The LSA line's lookups succeeded, so no lookup of the window can throw
  // while its line strip is open.
  DrawInspectionWindow(u0, position, center, static_cast<double>(iwGapInPixels) * sampling[0]);
}

// The edge points at u flattened to z = 0, and the point at `offset` across.
void GlPanoramaRegionAxial::GetFlatPoints(double u, double offset, Vec3& first, Vec3& second,
                                          Vec3& point) const {
  GetOuterPoints(u, first, second);
  first[2] = 0;
  second[2] = 0;
  GetOffsetPoint(offset, first, second, point);
}

void GlPanoramaRegionAxial::DrawSlice(int j, const Vec3& position, double gap) {
  const double u = PanoramaPosPToUnit(static_cast<double>(j) * sliceSpacing + position[0]);
  if (u < 0 || u > 1) return;
  Vec3 first, second, center;
  GetFlatPoints(u, position[1], first, second, center);
  glColor3dv(tsaColor.Data());
  if (j == 0) {
    DrawLines(first, StopShortOf(first, center, gap), StopShortOf(second, center, gap), second);
    return;
  }
  const Vec3 q = (second - first) * 0.25;
  DrawLines(first, first + q, second - q, second);
  // The sign, outside the band beyond the first edge: a bar along the curve,
  // crossed by a bar across it for the slices after the central one.
  const Vec3 m = first - q * 0.5;
  const Vec3 t = AlongCurve(first, second);
  Vec3 r = q;
  r.Normalize();
  glBegin(GL_LINES);
  glVertex3dv((m - t).Data());
  glVertex3dv((m + t).Data());
  if (j > 0) {
    glVertex3dv((m - r).Data());
    glVertex3dv((m + r).Data());
  }
  glEnd();
}

void GlPanoramaRegionAxial::DrawLsaLine(const Vec3& center, const Vec3& first, const Vec3& second,
                                        double gap) {
  const Vec3 h = AlongCurve(first, second) * (inspectionWindowLength * 0.5);
  glColor3dv(lsaColor.Data());
  const Vec3 a1 = center + h;
  const Vec3 a2 = center - h;
  DrawLines(a1, StopShortOf(a1, center, gap), StopShortOf(a2, center, gap), a2);
}

// Walks the parameter and draws at once: no list, no allocation.
void GlPanoramaRegionAxial::DrawInspectionWindow(double u0, const Vec3& position, const Vec3& center,
                                                 double gap) {
  const double limit = gap * gap;
  glColor3dv(iwColor.Data());
  double s, e;
  GetInspectionWindowRange(u0, s, e);
  glBegin(GL_LINE_STRIP);
  bool broken = false;
  Panorama::WalkWindow(s, e, [&](double v) {
    Vec3 first, second, p;
    GetFlatPoints(v, position[1], first, second, p);
    if (!((center - p).LengthSquared() < limit)) {
      glVertex3dv(p.Data());
    } else if (!broken) {
      glEnd();
      glBegin(GL_LINE_STRIP);
      broken = true;
    }
  });
  glEnd();
}

}  // namespace Quorvel
