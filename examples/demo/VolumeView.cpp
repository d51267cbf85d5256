#include "VolumeView.h"

#include "Overlay.h"
#include "RegionSetup.h"
#include "Style.h"

#include <GL/gl.h>

namespace Demo {
namespace {

using Brantel::Geometry::Vector2;

const Vec3 kViewDirection(0.50, 1.0, 0.62);
constexpr double kViewDistance = 2.25;  // in volume diagonals
constexpr double kFieldOfView = 24.0;    // degrees across the view's height

}  // namespace

void LoadVolumeCamera(Quorvel::GlCamera& camera, const Vec3& volumeSize) {
  Vec3 direction = kViewDirection;
  direction.Normalize();
  const double distance = volumeSize.Length() * kViewDistance;
  const Vec3 focus(0.0, 0.0, volumeSize[2] * 0.03);
  camera.SetFocus(focus);
  camera.SetEye(focus + direction * distance);
  camera.SetDirectionUp(Vec3(0.0, 0.0, 1.0));
  camera.SetClipPlanes(Vector2<double>(distance * 0.3, distance * 2.0));
  camera.SetFOV(kFieldOfView);
  camera.SetPerspectiveFrustum();
  camera.SetLookAt();
}

VolumeView::VolumeView(const Scene& scene) {
  volume.SetVolumeSize(scene.VolumeSize());
  volume.SetBoxColor(Style::kBox);
  volume.SetPlaneColor(Style::kAxialPlane);
  volume.SetLineThickness(1.5);

  SetUpRegion(region, scene);

  const double length = scene.VolumeSize()[2] * 0.25;
  axes.AddAxis(Vec3(length, 0.0, 0.0), Vec3(1.0, 0.2, 0.2));
  axes.AddAxis(Vec3(0.0, length, 0.0), Vec3(0.2, 1.0, 0.2));
  axes.AddAxis(Vec3(0.0, 0.0, length), Vec3(0.3, 0.45, 1.0));
}

void VolumeView::Render(Scene& scene, const Viewport& viewport, Resources& resources) {
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glClear(GL_DEPTH_BUFFER_BIT);
  LoadVolumeCamera(camera, scene.VolumeSize());
  volume.RenderBox();
  volume.RenderPlane(Vec3(0.0, 0.0, scene.SliceZ()), Vec3(1.0, 0.0, 0.0), Vec3(0.0, 1.0, 0.0));
  DrawSlice(scene, resources);
  if (scene.HasArch()) DrawRegion(scene);
  DrawAxes(scene);
  glDisable(GL_DEPTH_TEST);
  DrawLabels(scene, viewport, resources);
}

// The slice at its height, pushed slightly back in depth so that the lines
// lying in its plane stay in front of it. The alpha test drops what the
// lookup table made transparent (the air around the head); the mapper
// saves and restores it with the colour-buffer attributes.
void VolumeView::DrawSlice(Scene& scene, Resources& resources) {
  Vec3 origin, xEdge, yEdge;
  scene.SlicePlane(origin, xEdge, yEdge);
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1.0f, 2.0f);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
  resources.slice.RenderTexture(origin + Vec3(0.0, 0.0, scene.SliceZ()), xEdge, yEdge);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_POLYGON_OFFSET_FILL);
}

// The band lies in the slice's plane; its slices stand upright through it.
void VolumeView::DrawRegion(const Scene& scene) {
  glLineWidth(1.5f);
  glPushMatrix();
  glTranslated(0.0, 0.0, scene.SliceZ());
  region.RenderRegion();
  glPopMatrix();
  region.RenderSlices(scene.Position(), Vec3(0.0, 0.0, 1.0));
  glLineWidth(1.0f);
}

// Axis arrows on the back top corner of the volume (the one the slice does
// not hide), lit by a light above and to the right of the viewer.
void VolumeView::DrawAxes(const Scene& scene) {
  const GLfloat position[] = {0.5f, 0.8f, 1.0f, 0.0f};
  const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
  const GLfloat ambient[] = {0.25f, 0.25f, 0.25f, 1.0f};
  glPushMatrix();
  glLoadIdentity();
  glLightfv(GL_LIGHT0, GL_POSITION, position);
  glPopMatrix();
  glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_NORMALIZE);
  glPushMatrix();
  glTranslated(-scene.VolumeSize()[0] * 0.5, -scene.VolumeSize()[1] * 0.5, scene.VolumeSize()[2] * 0.5);
  axes.Render();
  glPopMatrix();
  glDisable(GL_NORMALIZE);
  glDisable(GL_LIGHT0);
  glDisable(GL_LIGHTING);
}

void VolumeView::DrawLabels(const Scene& scene, const Viewport& viewport, Resources& resources) {
  BeginOverlay(viewport);
  const Vec3 size = scene.VolumeSize();
  Label(resources.title, 14, viewport.height - 26, Style::kTitle, "3D");
  Label(resources.label, 14, viewport.height - 46, Style::kText,
        "volume " + Fixed(size[0], 0) + " x " + Fixed(size[1], 0) + " x " + Fixed(size[2], 0) + " mm");
  Label(resources.label, 14, 16, Style::kAxialPlane, "axial plane  z " + Fixed(scene.SliceZ(), 1) + " mm");
}

}  // namespace Demo
