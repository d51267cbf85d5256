#include "PanoramicView.h"

#include "Overlay.h"
#include "Style.h"

#include <GL/gl.h>

#include <algorithm>

namespace Demo {
namespace {

using Brantel::Geometry::Vector2;

constexpr double kMargin = 1.03;  // the image fills the view but for a thin frame

Vec3 ImageCentre() {
  const PanoramaGeometry geometry;
  return {0.0, (geometry.bottom + geometry.top) * 0.5, 0.0};
}

}  // namespace

double PanoramicView::PixelSize(const Scene& scene, const Viewport& viewport) const {
  const GreyImage& image = scene.Panoramic();
  const double width = image.Width() * image.pixelWidth * kMargin;
  const double height = image.Height() * image.pixelHeight * kMargin;
  return std::max(width / viewport.width, height / viewport.height);
}

void PanoramicView::PanoramaAt(const Scene& scene, const Viewport& viewport, double x, double y, double& along,
                               double& height) const {
  const double pixel = PixelSize(scene, viewport);
  const Vec3 centre = ImageCentre();
  along = -(centre[0] + (x - (viewport.x + viewport.width * 0.5)) * pixel);
  height = centre[1] + (y - (viewport.y + viewport.height * 0.5)) * pixel;
}

void PanoramicView::Render(Scene& scene, const Viewport& viewport, Resources& resources) {
  if (!scene.HasArch()) {
    BeginOverlay(viewport);
    Label(resources.title, 14, viewport.height - 26, Style::kTitle, "Panoramic");
    Label(resources.label, 14, viewport.height - 46, Style::kText, "no dental arch in a single DICOM image");
    return;
  }
  SetCamera(scene, viewport);
  const GreyImage& image = scene.Panoramic();
  const PanoramaGeometry geometry;
  const double length = (image.Width() - 1) * image.pixelWidth;
  const Vec3 origin(-length * 0.5 - image.pixelWidth * 0.5, geometry.bottom - image.pixelHeight * 0.5, 0.0);
  resources.panoramic.RenderTexture(origin, Vec3(image.Width() * image.pixelWidth, 0.0, 0.0),
                                    Vec3(0.0, image.Height() * image.pixelHeight, 0.0));
  DrawMarks(scene);
  DrawLabels(scene, viewport, resources);
}

void PanoramicView::SetCamera(Scene& scene, const Viewport& viewport) {
  const Vec3 centre = ImageCentre();
  camera.SetFocus(centre);
  camera.SetEye(centre + Vec3(0.0, 0.0, 100.0));
  camera.SetDirectionUp(Vec3(0.0, 1.0, 0.0));
  camera.SetClipPlanes(Vector2<double>(1.0, 200.0));
  camera.SetZoom(PixelSize(scene, viewport) * 0.5);
  camera.SetOrthoFrustum();
  camera.SetLookAt();
}

// The axial slice's height across the image, the transversal slices as
// upright lines and the inspection window as a frame around the position.
void PanoramicView::DrawMarks(const Scene& scene) {
  const RegionSettings& r = scene.Region();
  const Vec3& p = scene.Position();
  const double length = scene.GetPhantom().Arch().SampledLength();
  const double halfHeight = r.windowHeight * 0.5, halfLength = r.windowLength * 0.5;
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glLineWidth(1.0f);
  glBegin(GL_LINES);
  glColor3dv(Style::kAxialPlane.Data());
  glVertex2d(-length * 0.5, p[2]);
  glVertex2d(length * 0.5, p[2]);
  glColor3dv(Style::kTransversal.Data());
  const int half = r.sliceCount / 2;
  for (int j = -half; j < r.sliceCount - half; ++j) {
    const double x = -(p[0] + j * r.sliceSpacing);
    glVertex2d(x, p[2] - halfHeight);
    glVertex2d(x, p[2] + halfHeight);
  }
  glEnd();
  glLineWidth(2.0f);
  glColor3dv(Style::kInspection.Data());
  glBegin(GL_LINE_LOOP);
  glVertex2d(-p[0] - halfLength, p[2] - halfHeight);
  glVertex2d(-p[0] + halfLength, p[2] - halfHeight);
  glVertex2d(-p[0] + halfLength, p[2] + halfHeight);
  glVertex2d(-p[0] - halfLength, p[2] + halfHeight);
  glEnd();
  glLineWidth(1.0f);
}

void PanoramicView::DrawLabels(const Scene& scene, const Viewport& viewport, Resources& resources) {
  BeginOverlay(viewport);
  const RegionSettings& r = scene.Region();
  Label(resources.title, 14, viewport.height - 26, Style::kTitle, "Panoramic");
  Label(resources.label, 14, viewport.height - 46, Style::kText,
        "arch " + Fixed(scene.GetPhantom().Arch().SampledLength(), 1) + " mm, band " + Fixed(r.bandWidth, 0) +
            " mm");
  Label(resources.label, 14, 16, Style::kInspection,
        "inspection window " + Fixed(r.windowLength, 0) + " x " + Fixed(r.windowHeight, 0) + " mm");
  Label(resources.title, 10, viewport.height / 2, Style::kText, "R");
  Label(resources.title, viewport.width - 22, viewport.height / 2, Style::kText, "L");
}

}  // namespace Demo
