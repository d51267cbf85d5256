#include "LoadedVolume.h"

#include <algorithm>
#include <cmath>

namespace Demo {

LoadedVolume::LoadedVolume(DicomSeries s)
    : series(std::move(s)), volume(series.voxels.data(), series.dimensions, series.spacing, series.origin) {}

Vec3 LoadedVolume::ToWorld(const Vec3& patient) const {
  const Vec3 d = patient - series.origin;
  return series.origin +
         Vec3(DotProduct(d, series.rowDirection), DotProduct(d, series.columnDirection), DotProduct(d, series.normal));
}

Vec3 LoadedVolume::ToPatient(const Vec3& world) const { return series.origin + PatientDirection(world - series.origin); }

Vec3 LoadedVolume::PatientDirection(const Vec3& d) const {
  return series.rowDirection * d[0] + series.columnDirection * d[1] + series.normal * d[2];
}

Vec3 LoadedVolume::Corner() const { return series.origin - series.spacing * 0.5; }

Vec3 LoadedVolume::Extent() const {
  const Vec3i& n = series.dimensions;
  return {n[0] * series.spacing[0], n[1] * series.spacing[1], n[2] * series.spacing[2]};
}

int LoadedVolume::NearestSlice(double z) const {
  const double k = std::round((z - series.origin[2]) / series.spacing[2]);
  return int(std::clamp(std::isfinite(k) ? k : 0.0, 0.0, double(SliceCount() - 1)));
}

}  // namespace Demo
