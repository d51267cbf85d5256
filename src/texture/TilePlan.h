// Where each tile of the texture mapper sits: on the image, for the
// conversion, and on the drawn parallelogram, for the tile's quad.
#pragma once

#include <brantel/geometry/Vector2.h>
#include <brantel/geometry/Vector3.h>

#include <algorithm>

namespace Quorvel {
namespace TilePlan {

using Vec2i = Brantel::Geometry::Vector2<int>;
using Vec3 = Brantel::Geometry::Vector3<double>;

/// The shape all tiles share: `size` texels (x, y), of which the first
/// `overlap` (0 or 1 per axis) repeat the previous tile's last image pixel,
/// so that linear filtering joins neighbouring tiles.
struct Layout {
  Vec2i size;
  Vec2i overlap;

  /// Image pixels from one tile's texel 0 to the next tile's.
  Vec2i Advance() const { return size - overlap; }

  /// The image pixel shown by texel (0, 0) of the tile at (column, row); -1
  /// on an axis with overlap for the first tile.
  Vec2i Start(int column, int row) const {
    const Vec2i advance = Advance();
    return Vec2i(advance[0] * column - overlap[0], advance[1] * row - overlap[1]);
  }

  /// Texels of the tile at (column, row) from texel 0 to the last that shows
  /// an image pixel, of an image of `imageSize` pixels.
  Vec2i Region(int column, int row, const Vec2i& imageSize) const {
    const Vec2i start = Start(column, row);
    return Vec2i(std::min(imageSize[0], start[0] + size[0]), std::min(imageSize[1], start[1] + size[1])) - start;
  }
};

/// The textured quad of one tile: four corners in drawing order, each with
/// its texture coordinates (s, t).
struct Quad {
  Vec3 vertices[4];
  double texCoords[4][2];
};

/// The quad of the tile at (column, row) on the parallelogram at `origin`
/// whose image pixels are spanned by pixelX and pixelY. The tiles advance by
/// Advance() pixels; with overlap an axis runs from the centre of the first
/// texel to the centre of the last. An axis where `region` is short of the
/// tile size ends there, in geometry and texture alike.
Quad TileQuad(const Layout& layout, int column, int row, const Vec2i& region, const Vec3& origin,
              const Vec3& pixelX, const Vec3& pixelY);

}  // namespace TilePlan
}  // namespace Quorvel
