// The texture mapper's tile plan and conversion for any image size (0 to 5000
// per side), tile limit (0, 1, 2, powers of two, odd values), smooth and clip
// flags, and lookup tables of 0 to 65535 entries or none.
//
// Oracles: the plan follows the documented rule; after the tile memory is
// filled with a canary that no table entry equals, a conversion writes every
// texel, and every tile equals a plain per-texel reference conversion, as do
// the regions; a copy holds equal tiles of its own; an image of the same size
// reuses the tiles.
#include "FuzzInput.h"

#include <quorvel/Gl2DTextureMapper.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace QuorvelFuzz {
namespace {

using Mapper = Quorvel::Gl2DTextureMapper;
using GreyImage = Mapper::GreyImage;
using Vec2i = Mapper::Vec2i;

// Keeps each input quick: larger images only repeat what smaller ones cover.
constexpr unsigned kMaxPixels = 1u << 14;
constexpr std::uint32_t kCanary = 0xA5C3E1F7u;

class OpenMapper : public Mapper {
public:
  using Mapper::Mapper;
  using Mapper::overlap;
  using Mapper::tileCount;
  using Mapper::tileImages;
  using Mapper::tileRegions;
  using Mapper::tileSize;

  void Poison() {
    for (TileImage* tile : tileImages) std::fill(tile->GetData(), tile->GetData() + tile->GetSize(), kCanary);
  }
};

// Deterministic pseudo-random words from a seed taken from the input.
class Words {
public:
  explicit Words(std::uint32_t seed) : state(seed | 1u) {}
  std::uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }

private:
  std::uint32_t state;
};

struct Settings {
  unsigned maxTileSize;
  bool smooth, clip;
};

unsigned MaxTileSize(FuzzInput& in) {
  switch (in.Byte() % 5) {
    case 0: return 0;
    case 1: return 1 + in.Below(2);         // 1 or 2
    case 2: return 1u << in.Below(13);      // 1 … 4096
    case 3: return (in.Word() % 4096) | 1;  // odd
    default: return in.Word();
  }
}

// The documented plan of one axis: one tile of the next power of two when the
// image fits the limit, else tiles of the limit advancing by the limit less
// the overlap texel (a limit of 1 counts as 2 with smooth interpolation).
void ReferencePlan(unsigned extent, const Settings& s, int& count, int& size) {
  const unsigned limit = (s.maxTileSize == 1 && s.smooth) ? 2 : s.maxTileSize;
  if (limit != 0 && extent > limit) {
    count = static_cast<int>((extent - 1) / (limit - (s.smooth ? 1 : 0)) + 1);
    size = static_cast<int>(limit);
    return;
  }
  count = 1;
  size = 0;
  if (extent > 0)
    for (size = 1; static_cast<unsigned>(size) < extent; size *= 2) {}
}

std::uint32_t ReferenceTexel(const GreyImage& image, const std::uint32_t* table, unsigned tableSize, int x, int y) {
  if (x < 0 || y < 0 || x >= static_cast<int>(image.GetWidth()) || y >= static_cast<int>(image.GetHeight())) return 0;
  if (!table || tableSize == 0) return 0;
  const unsigned v = image.GetData()[static_cast<std::size_t>(y) * image.GetWidth() + static_cast<std::size_t>(x)];
  return table[std::min(v, tableSize - 1)];
}

void CheckTiles(const OpenMapper& mapper, const GreyImage& image, const std::uint32_t* table, unsigned tableSize) {
  if (image.GetSize() == 0) {
    Require(mapper.tileImages.empty(), "an empty image has tiles");
    return;
  }
  const int columns = mapper.tileCount[0];
  Require(mapper.tileImages.size() == static_cast<std::size_t>(columns) * static_cast<std::size_t>(mapper.tileCount[1]),
          "the tile list does not match the tile count");
  Require(mapper.tileRegions.size() == mapper.tileImages.size(), "regions and tiles differ in number");
  const Vec2i size = mapper.tileSize, overlap = mapper.overlap;
  for (std::size_t i = 0; i < mapper.tileImages.size(); ++i) {
    const int column = static_cast<int>(i) % columns, row = static_cast<int>(i) / columns;
    const int startX = (size[0] - overlap[0]) * column - overlap[0];
    const int startY = (size[1] - overlap[1]) * row - overlap[1];
    const std::uint32_t* texels = mapper.tileImages[i]->GetData();
    for (int k = 0; k < size[1]; ++k)
      for (int j = 0; j < size[0]; ++j) {
        const std::uint32_t texel = texels[static_cast<std::size_t>(k) * size[0] + j];
        Require(texel != kCanary, "a texel was not written");
        Require(texel == ReferenceTexel(image, table, tableSize, startX + j, startY + k), "a texel differs from the reference");
      }
    const Vec2i end(std::min<int>(image.GetWidth(), startX + size[0]), std::min<int>(image.GetHeight(), startY + size[1]));
    Require(mapper.tileRegions[i] == Vec2i(end[0] - startX, end[1] - startY), "a tile region differs from the reference");
  }
}

void CheckPlan(const OpenMapper& mapper, const GreyImage& image, const Settings& s) {
  int count[2], size[2];
  ReferencePlan(image.GetWidth(), s, count[0], size[0]);
  ReferencePlan(image.GetHeight(), s, count[1], size[1]);
  if (size[0] == 0 || size[1] == 0) {
    Require(mapper.tileImages.empty() && mapper.tileRegions.empty(), "an empty image left tiles");
    return;
  }
  Require(mapper.tileCount == Vec2i(count[0], count[1]), "the tile count differs from the documented plan");
  Require(mapper.tileSize == Vec2i(size[0], size[1]), "the tile size differs from the documented plan");
  for (int axis = 0; axis < 2; ++axis)
    Require(mapper.overlap[axis] == (count[axis] > 1 && s.smooth ? 1 : 0), "the overlap differs from the documented plan");
}

}  // namespace
}  // namespace QuorvelFuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace QuorvelFuzz;
  FuzzInput in(data, size);
  const unsigned width = in.Below(5000);
  const unsigned height = std::min(in.Below(5000), width ? kMaxPixels / width : 5000u);
  Settings settings{};
  settings.maxTileSize = MaxTileSize(in);
  settings.smooth = in.Flag();
  settings.clip = in.Flag();
  const bool nullTable = in.Byte() % 8 == 0;
  const unsigned tableSize = in.Word();
  const unsigned valueRange = in.Flag() ? 65536 : tableSize + 16;
  Words words(in.Uint32());

  std::vector<std::uint32_t> table(tableSize);
  for (std::uint32_t& entry : table) {
    const std::uint32_t word = words.Next();
    entry = word == kCanary ? 0 : word;
  }
  GreyImage image(width, height, true);
  for (std::uint32_t i = 0; i < image.GetSize(); ++i) image.GetData()[i] = static_cast<unsigned short>(words.Next() % valueRange);
  const std::uint32_t* tableData = nullTable ? nullptr : table.data();

  OpenMapper mapper(settings.maxTileSize, settings.smooth, settings.clip);
  mapper.SetLookupTable(tableData, static_cast<unsigned short>(tableSize));
  mapper.SetBuffer(&image);
  CheckPlan(mapper, image, settings);
  CheckTiles(mapper, image, tableData, tableSize);

  mapper.Poison();
  mapper.UpdateBufferFromLUT();
  CheckTiles(mapper, image, tableData, tableSize);

  // Another image of the same size reuses the tiles; a poisoned reuse must
  // still be overwritten completely.
  GreyImage other(width, height, true);
  for (std::uint32_t i = 0; i < other.GetSize(); ++i) other.GetData()[i] = static_cast<unsigned short>(words.Next() % valueRange);
  const std::vector<Mapper::TileImage*> before = mapper.tileImages;
  mapper.Poison();
  mapper.SetBuffer(&other);
  Require(mapper.tileImages == before, "an image of the same size did not reuse the tiles");
  CheckTiles(mapper, other, tableData, tableSize);

  const OpenMapper copy(mapper);
  CheckTiles(copy, other, tableData, tableSize);
  for (std::size_t i = 0; i < copy.tileImages.size(); ++i)
    Require(copy.tileImages[i] != mapper.tileImages[i], "a copy shares a tile image");
  return 0;
}
