#include "Orientation.h"

#include <cmath>

namespace Demo {
namespace {

constexpr double kWithin10Degrees = 0.985;  // cos 10°

}  // namespace

std::string PlaneName(const DicomSeries& series) {
  if (!series.oriented) return "Projection";
  const char* names[3] = {"Sagittal", "Coronal", "Axial"};
  for (int axis = 0; axis < 3; ++axis)
    if (std::abs(series.normal[axis]) >= kWithin10Degrees) return names[axis];
  return "Oblique";
}

std::string DirectionLetter(const Vec3& d) {
  const char* letters[3][2] = {{"L", "R"}, {"P", "A"}, {"S", "I"}};
  int axis = 0;
  for (int i = 1; i < 3; ++i)
    if (std::abs(d[i]) > std::abs(d[axis])) axis = i;
  if (d[axis] == 0.0 || !std::isfinite(d[axis])) return "";
  return letters[axis][d[axis] > 0.0 ? 0 : 1];
}

}  // namespace Demo
