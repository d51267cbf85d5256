// Pins that the axial view's RenderSlices draws without allocating.
#include <quorvel/GlPanoramaRegion3D.h>
#include <quorvel/GlPanoramaRegionAxial.h>

#include "AllocationHook.h"
#include "GlTest.h"
#include "TestSplines.h"

#include <gtest/gtest.h>

#include <cmath>

namespace QuorvelTest {
namespace {

class PanoramaAllocationTest : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    // A quarter circle of radius 100 through 500 samples.
    spline.ControlPoints() = {Vec3(100, 0, 0), Vec3(0, 100, 0)};
    for (int i = 0; i < 500; ++i) {
      const double a = i * (3.14159265358979323846 / 2) / 499;
      spline.Samples().push_back(Vec3(100 * std::cos(a), 100 * std::sin(a), 0));
      spline.Normals().push_back(Vec3(std::cos(a), std::sin(a), 0));
    }
  }
  template <typename Region>
  void SetUpRegion(Region& region) {
    region.SetSpline(&spline);
    region.SetWidth(20);
    region.SetTransversalSlices(21, 2);
    region.SetInspectionWindow(region.PublicLength() / 4, 10);
    region.SetSampling({0.5, 0.5});
    region.SetTSAGapInPixels(4);
    region.SetLSAGapInPixels(4);
    region.SetIWGapInPixels(4);
  }
  // Allocations made by `draw` on its second run (the first lets the driver
  // set up whatever it keeps for the state used).
  template <typename Draw>
  long AllocationsOf(Draw draw) {
    draw();
    const AllocationHook hook;
    draw();
    return hook.Made();
  }
  TestSpline spline;
};

template <typename Base>
struct Open : Base {
  double PublicLength() const { return this->curveLength; }
};

TEST_F(PanoramaAllocationTest, AxialSlicesAllocateNothing) {
  Open<Quorvel::GlPanoramaRegionAxial> region;
  SetUpRegion(region);
  EXPECT_EQ(AllocationsOf([&] { region.RenderSlices(Vec3(10, 3, 0)); }), 0);
}

// The counter's control: the 3D window keeps its points in a list.
TEST_F(PanoramaAllocationTest, ThreeDimensionalSlicesAllocateTheirWindowList) {
  Open<Quorvel::GlPanoramaRegion3D> region;
  SetUpRegion(region);
  EXPECT_GT(AllocationsOf([&] { region.RenderSlices(Vec3(10, 3, 0), Vec3(0, 0, 1)); }), 0);
}

}  // namespace
}  // namespace QuorvelTest
