// A spline whose sequences a test fills in directly. Its inner segments are
// straight unless `inner` says otherwise.
#pragma once

#include <brantel/geometry/SplineBase.h>

#include "VectorPrinting.h"

#include <functional>

using Vec3 = Brantel::Geometry::Vector3<double>;

struct TestSpline : Brantel::Geometry::CSplineBase<Vec3> {
  using CSplineBase::controlPoints, CSplineBase::samplePoints, CSplineBase::sampleNormals;
  std::function<Vec3(unsigned, double)> inner;

  Vec3 InterpolateSegment(unsigned index, double t) const override {
    return inner ? inner(index, t) : controlPoints[index] + (controlPoints[index + 1] - controlPoints[index]) * t;
  }
};
