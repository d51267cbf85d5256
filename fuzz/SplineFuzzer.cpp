// Spline lookups, segment evaluation and arc length with arbitrary control
// points, samples and parameters, NaN and infinities included.
//
// Oracles: each operation throws exactly what its header says and only then;
// every call ends within the bisection bound; with finite, moderate inputs the
// results are finite, a sample lookup stays between its samples, and an arc
// length is at least the distance it spans and the curve at least as long as
// its chords.
#include "FuzzInput.h"

#include <brantel/geometry/SplineBase.h>

#include <cstring>
#include <stdexcept>
#include <vector>

namespace QuorvelFuzz {
namespace {

// Coordinates and parameters up to these magnitudes cannot overflow a length.
constexpr double kModerateCoordinate = 1e100;
constexpr double kModerateParameter = 1e6;

// Inner segments as Catmull-Rom curves (through both control points), with the
// neighbours clamped at the ends so that any index the base passes is safe.
class FuzzSpline : public Brantel::Geometry::CSplineBase<Vec3> {
public:
  std::vector<Vec3>& ControlPoints() { return controlPoints; }
  std::vector<Vec3>& Samples() { return samplePoints; }
  std::vector<Vec3>& Normals() { return sampleNormals; }
  const std::vector<Vec3>& Controls() const { return controlPoints; }

  Vec3 InterpolateSegment(unsigned int index, double t) const override {
    ++interpolations;
    const Vec3& p0 = Point(static_cast<long>(index) - 1);
    const Vec3& p1 = Point(index);
    const Vec3& p2 = Point(static_cast<long>(index) + 1);
    const Vec3& p3 = Point(static_cast<long>(index) + 2);
    const double t2 = t * t, t3 = t2 * t;
    return (p1 * 2.0 + (p2 - p0) * t + (p0 * 2.0 - p1 * 5.0 + p2 * 4.0 - p3) * t2 + (p1 * 3.0 - p0 - p2 * 3.0 + p3) * t3) *
           0.5;
  }

  mutable long interpolations = 0;

private:
  const Vec3& Point(long i) const {
    const long last = static_cast<long>(controlPoints.size()) - 1;
    return controlPoints[static_cast<std::size_t>(i < 0 ? 0 : (i > last ? last : i))];
  }
};

bool Moderate(double x, double bound) { return std::isfinite(x) && std::fabs(x) <= bound; }

bool AllModerate(const std::vector<Vec3>& points) {
  for (const Vec3& p : points)
    if (!IsFinite(p) || MaxAbs(p) > kModerateCoordinate) return false;
  return true;
}

double LargestCoordinate(const std::vector<Vec3>& points) {
  double m = 0;
  for (const Vec3& p : points) m = std::fmax(m, MaxAbs(p));
  return m;
}

// Most interpolations one GetSegmentLength may make: three per interval of
// the bisection tree.
constexpr long kInterpolationBound = 3 * ((2L << FuzzSpline::kMaxBisectionDepth) - 1);

std::vector<Vec3> Points(FuzzInput& in, unsigned maxCount) {
  std::vector<Vec3> points(in.Below(maxCount));
  for (Vec3& p : points) p = in.AnyVector();
  return points;
}

void CheckLookup(const std::vector<Vec3>& samples, double u, Vec3 (FuzzSpline::*lookup)(double) const,
                 const FuzzSpline& spline) {
  Vec3 result;
  try {
    result = (spline.*lookup)(u);
  } catch (const std::runtime_error& e) {
    Require(samples.empty(), "a lookup threw although there are samples");
    Require(std::strcmp(e.what(), "No sampling points were computed in CSplineBase::GetPointFromSampling") == 0,
            "a lookup threw with another message");
    return;
  }
  Require(!samples.empty(), "a lookup on no samples did not throw");
  if (!(u > 0) || samples.size() == 1) Require(Same(result, samples.front()), "u <= 0 or NaN is not the first sample");
  if (u >= 1) Require(Same(result, samples.back()), "u >= 1 is not the last sample");
  if (!AllModerate(samples)) return;
  Require(IsFinite(result), "a lookup on finite samples is not finite");
  const double slack = 1e-12 * LargestCoordinate(samples);
  for (int axis = 0; axis < 3; ++axis) {
    double lo = samples.front()[axis], hi = lo;
    for (const Vec3& s : samples) lo = std::fmin(lo, s[axis]), hi = std::fmax(hi, s[axis]);
    Require(result[axis] >= lo - slack && result[axis] <= hi + slack, "a lookup left the range of its samples");
  }
}

bool ThrowsIndexOutOfRange(const char* message) { return std::strcmp(message, "Index out of range.") == 0; }

void CheckPointOnSegment(const FuzzSpline& spline, unsigned index, double t) {
  const std::vector<Vec3>& p = spline.Controls();
  const bool valid = p.size() >= 2 && index <= p.size() - 1;
  Vec3 result;
  try {
    result = spline.GetPointOnSegment(index, t);
  } catch (const char* message) {
    Require(!valid && ThrowsIndexOutOfRange(message), "GetPointOnSegment threw for a valid index");
    return;
  }
  Require(valid, "GetPointOnSegment did not throw for an index out of range");
  if (AllModerate(p) && Moderate(t, kModerateParameter)) Require(IsFinite(result), "a point on a finite segment is not finite");
  if (t == 0 && AllModerate(p) && (index == 0 || index == p.size() - 2))
    Require(Same(result, p[index]), "a straight segment does not start at its control point");
}

void CheckSegmentLength(const FuzzSpline& spline, unsigned index, double t0, double t1, double tolerance) {
  const std::vector<Vec3>& p = spline.Controls();
  const bool valid = p.size() >= 2 && index <= p.size() - 1;
  const long before = spline.interpolations;
  double length;
  try {
    length = spline.GetSegmentLength(index, t0, t1, tolerance);
  } catch (const char* message) {
    Require(!valid && ThrowsIndexOutOfRange(message), "GetSegmentLength threw for a valid index");
    return;
  }
  Require(valid, "GetSegmentLength did not throw for an index out of range");
  Require(spline.interpolations - before <= kInterpolationBound, "GetSegmentLength went past its bisection bound");
  if (AllModerate(p) && Moderate(t0, kModerateParameter) && Moderate(t1, kModerateParameter))
    Require(std::isfinite(length) && length >= 0, "a finite segment has no finite, non-negative length");
}

void CheckArcLength(const FuzzSpline& spline, unsigned first, unsigned last) {
  const std::vector<Vec3>& p = spline.Controls();
  const bool valid = p.size() >= 2 && first <= p.size() - 1 && last <= p.size() - 1;
  double length;
  try {
    length = spline.GetArcLength(first, last);
  } catch (const char* message) {
    Require(!valid && ThrowsIndexOutOfRange(message), "GetArcLength threw for a valid range");
    return;
  }
  Require(valid, "GetArcLength did not throw for a range out of bounds");
  if (!AllModerate(p)) return;
  Require(std::isfinite(length) && length >= 0, "a finite arc has no finite, non-negative length");
  if (first <= last) {
    const double slack = 1e-10 * p.size() * LargestCoordinate(p);
    Require(length >= Distance(p[first], p[last]) * (1 - 1e-9) - slack, "an arc is shorter than the distance it spans");
  }
}

void CheckLength(const FuzzSpline& spline) {
  const std::vector<Vec3>& p = spline.Controls();
  double length;
  try {
    length = spline.GetLength();
  } catch (const char*) {
    Require(false, "GetLength threw");
    return;
  }
  if (p.size() < 2) {
    Require(length == 0, "a spline without segments has a length");
    return;
  }
  if (!AllModerate(p)) return;
  Require(std::isfinite(length), "a finite spline has no finite length");
  double chords = 0;
  for (std::size_t k = 0; k + 1 < p.size(); ++k) chords += Distance(p[k], p[k + 1]);
  // Below 1e-5 the length falls back to the end points' distance.
  if (length >= 1e-5)
    Require(length >= chords * (1 - 1e-9) - 1e-10 * p.size() * LargestCoordinate(p), "the curve is shorter than its chords");
}

}  // namespace
}  // namespace QuorvelFuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace QuorvelFuzz;
  FuzzInput in(data, size);
  FuzzSpline spline;
  spline.ControlPoints() = Points(in, 8);
  spline.Samples() = Points(in, 12);
  spline.Normals() = Points(in, 12);
  CheckLength(spline);
  for (unsigned step = in.Below(8); step > 0; --step) {
    switch (in.Byte() % 5) {
      case 0: CheckLookup(spline.Samples(), in.AnyDouble(), &FuzzSpline::GetPointFromSampling, spline); break;
      case 1: CheckLookup(spline.Normals(), in.AnyDouble(), &FuzzSpline::GetNormalFromSampling, spline); break;
      case 2: {
        const unsigned index = in.Below(10);
        CheckPointOnSegment(spline, index, in.AnyDouble());
        break;
      }
      case 3: {
        const unsigned index = in.Below(10);
        const double t0 = in.AnyDouble(), t1 = in.AnyDouble();
        // Mostly the tolerance the arc length uses: any other one that is
        // not positive runs the bisection to its bound, which is slow.
        CheckSegmentLength(spline, index, t0, t1, in.Flag() ? in.AnyDouble() : 0.005);
        break;
      }
      default: {
        const unsigned first = in.Below(10);
        CheckArcLength(spline, first, in.Below(10));
        break;
      }
    }
  }
  return 0;
}
