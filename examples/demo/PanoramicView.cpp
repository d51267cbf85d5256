#include "PanoramicView.h"

#include "Orientation.h"
#include "Overlay.h"
#include "Style.h"

#include <GL/gl.h>

namespace Demo {
namespace {

// The outer corner of the image's pixel (0, 0) and its extent.
void ImagePlacement(const GreyImage& image, double bottom, Vec3& corner, Vec3& size) {
  size = Vec3(image.Width() * image.pixelWidth, image.Height() * image.pixelHeight, 0.0);
  corner = Vec3(-size[0] * 0.5, bottom - image.pixelHeight * 0.5, 0.0);
}

}  // namespace

PlaneFraming FitImage(const GreyImage& image, double bottom, const Viewport& viewport) {
  Vec3 corner, size;
  ImagePlacement(image, bottom, corner, size);
  return PlaneFraming::Fit(corner + size * 0.5, size[0], size[1], viewport);
}

void DrawImage(Quorvel::Gl2DTextureMapper& mapper, const GreyImage& image, double bottom) {
  Vec3 corner, size;
  ImagePlacement(image, bottom, corner, size);
  mapper.RenderTexture(corner, Vec3(size[0], 0.0, 0.0), Vec3(0.0, size[1], 0.0));
}

PlaneFraming PanoramicView::Fitted(const Scene& scene, const Viewport& viewport) {
  return FitImage(scene.Images().Panoramic(), scene.Images().Bottom(), viewport);
}

PlaneFraming PanoramicView::Framing(const Scene& scene, const Viewport& viewport) {
  return Fitted(scene, viewport).Moved(scene.Controls().panoramic);
}

void PanoramicView::Render(Scene& scene, const Viewport& viewport, Resources& resources) {
  if (scene.HasArch()) {
    Framing(scene, viewport).Load(camera);
    DrawImage(resources.panoramic, scene.Panoramic(), scene.Images().Bottom());
    DrawMarks(scene);
  }
  DrawLabels(scene, viewport, resources);
}

// The axial slice's height across the image, the transversal slices as
// upright lines and the inspection window as a frame around the position.
void PanoramicView::DrawMarks(const Scene& scene) {
  const RegionSettings& r = scene.Region();
  const Vec3& p = scene.Position();
  const double length = scene.Arch().Length();
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
  const int top = viewport.height;
  Label(resources.title, 14, top - 26, Style::kTitle, "Panoramic");
  if (!scene.HasArch()) {
    Label(resources.label, 14, top - 46, Style::kText,
          resources.interactive ? "no arch: click points along the arch in the axial view"
                                : "no arch: --arch \"x,y;x,y;...\" (mm, patient coordinates) gives one");
    return;
  }
  const RegionSettings& r = scene.Region();
  Label(resources.label, 14, top - 46, Style::kText,
        "arch " + Fixed(scene.Arch().Length(), 1) + " mm, band " + Fixed(r.bandWidth, 0) + " mm");
  Label(resources.label, 14, 16, Style::kInspection,
        "inspection window " + Fixed(r.windowLength, 0) + " x " + Fixed(r.windowHeight, 0) + " mm");
  if (!scene.Volume().Series().oriented) return;
  const Vec3 towardsFirst = scene.Arch().Samples().front() - scene.Arch().Samples().back();
  const Vec3 left = scene.Volume().PatientDirection(towardsFirst);
  Label(resources.title, 10, top / 2, Style::kText, DirectionLetter(left));
  Label(resources.title, viewport.width - 22, top / 2, Style::kText, DirectionLetter(left * -1.0));
}

}  // namespace Demo
