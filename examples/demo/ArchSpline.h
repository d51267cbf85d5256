// The dental arch as the viewer's panoramic curve: a Catmull–Rom spline
// through the arch points in the plane z = 0, which computes its own evenly
// spaced samples and their unit normals. The normals point to the right of
// the direction of travel (seen from above): out of the arch, towards the
// cheeks and lips, when the points run from the patient's right to the left.
#pragma once

#include <brantel/geometry/SplineBase.h>
#include <brantel/geometry/Vector3.h>

#include <vector>

namespace Demo {

using Vec3 = Brantel::Geometry::Vector3<double>;

class ArchSpline : public Brantel::Geometry::CSplineBase<Vec3> {
public:
  /// No curve: no control points and no samples.
  ArchSpline() = default;
  /// The curve through `points` (their z is dropped), sampled `sampleCount`
  /// times.
  explicit ArchSpline(const std::vector<Vec3>& points, int sampleCount = 600);

  /// Catmull–Rom interpolation of an inner segment between control points
  /// `index` and `index` + 1.
  Vec3 InterpolateSegment(unsigned int index, double t) const override;

  /// Whether there is a curve: two points or more, apart.
  bool HasCurve() const { return length > 0.0; }
  /// The curve's length (mm) as the panorama regions and the reformatter
  /// measure it (GetLength), taken once when the points are set.
  double Length() const { return length; }

  const std::vector<Vec3>& Samples() const { return samplePoints; }
  const std::vector<Vec3>& Normals() const { return sampleNormals; }

private:
  Vec3 PointOnSegment(unsigned int index, double t) const;
  void ComputeSamples(int sampleCount);

  double length = 0.0;
};

}  // namespace Demo
