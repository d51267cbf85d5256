// glGet helpers for tests: enables, stack depths, matrices, current colour,
// line state, and pixel read-back.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <vector>

namespace QuorvelTest {

int GetInt(GLenum pname);
float GetFloat(GLenum pname);
bool IsEnabled(GLenum cap);

/// The 16 values of a matrix (column-major), e.g. GL_PROJECTION_MATRIX.
std::array<double, 16> GetMatrix(GLenum pname);
/// Loads `build` into a scratch projection matrix and returns it, leaving the
/// projection matrix and the matrix mode as they were: the reference against
/// which a loaded matrix is compared.
std::array<double, 16> ReferenceMatrix(void (*build)(const double* args), const double* args);

std::array<float, 4> CurrentColor();

struct Stipple {
  int pattern;
  int repeat;
};
Stipple LineStipple();

/// RGBA pixels of a rectangle of the current read buffer, rows bottom-up,
/// each pixel packed with red in the lowest byte.
std::vector<std::uint32_t> ReadPixels(int x, int y, int width, int height);
std::uint32_t ReadPixel(int x, int y);

constexpr std::uint32_t Rgba(unsigned r, unsigned g, unsigned b, unsigned a = 255) {
  return r | (g << 8) | (b << 16) | (a << 24);
}

}  // namespace QuorvelTest
