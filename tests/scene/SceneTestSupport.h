// Helpers shared by the scene tests: vectors from recorded calls and
// feedback, and loop comparison.
#pragma once

#include <brantel/geometry/Vector3.h>

#include "Feedback.h"
#include "GlRecorder.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace QuorvelTest {

using Vec3 = Brantel::Geometry::Vector3<double>;

/// The points of every recorded call of `name` that takes a vertex pointer.
std::vector<Vec3> RecordedPoints(const GlRecorder& rec, const std::string& name);

/// The vertices of a line loop as fed back: the first vertex of each segment.
std::vector<Vec3> FedBackLoop(const Feedback& fb);

/// The vertices of every polygon that was fed back.
std::vector<Vec3> FedBackPolygonVertices(const Feedback& fb);

/// True when `actual` is `expected` started at some vertex, in the same
/// cyclic order, each point within `tolerance`.
::testing::AssertionResult SameLoop(const std::vector<Vec3>& actual, const std::vector<Vec3>& expected,
                                    double tolerance);

/// True when no point equals the one before it, nor the last the first.
::testing::AssertionResult NoRepeatedConsecutivePoints(const std::vector<Vec3>& loop);

}  // namespace QuorvelTest

namespace Brantel {
namespace Geometry {
inline void PrintTo(const Vector3<double>& v, std::ostream* os) { *os << "(" << v[0] << ", " << v[1] << ", " << v[2] << ")"; }
}  // namespace Geometry
}  // namespace Brantel
