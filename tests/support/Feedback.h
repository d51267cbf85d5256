// Feedback-buffer capture: runs drawing code in GL_FEEDBACK mode and parses
// what GL made of it into items with their vertices (GL_3D_COLOR_TEXTURE:
// window x, y, z, the RGBA colour and the texture coordinate s, t, r, q).
#pragma once

#include <GL/gl.h>

#include <array>
#include <functional>
#include <vector>

namespace QuorvelTest {

struct FbVertex {
  std::array<double, 3> position;
  std::array<float, 4> color;
  std::array<float, 4> texCoord;
};

struct FbItem {
  int token;                       // GL_POINT_TOKEN, GL_LINE_TOKEN, GL_POLYGON_TOKEN, GL_PASS_THROUGH_TOKEN, …
  std::vector<FbVertex> vertices;  // 2 for lines, n for polygons, none for pass-through, else 1
  float value;                     // of a pass-through
};

struct Feedback {
  std::vector<FbItem> items;
};

/// What GL fed back while `draw` ran, in window coordinates. Overflowing the
/// buffer of `capacity` floats fails the test.
Feedback CaptureFeedback(const std::function<void()>& draw, std::size_t capacity = 1 << 20);

/// CaptureFeedback under GlTest::UseWorldWindowMapping, with positions turned
/// back into object coordinates (exact in x and y, within 1e-3 in z).
Feedback CaptureWorldFeedback(const std::function<void()>& draw, std::size_t capacity = 1 << 20);

}  // namespace QuorvelTest
