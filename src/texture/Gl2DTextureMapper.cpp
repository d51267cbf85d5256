// Lifecycle, tile plan and conversion of the texture mapper; drawing is in
// TextureRendering.cpp.
#include <quorvel/Gl2DTextureMapper.h>

#include "TileConversion.h"
#include "TilePlan.h"

#include <algorithm>
#include <cstddef>
#include <memory>

namespace Quorvel {
namespace {

// Smallest power of two >= s by smearing the highest set bit of s − 1
// downwards: 1 for 1, 256 for 200, 512 for 512, and 0 for 0.
std::uint32_t PowerOfTwoAtLeast(std::uint32_t s) {
  std::uint32_t v = s - 1;
  v |= v >> 1;
  v |= v >> 2;
  v |= v >> 4;
  v |= v >> 8;
  v |= v >> 16;
  return v + 1;
}

using TileImage = Gl2DTextureMapper::TileImage;

// Hands tile images over to a list of owning plain pointers; cannot throw
// once the list is reserved, so no image is ever lost on the way.
std::vector<TileImage*> ReleaseAll(std::vector<std::unique_ptr<TileImage>>& tiles) {
  std::vector<TileImage*> owned;
  owned.reserve(tiles.size());
  for (std::unique_ptr<TileImage>& tile : tiles) owned.push_back(tile.release());
  return owned;
}

// Deep copies of tile images; on std::bad_alloc none of them is kept.
std::vector<TileImage*> CopyTileImages(const std::vector<TileImage*>& sources) {
  std::vector<std::unique_ptr<TileImage>> copies;
  copies.reserve(sources.size());
  for (const TileImage* source : sources) {
    copies.push_back(std::make_unique<TileImage>(source->GetWidth(), source->GetHeight(), true));
    std::copy(source->GetData(), source->GetData() + source->GetSize(), copies.back()->GetData());
  }
  return ReleaseAll(copies);
}

}  // namespace

Gl2DTextureMapper::Gl2DTextureMapper(unsigned int maxTileSize, bool smoothInterpolation, bool clipToImage)
    : smoothInterpolation(smoothInterpolation), maxTileSize(maxTileSize), clipToImage(clipToImage) {}

Gl2DTextureMapper::Gl2DTextureMapper(const Gl2DTextureMapper& other)
    : buffer(other.buffer),
      imageSize(other.imageSize),
      lookupTable(other.lookupTable),
      lookupTableSize(other.lookupTableSize),
      textureNames(other.textureNames),
      smoothInterpolation(other.smoothInterpolation),
      tilingBorder(other.tilingBorder),
      overlap(other.overlap),
      tileSize(other.tileSize),
      tileCount(other.tileCount),
      maxTileSize(other.maxTileSize),
      renderInFeedbackMode(other.renderInFeedbackMode),
      tileRegions(other.tileRegions),
      clipToImage(other.clipToImage) {
  // Last, so that no later member's allocation can fail and strand the copies.
  tileImages = CopyTileImages(other.tileImages);
}

Gl2DTextureMapper& Gl2DTextureMapper::operator=(const Gl2DTextureMapper& other) {
  if (this == &other) return *this;
  std::vector<Vec2i> regions = other.tileRegions;
  std::vector<std::uint32_t> names = other.textureNames;
  // Last of the allocations, so that none can fail and strand the copies.
  std::vector<TileImage*> copies = CopyTileImages(other.tileImages);
  DeleteTileImages();
  buffer = other.buffer;
  imageSize = other.imageSize;
  lookupTable = other.lookupTable;
  lookupTableSize = other.lookupTableSize;
  textureNames.swap(names);
  smoothInterpolation = other.smoothInterpolation;
  tilingBorder = other.tilingBorder;
  overlap = other.overlap;
  tileSize = other.tileSize;
  tileCount = other.tileCount;
  maxTileSize = other.maxTileSize;
  renderInFeedbackMode = other.renderInFeedbackMode;
  tileImages.swap(copies);
  tileRegions.swap(regions);
  clipToImage = other.clipToImage;
  return *this;
}

Gl2DTextureMapper::~Gl2DTextureMapper() {
  ReleaseTextures();
  DeleteTileImages();
}

void Gl2DTextureMapper::SetLookupTable(const std::uint32_t* table, unsigned short size) {
  lookupTable = table;
  lookupTableSize = size;
}

void Gl2DTextureMapper::SetBuffer(GreyImage* image) {
  buffer = image;
  if (!buffer) return;

  const Vec2i previousCount = tileCount;
  const Vec2i previousSize = tileSize;
  imageSize = Vec2i(static_cast<int>(buffer->GetWidth()), static_cast<int>(buffer->GetHeight()));
  tilingBorder = smoothInterpolation ? 1 : 0;
  PlanAxis(buffer->GetWidth(), tileCount[0], tileSize[0]);
  PlanAxis(buffer->GetHeight(), tileCount[1], tileSize[1]);

  if (tileSize[0] == 0 || tileSize[1] == 0) {
    DeleteTileImages();
    tileRegions.clear();
    ReleaseTextures();
    return;
  }
  overlap = Vec2i(tileCount[0] > 1 && smoothInterpolation ? 1 : 0, tileCount[1] > 1 && smoothInterpolation ? 1 : 0);
  if (tileCount == previousCount && tileSize == previousSize) {
    UpdateBufferFromLUT();
    return;
  }
  DeleteTileImages();
  ReleaseTextures();
  AllocateTileImages();
  UpdateBufferFromLUT();
}

void Gl2DTextureMapper::PlanAxis(std::uint32_t imageExtent, int& count, int& size) const {
  // With overlap a tile of one texel would hold no image pixel and the tiles
  // would not advance; two texels is the smallest tile that works.
  const unsigned int limit = (maxTileSize == 1 && tilingBorder == 1) ? 2u : maxTileSize;
  const std::uint32_t step = limit - static_cast<unsigned int>(tilingBorder);
  count = (limit != 0 && imageExtent > limit) ? static_cast<int>((imageExtent - 1) / step + 1) : 1;
  size = count > 1 ? static_cast<int>(limit) : static_cast<int>(PowerOfTwoAtLeast(imageExtent));
}

void Gl2DTextureMapper::DeleteTileImages() {
  for (TileImage* tile : tileImages) delete tile;
  tileImages.clear();
}

void Gl2DTextureMapper::AllocateTileImages() {
  // Until every tile image exists the mapper has no plan, so that after a
  // failed allocation the next SetBuffer plans afresh.
  const Vec2i plannedCount = tileCount;
  const Vec2i plannedSize = tileSize;
  tileCount = Vec2i();
  tileSize = Vec2i();
  tileRegions.clear();
  const std::size_t n = static_cast<std::size_t>(plannedCount[0]) * static_cast<std::size_t>(plannedCount[1]);
  // The regions too, so that the conversion allocates nothing and the tile
  // and region lists never differ in length.
  std::vector<Vec2i> regions(n);
  std::vector<std::unique_ptr<TileImage>> fresh;
  fresh.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    fresh.push_back(std::make_unique<TileImage>(static_cast<std::uint32_t>(plannedSize[0]),
                                                static_cast<std::uint32_t>(plannedSize[1]), true));
  }
  tileImages = ReleaseAll(fresh);
  tileRegions.swap(regions);
  tileCount = plannedCount;
  tileSize = plannedSize;
}

void Gl2DTextureMapper::UpdateBufferFromLUT() {
  if (!buffer) return;
  const int n = static_cast<int>(tileImages.size());
  tileRegions.resize(static_cast<std::size_t>(n));
  // One tile is converted by the calling thread alone: waking a team for it
  // would only add the wait for the other workers at the closing barrier.
#pragma omp parallel for schedule(static) if (n > 1)
  for (int i = 0; i < n; ++i) ConvertTile(i);
}

void Gl2DTextureMapper::ConvertTile(int index) {
  const int row = index / tileCount[0];
  const int column = index % tileCount[0];
  const TilePlan::Layout layout{tileSize, overlap};
  const Vec2i start = layout.Start(column, row);

  const bool usableTable = lookupTable != nullptr && lookupTableSize > 0;
  const TileConversion::Source source{buffer->GetData(), imageSize[0], imageSize[1],
                                      usableTable ? lookupTable : nullptr,
                                      static_cast<std::uint16_t>(lookupTableSize - 1)};
  const TileConversion::Tile tile{tileImages[static_cast<std::size_t>(index)]->GetData(), tileSize[0], tileSize[1],
                                  start[0], start[1]};
  TileConversion::Convert(source, tile);
  tileRegions[static_cast<std::size_t>(index)] = layout.Region(column, row, imageSize);
}

}  // namespace Quorvel
