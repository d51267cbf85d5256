#include "AxialView.h"

#include "Overlay.h"
#include "RegionSetup.h"
#include "Style.h"

#include <GL/gl.h>

#include <algorithm>

namespace Demo {
namespace {

using Brantel::Geometry::Vector2;

// The part of the phantom's slice the view shows at zoom 1 (mm): the jaws,
// the airway and the spine.
constexpr double kPhantomSpanX = 100.0, kPhantomSpanY = 112.0, kPhantomCentreY = -13.0;

}  // namespace

AxialFraming PhantomAxialFraming(const Viewport& viewport, double zoom) {
  const double pixel = std::max(kPhantomSpanX / viewport.width, kPhantomSpanY / viewport.height) / zoom;
  return {Vec3(0.0, kPhantomCentreY, 0.0), pixel};
}

AxialFraming ImageAxialFraming(const Vec3& extent, const Viewport& viewport, double zoom) {
  const double margin = 1.04;
  const double pixel = std::max(extent[0] * margin / viewport.width, extent[1] * margin / viewport.height) / zoom;
  return {Vec3(), pixel};
}

// Orthographic, looking at the plane z = 0 from below, as from the feet,
// with the front of the head at the top: the patient's right is on the
// left of the screen.
void LoadAxialCamera(Quorvel::GlCamera& camera, const AxialFraming& framing) {
  camera.SetFocus(framing.centre);
  camera.SetEye(framing.centre + Vec3(0.0, 0.0, -100.0));
  camera.SetDirectionUp(Vec3(0.0, 1.0, 0.0));
  camera.SetClipPlanes(Vector2<double>(1.0, 200.0));
  camera.SetZoom(framing.pixel * 0.5);
  camera.SetOrthoFrustum();
  camera.SetLookAt();
}

AxialView::AxialView(const Scene& scene) {
  SetUpRegion(region, scene);
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

  circle.SetColor(Style::kSiteCircle);
  circle.SetLineStipple(Quorvel::GlCircle::LINE_STRIPED);
}

AxialFraming AxialView::Framing(const Scene& scene, const Viewport& viewport) {
  if (scene.HasArch()) return PhantomAxialFraming(viewport, scene.Zoom());
  return ImageAxialFraming(scene.VolumeSize(), viewport, scene.Zoom());
}

Vec3 AxialView::WorldAt(const Scene& scene, const Viewport& viewport, double x, double y) {
  const AxialFraming framing = Framing(scene, viewport);
  const Vec3 offset((viewport.x + viewport.width * 0.5) - x, y - (viewport.y + viewport.height * 0.5), 0.0);
  return framing.centre + offset * framing.pixel;
}

void AxialView::Render(Scene& scene, const Viewport& viewport, Resources& resources) {
  const AxialFraming framing = Framing(scene, viewport);
  const double pixel = framing.pixel;
  LoadAxialCamera(camera, framing);
  DrawSlice(scene, resources);
  if (scene.HasArch()) {
    DrawRegion(scene, pixel);
    DrawSite(scene, pixel, resources);
    DrawRuler(scene, resources);
  }
  DrawCrosshair(scene, pixel);
  DrawLabels(scene, viewport, pixel, resources);
}

void AxialView::DrawSlice(Scene& scene, Resources& resources) {
  Vec3 origin, xEdge, yEdge;
  scene.SlicePlane(origin, xEdge, yEdge);
  resources.slice.RenderTexture(origin, xEdge, yEdge);
}

void AxialView::DrawRegion(const Scene& scene, double pixel) {
  region.SetSampling(Vector2<double>(pixel, pixel));
  glLineWidth(float(Style::kRegionLineWidth));
  region.RenderRegion();
  region.RenderSlices(scene.Position());
  glLineWidth(1.0f);
}

// The gap of the missing lower left first molar, where an implant is planned.
void AxialView::DrawSite(const Scene& scene, double pixel, Resources& resources) {
  const ArchSpline& arch = scene.GetPhantom().Arch();
  const Teeth& teeth = scene.GetPhantom().Dentition();
  const double u = teeth.MissingToothAlong() / arch.SampledLength();
  const Vec3 centre = arch.GetPointFromSampling(u);
  const double radius = teeth.MissingToothWidth() * 0.5 + 0.8;
  glLineWidth(2.0f);
  circle.Render(centre, Vec3(pixel, 0.0, 0.0), Vec3(0.0, pixel, 0.0), radius);
  glLineWidth(1.0f);
  const Vec3 outside = centre + arch.GetNormalFromSampling(u) * (radius + 2.5);
  LabelAt(resources.label, outside, Style::kSiteText, "site 36");
}

// Across the arch between the centres of the two last lower molars.
void AxialView::DrawRuler(const Scene& scene, Resources& resources) {
  const ArchSpline& arch = scene.GetPhantom().Arch();
  const auto& all = scene.GetPhantom().Dentition().All();
  auto lowerMost = [&](bool first) {
    const Tooth* pick = nullptr;
    for (const Tooth& t : all)
      if (!t.upper && (!pick || (first ? t.along < pick->along : t.along > pick->along))) pick = &t;
    return arch.GetPointFromSampling(pick->along / arch.SampledLength());
  };
  const Vec3 start = lowerMost(true);
  const Vec3 span = lowerMost(false) - start;
  Vec3 tick = Brantel::Geometry::CrossProduct(span, Vec3(0.0, 0.0, 1.0));
  tick.Normalize();
  ruler.SetStartPosition(start);
  ruler.SetVectors(span, tick * 3.0);
  glLineWidth(1.0f);
  ruler.Render();
  const std::string text = Fixed(span.Length(), 1) + " mm";
  // Screen x runs along world −x here; start the text half its width to the left.
  const Vec3 below = start + span * 0.5 - tick * 5.5 + Vec3(double(text.size()) * 0.65, 0.0, 0.0);
  LabelAt(resources.label, below, Style::kRuler, text);
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

void AxialView::DrawLabels(const Scene& scene, const Viewport& viewport, double pixel, Resources& resources) {
  BeginOverlay(viewport);
  const int top = viewport.height;
  Label(resources.title, 14, top - 26, Style::kAxialPlane, "Axial");
  const Window& w = scene.GetWindow();
  if (scene.Dicom()) {
    Label(resources.label, 14, top - 46, Style::kText, scene.Dicom()->name);
    Label(resources.label, 14, top - 63, Style::kText, scene.Dicom()->description);
  } else {
    Label(resources.label, 14, top - 46, Style::kText,
          "slice " + std::to_string(scene.SliceIndex() + 1) + " / " + std::to_string(scene.SliceCount()) +
              "    z " + Fixed(scene.SliceZ(), 1) + " mm");
    Label(resources.label, 14, top - 63, Style::kText, "synthetic CBCT head phantom, 0.4 mm voxels");
  }
  Label(resources.label, 14, 34, Style::kText,
        "W " + Fixed(w.width, 0) + "   L " + Fixed(w.centre, 0) + "   " + PaletteName(scene.GetPalette()));
  Label(resources.label, 14, 16, Style::kText,
        "zoom " + Fixed(scene.Zoom(), 2) + "x   " + Fixed(pixel, 3) + " mm/pixel");
  const int middle = viewport.height / 2;
  Label(resources.title, 10, middle, Style::kText, "R");
  Label(resources.title, viewport.width - 22, middle, Style::kText, "L");
  Label(resources.title, viewport.width / 2 - 5, top - 26, Style::kText, "A");
  Label(resources.title, viewport.width / 2 - 5, 12, Style::kText, "P");
}

}  // namespace Demo
