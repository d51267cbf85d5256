// Spline lookups, segment evaluation and arc length on any control points, samples and parameters, NaN
// and infinities included. Each operation throws exactly what its header says; for moderate input results
// are finite, a lookup stays within its samples, an arc is no shorter than its span nor the curve than its
// chords (or its end points' distance, which it falls back to below 1e-5).
#include "FuzzInput.h"

#include <brantel/geometry/SplineBase.h>

#include <numeric>

// Inner segments bulge towards the control point before them and end on their own.
struct Spline : Brantel::Geometry::CSplineBase<Vec3> {
  using CSplineBase::controlPoints, CSplineBase::samplePoints, CSplineBase::sampleNormals;
  Vec3 InterpolateSegment(unsigned int i, double t) const override {
    const Vec3 &a = controlPoints[i], &b = controlPoints[std::min<std::size_t>(i + 1, controlPoints.size() - 1)];
    return a + (b - a) * t + (a - controlPoints[i > 0 ? i - 1 : 0]) * (t * (1 - t));
  }
};

// The sum of the coordinates' magnitudes, on which rounding errors scale: moderate up to 1e100.
double Scale(const std::vector<Vec3>& points) {
  auto add = [](double sum, const Vec3& p) { return sum + std::fabs(p[0]) + std::fabs(p[1]) + std::fabs(p[2]); };
  return std::accumulate(points.begin(), points.end(), 0.0, add);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  Spline spline;
  for (auto* points : {&spline.controlPoints, &spline.samplePoints, &spline.sampleNormals}) {
    points->resize(in.Below(points == &spline.controlPoints ? 8 : 12));
    for (Vec3& p : *points) p = in.AnyVector();
  }
  const std::vector<Vec3>& p = spline.controlPoints;
  const bool moderate = Scale(p) <= 1e100;
  const double slack = 1e-10 * Scale(p);  // lengths may fall short of chords by rounding
  auto valid = [&p](unsigned index) { return p.size() >= 2 && index < p.size(); };
  double chords = 0, curve = spline.GetLength();
  for (std::size_t k = 0; k + 1 < p.size(); ++k) chords += Distance(p[k], p[k + 1]);
  const bool longEnough = curve < 1e-5 || curve >= chords * (1 - 1e-9) - slack;  // below 1e-5 the ends' distance
  Require(p.size() < 2 ? curve == 0 : !moderate || (std::isfinite(curve) && longEnough), "a curve's length");
  for (unsigned step = in.Below(8); step > 0; --step) {
    // 0, 1: a sample point or normal at u = t0; 2: a segment point; 3: a segment's length; 4: an arc's.
    const unsigned kind = in.Byte() % 5, index = kind >= 2 ? in.Below(10) : 0;
    const double t0 = kind < 4 ? in.AnyDouble() : 0, t1 = kind == 3 ? in.AnyDouble() : 0;
    const double tolerance = kind == 3 && in.Flag() ? in.AnyDouble() : 0.005;  // mostly the arc length's: fast
    const unsigned last = kind == 4 ? in.Below(10) : 0;
    const std::vector<Vec3>& samples = kind == 1 ? spline.sampleNormals : spline.samplePoints;
    Vec3 point;
    double length = 0;
    try {
      if (kind < 2) point = kind ? spline.GetNormalFromSampling(t0) : spline.GetPointFromSampling(t0);
      if (kind == 2) point = spline.GetPointOnSegment(index, t0);
      if (kind == 3) length = spline.GetSegmentLength(index, t0, t1, tolerance);
      if (kind == 4) length = spline.GetArcLength(index, last);
    } catch (const char* message) {
      Require(kind >= 2 && !(valid(index) && valid(last)) && message == std::string("Index out of range."), "index refused");
      continue;
    } catch (const std::exception& e) {
      const std::string expected = "No sampling points were computed in CSplineBase::GetPointFromSampling";
      Require(kind < 2 && samples.empty() && e.what() == expected, "a lookup threw with samples, or another message");
      continue;
    }
    Require(kind < 2 ? !samples.empty() : valid(index) && valid(last), "no samples or an index out of range not refused");
    if (kind < 2) {
      auto is = [&point](const Vec3& s) { return std::memcmp(&point, &s, sizeof point) == 0; };  // bit for bit
      Require(t0 > 0 && samples.size() > 1 ? t0 < 1 || is(samples.back()) : is(samples.front()), "an end is not its sample");
      for (int a = 0; a < 3 && Scale(samples) <= 1e100; ++a) {
        auto less = [a](const Vec3& s, const Vec3& t) { return s[a] < t[a]; };
        const auto [lo, hi] = std::minmax_element(samples.begin(), samples.end(), less);
        const double margin = 1e-12 * Scale(samples);
        Require(point[a] >= (*lo)[a] - margin && point[a] <= (*hi)[a] + margin, "a lookup left its samples");
      }
    } else if (moderate && std::fabs(t0) <= 1e6 && std::fabs(t1) <= 1e6) {
      Require(std::isfinite(point[0] + point[1] + point[2] + length) && length >= 0, "a moderate result not finite");
      Require(kind != 2 || t0 != 0 || (index > 0 && index + 2 != p.size()) || point == p[index], "straight segment start");
      Require(kind != 4 || index > last || length >= Distance(p[index], p[last]) * (1 - 1e-9) - slack, "arc below its span");
    }
  }
  return 0;
}
