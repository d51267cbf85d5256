// The face drawn when no system font can be used: a small bitmap face built
// into the library, so that text stays visible on a machine without fonts.
#pragma once

#include "GlyphBitmap.h"

namespace Quorvel {

/// Fills `glyphs` with the built-in face: printable ASCII (0x20…0x7E) as 5×7
/// glyphs in a 6-pixel advance with two rows of descender, every other
/// code as a hollow 5×7 box. The cells are scaled up by a whole factor so
/// that the face is about `pixelSize` high (factor 1 up to 14 pixels).
void FallbackGlyphs(int pixelSize, GlyphSet& glyphs);

}  // namespace Quorvel
