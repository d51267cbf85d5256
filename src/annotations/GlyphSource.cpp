#include "GlyphSource.h"

#include "FallbackFont.h"
#include "FreeTypeGlyphs.h"

#include <algorithm>
#include <cstdlib>

namespace Quorvel {
namespace {

constexpr long long kPixelsPerInch = 96;
constexpr long long kPointsPerInch = 72;
constexpr int kDefaultPixelSize = 16;
// Far above any annotation size, and keeps 256 glyph images within a few MB.
constexpr int kMaxPixelSize = 512;

}  // namespace

int PixelSizeForPoints(int pointSize) {
  const long long points = std::llabs(static_cast<long long>(pointSize));
  if (points == 0) return kDefaultPixelSize;
  const long long pixels = (points * kPixelsPerInch + kPointsPerInch / 2) / kPointsPerInch;
  return static_cast<int>(std::min<long long>(pixels, kMaxPixelSize));
}

bool LoadFontGlyphs(const FontFile& font, int pixelSize, GlyphSet& glyphs) {
  if (RenderFontGlyphs(font, pixelSize, glyphs)) return true;
  FallbackGlyphs(pixelSize, glyphs);
  return false;
}

void LoadGlyphs(const char* faceName, int pointSize, int weight, GlyphSet& glyphs) {
  const int pixelSize = PixelSizeForPoints(pointSize);
  LoadFontGlyphs(MatchFont(faceName, weight, pixelSize), pixelSize, glyphs);
}

}  // namespace Quorvel
