// glGet helpers: enables, integers, matrices, current colour, line stipple,
// and pixel read-back.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <vector>

namespace QuorvelTest {

inline int GetInt(GLenum pname) {
  GLint v[16] = {};
  return glGetIntegerv(pname, v), v[0];
}
inline float GetFloat(GLenum pname) {
  GLfloat v[16] = {};
  return glGetFloatv(pname, v), v[0];
}
inline bool IsEnabled(GLenum cap) { return glIsEnabled(cap) == GL_TRUE; }

/// The 16 values of a matrix, column by column, e.g. of GL_MODELVIEW_MATRIX.
inline std::array<double, 16> GetMatrix(GLenum pname) {
  std::array<double, 16> m{};
  return glGetDoublev(pname, m.data()), m;
}
inline std::array<float, 4> CurrentColor() {
  std::array<float, 4> c{};
  return glGetFloatv(GL_CURRENT_COLOR, c.data()), c;
}

struct Stipple {
  int pattern;
  int repeat;
};
inline Stipple LineStipple() { return {GetInt(GL_LINE_STIPPLE_PATTERN), GetInt(GL_LINE_STIPPLE_REPEAT)}; }

/// RGBA pixels of a rectangle of the framebuffer, rows bottom-up, red in the
/// lowest byte of each.
inline std::vector<std::uint32_t> ReadPixels(int x, int y, int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}
inline std::uint32_t ReadPixel(int x, int y) { return ReadPixels(x, y, 1, 1)[0]; }
constexpr std::uint32_t Rgba(unsigned r, unsigned g, unsigned b, unsigned a = 255) {
  return r | (g << 8) | (b << 16) | (a << 24);
}

}  // namespace QuorvelTest
