// Feedback-buffer capture: runs a piece of drawing code in GL_FEEDBACK render
// mode and parses what GL produced into items (points, lines, polygons,
// bitmaps, pixel rectangles, pass-through markers) with their vertices.
//
// Vertices are captured as GL_3D_COLOR_TEXTURE: window x, y, z, the RGBA
// colour and the texture coordinate (s, t, r, q) GL assigned to each vertex.
#pragma once

#include <GL/gl.h>

#include <array>
#include <functional>
#include <vector>

namespace QuorvelTest {

struct FbVertex {
  std::array<double, 3> position;  // window coordinates (or world, see CaptureWorldFeedback)
  std::array<float, 4> color;
  std::array<float, 4> texCoord;
};

struct FbItem {
  enum Kind { Point, Line, LineReset, Polygon, Bitmap, DrawPixel, CopyPixel, PassThrough };
  Kind kind;
  std::vector<FbVertex> vertices;  // 1 for points, bitmaps, pixels; 2 for lines; n for polygons
  float value = 0;                 // pass-through value
};

struct Feedback {
  std::vector<FbItem> items;
  bool overflowed = false;

  std::vector<FbItem> Of(FbItem::Kind kind) const;
  std::size_t Count(FbItem::Kind kind) const;
  /// The two vertices of every line (and line-reset) segment, in order.
  std::vector<std::array<double, 3>> LinePositions() const;
  /// The vertices of every polygon, in order.
  std::vector<std::vector<FbVertex>> Polygons() const;
  std::vector<float> PassThroughValues() const;
};

/// Runs `draw` in feedback mode and returns what GL fed back, in window
/// coordinates. `capacity` is the buffer size in floats.
Feedback CaptureFeedback(const std::function<void()>& draw, std::size_t capacity = 1 << 20);

/// Like CaptureFeedback, but first installs GlTest::UseWorldWindowMapping and
/// converts every position back to object coordinates (exact in x and y,
/// about 1e-3 in z).
Feedback CaptureWorldFeedback(const std::function<void()>& draw, std::size_t capacity = 1 << 20);

}  // namespace QuorvelTest
