// Where GlText's glyphs come from: the system font fontconfig matches,
// rendered by FreeType, or the built-in face when that font cannot be used.
#pragma once

#include "FontMatch.h"
#include "GlyphBitmap.h"

namespace Quorvel {

/// The em height in pixels of `pointSize` points on a 96-pixel-per-inch
/// display, rounded to the nearest pixel. Negative sizes count by their
/// magnitude; 0 asks for the default of 16 pixels (12 points); heights above
/// 512 pixels are capped at 512.
int PixelSizeForPoints(int pointSize);

/// The glyphs of `font` at the em height `pixelSize`, or the built-in face
/// (FallbackFont.h) when FreeType cannot open or size it. Returns whether
/// the font's own glyphs were used.
bool LoadFontGlyphs(const FontFile& font, int pixelSize, GlyphSet& glyphs);

/// The glyphs of the face fontconfig matches for `faceName` and `weight` at
/// `pointSize`, or the built-in face when none can be used.
void LoadGlyphs(const char* faceName, int pointSize, int weight, GlyphSet& glyphs);

}  // namespace Quorvel
