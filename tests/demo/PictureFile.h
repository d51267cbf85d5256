// Reading the demo's PNG pictures and looking for colours in them.
#pragma once

#include <brantel/geometry/Vector3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace DemoTest {

struct Rgb {
  int r = 0, g = 0, b = 0;
};

class PictureFile {
public:
  /// Reads an 8-bit RGB or RGBA PNG; Ok() is false when it cannot.
  explicit PictureFile(const std::string& path);

  bool Ok() const { return width > 0; }
  int Width() const { return width; }
  int Height() const { return height; }
  /// Pixel at column x, row y from the top.
  Rgb At(int x, int y) const;

  /// Whether some pixel within `radius` (a square) of (x, y) is within
  /// `tolerance` of the colour (0 … 1 components) in every channel.
  bool HasColourNear(int x, int y, int radius, const Brantel::Geometry::Vector3<double>& colour,
                     int tolerance) const;
  /// Number of pixels in the rectangle [x0, x1) × [y0, y1) for which the
  /// predicate holds.
  template <typename Predicate>
  int Count(int x0, int y0, int x1, int y1, Predicate predicate) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += predicate(At(x, y)) ? 1 : 0;
    return n;
  }

private:
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
};

/// Whether a pixel is within `tolerance` of the colour in every channel.
bool IsColour(const Rgb& p, const Brantel::Geometry::Vector3<double>& colour, int tolerance);

}  // namespace DemoTest
