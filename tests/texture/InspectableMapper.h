// Test-only view of the texture mapper's protected state, and the test data
// shared by the texture tests: grey images, lookup tables and the expected
// texel of a tile computed directly from the pixel it shows.
#pragma once

#include <quorvel/Gl2DTextureMapper.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace QuorvelTest {

class InspectableMapper : public Quorvel::Gl2DTextureMapper {
public:
  using Gl2DTextureMapper::Gl2DTextureMapper;
  using Gl2DTextureMapper::buffer;
  using Gl2DTextureMapper::imageSize;
  using Gl2DTextureMapper::overlap;
  using Gl2DTextureMapper::textureNames;
  using Gl2DTextureMapper::tileCount;
  using Gl2DTextureMapper::tileImages;
  using Gl2DTextureMapper::tileRegions;
  using Gl2DTextureMapper::tileSize;
  using Gl2DTextureMapper::tilingBorder;
};

using GreyImage = Quorvel::Gl2DTextureMapper::GreyImage;
using Vec2i = Quorvel::Gl2DTextureMapper::Vec2i;
using Vec3 = Quorvel::Gl2DTextureMapper::Vec3;

/// A grey image whose pixel (x, y) is value(x, y).
inline std::unique_ptr<GreyImage> MakeImage(int width, int height,
                                            const std::function<unsigned short(int, int)>& value) {
  auto image = std::make_unique<GreyImage>(width, height, true);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image->GetData()[y * width + x] = value(x, y);
  return image;
}

/// A pattern that differs between neighbours and reaches past 4096.
inline unsigned short Pattern(int x, int y) { return static_cast<unsigned short>((x * 7 + y * 13) % 4099); }

/// Opaque entries, all different from each other and from the zero texel.
inline std::vector<std::uint32_t> MakeTable(int size) {
  std::vector<std::uint32_t> table(static_cast<std::size_t>(size));
  for (int v = 0; v < size; ++v) table[v] = 0xFF000000u | ((static_cast<std::uint32_t>(v) * 40503u + 17u) & 0xFFFFFFu);
  return table;
}

/// The texel (j, k) of a tile whose texel (0, 0) shows image pixel start.
inline std::uint32_t ExpectedTexel(const GreyImage& image, const std::vector<std::uint32_t>& table, Vec2i start,
                                   int j, int k) {
  const int x = start[0] + j;
  const int y = start[1] + k;
  if (x < 0 || y < 0 || x >= static_cast<int>(image.GetWidth()) || y >= static_cast<int>(image.GetHeight()))
    return 0;
  const unsigned short v = image.GetData()[y * image.GetWidth() + x];
  return table[std::min<std::size_t>(v, table.size() - 1)];
}

/// Number of texels of `texels` (a tile of tileSize) that differ from the
/// expectation; 0 when the tile is right.
inline long CountWrongTexels(const std::uint32_t* texels, Vec2i tileSize, const GreyImage& image,
                             const std::vector<std::uint32_t>& table, Vec2i start) {
  long wrong = 0;
  for (int k = 0; k < tileSize[1]; ++k)
    for (int j = 0; j < tileSize[0]; ++j)
      if (texels[k * tileSize[0] + j] != ExpectedTexel(image, table, start, j, k)) ++wrong;
  return wrong;
}

}  // namespace QuorvelTest
