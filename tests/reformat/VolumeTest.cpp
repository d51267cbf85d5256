#include <quorvel/Volume.h>

#include "TestVolumes.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <stdexcept>
#include <vector>

namespace QuorvelTest {
namespace {

TEST(Volume, OwnsZeroedVoxelsOrViewsTheCallersWithoutCopying) {
  Quorvel::Volume owning(Vec3i(2, 3, 4), Vec3(1, 1, 1), Vec3(0, 0, 0));
  ASSERT_NE(owning.WritableVoxels(), nullptr);
  EXPECT_EQ(std::vector<unsigned short>(owning.Voxels(), owning.Voxels() + 24), std::vector<unsigned short>(24, 0));
  owning.WritableVoxels()[23] = 9;
  const Quorvel::Volume ownCopy(owning);
  EXPECT_NE(ownCopy.Voxels(), owning.Voxels());
  EXPECT_EQ(ownCopy.Voxels()[23], 9);

  unsigned short caller[24] = {};
  const Quorvel::Volume view(caller, Vec3i(2, 3, 4), Vec3(1, 1, 1), Vec3(0, 0, 0));
  Quorvel::Volume viewCopy;
  viewCopy = view;
  EXPECT_EQ(view.Voxels(), caller);
  EXPECT_EQ(viewCopy.Voxels(), caller);
  EXPECT_EQ(viewCopy.WritableVoxels(), nullptr);
  EXPECT_EQ(RampVolume().VoxelCentre(3, 2, 1), Vec3(1, 4, 10.5));
}

TEST(Volume, IsEmptyWithoutVoxelsOrUsableGeometry) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case { Vec3i n; Vec3 spacing, origin; };
  const Case cases[] = {{Vec3i(0, 3, 4), Vec3(1, 1, 1), Vec3()},    {Vec3i(2, -3, 4), Vec3(1, 1, 1), Vec3()},
                        {Vec3i(2, 3, 4), Vec3(1, 0, 1), Vec3()},    {Vec3i(2, 3, 4), Vec3(1, 1, -1), Vec3()},
                        {Vec3i(2, 3, 4), Vec3(kNaN, 1, 1), Vec3()}, {Vec3i(2, 3, 4), Vec3(1, 1, 1), Vec3(0, inf, 0)}};
  for (const Case& c : cases) {
    const Quorvel::Volume volume(c.n, c.spacing, c.origin);
    EXPECT_TRUE(volume.IsEmpty());
    EXPECT_EQ(volume.Voxels(), nullptr);
  }
  EXPECT_TRUE(Quorvel::Volume(nullptr, Vec3i(2, 3, 4), Vec3(1, 1, 1), Vec3()).IsEmpty());
  const unsigned short voxel = 0;  // 2^63 voxels: their byte offsets would not fit in 63 bits
  EXPECT_THROW(Quorvel::Volume(&voxel, Vec3i(INT_MAX, INT_MAX, 2), Vec3(1, 1, 1), Vec3()), std::length_error);
  EXPECT_FALSE(RampVolume().IsEmpty());
}

}  // namespace
}  // namespace QuorvelTest
