// Typed values from a fuzzer's byte string (zero past its end, so any input decodes) and the oracles' check.
#pragma once

#include <brantel/geometry/Vector3.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using Vec3 = Brantel::Geometry::Vector3<double>;

class FuzzInput {
public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : next(data), end(data + size) {}
  std::uint8_t Byte() { return next < end ? *next++ : 0; }
  /// `n` bytes as an unsigned integer, low byte first.
  std::uint64_t Bytes(int n) {
    std::uint64_t value = 0;
    for (int i = 0; i < n; ++i) value |= std::uint64_t(Byte()) << (8 * i);
    return value;
  }
  /// An integer in [0, bound], from one byte, or two when bound > 255.
  unsigned Below(unsigned bound) { return Bytes(bound < 256 ? 1 : 2) % (bound + 1); }
  bool Flag() { return Byte() & 1; }
  double Between(double lo, double hi) { return lo + (hi - lo) * (Bytes(2) / 65535.0); }
  Vec3 AnyVector() { return Vec3{AnyDouble(), AnyDouble(), AnyDouble()}; }  // braces read in order
  /// Any double, weighted towards those that break arithmetic: small integers
  /// and fractions, NaN, infinities, huge and denormal values, and any bits.
  double AnyDouble() {
    constexpr int kBytesOfKind[8] = {1, 2, 0, 1, 3, 1, 1, 8};
    const int kind = Byte() % 8;
    const std::uint64_t b = Bytes(kBytesOfKind[kind]);
    const double sign = b & 1 ? 1 : -1;  // huge: a sign, a mantissa and an exponent byte
    double bits;
    std::memcpy(&bits, &b, sizeof bits);
    const double values[8] = {double(std::int8_t(b)), std::int16_t(b) / 64.0, NAN, sign * HUGE_VAL,
                              sign * std::ldexp(1 + double(b >> 8 & 255) / 256, 900 + int(b >> 16) % 124),
                              std::nextafter(0.0, 1.0) * double(b), std::int8_t(b) / 7.0, bits};
    return values[kind];
  }

private:
  const std::uint8_t *next, *end;
};

/// Stops the run when an oracle does not hold, so that libFuzzer or the seed runner reports the input.
inline void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "oracle failed: %s\n", what);
  std::abort();
}
