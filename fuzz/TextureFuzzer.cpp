// The texture mapper's tile plan, by its rules rather than its arithmetic, and
// every texel, by a plain lookup, for any image size, tile limit and table.
#include "FuzzInput.h"

#include <quorvel/Gl2DTextureMapper.h>

#include <random>

constexpr std::uint32_t kCanary = 0xA5C3E1F7u;  // odd, unlike every table entry

struct Mapper : Quorvel::Gl2DTextureMapper {
  using Gl2DTextureMapper::Gl2DTextureMapper, Gl2DTextureMapper::tileImages;

  void Poison() { for (TileImage* t : tileImages) std::fill(t->GetData(), t->GetData() + t->GetSize(), kCanary); }

  // The image pixel that texel j of tile c shows on an axis, the tiles advancing by size less overlap.
  int Pixel(int axis, int c, int j) const { return c * (tileSize[axis] - overlap[axis]) + j - overlap[axis]; }

  // Per axis several tiles exactly when the image exceeds a non-zero limit (of its size if a power of two),
  // else one of the smallest power of two holding it; overlap only between smooth tiles; the tiles cover
  // the image, the last holding some of it. Every texel is its pixel's table entry (the last past the table),
  // blank beyond the image, or as an overlap texel the neighbour's last; regions reach the image's end.
  void Check(const GreyImage& image, const std::vector<std::uint32_t>& table, bool nullTable) const {
    if (image.GetSize() == 0) return Require(tileImages.empty() && tileRegions.empty(), "an empty image has tiles");
    for (int a = 0; a < 2; ++a) {
      // A limit of 1 leaves smooth tiles no texel of their own past the overlap: it is taken as 2.
      const int count = tileCount[a], size = tileSize[a], extent = imageSize[a];
      const int limit = maxTileSize == 1 && smoothInterpolation ? 2 : int(maxTileSize);
      const bool several = limit != 0 && extent > limit, oddLimit = limit == 1 || (limit & (limit - 1));
      Require((count > 1) == several && overlap[a] == (several && smoothInterpolation), "tile count or overlap");
      Require(several ? size == limit || oddLimit : !(size & (size - 1)) && size >= extent && size < 2 * extent, "tile size");
      Require(Pixel(a, count - 1, size) >= extent && Pixel(a, count - 1, overlap[a]) < extent, "tile coverage");
    }
    const int columns = tileCount[0], width = tileSize[0], height = tileSize[1];
    Require(tileImages.size() == std::size_t(columns) * tileCount[1] && tileRegions.size() == tileImages.size(), "tiles");
    auto texel = [&](int c, int r, int j, int k) { return tileImages[r * columns + c]->GetData()[k * width + j]; };
    for (int r = 0; r < tileCount[1]; ++r)
      for (int c = 0; c < columns; ++c) {
        Vec2i region;
        for (int k = 0; k < height; ++k)
          for (int j = 0; j < width; ++j) {
            const int x = Pixel(0, c, j), y = Pixel(1, r, k);
            const bool inside = x >= 0 && y >= 0 && x < imageSize[0] && y < imageSize[1] && !nullTable && !table.empty();
            const std::size_t value = inside ? image.GetData()[y * imageSize[0] + x] : 0;
            std::uint32_t expected = inside ? table[std::min(value, table.size() - 1)] : 0;
            if (j < overlap[0]) expected = c > 0 ? texel(c - 1, r, width - 1, k) : 0;
            else if (k < overlap[1]) expected = r > 0 ? texel(c, r - 1, j, height - 1) : 0;
            Require(texel(c, r, j, k) == expected, "a texel is not its pixel's entry, its neighbour's texel or blank");
            region = region + Vec2i(k == 0 && x < imageSize[0], j == 0 && y < imageSize[1]);
          }
        Require(tileRegions[r * columns + c] == region, "a region does not reach the image's end");
      }
  }
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const unsigned width = in.Below(5000), height = std::min(in.Below(5000), width ? (1u << 14) / width : 5000u);
  const unsigned kind = in.Byte() % 5;  // of tile limit: none, 1 or 2, a power of two, odd, any
  const unsigned limit = kind == 0 ? 0 : kind == 1 ? 1 + in.Below(2) : kind == 2 ? 1u << in.Below(13)
                         : kind == 3 ? (in.Bytes(2) % 4096) | 1u : unsigned(in.Bytes(2));
  const bool smooth = in.Flag(), clip = in.Flag(), nullTable = in.Byte() % 8 == 0;
  std::vector<std::uint32_t> table(in.Bytes(2));
  const unsigned valueRange = in.Flag() ? 65536 : unsigned(table.size()) + 16;
  std::mt19937 random(std::uint32_t(in.Bytes(4)));
  for (std::uint32_t& entry : table) entry = std::uint32_t(random()) & ~1u;
  Mapper::GreyImage image(width, height, true), other(width, height, true), empty(0, 0, true);
  for (Mapper::GreyImage* im : {&image, &other})
    for (std::uint32_t i = 0; i < im->GetSize(); ++i) im->GetData()[i] = static_cast<std::uint16_t>(random() % valueRange);

  Mapper mapper(limit, smooth, clip);
  mapper.SetLookupTable(nullTable ? nullptr : table.data(), static_cast<unsigned short>(table.size()));
  mapper.SetBuffer(&image);
  mapper.Check(image, table, nullTable);
  mapper.Poison();
  mapper.UpdateBufferFromLUT();
  mapper.Check(image, table, nullTable);
  for (Mapper::GreyImage* next : {&other, &empty}) {  // the same plan, every texel written again; then none
    mapper.Poison();
    mapper.SetBuffer(next);
    mapper.Check(*next, table, nullTable);
  }
  return 0;
}
