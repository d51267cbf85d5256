#include "SliceStack.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <sstream>
#include <stdexcept>

namespace Demo {
namespace {

constexpr double kSamePosition = 1e-3;  // mm
constexpr double kSameDirection = 1e-3;
constexpr double kPi = 3.14159265358979323846;

std::string Text(double value) {
  std::ostringstream out;
  out.precision(4);
  out << value;
  return out.str();
}

[[noreturn]] void Fail(const std::string& why, const DicomFrame& a, const DicomFrame& b) {
  throw std::runtime_error(why + " (" + a.file + ", " + b.file + ")");
}

bool Near(double a, double b, double tolerance) { return std::abs(a - b) <= tolerance * std::max(1.0, std::abs(a)); }
bool Near(const Vec3& a, const Vec3& b) { return (a - b).Length() <= kSameDirection; }

void CheckAlike(const DicomFrame& a, const DicomFrame& b) {
  if (a.rows != b.rows || a.columns != b.columns)
    Fail("slices of different sizes: " + std::to_string(a.columns) + " x " + std::to_string(a.rows) + " and " +
             std::to_string(b.columns) + " x " + std::to_string(b.rows),
         a, b);
  if (!(a.format == b.format)) Fail("slices with different pixel formats", a, b);
  if (!Near(a.slope, b.slope, 1e-6) || !Near(a.intercept, b.intercept, 1e-6))
    Fail("slices with different rescale slope or intercept", a, b);
  if (!Near(a.rowDirection, b.rowDirection) || !Near(a.columnDirection, b.columnDirection))
    Fail("slices of different orientations", a, b);
  if (!Near(a.rowSpacing, b.rowSpacing, 1e-4) || !Near(a.columnSpacing, b.columnSpacing, 1e-4))
    Fail("slices with different pixel spacing", a, b);
  if (a.hasPosition != b.hasPosition) Fail("some slices have an image position, others none", a, b);
}

// Sets the stack's three directions from the first frame's orientation.
void SetDirections(const DicomFrame& f, SliceStack& s) {
  s.rowDirection = f.rowDirection;
  s.columnDirection = f.columnDirection;
  s.rowDirection.Normalize();
  s.columnDirection.Normalize();
  if (std::abs(s.rowDirection.Length() - 1.0) > kSameDirection ||
      std::abs(s.columnDirection.Length() - 1.0) > kSameDirection ||
      std::abs(DotProduct(s.rowDirection, s.columnDirection)) > kSameDirection)
    throw std::runtime_error(f.file + ": invalid image orientation (rows and columns not perpendicular)");
  s.normal = CrossProduct(s.rowDirection, s.columnDirection);
}

// Checks the sorted positions: distinct, along the normal, evenly spaced;
// returns the mean step.
double CheckPositions(const std::vector<DicomFrame>& frames, const SliceStack& s, const std::vector<double>& along) {
  const std::size_t n = s.order.size();
  const double mean = (along[n - 1] - along[0]) / double(n - 1);
  const DicomFrame& first = frames[s.order[0]];
  for (std::size_t k = 1; k < n; ++k) {
    const DicomFrame& a = frames[s.order[k - 1]];
    const DicomFrame& b = frames[s.order[k]];
    const double step = along[k] - along[k - 1];
    if (step <= kSamePosition) Fail("two slices at the same position", a, b);
    const double distance = along[k] - along[0];
    const double off = ((b.position - first.position) - s.normal * distance).Length();
    if (off > 0.02 + 0.01 * distance)
      Fail("slices not stacked along their normal (" + Text(std::atan(off / distance) * 180.0 / kPi) +
               " degrees off: a tilted gantry?), which is not supported",
           first, b);
    if (std::abs(step - mean) > kSpacingTolerance * mean)
      Fail("uneven slice spacing: " + Text(step) + " mm where the series averages " + Text(mean) + " mm" +
               (step > 1.5 * mean ? " (a slice is missing)" : ""),
           a, b);
  }
  return mean;
}

}  // namespace

SliceStack StackSlices(const std::vector<DicomFrame>& frames) {
  SliceStack s;
  const DicomFrame& first = frames.front();
  for (const DicomFrame& f : frames) CheckAlike(first, f);
  SetDirections(first, s);
  s.positioned = first.hasPosition;
  s.oriented = first.hasOrientation;

  std::vector<double> key(frames.size());
  for (std::size_t i = 0; i < frames.size(); ++i)
    key[i] = s.positioned ? DotProduct(frames[i].position, s.normal) : double(frames[i].instance);
  s.order.resize(frames.size());
  std::iota(s.order.begin(), s.order.end(), std::size_t(0));
  std::stable_sort(s.order.begin(), s.order.end(), [&](std::size_t a, std::size_t b) { return key[a] < key[b]; });

  double step = first.sliceSpacing > 0.0 ? first.sliceSpacing : 1.0;
  if (s.positioned && frames.size() > 1) {
    std::vector<double> along;
    for (std::size_t i : s.order) along.push_back(key[i]);
    step = CheckPositions(frames, s, along);
  }
  s.origin = frames[s.order[0]].position;
  s.spacing = Vec3(first.columnSpacing, first.rowSpacing, step);
  return s;
}

}  // namespace Demo
