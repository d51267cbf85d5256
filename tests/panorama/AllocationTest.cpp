// Counts every C++ allocation of this process (the global operator new is
// replaced for this executable only) to pin that the axial view's
// RenderSlices draws without allocating.
#include <quorvel/GlPanoramaRegion3D.h>
#include <quorvel/GlPanoramaRegionAxial.h>

#include "GlTest.h"
#include "TestSplines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <new>

namespace {
long allocations = 0;
}

// Every unaligned form is replaced, so whatever allocates with one of them
// (the driver's compiler uses the nothrow form) releases through the matching
// replacement. They allocate with malloc and release with free; GCC's
// new/delete pairing check cannot see that and flags the free.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  ++allocations;
  return std::malloc(size ? size : 1);
}
void* operator new(std::size_t size) {
  if (void* p = operator new(size, std::nothrow)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return operator new(size, std::nothrow); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
#pragma GCC diagnostic pop

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
    const long before = allocations;
    draw();
    return allocations - before;
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
