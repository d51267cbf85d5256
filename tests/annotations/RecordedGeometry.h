// Helpers for the annotation tests: the vertices GL received, grouped by
// glBegin/glEnd block, and matchers that compare points exactly or within a
// tolerance.
#pragma once

#include "Feedback.h"
#include "GlRecorder.h"

#include <gmock/gmock.h>

#include <array>
#include <vector>

namespace QuorvelTest {

using Point = std::array<double, 3>;

/// The glVertex3dv arguments of each glBegin/glEnd block, in call order.
std::vector<std::vector<Point>> RecordedBlocks(const GlRecorder& rec);

/// The glVertex3dv arguments of all blocks, in call order.
std::vector<Point> RecordedVertices(const GlRecorder& rec);

/// Matchers for a list of points: equal to within 4 ULPs per component.
std::vector<::testing::Matcher<Point>> ExactPoints(const std::vector<Point>& expected);

/// Matchers for a list of points: each component within `tolerance`.
std::vector<::testing::Matcher<Point>> NearPoints(const std::vector<Point>& expected, double tolerance);

}  // namespace QuorvelTest
