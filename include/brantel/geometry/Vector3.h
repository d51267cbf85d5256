#pragma once

#include <cmath>

/// The general library's header types that the interface uses: vectors, the
/// spline base and images, all header-only.
namespace Brantel {
/// Value vectors and the base of a viewer's spline.
namespace Geometry {

/// A value vector of three components: points, directions and RGB colours.
///
/// Three contiguous components x, y, z (index 0, 1, 2), no heap storage, no
/// virtual functions; copied member-wise. Default construction gives zero.
/// Used with `double` everywhere and with `int` for one colour setter of
/// GlCircle. A colour holds red, green, blue in x, y, z, each in 0..1, and is
/// handed to GL unchanged. Holds no pointers and no GL state; a value like
/// any other, safe to use on any thread.
template <typename T>
class Vector3 {
public:
  /// All components zero.
  constexpr Vector3() : c{T(0), T(0), T(0)} {}
  /// The vector (x, y, z).
  constexpr Vector3(T x, T y, T z) : c{x, y, z} {}

  ///@{
  /// Component by index: 0 = x, 1 = y, 2 = z.
  constexpr T& operator[](int i) { return c[i]; }
  constexpr const T& operator[](int i) const { return c[i]; }
  ///@}

  ///@{
  /// The three components as a contiguous array, for GL calls such as
  /// glVertex3dv.
  constexpr T* Data() { return c; }
  constexpr const T* Data() const { return c; }
  ///@}

  /// Component-wise sum.
  constexpr Vector3 operator+(const Vector3& b) const { return {c[0] + b.c[0], c[1] + b.c[1], c[2] + b.c[2]}; }
  /// Component-wise difference.
  constexpr Vector3 operator-(const Vector3& b) const { return {c[0] - b.c[0], c[1] - b.c[1], c[2] - b.c[2]}; }
  /// All components negated.
  constexpr Vector3 operator-() const { return {-c[0], -c[1], -c[2]}; }
  /// Each component times s.
  constexpr Vector3 operator*(const T& s) const { return {c[0] * s, c[1] * s, c[2] * s}; }
  /// Divides each component by s; no test of s against zero.
  constexpr Vector3 operator/(const T& s) const { return {c[0] / s, c[1] / s, c[2] / s}; }
  ///@{
  /// Exact component-wise comparison.
  constexpr bool operator==(const Vector3& b) const { return c[0] == b.c[0] && c[1] == b.c[1] && c[2] == b.c[2]; }
  constexpr bool operator!=(const Vector3& b) const { return !(*this == b); }
  ///@}

  /// x·x + y·y + z·z, summed in that order.
  constexpr T LengthSquared() const { return c[0] * c[0] + c[1] * c[1] + c[2] * c[2]; }
  /// The Euclidean length, the square root of LengthSquared().
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

/// s · a, the same as a · s.
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

/// The distance between two points, the Length() of a − b.
template <typename T>
T Distance(const Vector3<T>& a, const Vector3<T>& b) { return (a - b).Length(); }

}  // namespace Geometry
}  // namespace Brantel
