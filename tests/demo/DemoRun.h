// Runs quorvel-demo in the test's working directory; reads what it writes.
#pragma once

#include <png.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

/// Runs `prefix quorvel-demo arguments --out NAME.png` in the shell after removing an old NAME.png;
/// returns the exit status, -1 when the program did not exit normally.
inline int RunDemo(const std::string& name, const std::string& arguments, const std::string& prefix = "") {
  std::filesystem::remove(name + ".png");
  const int raw = std::system((prefix + " '" QUORVEL_DEMO_BINARY "' " + arguments + " --out " + name + ".png").c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

/// The whole text of a file; empty when there is none.
inline std::string Contents(const std::string& file) {
  std::ostringstream text;
  text << std::ifstream(file).rdbuf();
  return text.str();
}

/// An 8-bit RGB PNG, row 0 at the top; 0 × 0 when it cannot be read.
struct Picture {
  explicit Picture(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return;
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr))
      width = int(image.width), height = int(image.height);
  }

  /// Pixels of [x0, x1) × [y0, y1) whose grey (mean of red, green, blue) is in [low, high].
  int Count(int x0, int y0, int x1, int y1, int low, int high) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        const std::uint8_t* p = &rgb[(std::size_t(y) * width + x) * 3];
        const int grey = (p[0] + p[1] + p[2] + 1) / 3;
        n += grey >= low && grey <= high;
      }
    return n;
  }

  /// Channel values more than `tolerance` from `other`'s; all when the sizes differ or it is empty.
  int Differing(const Picture& other, int tolerance) const {
    if (other.width != width || other.height != height || width == 0) return int(rgb.size()) + 1;
    int n = 0;
    for (std::size_t i = 0; i < rgb.size(); ++i) n += std::abs(rgb[i] - other.rgb[i]) > tolerance;
    return n;
  }

  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
};
