#include "TilePlan.h"

namespace Quorvel {
namespace TilePlan {

Quad TileQuad(const Layout& layout, int column, int row, const Vec2i& region, const Vec3& origin,
              const Vec3& pixelX, const Vec3& pixelY) {
  const Vec2i advance = layout.Advance();
  Vec3 a = pixelX * static_cast<double>(advance[0]);
  Vec3 b = pixelY * static_cast<double>(advance[1]);
  Vec3 p0 = origin + static_cast<double>(column) * a + static_cast<double>(row) * b;
  double s0 = 0.0, t0 = 0.0, s1 = 1.0, t1 = 1.0;
  if (layout.overlap[0] > 0) {
    p0 = p0 - pixelX / 2.0;
    s0 = 1.0 / (2.0 * layout.size[0]);
    s1 = 1.0 - s0;
  }
  if (layout.overlap[1] > 0) {
    p0 = p0 - pixelY / 2.0;
    t0 = 1.0 / (2.0 * layout.size[1]);
    t1 = 1.0 - t0;
  }
  if (region[0] != layout.size[0]) {
    const double f = static_cast<double>(region[0]) / layout.size[0];
    a = a * f;
    s1 = f;
  }
  if (region[1] != layout.size[1]) {
    const double g = static_cast<double>(region[1]) / layout.size[1];
    b = b * g;
    t1 = g;
  }
  return {{p0, p0 + a, p0 + a + b, p0 + b}, {{s0, t0}, {s1, t0}, {s1, t1}, {s0, t1}}};
}

}  // namespace TilePlan
}  // namespace Quorvel
