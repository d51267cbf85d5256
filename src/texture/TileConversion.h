// Conversion of a rectangle of a 16-bit image through an RGBA lookup table
// into one tile image: the per-texel hot loop of the texture mapper.
#pragma once

#include <cstdint>

namespace Quorvel {
namespace TileConversion {

/// The image and the table a tile is converted from. A null table means
/// "no usable table": the tile is filled with zero texels.
struct Source {
  const std::uint16_t* pixels;
  int width;   // also the row stride
  int height;
  const std::uint32_t* table;
  std::uint16_t lastIndex;  // table size − 1; larger pixel values are clamped to it
};

/// A tile image and the image pixel its texel (0, 0) shows; start may be
/// negative (texels before the image are zero), and texels past the image's
/// right or bottom edge are zero too.
struct Tile {
  std::uint32_t* texels;
  int width;
  int height;
  int startX;
  int startY;
};

/// Writes every texel of `tile`: texel (j, k) is table[min(v, lastIndex)]
/// for the value v of image pixel (startX + j, startY + k), or 0 outside the
/// image. Image rows are converted eight pixels at a time with SSE2 (with
/// AVX2 encoding where the processor has it, chosen at run time).
void Convert(const Source& source, const Tile& tile);

}  // namespace TileConversion
}  // namespace Quorvel
