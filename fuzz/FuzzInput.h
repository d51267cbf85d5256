// Reads typed values from a fuzzer's byte string. Once the bytes run out every
// value reads as zero, so any input, including an empty one, decodes.
#pragma once

#include <brantel/geometry/Vector3.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace QuorvelFuzz {

using Vec3 = Brantel::Geometry::Vector3<double>;

class FuzzInput {
public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data(data), size(size) {}

  std::uint8_t Byte() { return position < size ? data[position++] : 0; }

  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }

  std::uint32_t Uint32() { return static_cast<std::uint32_t>(Word()) | (static_cast<std::uint32_t>(Word()) << 16); }

  /// An integer in [0, bound], from one or two bytes.
  unsigned Below(unsigned bound) {
    const unsigned raw = bound < 256 ? Byte() : Word();
    return raw % (bound + 1);
  }

  bool Flag() { return Byte() & 1; }

  /// Any double, weighted towards the values that break arithmetic: small
  /// integers and fractions, NaN, both infinities, huge and denormal values,
  /// and the raw bit patterns of the next eight bytes.
  double AnyDouble() {
    switch (Byte() % 8) {
      case 0: return static_cast<double>(static_cast<std::int8_t>(Byte()));
      case 1: return static_cast<double>(static_cast<std::int16_t>(Word())) / 64.0;
      case 2: return std::numeric_limits<double>::quiet_NaN();
      case 3: return Flag() ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
      case 4: return (Flag() ? 1 : -1) * std::ldexp(1.0 + Byte() / 256.0, 900 + Byte() % 124);
      case 5: return std::numeric_limits<double>::denorm_min() * Byte();
      case 6: return static_cast<double>(static_cast<std::int8_t>(Byte())) / 7.0;
      default: return RawDouble();
    }
  }

  /// A finite double in [lo, hi].
  double Between(double lo, double hi) { return lo + (hi - lo) * (Word() / 65535.0); }

  Vec3 AnyVector() {
    const double x = AnyDouble(), y = AnyDouble(), z = AnyDouble();
    return Vec3(x, y, z);
  }

private:
  double RawDouble() {
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(Byte()) << (8 * i);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  const std::uint8_t* data;
  std::size_t size;
  std::size_t position = 0;
};

/// An oracle: stops the run with a message when `holds` is false, so libFuzzer
/// (or the seed runner) reports the input.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "oracle failed: %s\n", what);
  std::abort();
}

inline bool IsFinite(const Vec3& v) { return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); }

/// Equal component by component, NaN matching NaN.
inline bool Same(const Vec3& a, const Vec3& b) {
  for (int i = 0; i < 3; ++i)
    if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i])))) return false;
  return true;
}

inline double MaxAbs(const Vec3& v) { return std::fmax(std::fabs(v[0]), std::fmax(std::fabs(v[1]), std::fabs(v[2]))); }

}  // namespace QuorvelFuzz
