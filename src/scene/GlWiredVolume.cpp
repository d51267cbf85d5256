#include <quorvel/GlWiredVolume.h>

#include "ClipPolygonByPlane.h"
#include "frame/GlScopes.h"

#include <GL/gl.h>

namespace Quorvel {
namespace {

void Vertex(const GlWiredVolume::Vec3& v) { glVertex3dv(v.Data()); }

}  // namespace

GlWiredVolume::GlWiredVolume() : lineThickness(1.0) {}

GlWiredVolume::GlWiredVolume(const GlWiredVolume& other) = default;

GlWiredVolume& GlWiredVolume::operator=(const GlWiredVolume& other) = default;

GlWiredVolume::~GlWiredVolume() = default;

void GlWiredVolume::SetLineThickness(double thickness) { lineThickness = thickness; }

void GlWiredVolume::SetBoxColor(const Vec3& color) {
  if (&color != &boxColor) boxColor = color;
}

void GlWiredVolume::SetPlaneColor(const Vec3& color) {
  if (&color != &planeColor) planeColor = color;
}

void GlWiredVolume::SetVolumeSize(const Vec3& size) {
  volumeSize = size;
  const Vec3 h = size * 0.5 - Vec3(1.0, 1.0, 1.0);
  corners = {Vec3(-h[0], -h[1], -h[2]), Vec3(h[0], -h[1], -h[2]), Vec3(h[0], h[1], -h[2]), Vec3(-h[0], h[1], -h[2]),
             Vec3(-h[0], -h[1], h[2]),  Vec3(h[0], -h[1], h[2]),  Vec3(h[0], h[1], h[2]),  Vec3(-h[0], h[1], h[2])};
  const Vec3 half = size * 0.5;
  faceCenters = {Vec3(0.0, 0.0, half[2]), Vec3(0.0, 0.0, -half[2]), Vec3(0.0, half[1], 0.0),
                 Vec3(0.0, -half[1], 0.0), Vec3(half[0], 0.0, 0.0), Vec3(-half[0], 0.0, 0.0)};
  faceNormals = {Vec3(0.0, 0.0, 1.0), Vec3(0.0, 0.0, -1.0), Vec3(0.0, 1.0, 0.0),
                 Vec3(0.0, -1.0, 0.0), Vec3(1.0, 0.0, 0.0), Vec3(-1.0, 0.0, 0.0)};
}

void GlWiredVolume::RenderBox() {
  const AttributeScope attributes(kLineDrawingAttributes);
  glState.SetSmoothLines(false);
  glLineWidth(1.0f);
  glLineWidth(static_cast<GLfloat>(lineThickness));
  glColor3dv(boxColor.Data());
  glBegin(GL_LINE_LOOP);
  for (int i = 0; i < 4; ++i) Vertex(corners[i]);
  glEnd();
  glBegin(GL_LINE_LOOP);
  for (int i = 4; i < 8; ++i) Vertex(corners[i]);
  glEnd();
  glBegin(GL_LINES);
  for (int i = 0; i < 4; ++i) {
    Vertex(corners[i]);
    Vertex(corners[i + 4]);
  }
  glEnd();
}

void GlWiredVolume::RenderPlane(const Vec3& center, const Vec3& axisU, const Vec3& axisV) {
  // Everything that allocates happens before the attributes are pushed, so a
  // std::bad_alloc leaves the attribute stack as it was.
  BuildPlaneOutline(center, axisU, axisV);
  const AttributeScope attributes(kLineDrawingAttributes);
  glState.SetSmoothLines(false);
  glLineWidth(1.0f);
  glLineWidth(static_cast<GLfloat>(lineThickness));
  glColor3dv(planeColor.Data());
  glBegin(GL_LINE_LOOP);
  for (const Vec3& point : planeOutline) Vertex(point);
  glEnd();
}

void GlWiredVolume::BuildPlaneOutline(const Vec3& center, const Vec3& axisU, const Vec3& axisV) {
  planeOutline.clear();
  // No point of the volume is farther than s from a center inside it.
  const double s = (volumeSize[1] + volumeSize[0]) + volumeSize[2];
  const Vec3 u = axisU * s;
  const Vec3 v = axisV * s;
  planeOutline.push_back((center - u) - v);
  planeOutline.push_back((center + u) - v);
  planeOutline.push_back((center + u) + v);
  planeOutline.push_back((center - u) + v);
  for (std::size_t i = 0; i < faceCenters.size() && !planeOutline.empty(); ++i)
    ClipPolygonByPlane(faceCenters[i], faceNormals[i], planeOutline);
}

}  // namespace Quorvel
