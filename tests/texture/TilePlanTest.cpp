// The tile plan and the conversion through the lookup table, read from the
// mapper's tile images; no GL.
#include "AllocationHook.h"
#include "InspectableMapper.h"

#include <gtest/gtest.h>
#include <omp.h>

#include <optional>

namespace QuorvelTest {
namespace {

// Laid side by side without their overlap texels, the tiles show the image
// through the table, then blank texels; an overlap texel repeats the last
// texel of the tile before it (blank before the first). Each tile holds image
// data to its end, those of the last column and row only to `lastRegion`.
void ExpectTilesShow(const InspectableMapper& m, const GreyImage& image, const std::vector<std::uint32_t>& table,
                     Vec2i lastRegion) {
  const Vec2i count = m.tileCount, size = m.tileSize, overlap = m.overlap;
  ASSERT_EQ(m.tileImages.size(), size[0] && size[1] ? static_cast<std::size_t>(count[0] * count[1]) : 0u);
  ASSERT_EQ(m.tileRegions.size(), m.tileImages.size());
  for (const auto* tile : m.tileImages) ASSERT_EQ(Vec2i(tile->GetWidth(), tile->GetHeight()), size);
  auto texel = [&](int c, int r, int j, int k) -> std::uint32_t {
    return c < 0 || r < 0 ? 0 : m.tileImages[r * count[0] + c]->GetData()[k * size[0] + j];
  };
  long wrong = 0;
  for (int r = 0, y = 0; r < count[1] && !m.tileImages.empty(); ++r) {
    for (int c = 0; c < count[0]; ++c) {
      EXPECT_EQ(m.tileRegions[r * count[0] + c], Vec2i(c + 1 < count[0] ? size[0] : lastRegion[0],
                                                       r + 1 < count[1] ? size[1] : lastRegion[1]));
      for (int k = 0; k < size[1] && overlap[0]; ++k) wrong += texel(c, r, 0, k) != texel(c - 1, r, size[0] - 1, k);
      for (int j = 0; j < size[0] && overlap[1]; ++j) wrong += texel(c, r, j, 0) != texel(c, r - 1, j, size[1] - 1);
    }
    for (int k = overlap[1]; k < size[1]; ++k, ++y)
      for (int c = 0, x = 0; c < count[0]; ++c)
        for (int j = overlap[0]; j < size[0]; ++j, ++x) wrong += texel(c, r, j, k) != Shown(image, table, x, y);
  }
  EXPECT_EQ(wrong, 0);
}

struct PlanCase {
  unsigned maxTileSize;
  bool smooth;
  int width, height;
  Vec2i count, size, lastRegion;  // tiles across and down, texels of a tile, data texels of the last tile
};

// Worked by hand: an axis longer than a non-zero limit gets tiles of the
// limit, advancing by the limit (less one texel of overlap with smoothing,
// the first tile starting a pixel early); else one tile of the next power of
// two. Rows with the limit and smoothing of the row before go to its mapper.
const PlanCase kPlans[] = {
    {0, true, 300, 200, {1, 1}, {512, 256}, {300, 200}},
    {0, true, 1, 1, {1, 1}, {1, 1}, {1, 1}},
    {0, true, 257, 3, {1, 1}, {512, 4}, {257, 3}},  // one past a power of two
    {256, true, 600, 100, {3, 1}, {256, 128}, {91, 100}},  // from -1, 254, 509
    {256, true, 600, 300, {3, 2}, {256, 256}, {91, 46}},   // rows from -1, 254
    {256, true, 590, 290, {3, 2}, {256, 256}, {81, 36}},   // the same plan: the tiles are kept
    {256, true, 256, 256, {1, 1}, {256, 256}, {256, 256}},  // exactly the limit
    {256, true, 0, 5, {1, 1}, {0, 8}, {}},                  // no tiles
    {256, false, 600, 100, {3, 1}, {256, 128}, {88, 100}},  // from 0, 256, 512
    {256, false, 257, 3, {2, 1}, {256, 4}, {1, 3}},
    {1, true, 3, 2, {3, 1}, {2, 2}, {2, 2}},  // a limit of 1 with smoothing works as 2
    {1, false, 3, 2, {3, 2}, {1, 1}, {1, 1}},
    {64, true, 600, 300, {10, 5}, {64, 64}, {34, 49}},  // from -1, 62, … 566 and -1, … 251
};

// Each tile is converted by one thread of the team, whatever its size. The
// table is shorter than the pixel values: the larger take its last entry.
TEST(TilePlan, CutsTheImageIntoTilesThatShowItWithAnyTeamSize) {
  const std::vector<std::uint32_t> table = MakeTable(4000);
  const int team = omp_get_max_threads();
  omp_set_dynamic(0);
  for (const int threads : {1, 2, 7}) {
    omp_set_num_threads(threads);
    std::optional<InspectableMapper> mapper;
    const PlanCase* previous = nullptr;
    for (const PlanCase& c : kPlans) {
      SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " limit " << c.maxTileSize << " smooth "
                                      << c.smooth << ", " << threads << " threads");
      if (!previous || previous->maxTileSize != c.maxTileSize || previous->smooth != c.smooth) previous = nullptr;
      if (!previous) mapper.emplace(c.maxTileSize, c.smooth), mapper->SetLookupTable(table.data(), 4000);
      const auto image = MakeImage(c.width, c.height);
      const auto tiles = mapper->tileImages;
      const AllocationHook counted;
      mapper->SetBuffer(image.get());
      if (previous && previous->count == c.count && previous->size == c.size) {
        EXPECT_EQ(counted.Made(), 0);
        EXPECT_EQ(mapper->tileImages, tiles);
      }
      EXPECT_EQ(mapper->tileCount, c.count);
      EXPECT_EQ(mapper->tileSize, c.size);
      if (c.size[0] > 0) {
        EXPECT_EQ(mapper->overlap, Vec2i(c.smooth && c.count[0] > 1, c.smooth && c.count[1] > 1));
      }
      ExpectTilesShow(*mapper, *image, table, c.lastRegion);
      previous = &c;
    }
  }
  omp_set_num_threads(team);
}

// 19 pixels: eight at a time, then three; blank past the image.
TEST(TilePlan, TableOfOneEntryOrOfTheMostShowsItsLastAndNoTableShowsBlank) {
  const std::vector<std::uint32_t> t = MakeTable(65535);
  const struct { const std::uint32_t* table; unsigned short size, value; std::uint32_t shown; } cases[] = {
      {t.data(), 1, 7, t[0]}, {t.data(), 65535, 65535, t[65534]}, {nullptr, 5, 3, 0}, {t.data(), 0, 3, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "table of " << c.size << (c.table ? "" : " at null"));
    InspectableMapper mapper;
    mapper.SetLookupTable(c.table, c.size);
    GreyImage image(19, 1, true);
    std::fill_n(image.GetData(), 19, c.value);
    mapper.SetBuffer(&image);
    std::vector<std::uint32_t> expected(32, 0);
    std::fill_n(expected.begin(), 19, c.shown);
    EXPECT_EQ(mapper.Texels(), std::vector<std::vector<std::uint32_t>>{expected});
  }
}

}  // namespace
}  // namespace QuorvelTest
