// Finds the font file for a face name and weight through fontconfig.
#pragma once

#include <string>

namespace Quorvel {

/// A face inside a font file, as fontconfig chose it.
struct FontFile {
  std::string path;        ///< empty when fontconfig found no file
  int index = 0;           ///< face index inside a font collection
  bool embolden = false;   ///< bold was asked for but the face is not bold
};

/// fontconfig's best match for the family `faceName` (null or empty: the
/// configured default family), `weight` on the OpenType scale (400 normal,
/// 700 bold; 0 or less means normal) and the em height `pixelSize`,
/// preferring outline fonts.
FontFile MatchFont(const char* faceName, int weight, int pixelSize);

}  // namespace Quorvel
