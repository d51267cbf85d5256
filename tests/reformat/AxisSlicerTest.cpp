#include <quorvel/AxisSlicer.h>

#include "TestVolumes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace QuorvelTest {
namespace {

using Plane = Quorvel::AxisSlicer::Plane;
using GreyImage = Brantel::NImage::Image2D<unsigned short>;

// Every pixel of a slice of the ramp is the ramp at its voxel grid position,
// interpolated along the cut axis; pixels beyond the grid are padding, and
// an image smaller than the grid shows its first columns and rows.
TEST(AxisSlicer, SlicesTheRampOnItsGridAndPadsBeyond) {
  struct Case { Plane plane; double position; int cut, column, row, grow; };  // grow: image minus grid
  const Case cases[] = {{Plane::Axial, 11.3, 2, 0, 1, 2},    {Plane::Axial, 12.0, 2, 0, 1, -2},
                        {Plane::Coronal, 2.2, 1, 0, 2, 2},   {Plane::Coronal, 1.0, 1, 0, 2, -1},
                        {Plane::Sagittal, 4.75, 0, 1, 2, 1}, {Plane::Sagittal, 5.0, 0, 1, 2, 0}};
  const Quorvel::Volume volume = RampVolume();
  Quorvel::AxisSlicer slicer;
  slicer.SetVolume(&volume);
  slicer.SetPadding(7);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    const Quorvel::AxisSlicer::Vec2i size = slicer.SliceSize(c.plane);
    EXPECT_EQ(size, Quorvel::AxisSlicer::Vec2i(volume.Dimensions()[c.column], volume.Dimensions()[c.row]));
    GreyImage image(size[0] + c.grow, size[1] + c.grow, true);
    slicer.Slice(c.plane, c.position, image);
    for (int r = 0; r < size[1] + c.grow; ++r)
      for (int col = 0; col < size[0] + c.grow; ++col) {
        Vec3i index;
        index[c.column] = col;
        index[c.row] = r;
        Vec3 p = volume.VoxelCentre(index[0], index[1], index[2]);
        p[c.cut] = c.position;
        const double expected = col < size[0] && r < size[1] ? Ramp(p) : 7;
        EXPECT_NEAR(image.GetData()[r * image.GetWidth() + col], expected, 0.51) << col << ", " << r;
      }
  }
}

TEST(AxisSlicer, GivesPaddingOutsideTheVolumeAndForNoVolume) {
  const Quorvel::Volume volume = RampVolume();
  Quorvel::AxisSlicer slicer;
  slicer.SetPadding(3);
  slicer.SetVolume(&volume);
  GreyImage image(4, 4, true), noMemory(nullptr, 4, 4);
  slicer.Slice(Plane::Axial, 11.0, noMemory);  // left alone, not written through null
  auto padded = [&](Plane plane, double position) {  // pixels of padding, each one written by this slice
    std::fill_n(image.GetData(), 16, 0);
    slicer.Slice(plane, position, image);
    return std::count(image.GetData(), image.GetData() + 16, 3);
  };
  for (const double position : {9.7, 12.3, kNaN}) EXPECT_EQ(padded(Plane::Axial, position), 16) << position;
  slicer.SetVolume(nullptr);
  EXPECT_EQ(padded(Plane::Coronal, 2.0), 16);
  EXPECT_EQ(slicer.SliceSize(Plane::Sagittal), Quorvel::AxisSlicer::Vec2i(0, 0));
}

}  // namespace
}  // namespace QuorvelTest
