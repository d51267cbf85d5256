#pragma once

#include <brantel/geometry/Vector3.h>

#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace Brantel {
namespace Geometry {

/// Base of a viewer's spline through the volume: control points, points
/// sampled along the curve and the curve's normals at those samples.
///
/// The viewer derives from it, supplies InterpolateSegment for the inner
/// segments, fills the three sequences and owns the object. The panorama
/// regions keep a pointer to it (GlPanoramaRegionBase::SetSpline) and only
/// read it: they look up samples by a unit parameter u in [0, 1] at every
/// draw and measure the curve's length once, when the spline is handed to
/// them. Header-only, so the viewer and the library compile the same
/// definition. No GL state. Thread rule: no locking; do not change a spline
/// while a region reads it.
template <typename T>
class CSplineBase {
public:
  ///@{
  /// An empty spline: no control points, no samples. Copies copy the three
  /// sequences; nothing else to release.
  CSplineBase() = default;
  CSplineBase(const CSplineBase&) = default;
  CSplineBase& operator=(const CSplineBase&) = default;
  virtual ~CSplineBase() = default;
  ///@}

  /// The point of inner segment `index` (from control point `index` to
  /// `index + 1`) at local parameter t in [0, 1]. Supplied by the owner;
  /// GetPointOnSegment calls it for every segment but the first and the last.
  virtual T InterpolateSegment(unsigned int index, double t) const = 0;

  /// The curve point at unit parameter u, interpolated linearly between the
  /// two neighbouring samples (samples taken as evenly spaced in u). u <= 0 or
  /// NaN gives the first sample, u >= 1 the last.
  /// @throws std::runtime_error `"No sampling points were computed in CSplineBase::GetPointFromSampling"`
  /// if there are no sample points.
  T GetPointFromSampling(double u) const { return Lookup(samplePoints, u); }

  /// The same lookup on the sample normals. The result is not renormalised:
  /// between two unit normals it is slightly shorter than 1.
  /// @throws std::runtime_error with the same message as GetPointFromSampling
  /// if there are no sample normals.
  T GetNormalFromSampling(double u) const { return Lookup(sampleNormals, u); }

  ///@{
  /// A copy of the sample points, or of the sample normals.
  std::vector<T> GetSamplingPoints() const { return samplePoints; }
  std::vector<T> GetSamplingNormals() const { return sampleNormals; }
  ///@}

  /// The point of segment `index` at local parameter t. The first and the last
  /// segment are the straight lines between their control points; the inner
  /// ones come from InterpolateSegment (index n - 1 passes the range test and
  /// goes there too).
  /// @throws const&nbsp;char* `"Index out of range."`, the string itself
  /// rather than an exception object, if index > n - 1, and also if there are
  /// fewer than two control points, where no segment exists to evaluate.
  T GetPointOnSegment(unsigned int index, double t) const {
    const unsigned int n = ControlPointCount();
    if (n < 2 || index > n - 1) throw "Index out of range.";
    if (index == 0 || index == n - 2) {
      const T& a = controlPoints[index];
      const T& b = controlPoints[index + 1];
      return a + (b - a) * t;
    }
    return InterpolateSegment(index, t);
  }

  /// Arc length of segment `index` between t0 and t1 by adaptive bisection:
  /// an interval is accepted when its two-piece polyline through the midpoint
  /// differs from its chord by less than `tolerance`; the whole segment [0, 1]
  /// is always split at least once. An interval is also accepted, with its
  /// polyline, where it can no longer be halved (its midpoint is not strictly
  /// between its ends in floating point), so a corner is followed as deep as
  /// the parameter allows; that bounds the recursion depth (about 60 levels
  /// for t in [0, 1] away from 0, never more than some 2100).
  /// Input that no halving can satisfy ends quickly instead of building a
  /// binary tree of some 2^50 intervals: a point that is not finite (NaN or
  /// infinite) makes the length not finite at once, and a tolerance that
  /// cannot be met (<= 0, NaN, or below the rounding of the points) or a
  /// segment that never smooths out is split at most kMaxSegmentSplits times
  /// in all, the intervals left then counting with their polyline.
  double GetSegmentLength(unsigned int index, double t0, double t1, double tolerance) const {
    unsigned long splitsLeft = kMaxSegmentSplits;
    return SegmentLength(index, t0, t1, tolerance, splitsLeft);
  }

  /// Arc length from control point `first` to control point `last`. The first
  /// and the last segment of the spline count with their chord (they are
  /// straight), the inner ones with GetSegmentLength at tolerance 0.005. A
  /// total below 1e-5 is replaced by the distance of the two control points.
  /// @throws const&nbsp;char* `"Index out of range."` if `first` or `last` is
  /// beyond the last control point or there are fewer than two control
  /// points.
  double GetArcLength(unsigned int first, unsigned int last) const {
    const unsigned int n = ControlPointCount();
    if (n < 2 || last > n - 1 || first > n - 1) throw "Index out of range.";
    double head = 0, tail = 0;
    unsigned int from = first, to = last;
    if (first == 0) {
      from = 1;
      head = Distance(controlPoints[0], controlPoints[1]);
    }
    if (last == n - 1) {
      to = last - 1;
      // With two control points the only segment is already counted as head.
      if (!(first == 0 && last == 1)) tail = Distance(controlPoints[last - 1], controlPoints[last]);
    }
    double sum = 0;
    for (unsigned int k = from; k < to; ++k) sum = GetSegmentLength(k, 0.0, 1.0, 0.005) + sum;
    const double total = sum + (tail + head);
    if (total >= 1e-5) return total;
    return Distance(controlPoints[first], controlPoints[last]);
  }

  /// Length of the whole curve, GetArcLength(0, n - 1). With fewer than two
  /// control points there is no curve and the length is 0.
  double GetLength() const {
    const unsigned int n = ControlPointCount();
    if (n < 2) return 0;
    return GetArcLength(0, n - 1);
  }

  /// Splits after which GetSegmentLength accepts every further interval
  /// whatever its deviation: as many as a full tree of 16 levels has, while
  /// a segment with a corner needs two per level and a smooth one a few per
  /// unit of length.
  static constexpr unsigned long kMaxSegmentSplits = 1UL << 16;

protected:
  /// P0 … P(n−1): segment k runs from Pk (t = 0) to P(k+1) (t = 1).
  std::vector<T> controlPoints;
  /// Points on the curve in curve order, taken as evenly spaced in u.
  std::vector<T> samplePoints;
  /// One direction per sample, across the curve; the regions offset the
  /// curve along it by half the band width, so it should have length 1.
  std::vector<T> sampleNormals;

private:
  unsigned int ControlPointCount() const { return static_cast<unsigned int>(controlPoints.size()); }

  static T Lookup(const std::vector<T>& samples, double u) {
    if (samples.empty()) throw std::runtime_error("No sampling points were computed in CSplineBase::GetPointFromSampling");
    const long long last = static_cast<long long>(samples.size()) - 1;
    const double x = static_cast<double>(last) * u;
    if (!(x > 0)) return samples.front();
    if (x >= static_cast<double>(last)) return samples.back();
    const std::size_t i = static_cast<std::size_t>(x);
    const double f = x - static_cast<double>(i);
    return (samples[i + 1] * f) + (samples[i] * (1 - f));
  }

  double SegmentLength(unsigned int index, double t0, double t1, double tolerance, unsigned long& splitsLeft) const {
    const double tm = (t1 + t0) * 0.5;
    const T a = GetPointOnSegment(index, t0);
    const T b = GetPointOnSegment(index, t1);
    const T m = GetPointOnSegment(index, tm);
    const double chord = (b - a).Length();
    const double polyline = (m - a).Length() + (b - m).Length();
    if (!std::isfinite(polyline)) return polyline;  // no halving makes it finite
    const bool wholeSegment = t0 == 0 && t1 == 1;
    const bool halvable = (t0 < tm && tm < t1) || (t1 < tm && tm < t0);
    if (!wholeSegment && (std::abs(polyline - chord) < tolerance || !halvable || splitsLeft == 0)) return polyline;
    if (splitsLeft > 0) --splitsLeft;
    const double firstHalf = SegmentLength(index, t0, tm, tolerance, splitsLeft);
    const double secondHalf = SegmentLength(index, tm, t1, tolerance, splitsLeft);
    return secondHalf + firstHalf;
  }
};

}  // namespace Geometry
}  // namespace Brantel
