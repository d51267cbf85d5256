#include "Teeth.h"

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

struct ToothKind {
  double width, depth, root;
  int roots;
};

// From the midline outwards: central and lateral incisor, canine, two
// premolars, two molars (mm).
const ToothKind kKinds[] = {{8.2, 6.6, 12.5, 1}, {6.6, 6.2, 13.0, 1}, {7.4, 7.6, 16.0, 1},
                            {7.0, 7.8, 13.5, 1}, {6.8, 8.0, 13.5, 1}, {10.2, 10.2, 12.5, 2},
                            {9.6, 9.8, 12.0, 2}};

constexpr double kOcclusalGap = 0.6;   // half the distance between the rows
constexpr double kCrownHeight = 8.0;
constexpr double kEnamel = 1.3;
constexpr double kPdl = 0.35;          // periodontal ligament around the roots
constexpr int kMissingIndex = 5;       // first molar
constexpr double kEnamelValue = 2900.0, kDentinValue = 1750.0, kPulpValue = 60.0;

// Crown outline scale at depth q below the cusp tips (0 … 1): a dome over
// the first fifth, then narrowing towards the neck.
double CrownProfile(double q) {
  if (q < 0.2) return 0.55 + 0.45 * std::sqrt(std::max(0.0, q / 0.2));
  return 1.0 - 0.22 * (q - 0.2) / 0.8;
}

// A rounded-square norm: crowns are boxier than ellipses.
double CrownNorm(double a, double b) {
  return std::pow(std::pow(std::abs(a), 2.6) + std::pow(std::abs(b), 2.6), 1.0 / 2.6);
}

double RootRadius(double t) { return 0.78 * std::pow(std::max(0.0, 1.0 - t), 0.7); }

}  // namespace

Teeth::Teeth(double archLength) {
  const double middle = archLength * 0.5;
  for (int jaw = 0; jaw < 2; ++jaw)
    for (int side = -1; side <= 1; side += 2) {
      double edge = 0.0;
      for (int k = 0; k < 7; ++k) {
        const ToothKind& kind = kKinds[k];
        const double centre = middle + side * (edge + kind.width * 0.5);
        edge += kind.width;
        // The lower row is a little narrower than the upper one.
        const double scale = jaw == 0 ? 0.97 : 1.0;
        const Tooth t{centre, kind.width * 0.54 * scale, kind.depth * 0.5 * scale, kind.root, kind.roots,
                      jaw == 1, k < 3};
        if (!t.upper && side > 0 && k == kMissingIndex) {
          missingAlong = centre;
          missingWidth = kind.width;
          continue;
        }
        teeth.push_back(t);
      }
    }
  std::sort(teeth.begin(), teeth.end(),
            [](const Tooth& a, const Tooth& b) { return a.along < b.along; });
}

const Tooth* Teeth::Near(double along, bool upper) const {
  const Tooth* best = nullptr;
  for (const Tooth& t : teeth)
    if (t.upper == upper && std::abs(along - t.along) <= t.halfWidth + 0.5 &&
        (!best || std::abs(along - t.along) < std::abs(along - best->along)))
      best = &t;
  return best;
}

double Teeth::Sample(double along, double across, double z) const {
  if (std::abs(across) > 8.0 || std::abs(z) > 32.0) return kNoTooth;  // beyond every tooth
  const bool upper = z > 0.0;
  const Tooth* t = Near(along, upper);
  if (!t) return kNoTooth;
  // Local coordinates: a along the arch, b across it, q and depth below the
  // cusp tips (the lower row mirrored onto the upper one).
  const double a = (along - t->along) / t->halfWidth;
  const double b = (across - (upper ? 1.2 : 0.0)) / t->halfDepth;
  const double depth = std::abs(z) - kOcclusalGap;
  if (depth < 0.0) return kNoTooth;
  if (depth <= kCrownHeight) {
    const double q = depth / kCrownHeight;
    // Incisors and canines thin out towards the biting edge.
    const double edge = t->anterior ? 0.45 + 0.55 * std::min(1.0, q / 0.6) : 1.0;
    const double r = CrownNorm(a, b / edge);
    const double outline = CrownProfile(q);
    if (r > outline) return kNoTooth;
    const double toSurface = (outline - r) * std::min(t->halfWidth, t->halfDepth);
    if (toSurface < kEnamel || depth < kEnamel * 1.2) return kEnamelValue;
    if (r < 0.28 && q > 0.5) return kPulpValue;
    return kDentinValue;
  }
  const double rootT = (depth - kCrownHeight) / t->rootLength;
  if (rootT > 1.0) return kNoTooth;
  // Two-rooted molars: the roots sit at a = ±0.45 with half the width.
  const double ra = t->roots == 2 ? (std::abs(a) - 0.45) / 0.5 : a;
  const double r = std::sqrt(ra * ra + b * b);
  const double radius = RootRadius(rootT);
  if (r > radius) return kNoTooth;
  if (r < radius * 0.22) return kPulpValue;
  return kDentinValue * (1.0 - 0.1 * rootT);
}

bool Teeth::InSocket(double along, double across, double z) const {
  if (std::abs(across) > 8.0 || std::abs(z) > 32.0) return false;
  const bool upper = z > 0.0;
  const Tooth* t = Near(along, upper);
  if (!t) return false;
  const double depth = std::abs(z) - kOcclusalGap - kCrownHeight;
  if (depth < -2.0 || depth > t->rootLength + kPdl) return false;
  const double rootT = std::max(0.0, depth) / t->rootLength;
  const double a = (along - t->along) / t->halfWidth;
  const double b = (across - (upper ? 1.2 : 0.0)) / t->halfDepth;
  const double ra = t->roots == 2 ? (std::abs(a) - 0.45) / 0.5 : a;
  const double pdl = kPdl / std::min(t->halfWidth, t->halfDepth);
  return std::sqrt(ra * ra + b * b) <= RootRadius(std::min(rootT, 1.0)) + pdl;
}

}  // namespace Demo
