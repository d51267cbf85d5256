// One glyph as glBitmap takes it, and the 256 glyphs of an 8-bit code page.
#pragma once

#include <array>
#include <vector>

namespace Quorvel {

/// A one-bit-per-pixel glyph image ready for glBitmap: rows bottom-up, each
/// row (width + 7) / 8 bytes, most significant bit leftmost (unpack alignment 1).
struct GlyphBitmap {
  int width = 0;
  int height = 0;
  int xOrigin = 0;  ///< pen x minus the bitmap's left edge (glBitmap xorig)
  int yOrigin = 0;  ///< pen y minus the bitmap's bottom edge (glBitmap yorig)
  int advance = 0;  ///< raster move to the next pen position, in pixels
  std::vector<unsigned char> bits;

  int BytesPerRow() const { return (width + 7) / 8; }
};

/// The glyphs of the codes 0…255, indexed by code.
using GlyphSet = std::array<GlyphBitmap, 256>;

}  // namespace Quorvel
