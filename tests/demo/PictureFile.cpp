#include "PictureFile.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>

namespace DemoTest {

PictureFile::PictureFile(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return;
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return;
  width = int(image.width);
  height = int(image.height);
  rgb = std::move(pixels);
}

Rgb PictureFile::At(int x, int y) const {
  x = std::clamp(x, 0, width - 1);
  y = std::clamp(y, 0, height - 1);
  const std::uint8_t* p = &rgb[(std::size_t(y) * width + x) * 3];
  return {p[0], p[1], p[2]};
}

bool IsColour(const Rgb& p, const Brantel::Geometry::Vector3<double>& c, int tolerance) {
  return std::abs(p.r - int(c[0] * 255.0 + 0.5)) <= tolerance && std::abs(p.g - int(c[1] * 255.0 + 0.5)) <= tolerance &&
         std::abs(p.b - int(c[2] * 255.0 + 0.5)) <= tolerance;
}

bool PictureFile::HasColourNear(int x, int y, int radius, const Brantel::Geometry::Vector3<double>& colour,
                                int tolerance) const {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx)
      if (IsColour(At(x + dx, y + dy), colour, tolerance)) return true;
  return false;
}

}  // namespace DemoTest
