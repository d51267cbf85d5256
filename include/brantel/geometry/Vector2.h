#pragma once

#include <cmath>

namespace Brantel {
namespace Geometry {

/// A value vector of two components: clip ranges, fields of view, pixel
/// sampling, integer sizes and counts.
///
/// Two contiguous components x, y (index 0, 1), no heap storage, no virtual
/// functions; copied member-wise. Default construction gives zero. Used with
/// `double` and `int`. Holds no pointers and no GL state; a value like any
/// other, safe to use on any thread.
template <typename T>
class Vector2 {
public:
  /// Both components zero.
  constexpr Vector2() : c{T(0), T(0)} {}
  /// The vector (x, y).
  constexpr Vector2(T x, T y) : c{x, y} {}

  ///@{
  /// Component by index: 0 = x, 1 = y.
  constexpr T& operator[](int i) { return c[i]; }
  constexpr const T& operator[](int i) const { return c[i]; }
  ///@}

  ///@{
  /// The two components as a contiguous array, for GL calls such as glVertex2dv.
  constexpr T* Data() { return c; }
  constexpr const T* Data() const { return c; }
  ///@}

  /// Component-wise sum.
  constexpr Vector2 operator+(const Vector2& b) const { return {c[0] + b.c[0], c[1] + b.c[1]}; }
  /// Component-wise difference.
  constexpr Vector2 operator-(const Vector2& b) const { return {c[0] - b.c[0], c[1] - b.c[1]}; }
  /// Both components negated.
  constexpr Vector2 operator-() const { return {-c[0], -c[1]}; }
  /// Each component times s.
  constexpr Vector2 operator*(const T& s) const { return {c[0] * s, c[1] * s}; }
  /// Each component divided by s; no test of s against zero.
  constexpr Vector2 operator/(const T& s) const { return {c[0] / s, c[1] / s}; }
  ///@{
  /// Exact component-wise comparison.
  constexpr bool operator==(const Vector2& b) const { return c[0] == b.c[0] && c[1] == b.c[1]; }
  constexpr bool operator!=(const Vector2& b) const { return !(*this == b); }
  ///@}

  /// x·x + y·y.
  constexpr T LengthSquared() const { return c[0] * c[0] + c[1] * c[1]; }
  /// The Euclidean length, the square root of LengthSquared().
  T Length() const { return std::sqrt(LengthSquared()); }

private:
  T c[2];
};

/// s · a, the same as a · s.
template <typename T>
constexpr Vector2<T> operator*(const T& s, const Vector2<T>& a) { return a * s; }

}  // namespace Geometry
}  // namespace Brantel
