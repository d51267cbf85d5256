// Writing the rendered frame as a PNG file (libpng).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Demo {

/// An 8-bit RGB picture, rows from top to bottom.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

/// Reads the current GL read buffer (rows bottom-up in GL) into a picture
/// with rows top-down.
Picture ReadFramebuffer(int width, int height);

/// Writes the picture; throws std::runtime_error with a one-line reason
/// when the file cannot be written.
void WritePng(const std::string& path, const Picture& picture);

}  // namespace Demo
