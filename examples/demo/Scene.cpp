#include "Scene.h"

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

const Window kBoneWindow{1000.0, 3200.0};
constexpr double kClearBelow = -500.0;  // HU

double SliceHeight(const Phantom& phantom, int index) {
  return -phantom.Size()[2] * 0.5 + (index + 0.5) * kSlicePixel;
}

}  // namespace

Scene::Scene(Palette p, StageTimes& times)
    : position(kInitialPositionAlong, 0.0, SliceHeight(phantom, kInitialSlice)), window(kBoneWindow), palette(p) {
  Stopwatch sliceTime;
  slice = std::make_unique<GreyImage>(AxialSlice(phantom, position[2]));
  times.Add("axial slice from the phantom", sliceTime.Seconds());
  Stopwatch panoramicTime;
  panoramic = std::make_unique<GreyImage>(PanoramicImage(phantom, PanoramaGeometry{}));
  times.Add("panoramic reformat along the arch", panoramicTime.Seconds());
  MakeTables();
}

Scene::Scene(GreyImage image, DicomSlice d, Palette p)
    : slice(std::make_unique<GreyImage>(std::move(image))),
      dicom(std::move(d)),
      position(0.0, 0.0, 0.0),
      window(dicom->window),
      palette(p) {
  MakeTables();
}

int Scene::SliceIndex() const {
  if (!HasArch()) return 0;
  return int(std::lround((SliceZ() + phantom.Size()[2] * 0.5) / kSlicePixel - 0.5));
}

int Scene::SliceCount() const { return HasArch() ? int(std::lround(phantom.Size()[2] / kSlicePixel)) : 1; }

bool Scene::StepSlice(int steps) {
  const int index = SliceIndex() + steps;
  if (!HasArch() || index < 0 || index >= SliceCount()) return false;
  position[2] = SliceHeight(phantom, index);
  *slice = AxialSlice(phantom, position[2]);
  sliceChanged = true;
  return true;
}

void Scene::SetPositionAlong(double x, double y) {
  const double half = phantom.Arch().SampledLength() * 0.5;
  position[0] = std::clamp(x, -half, half);
  position[1] = std::clamp(y, -region.bandWidth * 0.5, region.bandWidth * 0.5);
}

Vec3 Scene::PositionInPlane() const {
  if (!HasArch()) return {position[0], position[1], 0.0};
  const double u = UnitOf(position[0]);
  return phantom.Arch().GetPointFromSampling(u) + phantom.Arch().GetNormalFromSampling(u) * position[1];
}

void Scene::SlicePlane(Vec3& origin, Vec3& xEdge, Vec3& yEdge) const {
  const double width = slice->Width() * slice->pixelWidth;
  const double height = slice->Height() * slice->pixelHeight;
  if (HasArch()) {
    origin = Vec3(-width * 0.5, -height * 0.5, 0.0);
    xEdge = Vec3(width, 0.0, 0.0);
    yEdge = Vec3(0.0, height, 0.0);
  } else {
    // Column 0 on the screen's left (world +x in the axial view), row 0 at the top.
    origin = Vec3(width * 0.5, height * 0.5, 0.0);
    xEdge = Vec3(-width, 0.0, 0.0);
    yEdge = Vec3(0.0, -height, 0.0);
  }
}

Vec3 Scene::VolumeSize() const {
  if (HasArch()) return phantom.Size();
  const double width = slice->Width() * slice->pixelWidth;
  const double height = slice->Height() * slice->pixelHeight;
  return {width, height, std::max(width, height) * 0.5};
}

void Scene::SetWindow(const Window& w) {
  window = w;
  window.width = std::max(window.width, 2.0);
  MakeTables();
}

void Scene::MakeTables() {
  // Air around the phantom's head is see-through in the 3D view.
  sliceTable = HasArch() ? MakeLookupTable(*slice, window, palette, kClearBelow)
                         : MakeLookupTable(*slice, window, palette);
  if (panoramic) panoramicTable = MakeLookupTable(*panoramic, window, palette);
  tableChanged = true;
}

}  // namespace Demo
