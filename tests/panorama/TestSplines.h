// Small splines for the panorama tests, and the vertices a GlRecorder saw.
#pragma once

#include <brantel/geometry/SplineBase.h>
#include <brantel/geometry/Vector3.h>

#include "GlRecorder.h"

#include <functional>
#include <vector>

namespace QuorvelTest {

using Vec3 = Brantel::Geometry::Vector3<double>;

/// A spline whose sequences the test fills directly. Inner segments follow
/// `interpolate` (straight between their control points by default); every
/// InterpolateSegment call is logged with its index.
class TestSpline : public Brantel::Geometry::CSplineBase<Vec3> {
public:
  std::vector<Vec3>& ControlPoints() { return controlPoints; }
  std::vector<Vec3>& Samples() { return samplePoints; }
  std::vector<Vec3>& Normals() { return sampleNormals; }

  Vec3 InterpolateSegment(unsigned int index, double t) const override;

  std::function<Vec3(unsigned int, double)> interpolate;
  mutable std::vector<unsigned int> interpolatedSegments;
};

/// The worked example: nine samples (64 - 16k, 0, 0), k = 0 ... 8, every
/// normal (0, 1, 0), two control points 128 apart (curve length 128).
void MakeStraightNineSamples(TestSpline& spline);

/// All glVertex3dv arguments, in order.
std::vector<Vec3> Vertices(const GlRecorder& rec);

}  // namespace QuorvelTest
