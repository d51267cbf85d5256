// glGet and pixel read-back helpers.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

namespace QuorvelTest {

inline int GetInt(GLenum pname) {
  GLint v[16] = {};
  return glGetIntegerv(pname, v), v[0];
}

/// RGBA pixels of a rectangle of the framebuffer, rows bottom-up, red in the
/// lowest byte of each.
inline std::vector<std::uint32_t> ReadPixels(int x, int y, int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}
constexpr std::uint32_t Rgba(unsigned r, unsigned g, unsigned b, unsigned a = 255) {
  return r | (g << 8) | (b << 16) | (a << 24);
}

}  // namespace QuorvelTest
