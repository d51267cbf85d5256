#include "Viewer.h"

#include "Style.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

void ClearViewport(const Viewport& v) {
  glViewport(v.x, v.y, v.width, v.height);
  glScissor(v.x, v.y, v.width, v.height);
  glEnable(GL_SCISSOR_TEST);
  glClearColor(GLclampf(Style::kViewBackground[0]), GLclampf(Style::kViewBackground[1]),
               GLclampf(Style::kViewBackground[2]), 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
}

}  // namespace

Viewer::Viewer(Scene& s) : scene(s), axial(s), volume(s) {}

void Viewer::UpdateMappers() {
  const bool sliceChanged = scene.TakeSliceChanged();
  const bool tableChanged = scene.TakeTableChanged();
  if (tableChanged) {
    resources.slice.SetLookupTable(scene.SliceTable().data(), (unsigned short)scene.SliceTable().size());
    if (scene.HasArch())
      resources.panoramic.SetLookupTable(scene.PanoramicTable().data(),
                                         (unsigned short)scene.PanoramicTable().size());
  }
  if (sliceChanged) resources.slice.SetBuffer(scene.Slice().Buffer());
  else if (tableChanged) resources.slice.UpdateBufferFromLUT();
  if (scene.HasArch() && tableChanged) resources.panoramic.SetBuffer(scene.Panoramic().Buffer());
}

long Viewer::ConvertImages() {
  UpdateMappers();
  resources.slice.UpdateBufferFromLUT();
  long pixels = long(scene.Slice().Width()) * scene.Slice().Height();
  if (scene.HasArch()) {
    resources.panoramic.UpdateBufferFromLUT();
    pixels += long(scene.Panoramic().Width()) * scene.Panoramic().Height();
  }
  return pixels;
}

void Viewer::Render(int width, int height) {
  UpdateMappers();
  glViewport(0, 0, width, height);
  glClearColor(GLclampf(Style::kBackground[0]), GLclampf(Style::kBackground[1]), GLclampf(Style::kBackground[2]),
               1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const Layout layout = MakeLayout(width, height);

  ClearViewport(layout.axial);
  axial.Render(scene, layout.axial, resources);
  ClearViewport(layout.volume);
  volume.Render(scene, layout.volume, resources);
  ClearViewport(layout.panoramic);
  panoramic.Render(scene, layout.panoramic, resources);
}

// Dragging in the axial view puts the panorama position on the arch point
// under the cursor; in the panoramic view it moves along the arch and in
// height (which is the axial slice).
void Viewer::Drag(int width, int height, double x, double y) {
  if (!scene.HasArch()) return;
  const Layout layout = MakeLayout(width, height);
  if (layout.axial.Contains(int(x), int(y))) {
    const Vec3 p = AxialView::WorldAt(scene, layout.axial, x, y);
    const ArchSpline& arch = scene.GetPhantom().Arch();
    double bestU = 0.5, best = 1e30;
    for (std::size_t i = 0; i < arch.Samples().size(); ++i) {
      const double d = (arch.Samples()[i] - p).LengthSquared();
      if (d < best) best = d, bestU = double(i) / double(arch.Samples().size() - 1);
    }
    const Vec3 normal = arch.GetNormalFromSampling(bestU);
    const double across = Brantel::Geometry::DotProduct(p - arch.GetPointFromSampling(bestU), normal);
    scene.SetPositionAlong((0.5 - bestU) * arch.SampledLength(), across);
  } else if (layout.panoramic.Contains(int(x), int(y))) {
    double along = 0.0, z = 0.0;
    panoramic.PanoramaAt(scene, layout.panoramic, x, y, along, z);
    scene.SetPositionAlong(along, scene.Position()[1]);
    scene.StepSlice(int(std::lround((z - scene.SliceZ()) / kSlicePixel)));
  }
}

void Viewer::Scroll(int width, int height, double x, double y, double steps) {
  const Layout layout = MakeLayout(width, height);
  if (layout.axial.Contains(int(x), int(y)))
    scene.SetZoom(std::clamp(scene.Zoom() * std::pow(1.15, steps), 0.5, 8.0));
}

}  // namespace Demo
