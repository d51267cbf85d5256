// Every allocation of the texture mapper's SetBuffer, copy and assignment made
// to fail in turn: the mapper is left whole (tile list and plan agree, every
// tile pointer alive), leaks nothing, converts and draws afterwards, and the
// same call succeeds once memory is there again.
#include "../texture/InspectableMapper.h"

#include "AllocationHook.h"
#include "Feedback.h"
#include "GlQueries.h"
#include "GlTest.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <functional>
#include <new>
#include <optional>

namespace QuorvelTest {
namespace {

// 600 × 300 in tiles of at most 256 with smooth interpolation: 3 × 2 tiles.
constexpr int kWidth = 600, kHeight = 300;
// More allocations than any of the calls below makes.
constexpr long kMaxSweep = 200;

class TextureAllocationFailureTest : public GlTest {
protected:
  const std::vector<std::uint32_t> table = MakeTable(4096);
  const std::unique_ptr<GreyImage> image = MakeImage(kWidth, kHeight, Pattern);
  const std::unique_ptr<GreyImage> small = MakeImage(40, 30, Pattern);
};

// The tile list matches the plan (or is empty), every tile is a live image
// of the tile size, and each holds the conversion of the current image.
void ExpectWhole(const InspectableMapper& mapper, const GreyImage& shown, const std::vector<std::uint32_t>& table) {
  if (mapper.tileImages.empty()) return;
  ASSERT_EQ(mapper.tileImages.size(), static_cast<std::size_t>(mapper.tileCount[0] * mapper.tileCount[1]));
  ASSERT_EQ(mapper.tileRegions.size(), mapper.tileImages.size());
  for (std::size_t i = 0; i < mapper.tileImages.size(); ++i) {
    const auto* tile = mapper.tileImages[i];
    ASSERT_EQ(Vec2i(static_cast<int>(tile->GetWidth()), static_cast<int>(tile->GetHeight())), mapper.tileSize);
    const int column = static_cast<int>(i) % mapper.tileCount[0], row = static_cast<int>(i) / mapper.tileCount[0];
    const Vec2i start((mapper.tileSize[0] - mapper.overlap[0]) * column - mapper.overlap[0],
                      (mapper.tileSize[1] - mapper.overlap[1]) * row - mapper.overlap[1]);
    EXPECT_EQ(CountWrongTexels(tile->GetData(), mapper.tileSize, shown, table, start), 0) << "tile " << i;
  }
}

// Draws the mapper's image over the window in feedback mode; the number of
// tile polygons drawn.
std::size_t TilesDrawn(InspectableMapper& mapper, int width, int height) {
  mapper.SetRenderInFeedbackMode(true);
  const Feedback fb = CaptureWorldFeedback(
      [&] { mapper.RenderTexture(Vec3(0, 0, 0), Vec3(width, 0, 0), Vec3(0, height, 0)); });
  return fb.Count(GL_PASS_THROUGH_TOKEN);
}

// Runs `attempt(n)` for n = 1, 2, … while it reports that its call failed on
// the n-th allocation, checking after each run that nothing it allocated is
// still alive. Returns the first n at which the call succeeded (kMaxSweep + 1
// if it never did).
long SweepAllocationFailures(const std::function<bool(long n)>& attempt) {
  long n = 1;
  for (; n <= kMaxSweep; ++n) {
    SCOPED_TRACE(n);
    const AllocationHook counted;
    const bool failed = attempt(n);
    EXPECT_EQ(counted.Live(), 0);
    if (!failed) break;
  }
  return n;
}

TEST_F(TextureAllocationFailureTest, SetBufferSurvivesEveryFailedAllocation) {
  const long n = SweepAllocationFailures([&](long nth) {
    bool failed = false;
    InspectableMapper mapper(256, true);
    mapper.SetLookupTable(table.data(), 4096);
    mapper.SetBuffer(small.get());  // tiles of another plan to be replaced
    try {
      const AllocationHook fail(nth);
      mapper.SetBuffer(image.get());
    } catch (const std::bad_alloc&) {
      failed = true;
    }
    ExpectWhole(mapper, *image, table);
    mapper.UpdateBufferFromLUT();
    ExpectWhole(mapper, *image, table);
    mapper.SetBuffer(image.get());
    EXPECT_EQ(mapper.tileImages.size(), 6u);
    ExpectWhole(mapper, *image, table);
    return failed;
  });
  EXPECT_GT(n, 1) << "SetBuffer allocated nothing";
  EXPECT_LE(n, kMaxSweep) << "SetBuffer still failed after " << kMaxSweep << " allocations";
}

TEST_F(TextureAllocationFailureTest, MapperDrawsAfterAFailedSetBuffer) {
  InspectableMapper mapper(256, true);
  mapper.SetLookupTable(table.data(), 4096);
  {
    const AllocationHook fail(4);
    EXPECT_THROW(mapper.SetBuffer(image.get()), std::bad_alloc);
  }
  EXPECT_EQ(TilesDrawn(mapper, kWidth, kHeight), 0u);  // no tiles, nothing drawn
  mapper.SetBuffer(image.get());
  EXPECT_EQ(TilesDrawn(mapper, kWidth, kHeight), 6u);
}

TEST_F(TextureAllocationFailureTest, FailedCopyLeaksNothingAndLeavesTheSourceWhole) {
  InspectableMapper source(256, true);
  source.SetLookupTable(table.data(), 4096);
  source.SetBuffer(image.get());
  const long n = SweepAllocationFailures([&](long nth) {
    bool failed = false;
    {
      std::optional<InspectableMapper> copy;
      try {
        const AllocationHook fail(nth);
        copy.emplace(source);
      } catch (const std::bad_alloc&) {
        failed = true;
      }
      if (copy) ExpectWhole(*copy, *image, table);
    }
    ExpectWhole(source, *image, table);
    return failed;
  });
  EXPECT_GT(n, 1);
  EXPECT_LE(n, kMaxSweep);
  const InspectableMapper copy(source);
  ExpectWhole(copy, *image, table);
}

TEST_F(TextureAllocationFailureTest, FailedAssignmentKeepsTheTargetAsItWas) {
  InspectableMapper source(256, true);
  source.SetLookupTable(table.data(), 4096);
  source.SetBuffer(image.get());
  const long n = SweepAllocationFailures([&](long nth) {
    bool failed = false;
    InspectableMapper target(0, false);
    target.SetLookupTable(table.data(), 4096);
    target.SetBuffer(small.get());
    const auto tiles = target.tileImages;
    try {
      const AllocationHook fail(nth);
      target = source;
    } catch (const std::bad_alloc&) {
      failed = true;
      EXPECT_EQ(target.tileImages, tiles);
      EXPECT_EQ(target.buffer, small.get());
      ExpectWhole(target, *small, table);
    }
    if (!failed) ExpectWhole(target, *image, table);
    target = source;  // memory is there again
    ExpectWhole(target, *image, table);
    return failed;
  });
  EXPECT_GT(n, 1);
  EXPECT_LE(n, kMaxSweep);
}

TEST_F(TextureAllocationFailureTest, AssignedTargetDrawsAfterAFailedAssignment) {
  InspectableMapper source(256, true);
  source.SetLookupTable(table.data(), 4096);
  source.SetBuffer(image.get());
  InspectableMapper target(0, false);
  target.SetLookupTable(table.data(), 4096);
  target.SetBuffer(small.get());
  {
    const AllocationHook fail(3);
    EXPECT_THROW(target = source, std::bad_alloc);
  }
  EXPECT_EQ(TilesDrawn(target, 40, 30), 1u);
  target = source;
  EXPECT_EQ(TilesDrawn(target, kWidth, kHeight), 6u);
}

}  // namespace
}  // namespace QuorvelTest
