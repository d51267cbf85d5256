// The dental arch as the viewer's panoramic curve: a Catmull–Rom spline
// through a handful of arch points in the plane z = 0, from the patient's
// right to the left, which computes its own evenly spaced samples and their
// unit normals (pointing out of the arch, towards the cheeks and lips).
#pragma once

#include <brantel/geometry/SplineBase.h>
#include <brantel/geometry/Vector3.h>

#include <vector>

namespace Demo {

using Vec3 = Brantel::Geometry::Vector3<double>;

class ArchSpline : public Brantel::Geometry::CSplineBase<Vec3> {
public:
  /// Builds the arch from the back of the right ramus, around the incisors,
  /// to the back of the left ramus, and samples it `sampleCount` times.
  explicit ArchSpline(int sampleCount = 600);

  /// Catmull–Rom interpolation of an inner segment between control points
  /// `index` and `index` + 1.
  Vec3 InterpolateSegment(unsigned int index, double t) const override;

  /// Point of segment `index` at t: the first and the last segment are
  /// straight, as the library measures them; the others are Catmull–Rom.
  Vec3 PointOnSegment(unsigned int index, double t) const;

  /// Arc length of the sampled curve in mm (first to last sample).
  double SampledLength() const { return sampledLength; }

  const std::vector<Vec3>& Samples() const { return samplePoints; }
  const std::vector<Vec3>& Normals() const { return sampleNormals; }

private:
  void ComputeSamples(int sampleCount);

  double sampledLength = 0.0;
};

}  // namespace Demo
