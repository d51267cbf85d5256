#include "GlQueries.h"

namespace QuorvelTest {

int GetInt(GLenum pname) {
  GLint v[16] = {};
  glGetIntegerv(pname, v);
  return v[0];
}

float GetFloat(GLenum pname) {
  GLfloat v[16] = {};
  glGetFloatv(pname, v);
  return v[0];
}

bool IsEnabled(GLenum cap) { return glIsEnabled(cap) == GL_TRUE; }

std::array<double, 16> GetMatrix(GLenum pname) {
  std::array<double, 16> m{};
  glGetDoublev(pname, m.data());
  return m;
}

std::array<double, 16> ReferenceMatrix(void (*build)(const double* args), const double* args) {
  const int mode = GetInt(GL_MATRIX_MODE);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  build(args);
  const std::array<double, 16> m = GetMatrix(GL_PROJECTION_MATRIX);
  glPopMatrix();
  glMatrixMode(static_cast<GLenum>(mode));
  return m;
}

std::array<float, 4> CurrentColor() {
  std::array<float, 4> c{};
  glGetFloatv(GL_CURRENT_COLOR, c.data());
  return c;
}

Stipple LineStipple() { return {GetInt(GL_LINE_STIPPLE_PATTERN), GetInt(GL_LINE_STIPPLE_REPEAT)}; }

std::vector<std::uint32_t> ReadPixels(int x, int y, int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

std::uint32_t ReadPixel(int x, int y) { return ReadPixels(x, y, 1, 1)[0]; }

}  // namespace QuorvelTest
