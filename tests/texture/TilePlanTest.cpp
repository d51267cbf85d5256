// Tile plan and lookup-table conversion, read from the mapper's tile images.
#include "AllocationHook.h"
#include "InspectableMapper.h"

#include <gmock/gmock.h>

#include <new>

namespace QuorvelTest {
namespace {

using ::testing::ElementsAreArray;

struct PlanCase {
  const char* name;
  unsigned maxTileSize;
  bool smooth;
  int width, height;
  Vec2i count, size, overlap;
  std::vector<int> startsX, startsY;    // image pixel shown by texel 0 of each column / row
  std::vector<int> regionsX, regionsY;  // tile region per column / row
};

const PlanCase kPlans[] = {
    {"one tile, unlimited", 0, true, 300, 200, {1, 1}, {512, 256}, {0, 0}, {0}, {0}, {300}, {200}},
    {"smooth 256, 600 wide", 256, true, 600, 100, {3, 1}, {256, 128}, {1, 0}, {-1, 254, 509}, {0}, {256, 256, 91}, {100}},
    {"nearest 256, 600 wide", 256, false, 600, 100, {3, 1}, {256, 128}, {0, 0}, {0, 256, 512}, {0}, {256, 256, 88}, {100}},
    {"smooth 256, tiled both ways", 256, true, 600, 300, {3, 2}, {256, 256}, {1, 1}, {-1, 254, 509}, {-1, 254},
     {256, 256, 91}, {256, 46}},
    {"exactly the tile limit", 256, true, 256, 256, {1, 1}, {256, 256}, {0, 0}, {0}, {0}, {256}, {256}},
    {"one past the tile limit", 256, false, 257, 1, {2, 1}, {256, 1}, {0, 0}, {0, 256}, {0}, {256, 1}, {1}},
    {"smooth limit 1 taken as 2", 1, true, 3, 2, {3, 1}, {2, 2}, {1, 0}, {-1, 0, 1}, {0}, {2, 2, 2}, {2}},
    {"nearest limit 1", 1, false, 3, 2, {3, 2}, {1, 1}, {0, 0}, {0, 1, 2}, {0, 1}, {1, 1, 1}, {1, 1}},
};

TEST(TilePlanTest, PlansTilesAndConvertsEveryTexel) {
  const std::vector<std::uint32_t> table = MakeTable(4096);
  for (const PlanCase& c : kPlans) {
    SCOPED_TRACE(c.name);
    InspectableMapper mapper(c.maxTileSize, c.smooth);
    mapper.SetLookupTable(table.data(), 4096);
    const auto image = MakeImage(c.width, c.height, Pattern);
    mapper.SetBuffer(image.get());

    EXPECT_EQ(mapper.tileCount, c.count);
    EXPECT_EQ(mapper.tileSize, c.size);
    EXPECT_EQ(mapper.overlap, c.overlap);
    ASSERT_EQ(mapper.tileImages.size(), c.startsX.size() * c.startsY.size());
    ASSERT_EQ(mapper.tileRegions.size(), mapper.tileImages.size());
    for (std::size_t r = 0; r < c.startsY.size(); ++r) {
      for (std::size_t col = 0; col < c.startsX.size(); ++col) {
        SCOPED_TRACE(testing::Message() << "column " << col << " row " << r);
        const std::size_t i = r * c.startsX.size() + col;
        const auto* tile = mapper.tileImages[i];
        ASSERT_EQ(tile->GetWidth(), static_cast<std::uint32_t>(c.size[0]));
        ASSERT_EQ(tile->GetHeight(), static_cast<std::uint32_t>(c.size[1]));
        EXPECT_EQ(mapper.tileRegions[i], Vec2i(c.regionsX[col], c.regionsY[r]));
        EXPECT_EQ(CountWrongTexels(tile->GetData(), c.size, *image, table, {c.startsX[col], c.startsY[r]}), 0);
      }
    }
  }
}

TEST(TilePlanTest, OverlapTexelRepeatsLastPixelOfPreviousTile) {
  // Pinned on its own because the seamless filtering depends on it.
  const std::vector<std::uint32_t> table = MakeTable(4096);
  InspectableMapper mapper(256, true);
  mapper.SetLookupTable(table.data(), 4096);
  const auto image = MakeImage(600, 1, [](int x, int) { return static_cast<unsigned short>(x); });
  mapper.SetBuffer(image.get());
  ASSERT_EQ(mapper.tileImages.size(), 3u);
  EXPECT_EQ(mapper.tileImages[0]->GetData()[0], 0u);
  EXPECT_EQ(mapper.tileImages[0]->GetData()[255], table[254]);
  EXPECT_EQ(mapper.tileImages[1]->GetData()[0], table[254]);
  EXPECT_EQ(mapper.tileImages[1]->GetData()[255], table[509]);
  EXPECT_EQ(mapper.tileImages[2]->GetData()[0], table[509]);
  EXPECT_EQ(mapper.tileImages[2]->GetData()[90], table[599]);
  EXPECT_EQ(mapper.tileImages[2]->GetData()[91], 0u);
}

struct ClampCase {
  unsigned short tableSize;
  unsigned short value;
  std::size_t expectedEntry;
};

TEST(TilePlanTest, ValuesAtOrBeyondTheTableTakeTheLastEntry) {
  const std::vector<std::uint32_t> table = MakeTable(65535);
  const ClampCase cases[] = {
      {5, 0, 0}, {5, 4, 4}, {5, 5, 4}, {5, 6, 4}, {5, 65535, 4}, {1, 7, 0}, {65535, 65534, 65534}, {65535, 65535, 65534},
  };
  for (const ClampCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "table " << c.tableSize << " value " << c.value);
    InspectableMapper mapper;
    mapper.SetLookupTable(table.data(), c.tableSize);
    // 19 pixels: the vector body and the scalar tail both see the value.
    const auto image = MakeImage(19, 1, [&](int, int) { return c.value; });
    mapper.SetBuffer(image.get());
    const std::uint32_t* texels = mapper.tileImages[0]->GetData();
    EXPECT_THAT(std::vector<std::uint32_t>(texels, texels + 19),
                ElementsAreArray(std::vector<std::uint32_t>(19, table[c.expectedEntry])));
  }
}

TEST(TilePlanTest, KeepsTileImagesAndAllocatesNothingWhenPlanUnchanged) {
  const std::vector<std::uint32_t> table = MakeTable(4096);
  InspectableMapper mapper(256, true);
  mapper.SetLookupTable(table.data(), 4096);
  const auto first = MakeImage(600, 300, Pattern);
  // Same tile plan, different pixels and size.
  const auto second = MakeImage(590, 290, [](int x, int y) { return static_cast<unsigned short>(x * y % 5000); });
  mapper.SetBuffer(first.get());
  const auto tiles = mapper.tileImages;

  AllocationHook hook;
  mapper.SetBuffer(second.get());
  EXPECT_EQ(hook.Made(), 0);
  EXPECT_EQ(mapper.tileImages, tiles);
  EXPECT_EQ(mapper.tileRegions[2], Vec2i(81, 256));
  EXPECT_EQ(mapper.tileRegions[5], Vec2i(81, 36));
  EXPECT_EQ(CountWrongTexels(tiles[4]->GetData(), {256, 256}, *second, table, {254, 254}), 0);
}

TEST(TilePlanTest, ReplacesTileImagesWhenPlanChanges) {
  const std::vector<std::uint32_t> table = MakeTable(4096);
  InspectableMapper mapper(256, true);
  mapper.SetLookupTable(table.data(), 4096);
  const auto wide = MakeImage(600, 100, Pattern);
  const auto narrow = MakeImage(500, 100, Pattern);
  mapper.SetBuffer(wide.get());

  AllocationHook hook;
  mapper.SetBuffer(narrow.get());
  EXPECT_EQ(hook.Live(), 2 * (2 - 3));  // two tiles for three, each an image and its texels
  EXPECT_EQ(mapper.tileImages.size(), 2u);
  EXPECT_EQ(CountWrongTexels(mapper.tileImages[1]->GetData(), {256, 128}, *narrow, table, {254, 0}), 0);
}

TEST(TilePlanTest, EmptyImageDropsAllTiles) {
  const std::vector<std::uint32_t> table = MakeTable(16);
  for (const Vec2i size : {Vec2i(0, 5), Vec2i(5, 0)}) {
    InspectableMapper mapper(4, true);  // 10 pixels: 4 tiles per axis
    mapper.SetLookupTable(table.data(), 16);
    const auto image = MakeImage(10, 10, Pattern);
    const auto empty = MakeImage(size[0], size[1], Pattern);
    mapper.SetBuffer(image.get());
    AllocationHook hook;
    mapper.SetBuffer(empty.get());
    EXPECT_TRUE(mapper.tileImages.empty());
    EXPECT_TRUE(mapper.tileRegions.empty());
    EXPECT_EQ(hook.Live(), -2 * 16);  // 16 images and their texels
    mapper.SetBuffer(image.get());  // and plans again afterwards
    EXPECT_EQ(mapper.tileImages.size(), 16u);
  }
}

TEST(TilePlanTest, NullImageKeepsTilesAndSkipsConversion) {
  std::vector<std::uint32_t> table = MakeTable(4096);
  InspectableMapper mapper;
  mapper.SetLookupTable(table.data(), 4096);
  const auto image = MakeImage(30, 20, Pattern);
  mapper.SetBuffer(image.get());
  const auto tiles = mapper.tileImages;
  const std::vector<std::uint32_t> before(tiles[0]->GetData(), tiles[0]->GetData() + tiles[0]->GetSize());

  mapper.SetBuffer(nullptr);
  table.assign(table.size(), 0x12345678u);
  mapper.UpdateBufferFromLUT();
  EXPECT_EQ(mapper.tileImages, tiles);
  EXPECT_THAT(std::vector<std::uint32_t>(tiles[0]->GetData(), tiles[0]->GetData() + tiles[0]->GetSize()),
              ElementsAreArray(before));
}

TEST(TilePlanTest, WithoutUsableTableEveryTexelIsTransparent) {
  const std::vector<std::uint32_t> table = MakeTable(4096);
  const std::unique_ptr<std::uint32_t[]> noEntries(new std::uint32_t[0]);
  const std::pair<const std::uint32_t*, unsigned short> unusable[] = {{nullptr, 4096}, {noEntries.get(), 0}};
  for (const auto& [pointer, size] : unusable) {
    SCOPED_TRACE(size);
    InspectableMapper mapper(16, true);
    mapper.SetLookupTable(table.data(), 4096);
    const auto image = MakeImage(40, 20, Pattern);
    mapper.SetBuffer(image.get());
    mapper.SetLookupTable(pointer, size);
    mapper.UpdateBufferFromLUT();
    for (const auto* tile : mapper.tileImages)
      EXPECT_THAT(std::vector<std::uint32_t>(tile->GetData(), tile->GetData() + tile->GetSize()),
                  ElementsAreArray(std::vector<std::uint32_t>(tile->GetSize(), 0u)));
    EXPECT_EQ(mapper.tileRegions[2], Vec2i(11, 16));
  }
}

TEST(TilePlanTest, FailedTileAllocationLeavesNoTilesAndNoPlan) {
  const std::vector<std::uint32_t> table = MakeTable(4096);
  InspectableMapper mapper(256, true);
  mapper.SetLookupTable(table.data(), 4096);
  const auto image = MakeImage(600, 100, Pattern);
  {
    AllocationHook counted;
    {
      // The region and tile lists, two tiles, then the third tile's image.
      const AllocationHook fail(2 + 2 * 2 + 1);
      EXPECT_THROW(mapper.SetBuffer(image.get()), std::bad_alloc);
    }
    EXPECT_EQ(counted.Live(), 0);  // the two tiles made before the failure are gone
  }
  EXPECT_TRUE(mapper.tileImages.empty());
  EXPECT_TRUE(mapper.tileRegions.empty());
  EXPECT_EQ(mapper.tileCount, Vec2i(0, 0));

  mapper.SetBuffer(image.get());  // the same image plans afresh
  ASSERT_EQ(mapper.tileImages.size(), 3u);
  EXPECT_EQ(CountWrongTexels(mapper.tileImages[2]->GetData(), {256, 128}, *image, table, {509, 0}), 0);
}

TEST(TilePlanTest, CopiesOwnEqualTilesAndEveryTileIsFreedOnce) {
  const std::vector<std::uint32_t> table = MakeTable(4096);
  const auto image = MakeImage(600, 300, Pattern);
  AllocationHook hook;
  {
    InspectableMapper source(256, true, true);
    source.SetLookupTable(table.data(), 4096);
    source.SetBuffer(image.get());
    InspectableMapper copy(source);
    InspectableMapper assigned(16, false);
    assigned.SetLookupTable(table.data(), 4096);
    assigned.SetBuffer(image.get());  // its own 38 × 19 tiles go on assignment
    assigned = source;
    assigned = static_cast<const InspectableMapper&>(assigned);

    for (const InspectableMapper* target : {&copy, &assigned}) {
      EXPECT_EQ(target->buffer, image.get());
      EXPECT_EQ(target->tileCount, source.tileCount);
      EXPECT_EQ(target->overlap, source.overlap);
      EXPECT_EQ(target->tileRegions, source.tileRegions);
      ASSERT_EQ(target->tileImages.size(), source.tileImages.size());
      for (std::size_t i = 0; i < source.tileImages.size(); ++i) {
        const auto* mine = target->tileImages[i];
        const auto* theirs = source.tileImages[i];
        EXPECT_NE(mine, theirs);
        EXPECT_NE(mine->GetData(), theirs->GetData());
        EXPECT_TRUE(std::equal(mine->GetData(), mine->GetData() + mine->GetSize(), theirs->GetData()));
      }
    }
  }
  EXPECT_EQ(hook.Live(), 0);
}

TEST(TilePlanTest, FailedCopyAssignmentLeavesTheTargetAsItWas) {
  const std::vector<std::uint32_t> table = MakeTable(4096);
  const auto image = MakeImage(600, 300, Pattern);
  const auto other = MakeImage(40, 30, Pattern);
  InspectableMapper source(256, true);
  source.SetLookupTable(table.data(), 4096);
  source.SetBuffer(image.get());
  InspectableMapper target(0, false);
  target.SetLookupTable(table.data(), 4096);
  target.SetBuffer(other.get());
  const auto tiles = target.tileImages;

  {
    const AllocationHook fail(2 + 2 * 3 + 1);  // the region and tile lists, three tiles, the fourth's image
    EXPECT_THROW(target = source, std::bad_alloc);
  }
  EXPECT_EQ(target.tileImages, tiles);
  EXPECT_EQ(target.buffer, other.get());
  EXPECT_EQ(target.tileSize, Vec2i(64, 32));
  EXPECT_EQ(CountWrongTexels(tiles[0]->GetData(), {64, 32}, *other, table, {0, 0}), 0);
}

}  // namespace
}  // namespace QuorvelTest
