#include "Scene.h"

#include "Overlay.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace Demo {
namespace {

constexpr double kClearBelow = -500.0;  // HU: air is see-through in the 3D view
constexpr double kFocusRoom = 12.0;     // mm around the arch's band

}  // namespace

Scene::Scene(DicomSeries series, const SceneSetup& setup, StageTimes& times)
    : volume(std::move(series)),
      name(setup.name),
      images(volume, region.bandWidth),
      window(volume.Series().window),
      palette(setup.palette) {
  sliceIndex = setup.slice < 0 ? volume.SliceCount() / 2 : std::min(setup.slice, volume.SliceCount() - 1);
  position = Vec3(kInitialPositionAlong, 0.0, volume.SliceZ(sliceIndex));
  for (const Vec3& p : setup.arch) archPoints.push_back(PatientToArchPoint(p));
  SetFocus();
  Stopwatch sliceTime;
  images.CutSlice(SliceZ());
  times.Add("axial slice (AxisSlicer)", sliceTime.Seconds());
  Stopwatch archTime;
  ArchChanged();
  if (HasArch()) times.Add("panoramic image and cross-section", archTime.Seconds());
  MakeTable();
}

// The patient point at the height of the axial slice's centre, turned into
// the world and laid into the plane of the arch (z = 0). For an axial
// series its x and y are the patient's.
Vec3 Scene::PatientToArchPoint(const Vec3& patient) const {
  const Vec3 centre = volume.Centre();
  const double height = volume.ToPatient(Vec3(centre[0], centre[1], SliceZ()))[2];
  const Vec3 world = volume.ToWorld(Vec3(patient[0], patient[1], height));
  return {world[0], world[1], 0.0};
}

std::string Scene::ArchText() const {
  std::string text;
  for (const Vec3& w : archPoints) {
    const Vec3 p = volume.ToPatient(Vec3(w[0], w[1], SliceZ()));
    text += (text.empty() ? "" : ";") + Fixed(p[0], 1) + "," + Fixed(p[1], 1);
  }
  return text;
}

void Scene::SetFocus() {
  const Vec3 centre = volume.Centre(), extent = volume.Extent();
  focusCentre = Vec3(centre[0], centre[1], 0.0);
  focusSize = Vec3(extent[0], extent[1], 0.0);
  if (archPoints.size() < 2) return;
  Vec3 low = archPoints[0], high = archPoints[0];
  for (const Vec3& p : archPoints)
    for (int axis = 0; axis < 2; ++axis) low[axis] = std::min(low[axis], p[axis]), high[axis] = std::max(high[axis], p[axis]);
  const double room = region.bandWidth * 0.5 + kFocusRoom;
  focusCentre = (low + high) * 0.5;
  focusSize = high - low + Vec3(room, room, 0.0) * 2.0;
}

bool Scene::StepSlice(int steps) {
  const int index = sliceIndex + steps;
  if (steps == 0 || index < 0 || index >= volume.SliceCount()) return false;
  sliceIndex = index;
  position[2] = volume.SliceZ(index);
  images.CutSlice(SliceZ());
  changes.slice = true;
  return true;
}

void Scene::AddArchPoint(const Vec3& world) {
  archPoints.push_back(Vec3(world[0], world[1], 0.0));
  ArchChanged();
}

void Scene::MoveArchPoint(std::size_t index, const Vec3& world) {
  if (index >= archPoints.size()) return;
  archPoints[index] = Vec3(world[0], world[1], 0.0);
  ArchChanged();
}

void Scene::RemoveLastArchPoint() {
  if (archPoints.empty()) return;
  archPoints.pop_back();
  ArchChanged();
}

// A new curve: its samples, the panoramic image along it, the position
// kept on it and the cross-section there.
void Scene::ArchChanged() {
  arch = ArchSpline(archPoints);
  changes.panoramic = changes.crossSection = true;
  if (!HasArch()) return;
  images.ReformatPanoramic(arch);
  SetPositionAlong(position[0], position[1]);
  images.CutCrossSection(position[0]);
}

void Scene::SetPositionAlong(double x, double y) {
  const double half = HasArch() ? arch.Length() * 0.5 : 0.0;
  const double along = std::clamp(x, -half, half);
  position[1] = std::clamp(y, -region.bandWidth * 0.5, region.bandWidth * 0.5);
  if (along == position[0]) return;
  position[0] = along;
  images.CutCrossSection(along);
  changes.crossSection = true;
}

Vec3 Scene::PositionInPlane() const {
  if (!HasArch()) return {};
  const double u = UnitOf(position[0]);
  return arch.GetPointFromSampling(u) + arch.GetNormalFromSampling(u) * position[1];
}

void Scene::PositionOf(const Vec3& world, double& along, double& across) const {
  const std::vector<Vec3>& samples = arch.Samples();
  std::size_t nearest = 0;
  for (std::size_t i = 1; i < samples.size(); ++i)
    if ((samples[i] - world).LengthSquared() < (samples[nearest] - world).LengthSquared()) nearest = i;
  const double u = double(nearest) / double(std::max<std::size_t>(samples.size(), 2) - 1);
  along = (0.5 - u) * arch.Length();
  across = HasArch() ? DotProduct(world - samples[nearest], arch.Normals()[nearest]) : 0.0;
}

void Scene::SetWindow(const Window& w) {
  window = w;
  window.width = std::max(window.width, 2.0);
  MakeTable();
}

void Scene::MakeTable() {
  table = MakeLookupTable(images.Slice(), window, palette, kClearBelow);
  changes.table = true;
}

Changes Scene::TakeChanges() { return std::exchange(changes, Changes{}); }

}  // namespace Demo
