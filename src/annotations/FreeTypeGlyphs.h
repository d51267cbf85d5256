// Renders the glyphs of a font file with FreeType, one bit per pixel.
#pragma once

#include "FontMatch.h"
#include "GlyphBitmap.h"

namespace Quorvel {

/// Renders the Windows-1252 codes 0…255 of `font` at the em height
/// `pixelSize` (the nearest size for a face without outlines) with
/// FreeType's monochrome hinting. Codes without a character, and characters
/// the face lacks, get the face's missing-glyph (.notdef) image; a glyph
/// FreeType cannot render is left empty, without advance.
/// Returns false, leaving `glyphs` untouched, when FreeType cannot open the
/// file or size the face.
bool RenderFontGlyphs(const FontFile& font, int pixelSize, GlyphSet& glyphs);

}  // namespace Quorvel
