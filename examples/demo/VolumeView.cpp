#include "VolumeView.h"

#include "Overlay.h"
#include "RegionSetup.h"
#include "Style.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

using Brantel::Geometry::Vector2;

constexpr double kViewDistance = 2.25;  // in volume diagonals, at zoom 1
constexpr double kFieldOfView = 24.0;   // degrees across the view's smaller side

double EyeDistance(const Scene& scene) {
  return scene.Volume().Extent().Length() * kViewDistance / scene.Controls().volume.zoom;
}

}  // namespace

VolumeView::VolumeView(const Scene& scene) {
  volume.SetVolumeSize(scene.Volume().Extent());
  volume.SetBoxColor(Style::kBox);
  volume.SetPlaneColor(Style::kAxialPlane);
  volume.SetLineThickness(1.5);

  const double length = scene.Volume().Extent()[2] * 0.25;
  axes.AddAxis(Vec3(length, 0.0, 0.0), Vec3(1.0, 0.2, 0.2));
  axes.AddAxis(Vec3(0.0, length, 0.0), Vec3(0.2, 1.0, 0.2));
  axes.AddAxis(Vec3(0.0, 0.0, length), Vec3(0.3, 0.45, 1.0));
}

double VolumeView::PixelAtFocus(const Scene& scene, const Viewport& viewport) {
  const double half = std::tan(kFieldOfView * 0.5 * 3.14159265358979323846 / 180.0);
  return 2.0 * EyeDistance(scene) * half / std::max(std::min(viewport.width, viewport.height), 1);
}

// Perspective, around the volume's centre moved by the user's pan.
void VolumeView::LoadCamera(const Scene& scene) {
  const Orbit& orbit = scene.Controls().volume;
  const double distance = EyeDistance(scene);
  const Vec3 focus = scene.Volume().Centre() + orbit.pan;
  camera.SetFocus(focus);
  camera.SetEye(focus + orbit.EyeDirection() * distance);
  camera.SetDirectionUp(orbit.Up());
  const double depth = scene.Volume().Extent().Length();
  camera.SetClipPlanes(Vector2<double>(std::max(distance - depth, distance * 0.05), distance + depth));
  camera.SetFOV(kFieldOfView);
  camera.SetPerspectiveFrustum();
  camera.SetLookAt();
}

void VolumeView::Render(Scene& scene, const Viewport& viewport, Resources& resources) {
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glClear(GL_DEPTH_BUFFER_BIT);
  LoadCamera(scene);
  const Vec3 centre = scene.Volume().Centre();
  glPushMatrix();
  glTranslated(centre[0], centre[1], centre[2]);
  volume.RenderBox();
  volume.RenderPlane(Vec3(0.0, 0.0, scene.SliceZ() - centre[2]), Vec3(1.0, 0.0, 0.0), Vec3(0.0, 1.0, 0.0));
  glPopMatrix();
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
  const Vec3 corner = scene.Volume().Corner(), extent = scene.Volume().Extent();
  glEnable(GL_POLYGON_OFFSET_FILL);
  glPolygonOffset(1.0f, 2.0f);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.5f);
  resources.slice.RenderTexture(Vec3(corner[0], corner[1], scene.SliceZ()), Vec3(extent[0], 0.0, 0.0),
                                Vec3(0.0, extent[1], 0.0));
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_POLYGON_OFFSET_FILL);
}

// The band lies in the slice's plane; its slices stand upright through it.
void VolumeView::DrawRegion(const Scene& scene) {
  SetUpRegion(region, scene);
  glLineWidth(1.5f);
  glPushMatrix();
  glTranslated(0.0, 0.0, scene.SliceZ());
  region.RenderRegion();
  glPopMatrix();
  region.RenderSlices(scene.Position(), Vec3(0.0, 0.0, 1.0));
  glLineWidth(1.0f);
}

// Axis arrows on the top corner at the far end of x and y, lit by a light
// above and to the right of the viewer.
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
  const Vec3 corner = scene.Volume().Corner() + scene.Volume().Extent();
  glTranslated(corner[0], corner[1], corner[2]);
  axes.Render();
  glPopMatrix();
  glDisable(GL_NORMALIZE);
  glDisable(GL_LIGHT0);
  glDisable(GL_LIGHTING);
}

void VolumeView::DrawLabels(const Scene& scene, const Viewport& viewport, Resources& resources) {
  BeginOverlay(viewport);
  const Vec3 size = scene.Volume().Extent();
  Label(resources.title, 14, viewport.height - 26, Style::kTitle, "3D");
  Label(resources.label, 14, viewport.height - 46, Style::kText,
        "volume " + Fixed(size[0], 0) + " x " + Fixed(size[1], 0) + " x " + Fixed(size[2], 0) + " mm");
  Label(resources.label, 14, 16, Style::kAxialPlane, "axial plane  z " + Fixed(scene.SliceZ(), 1) + " mm");
  if (resources.interactive)
    Label(resources.label, 14, 34, Style::kText, "drag: turn   right or middle drag: pan   wheel: zoom");
}

}  // namespace Demo
