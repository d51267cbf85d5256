#include "FontMatch.h"

#include <fontconfig/fontconfig.h>

#include <memory>

namespace Quorvel {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

constexpr int kNormalWeight = 400;

Pattern RequestPattern(const char* faceName, int weight, int pixelSize) {
  Pattern pattern(FcPatternCreate());
  if (!pattern) return pattern;
  if (faceName && *faceName)
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(faceName));
  // A weight of 0 or less asks for no particular weight: take the normal one.
  const int openTypeWeight = weight > 0 ? weight : kNormalWeight;
  FcPatternAddDouble(pattern.get(), FC_WEIGHT, FcWeightFromOpenTypeDouble(openTypeWeight));
  FcPatternAddDouble(pattern.get(), FC_PIXEL_SIZE, pixelSize);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  return pattern;
}

}  // namespace

FontFile MatchFont(const char* faceName, int weight, int pixelSize) {
  FontFile font;
  const Pattern request = RequestPattern(faceName, weight, pixelSize);
  if (!request) return font;
  FcResult result = FcResultNoMatch;
  const Pattern match(FcFontMatch(nullptr, request.get(), &result));
  FcChar8* file = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) return font;
  font.path = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &font.index);
  FcBool embolden = FcFalse;
  FcPatternGetBool(match.get(), FC_EMBOLDEN, 0, &embolden);
  font.embolden = embolden == FcTrue;
  return font;
}

}  // namespace Quorvel
