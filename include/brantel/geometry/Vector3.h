// Three-component value vector: points, directions and RGB colours.
//
// A plain value type: three contiguous components x, y, z (index 0, 1, 2),
// no heap storage, no virtual functions. Default construction gives zero.
#pragma once

#include <cmath>

namespace Brantel {
namespace Geometry {

template <typename T>
class Vector3 {
public:
  constexpr Vector3() : c{T(0), T(0), T(0)} {}
  constexpr Vector3(T x, T y, T z) : c{x, y, z} {}

  /// Component by index: 0 = x, 1 = y, 2 = z.
  constexpr T& operator[](int i) { return c[i]; }
  constexpr const T& operator[](int i) const { return c[i]; }

  /// The three components as a contiguous array, e.g. for glVertex3dv.
  constexpr T* Data() { return c; }
  constexpr const T* Data() const { return c; }

  constexpr Vector3 operator+(const Vector3& b) const { return {c[0] + b.c[0], c[1] + b.c[1], c[2] + b.c[2]}; }
  constexpr Vector3 operator-(const Vector3& b) const { return {c[0] - b.c[0], c[1] - b.c[1], c[2] - b.c[2]}; }
  constexpr Vector3 operator-() const { return {-c[0], -c[1], -c[2]}; }
  constexpr Vector3 operator*(const T& s) const { return {c[0] * s, c[1] * s, c[2] * s}; }
  /// Divides each component by s; no test of s against zero.
  constexpr Vector3 operator/(const T& s) const { return {c[0] / s, c[1] / s, c[2] / s}; }
  /// Exact component-wise comparison.
  constexpr bool operator==(const Vector3& b) const { return c[0] == b.c[0] && c[1] == b.c[1] && c[2] == b.c[2]; }
  constexpr bool operator!=(const Vector3& b) const { return !(*this == b); }

  /// x·x + y·y + z·z, summed in that order.
  constexpr T LengthSquared() const { return c[0] * c[0] + c[1] * c[1] + c[2] * c[2]; }
  T Length() const { return std::sqrt(LengthSquared()); }

  /// Scales the vector to unit length. A vector shorter than 1e-14 is left
  /// exactly as it was, so zero stays zero.
  void Normalize() {
    const T l = Length();
    if (l < 1e-14) return;
    c[0] /= l;
    c[1] /= l;
    c[2] /= l;
  }

private:
  T c[3];
};

template <typename T>
constexpr Vector3<T> operator*(const T& s, const Vector3<T>& a) { return a * s; }

/// a × b in a right-handed system.
template <typename T>
constexpr Vector3<T> CrossProduct(const Vector3<T>& a, const Vector3<T>& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

/// a.x·b.x + a.y·b.y + a.z·b.z, summed in that order.
template <typename T>
constexpr T DotProduct(const Vector3<T>& a, const Vector3<T>& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

template <typename T>
T Distance(const Vector3<T>& a, const Vector3<T>& b) { return (a - b).Length(); }

}  // namespace Geometry
}  // namespace Brantel
