// Two-component value vector: clip ranges, fields of view, pixel sampling,
// integer sizes and counts.
//
// A plain value type: two contiguous components x, y (index 0, 1), no heap
// storage, no virtual functions. Default construction gives zero.
#pragma once

#include <cmath>

namespace Brantel {
namespace Geometry {

template <typename T>
class Vector2 {
public:
  constexpr Vector2() : c{T(0), T(0)} {}
  constexpr Vector2(T x, T y) : c{x, y} {}

  /// Component by index: 0 = x, 1 = y.
  constexpr T& operator[](int i) { return c[i]; }
  constexpr const T& operator[](int i) const { return c[i]; }

  constexpr T* Data() { return c; }
  constexpr const T* Data() const { return c; }

  constexpr Vector2 operator+(const Vector2& b) const { return {c[0] + b.c[0], c[1] + b.c[1]}; }
  constexpr Vector2 operator-(const Vector2& b) const { return {c[0] - b.c[0], c[1] - b.c[1]}; }
  constexpr Vector2 operator-() const { return {-c[0], -c[1]}; }
  constexpr Vector2 operator*(const T& s) const { return {c[0] * s, c[1] * s}; }
  constexpr Vector2 operator/(const T& s) const { return {c[0] / s, c[1] / s}; }
  constexpr bool operator==(const Vector2& b) const { return c[0] == b.c[0] && c[1] == b.c[1]; }
  constexpr bool operator!=(const Vector2& b) const { return !(*this == b); }

  constexpr T LengthSquared() const { return c[0] * c[0] + c[1] * c[1]; }
  T Length() const { return std::sqrt(LengthSquared()); }

private:
  T c[2];
};

template <typename T>
constexpr Vector2<T> operator*(const T& s, const Vector2<T>& a) { return a * s; }

}  // namespace Geometry
}  // namespace Brantel
