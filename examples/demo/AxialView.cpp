#include "AxialView.h"

#include "Orientation.h"
#include "Overlay.h"
#include "RegionSetup.h"
#include "Style.h"

#include <GL/gl.h>

namespace Demo {
namespace {

using Brantel::Geometry::Vector2;

// Where a world point of the plane appears, in pixels of the viewport.
void PixelOf(const PlaneFraming& f, const Viewport& v, const Vec3& world, int& x, int& y) {
  x = int(v.width * 0.5 + DotProduct(world - f.centre, f.right) / f.pixel);
  y = int(v.height * 0.5 + DotProduct(world - f.centre, f.up) / f.pixel);
}

}  // namespace

AxialView::AxialView() {
  region.SetLSAColor(Style::kLsa);
  region.SetTSAGapInPixels(Style::kRegionGap);
  region.SetLSAGapInPixels(Style::kRegionGap);
  region.SetIWGapInPixels(Style::kRegionGap);

  crosshair.SetColor(Style::kCrosshair);
  crosshair.SetAxes(Vec3(1.0, 0.0, 0.0), Vec3(0.0, 1.0, 0.0));
  crosshair.SetGap(Style::kCrosshairGap);
  crosshair.SetTicks(8, Style::kTickHalfLength, Style::kTickSpacing);

  ruler.SetColor(Style::kRuler);
  ruler.SetMinorTicsCount(9);

  circle.SetColor(Style::kArchPoint);
  circle.SetLineStipple(Quorvel::GlCircle::LINE_SOLID);
}

// Looking at the plane from the feet (the eye on the side of −z): screen
// right is world +x, screen up world −y.
PlaneFraming AxialView::Fitted(const Scene& scene, const Viewport& viewport) {
  const Vec3& size = scene.AxialFocusSize();
  return PlaneFraming::Fit(scene.AxialFocusCentre(), size[0], size[1], viewport, Vec3(1.0, 0.0, 0.0),
                           Vec3(0.0, -1.0, 0.0));
}

PlaneFraming AxialView::Framing(const Scene& scene, const Viewport& viewport) {
  return Fitted(scene, viewport).Moved(scene.Controls().axial);
}

void AxialView::Render(Scene& scene, const Viewport& viewport, Resources& resources) {
  const PlaneFraming framing = Framing(scene, viewport);
  framing.Load(camera);
  DrawSlice(scene, resources);
  if (scene.HasArch()) {
    DrawRegion(scene, framing.pixel);
    DrawRuler(scene);
  }
  DrawArchPoints(scene, framing.pixel);
  if (scene.HasArch()) DrawCrosshair(scene, framing.pixel);
  DrawLabels(scene, viewport, framing, resources);
}

void AxialView::DrawSlice(Scene& scene, Resources& resources) {
  const Vec3 corner = scene.Volume().Corner(), extent = scene.Volume().Extent();
  resources.slice.RenderTexture(Vec3(corner[0], corner[1], 0.0), Vec3(extent[0], 0.0, 0.0),
                                Vec3(0.0, extent[1], 0.0));
}

void AxialView::DrawRegion(const Scene& scene, double pixel) {
  SetUpRegion(region, scene);
  region.SetSampling(Vector2<double>(pixel, pixel));
  glLineWidth(float(Style::kRegionLineWidth));
  region.RenderRegion();
  region.RenderSlices(scene.Position());
  glLineWidth(1.0f);
}

void AxialView::DrawArchPoints(const Scene& scene, double pixel) {
  glLineWidth(1.5f);
  for (const Vec3& p : scene.ArchPoints())
    circle.Render(p, Vec3(pixel, 0.0, 0.0), Vec3(0.0, pixel, 0.0), kArchPointRadius * pixel);
  glLineWidth(1.0f);
}

// From the arch's first point to its last, ticks towards the front.
void AxialView::DrawRuler(const Scene& scene) {
  const Vec3& start = scene.ArchPoints().front();
  const Vec3 span = scene.ArchPoints().back() - start;
  Vec3 tick = Brantel::Geometry::CrossProduct(span, Vec3(0.0, 0.0, 1.0));
  tick.Normalize();
  ruler.SetStartPosition(start);
  ruler.SetVectors(span, tick * 3.0);
  glLineWidth(1.0f);
  ruler.Render();
}

void AxialView::DrawCrosshair(const Scene& scene, double pixel) {
  crosshair.SetSampling(Vector2<double>(pixel, pixel));
  crosshair.SetPosition(scene.PositionInPlane());
  glLineWidth(1.0f);
  glPushMatrix();
  glTranslated(scene.PositionInPlane()[0], scene.PositionInPlane()[1], 0.0);
  crosshair.Render();
  glPopMatrix();
}

void AxialView::DrawLabels(const Scene& scene, const Viewport& viewport, const PlaneFraming& framing,
                           Resources& resources) {
  BeginOverlay(viewport);
  const int top = viewport.height;
  const DicomSeries& series = scene.Volume().Series();
  Label(resources.title, 14, top - 26, Style::kAxialPlane, PlaneName(series));
  Label(resources.label, 14, top - 46, Style::kText,
        "slice " + std::to_string(scene.SliceIndex() + 1) + " / " + std::to_string(series.dimensions[2]) + "    z " +
            Fixed(scene.SliceZ(), 1) + " mm");
  Label(resources.label, 14, top - 63, Style::kText, scene.Name());
  Label(resources.label, 14, top - 80, Style::kText, series.description);
  if (scene.HasArch()) {
    const std::vector<Vec3>& points = scene.ArchPoints();
    const std::string length = Fixed(Distance(points.front(), points.back()), 1) + " mm";
    int x, y;
    PixelOf(framing, viewport, (points.front() + points.back()) * 0.5, x, y);
    Label(resources.label, x - int(length.size()) * 3, y - 18, Style::kRuler, length);
  }
  const Window& w = scene.GetWindow();
  Label(resources.label, 14, 34, Style::kText,
        "W " + Fixed(w.width, 0) + "   L " + Fixed(w.centre, 0) + "   " + PaletteName(scene.GetPalette()));
  Label(resources.label, 14, 16, Style::kText,
        "zoom " + Fixed(scene.Controls().axial.zoom, 2) + "x   " + Fixed(framing.pixel, 3) + " mm/pixel");
  if (resources.interactive)
    Label(resources.label, 14, 52, Style::kText,
          "click: add an arch point   drag a point: move it   Backspace: remove the last");
  if (series.oriented) DrawDirections(scene, viewport, framing, resources);
}

// The patient direction each edge of the view faces.
void AxialView::DrawDirections(const Scene& scene, const Viewport& viewport, const PlaneFraming& framing,
                               Resources& resources) {
  const LoadedVolume& v = scene.Volume();
  auto letter = [&](const Vec3& screen) { return DirectionLetter(v.PatientDirection(screen)); };
  const int middleX = viewport.width / 2 - 5, middleY = viewport.height / 2;
  Label(resources.title, 10, middleY, Style::kText, letter(framing.right * -1.0));
  Label(resources.title, viewport.width - 22, middleY, Style::kText, letter(framing.right));
  Label(resources.title, middleX, viewport.height - 26, Style::kText, letter(framing.up));
  Label(resources.title, middleX, 12, Style::kText, letter(framing.up * -1.0));
}

}  // namespace Demo
