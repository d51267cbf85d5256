#include "CrossSectionView.h"

#include "Overlay.h"
#include "PanoramicView.h"
#include "Style.h"

#include <GL/gl.h>

namespace Demo {
namespace {

constexpr double kMarkArm = 2.0;  // mm, the arms of the panorama point's cross

}  // namespace

PlaneFraming CrossSectionView::Fitted(const Scene& scene, const Viewport& viewport) {
  return FitImage(scene.Images().CrossSection(), scene.Images().Bottom(), viewport);
}

PlaneFraming CrossSectionView::Framing(const Scene& scene, const Viewport& viewport) {
  return Fitted(scene, viewport).Moved(scene.Controls().crossSection);
}

void CrossSectionView::Render(Scene& scene, const Viewport& viewport, Resources& resources) {
  if (scene.HasArch()) {
    Framing(scene, viewport).Load(camera);
    DrawImage(resources.crossSection, scene.CrossSection(), scene.Images().Bottom());
    DrawMarks(scene);
  }
  DrawLabels(scene, viewport, resources);
}

// The band's edges upright, the axial slice's height across, and a cross
// on the panorama point.
void CrossSectionView::DrawMarks(const Scene& scene) {
  const double half = scene.Region().bandWidth * 0.5;
  const double bottom = scene.Images().Bottom();
  const GreyImage& image = scene.Images().CrossSection();
  const double top = bottom + image.Height() * image.pixelHeight;
  const Vec3& p = scene.Position();
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glLineWidth(1.0f);
  glBegin(GL_LINES);
  glColor3dv(Style::kBand.Data());
  for (double x : {-half, half}) glVertex2d(x, bottom), glVertex2d(x, top);
  glColor3dv(Style::kAxialPlane.Data());
  glVertex2d(-kCrossSectionWidth * 0.5, p[2]);
  glVertex2d(kCrossSectionWidth * 0.5, p[2]);
  glColor3dv(Style::kCrosshair.Data());
  glVertex2d(p[1] - kMarkArm, p[2] + kMarkArm);
  glVertex2d(p[1] + kMarkArm, p[2] - kMarkArm);
  glVertex2d(p[1] - kMarkArm, p[2] - kMarkArm);
  glVertex2d(p[1] + kMarkArm, p[2] + kMarkArm);
  glEnd();
}

void CrossSectionView::DrawLabels(const Scene& scene, const Viewport& viewport, Resources& resources) {
  BeginOverlay(viewport);
  Label(resources.title, 14, viewport.height - 26, Style::kTitle, "Cross-section");
  if (!scene.HasArch()) return;
  Label(resources.label, 14, viewport.height - 46, Style::kText,
        "at " + Fixed(scene.Position()[0], 1) + " mm, " + Fixed(kCrossSectionWidth, 0) + " mm wide");
}

}  // namespace Demo
