#include "Controls.h"

#include "AxialView.h"
#include "CrossSectionView.h"
#include "PanoramicView.h"
#include "VolumeView.h"

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

constexpr double kZoomStep = 1.15;  // a wheel step
constexpr double kWindowStep = 1.1, kLevelStep = 50.0;

}  // namespace

Controls::View Controls::ViewAt(const Layout& layout, double x, double y) {
  for (View view : {View::Axial, View::Volume, View::Panoramic, View::CrossSection})
    if (ViewportOf(layout, view).Contains(x, y)) return view;
  return View::None;
}

Viewport Controls::ViewportOf(const Layout& layout, View view) {
  switch (view) {
    case View::Axial: return layout.axial;
    case View::Volume: return layout.volume;
    case View::Panoramic: return layout.panoramic;
    case View::CrossSection: return layout.crossSection;
    case View::None: break;
  }
  return {};
}

void Controls::Press(Button button, int width, int height, double x, double y) {
  const Layout layout = MakeLayout(width, height);
  view = ViewAt(layout, x, y);
  lastX = x, lastY = y;
  drag = Drag::None;
  if (view == View::None) return;
  const Viewport viewport = ViewportOf(layout, view);
  if (button != Button::Left) drag = Drag::Pan;
  else if (view == View::Volume) drag = Drag::Turn;
  else if (view == View::Axial) PressAxial(viewport, x, y);
  else if (scene.HasArch()) drag = Drag::Position, MovePosition(viewport, x, y);
}

// An arch point under the cursor is dragged; a press in the band moves the
// panorama position; anywhere else a new arch point is added.
void Controls::PressAxial(const Viewport& viewport, double x, double y) {
  const PlaneFraming framing = AxialView::Framing(scene, viewport);
  const Vec3 at = framing.At(viewport, x, y);
  const std::vector<Vec3>& points = scene.ArchPoints();
  for (std::size_t i = points.size(); i-- > 0;)
    if (Distance(points[i], Vec3(at[0], at[1], 0.0)) <= kArchPointRadius * framing.pixel) {
      drag = Drag::ArchPoint, point = i;
      return;
    }
  double along = 0.0, across = 0.0;
  if (scene.HasArch()) scene.PositionOf(at, along, across);
  if (scene.HasArch() && std::abs(across) <= scene.Region().bandWidth * 0.5 &&
      std::abs(along) < scene.Arch().Length() * 0.5) {
    drag = Drag::Position;
    scene.SetPositionAlong(along, across);
    return;
  }
  scene.AddArchPoint(InSlice(at));
  drag = Drag::ArchPoint, point = scene.ArchPoints().size() - 1;
  archEdited = true;
}

bool Controls::Move(int width, int height, double x, double y) {
  const double dx = x - lastX, dy = y - lastY;
  lastX = x, lastY = y;
  if (drag == Drag::None) return false;
  const Viewport viewport = ViewportOf(MakeLayout(width, height), view);
  switch (drag) {
    case Drag::Pan: Pan(viewport, dx, dy); break;
    case Drag::Turn: scene.Controls().volume.Rotate(dx, dy); break;
    case Drag::ArchPoint:
      scene.MoveArchPoint(point, InSlice(AxialView::Framing(scene, viewport).At(viewport, x, y)));
      archEdited = true;
      break;
    case Drag::Position: MovePosition(viewport, x, y); break;
    case Drag::None: break;
  }
  return true;
}

// Axial view: the position nearest the cursor. Panoramic view: along the
// arch and the slice at the height under the cursor. Cross-section: across
// the band and the slice.
void Controls::MovePosition(const Viewport& viewport, double x, double y) {
  if (!scene.HasArch()) return;
  const Vec3& position = scene.Position();
  if (view == View::Axial) {
    double along = 0.0, across = 0.0;
    scene.PositionOf(AxialView::Framing(scene, viewport).At(viewport, x, y), along, across);
    return scene.SetPositionAlong(along, across);
  }
  const bool panoramic = view == View::Panoramic;
  const Vec3 at = panoramic ? PanoramicView::Framing(scene, viewport).At(viewport, x, y)
                            : CrossSectionView::Framing(scene, viewport).At(viewport, x, y);
  if (panoramic) scene.SetPositionAlong(-at[0], position[1]);
  else scene.SetPositionAlong(position[0], at[0]);
  scene.StepSlice(scene.Volume().NearestSlice(at[1]) - scene.SliceIndex());
}

void Controls::Pan(const Viewport& viewport, double dx, double dy) {
  ViewControls& c = scene.Controls();
  switch (view) {
    case View::Axial: PanBy(c.axial, AxialView::Fitted(scene, viewport), dx, dy); break;
    case View::Panoramic: PanBy(c.panoramic, PanoramicView::Fitted(scene, viewport), dx, dy); break;
    case View::CrossSection: PanBy(c.crossSection, CrossSectionView::Fitted(scene, viewport), dx, dy); break;
    case View::Volume: c.volume.Pan(dx, dy, VolumeView::PixelAtFocus(scene, viewport)); break;
    case View::None: break;
  }
}

void Controls::Scroll(int width, int height, double x, double y, double steps) {
  const Layout layout = MakeLayout(width, height);
  const View at = ViewAt(layout, x, y);
  const Viewport viewport = ViewportOf(layout, at);
  const double factor = std::pow(kZoomStep, steps);
  ViewControls& c = scene.Controls();
  switch (at) {
    case View::Axial: ZoomAbout(c.axial, AxialView::Fitted(scene, viewport), viewport, x, y, factor); break;
    case View::Panoramic: ZoomAbout(c.panoramic, PanoramicView::Fitted(scene, viewport), viewport, x, y, factor); break;
    case View::CrossSection:
      ZoomAbout(c.crossSection, CrossSectionView::Fitted(scene, viewport), viewport, x, y, factor);
      break;
    case View::Volume: c.volume.Zoom(factor); break;
    case View::None: break;
  }
}

void Controls::Press(Key key) {
  Window w = scene.GetWindow();
  switch (key) {
    case Key::SliceUp: scene.StepSlice(1); return;
    case Key::SliceDown: scene.StepSlice(-1); return;
    case Key::TenSlicesUp: scene.StepSlice(std::min(10, scene.Volume().SliceCount() - 1 - scene.SliceIndex())); return;
    case Key::TenSlicesDown: scene.StepSlice(-std::min(10, scene.SliceIndex())); return;
    case Key::WindowNarrower: w.width /= kWindowStep; break;
    case Key::WindowWider: w.width *= kWindowStep; break;
    case Key::LevelDown: w.centre -= kLevelStep; break;
    case Key::LevelUp: w.centre += kLevelStep; break;
    case Key::RemoveArchPoint:
      scene.RemoveLastArchPoint();
      archEdited = true;
      return;
  }
  scene.SetWindow(w);
}

// Arch points stay within the slice.
Vec3 Controls::InSlice(const Vec3& world) const {
  const Vec3 low = scene.Volume().Corner(), high = low + scene.Volume().Extent();
  return {std::clamp(world[0], low[0], high[0]), std::clamp(world[1], low[1], high[1]), 0.0};
}

}  // namespace Demo
