// Test-only view of the texture mapper's tiles, and the grey images and lookup
// tables the texture tests convert.
#pragma once

#include "VectorPrinting.h"

#include <quorvel/Gl2DTextureMapper.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace QuorvelTest {

class InspectableMapper : public Quorvel::Gl2DTextureMapper {
public:
  using Gl2DTextureMapper::Gl2DTextureMapper, Gl2DTextureMapper::overlap, Gl2DTextureMapper::textureNames,
      Gl2DTextureMapper::tileCount, Gl2DTextureMapper::tileImages, Gl2DTextureMapper::tileRegions,
      Gl2DTextureMapper::tileSize;

  std::vector<std::vector<std::uint32_t>> Texels() const {  // of every tile, in tile order
    std::vector<std::vector<std::uint32_t>> texels;
    for (const TileImage* t : tileImages) texels.emplace_back(t->GetData(), t->GetData() + t->GetSize());
    return texels;
  }
};

using GreyImage = Quorvel::Gl2DTextureMapper::GreyImage;
using Vec2i = Quorvel::Gl2DTextureMapper::Vec2i;
using Vec3 = Quorvel::Gl2DTextureMapper::Vec3;

/// Pixel (x, y) holds (7x + 13y) mod 4099: unlike its neighbours.
inline std::unique_ptr<GreyImage> MakeImage(int width, int height) {
  auto image = std::make_unique<GreyImage>(width, height, true);
  for (int i = 0; i < width * height; ++i)
    image->GetData()[i] = static_cast<unsigned short>((7 * (i % width) + 13 * (i / width)) % 4099);
  return image;
}

/// Opaque entries, all different from each other and from the blank texel 0.
inline std::vector<std::uint32_t> MakeTable(std::uint32_t size) {
  std::vector<std::uint32_t> table(size);
  for (std::uint32_t v = 0; v < size; ++v) table[v] = 0xFF000000u | ((v * 40503u + 17u) & 0xFFFFFFu);
  return table;
}

/// What image pixel (x, y) shows through `table`; blank outside the image.
inline std::uint32_t Shown(const GreyImage& image, const std::vector<std::uint32_t>& table, int x, int y) {
  if (x < 0 || y < 0 || x >= static_cast<int>(image.GetWidth()) || y >= static_cast<int>(image.GetHeight())) return 0;
  return table[std::min<std::size_t>(image.GetData()[y * image.GetWidth() + x], table.size() - 1)];
}

}  // namespace QuorvelTest
