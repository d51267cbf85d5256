#include "Phantom.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace Demo {
namespace {

constexpr double kAir = -1000.0, kFat = -90.0, kSoft = 45.0;
constexpr double kCortical = 1450.0, kCancellous = 380.0;

double Square(double v) { return v * v; }

// Deterministic speckle of a few tens of HU, like the noise of a CBCT scan.
double Noise(const Vec3& p) {
  const std::uint32_t x = std::uint32_t(std::int32_t(std::floor(p[0] * 4.0)) + 4096);
  const std::uint32_t y = std::uint32_t(std::int32_t(std::floor(p[1] * 4.0)) + 4096);
  const std::uint32_t z = std::uint32_t(std::int32_t(std::floor(p[2] * 4.0)) + 4096);
  std::uint32_t h = x * 73856093u ^ y * 19349663u ^ z * 83492791u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  h ^= h >> 15;
  return (double(h & 0xffff) / 65535.0 - 0.5) * 50.0;
}

// Signed distance-like measure of an ellipse: < 0 inside, in mm near the rim.
double Ellipse(double x, double y, double cx, double cy, double rx, double ry) {
  const double r = std::sqrt(Square((x - cx) / rx) + Square((y - cy) / ry));
  return (r - 1.0) * std::min(rx, ry);
}

// Smooth value noise in 0 … 1 with features of about `cell` mm.
double ValueNoise(const Vec3& p, double cell) {
  auto hash = [](long x, long y, long z) {
    std::uint32_t h = std::uint32_t(x) * 73856093u ^ std::uint32_t(y) * 19349663u ^ std::uint32_t(z) * 83492791u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return double(h & 0xffff) / 65535.0;
  };
  const double fx = p[0] / cell, fy = p[1] / cell, fz = p[2] / cell;
  const long x = long(std::floor(fx)), y = long(std::floor(fy)), z = long(std::floor(fz));
  const double tx = fx - x, ty = fy - y, tz = fz - z;
  double sum = 0.0;
  for (int i = 0; i < 8; ++i) {
    const int dx = i & 1, dy = (i >> 1) & 1, dz = i >> 2;
    sum += hash(x + dx, y + dy, z + dz) * (dx ? tx : 1 - tx) * (dy ? ty : 1 - ty) * (dz ? tz : 1 - tz);
  }
  return sum;
}

// Bone with a cortical shell of the given thickness, by depth inside it;
// the marrow inside is mottled like trabecular bone.
double Bone(const Vec3& p, double depthInside, double shell = 2.0) {
  if (depthInside < shell) return kCortical;
  return kCancellous + (ValueNoise(p, 1.1) - 0.5) * 420.0;
}

// The mandibular canal: a nerve channel through the lower jaw from the
// ramus to below the premolars.
bool InCanal(const ArchCoordinates& a, double z, double ramus, double length) {
  if (std::abs(a.along - length * 0.5) < 24.0) return false;
  const double height = -28.0 + ramus * 30.0;
  return Square(a.across + 1.5) + Square(z - height) < 1.6 * 1.6;
}

}  // namespace

const std::vector<Vec3>& Phantom::ArchPoints() {
  // The right ramus, molars, premolars, canine, the midline between the
  // central incisors, and the same on the left (mm).
  static const std::vector<Vec3> points = {{39.0, -40.0, 0.0},  {31.0, -18.0, 0.0}, {25.5, 0.0, 0.0},
                                           {17.0, 13.0, 0.0},   {0.0, 20.0, 0.0},   {-17.0, 13.0, 0.0},
                                           {-25.5, 0.0, 0.0},   {-31.0, -18.0, 0.0}, {-39.0, -40.0, 0.0}};
  return points;
}

Phantom::Phantom() : arch(ArchPoints()), field(arch), teeth(arch.Length()) {}

double Phantom::Sample(const Vec3& p) const {
  double value = SoftTissue(p);
  if (value > kAir + 1.0) {
    value = std::max(value, Spine(p));
    value = std::min(value, Midface(p));
    const ArchCoordinates a = field.At(p[0], p[1]);
    if (a.nearArch) value = std::max(value, Jaws(p, a));
  }
  return value + Noise(p);
}

// Head outline: skin, a layer of fat, soft tissue; narrowing below the chin.
double Phantom::SoftTissue(const Vec3& p) const {
  const double z = p[2];
  const double taper = z < -30.0 ? 1.0 - Square((-30.0 - z) / 38.0) : 1.0;
  if (taper <= 0.05) return kAir;
  const double rim = Ellipse(p[0], p[1], 0.0, -10.0 - (z < -30.0 ? (-30.0 - z) * 0.6 : 0.0),
                             66.0 * std::sqrt(taper), 74.0 * taper);
  if (rim > 0.0) return kAir;
  if (rim > -1.5) return kSoft + 20.0;
  if (rim > -6.0) return kFat;
  // The airway behind the tongue, opening into the nasal cavity above.
  if (z < 28.0 && Ellipse(p[0], p[1], 0.0, -36.0, 11.0, 6.5) < 0.0) return kAir;
  return kSoft;
}

double Phantom::Spine(const Vec3& p) const {
  if (p[2] > 30.0) return kAir;
  const double body = Ellipse(p[0], p[1], 0.0, -54.0, 11.0, 9.5);
  if (body < 0.0) return Bone(p, -body, 1.6);
  const double canal = Ellipse(p[0], p[1], 0.0, -69.0, 7.0, 6.0);
  const double arc = Ellipse(p[0], p[1], 0.0, -69.0, 11.5, 10.0);
  if (arc < 0.0 && canal > 0.0) return Bone(p, -arc, 1.4);
  return kAir;
}

// Maxillary sinuses and the nasal cavity: air pockets in bony walls above
// the upper teeth. Returns a value that caps what is there (min with it).
double Phantom::Midface(const Vec3& p) const {
  const double z = p[2];
  if (z < 26.0) return 1e9;
  for (int side = -1; side <= 1; side += 2) {
    const double r = std::sqrt(Square((p[0] - side * 23.0) / 12.0) + Square((p[1] + 6.0) / 15.0) +
                               Square((z - 43.0) / 12.0));
    if (r < 1.0) return -350.0;  // air and lining mucosa
    if (r < 1.1) return kCortical * 0.8;
  }
  if (std::abs(p[0]) < 12.0 && p[1] > -34.0 && p[1] < 4.0) {
    if (std::abs(p[0]) < 1.0) return kCortical * 0.7;  // septum
    return kAir + 40.0;
  }
  return 1e9;
}

// Teeth, their sockets, the alveolar bone of both jaws, the mandibular body
// with the rami rising behind the molars, and the hard palate.
double Phantom::Jaws(const Vec3& p, const ArchCoordinates& a) const {
  const double z = p[2];
  const double tooth = teeth.Sample(a.along, a.across, z);
  if (tooth > Teeth::kNoTooth + 1.0) return tooth;

  const double length = arch.Length();
  const double fromEnd = std::min(a.along, length - a.along);  // mm from a ramus end
  const double ramus = std::clamp((24.0 - fromEnd) / 16.0, 0.0, 1.0);  // 1 at the rami
  double best = -2000.0;

  // Lower jaw: crest just below the crowns, rising into the ramus, whose
  // plate is thinner and rounded at its back.
  const double lowerTop = -10.5 + ramus * 42.0;
  const double lowerBottom = -47.0 + ramus * 8.0;
  if (z < lowerTop && z > lowerBottom && a.along > -1.0 && a.along < length + 1.0) {
    const double h = (lowerTop - z) / (lowerTop - lowerBottom);
    const double rounding = std::sqrt(std::clamp((fromEnd + 1.0) / 7.0, 0.0, 1.0));
    const double halfWidth = (6.0 + 3.2 * h - ramus * 1.8) * rounding;
    const double centre = -0.8 - 1.6 * h;
    const double side = std::min(halfWidth - std::abs(a.across - centre), z - lowerBottom);
    const double crest = lowerTop - z;  // the cortex is thin on the alveolar crest
    const bool hollow = teeth.InSocket(a.along, a.across, z) || InCanal(a, z, ramus, length);
    if (side > 0.0 && crest > 0.0) best = hollow ? kSoft + 30.0 : Bone(p, std::min(side, crest * 2.5));
  }
  // Upper jaw: alveolar ridge above the crowns, rounded off behind the last
  // molars and running up into the midface without an edge.
  if (z > 10.0 && z < 40.0 && fromEnd > 8.0) {
    const double halfWidth = 7.2 * std::sqrt(std::clamp((fromEnd - 8.0) / 6.0, 0.0, 1.0));
    const double side = halfWidth - std::abs(a.across - 0.8), crest = z - 10.0;
    const double fade = std::clamp((40.0 - z) / 10.0, 0.0, 1.0);
    if (side > 0.0 && crest > 0.0) {
      const double bone = teeth.InSocket(a.along, a.across, z) ? kSoft + 30.0 : Bone(p, std::min(side, crest * 2.5));
      best = std::max(best, kSoft + (bone - kSoft) * fade);
    }
  }
  // Hard palate: a plate inside the upper arch.
  if (z > 19.0 && z < 24.0 && a.across < -4.0 && fromEnd > 14.0)
    best = std::max(best, Bone(p, std::min(z - 19.0, 24.0 - z), 1.2));
  // The tongue fills the lower arch; keep soft tissue there.
  return best;
}

}  // namespace Demo
