// Small splines for the panorama tests, and a reader that groups the calls a
// GlRecorder saw into primitives with their colour and exact vertices.
#pragma once

#include <brantel/geometry/SplineBase.h>
#include <brantel/geometry/Vector3.h>

#include "GlRecorder.h"

#include <GL/gl.h>

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

/// One glBegin/glEnd pair as the recorder saw it.
struct Primitive {
  GLenum mode;
  std::vector<double> color;                 // current colour at glEnd
  std::vector<std::vector<double>> vertices;  // exact glVertex3dv arguments
};

std::vector<Primitive> Primitives(const GlRecorder& rec);

/// All glVertex3dv arguments, in order.
std::vector<std::vector<double>> Vertices(const GlRecorder& rec);

}  // namespace QuorvelTest
