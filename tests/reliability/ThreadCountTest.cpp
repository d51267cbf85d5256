// The parallel conversion gives the same tiles whatever the size of the
// OpenMP team, including teams that do not divide the tile count evenly.
#include "../texture/InspectableMapper.h"

#include <gtest/gtest.h>
#include <omp.h>

#include <vector>

namespace QuorvelTest {
namespace {

struct Snapshot {
  std::vector<std::vector<std::uint32_t>> tiles;
  std::vector<Vec2i> regions;
  bool operator==(const Snapshot& other) const { return tiles == other.tiles && regions == other.regions; }
};

Snapshot Take(const InspectableMapper& mapper) {
  Snapshot s;
  for (const auto* tile : mapper.tileImages) s.tiles.emplace_back(tile->GetData(), tile->GetData() + tile->GetSize());
  s.regions = mapper.tileRegions;
  return s;
}

// Restores the team size of the calling thread when the test ends.
class TeamSize {
public:
  TeamSize() : saved(omp_get_max_threads()), savedDynamic(omp_get_dynamic()) { omp_set_dynamic(0); }
  ~TeamSize() {
    omp_set_num_threads(saved);
    omp_set_dynamic(savedDynamic);
  }
  void Set(int threads) {
    omp_set_num_threads(threads);
    ASSERT_EQ(omp_get_max_threads(), threads);
  }

private:
  int saved;
  int savedDynamic;
};

struct Plan {
  unsigned maxTileSize;
  bool smooth;
  bool clip;
  int width, height;
  std::size_t tiles;
};

// 50 tiles with overlap; 45 tiles without; a single tile (converted by the
// calling thread alone).
const Plan kPlans[] = {{64, true, false, 600, 300, 50}, {32, false, true, 257, 129, 45}, {0, true, false, 300, 200, 1}};

TEST(ThreadCountTest, OneTwoAndSevenThreadsConvertToIdenticalTiles) {
  const std::vector<std::uint32_t> table = MakeTable(4096);
  std::vector<std::uint32_t> shifted = MakeTable(5000);
  shifted.erase(shifted.begin(), shifted.begin() + 904);  // another table of 4096 entries
  TeamSize team;
  for (const Plan& plan : kPlans) {
    SCOPED_TRACE(plan.width);
    const auto image = MakeImage(plan.width, plan.height, Pattern);
    std::vector<Snapshot> converted, reconverted;
    for (int threads : {1, 2, 7}) {
      team.Set(threads);
      InspectableMapper mapper(plan.maxTileSize, plan.smooth, plan.clip);
      mapper.SetLookupTable(table.data(), 4096);
      mapper.SetBuffer(image.get());
      ASSERT_EQ(mapper.tileImages.size(), plan.tiles);
      converted.push_back(Take(mapper));
      mapper.SetLookupTable(shifted.data(), 4096);
      mapper.UpdateBufferFromLUT();
      reconverted.push_back(Take(mapper));
      if (threads == 1) {
        for (std::size_t i = 0; i < plan.tiles; ++i) {
          const int column = static_cast<int>(i) % mapper.tileCount[0], row = static_cast<int>(i) / mapper.tileCount[0];
          const Vec2i start((mapper.tileSize[0] - mapper.overlap[0]) * column - mapper.overlap[0],
                            (mapper.tileSize[1] - mapper.overlap[1]) * row - mapper.overlap[1]);
          EXPECT_EQ(CountWrongTexels(mapper.tileImages[i]->GetData(), mapper.tileSize, *image, shifted, start), 0);
        }
      }
    }
    EXPECT_TRUE(converted[1] == converted[0]) << "2 threads differ from 1";
    EXPECT_TRUE(converted[2] == converted[0]) << "7 threads differ from 1";
    EXPECT_TRUE(reconverted[1] == reconverted[0]) << "2 threads differ from 1 after a table change";
    EXPECT_TRUE(reconverted[2] == reconverted[0]) << "7 threads differ from 1 after a table change";
    EXPECT_FALSE(converted[0] == reconverted[0]);
  }
}

}  // namespace
}  // namespace QuorvelTest
