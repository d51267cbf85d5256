#include "AllocationHook.h"

#include <brantel/nimage/Image2D.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <new>

namespace QuorvelTest {
namespace {

using Brantel::NImage::Image;
using Brantel::NImage::Image2D;

TEST(Image2DTest, HoldsWidthTimesHeightElementsInOneArray) {
  AllocationHook hook;
  Image2D<std::uint32_t> image(4, 3, true);
  EXPECT_EQ(image.GetSize(), 12u);
  EXPECT_EQ(image.GetWidth(), 4u);
  EXPECT_EQ(image.GetHeight(), 3u);
  EXPECT_EQ(hook.Made(), 1);
}

TEST(Image2DTest, ZeroExtentGivesAnEmptyArray) {
  Image2D<unsigned short> image(0, 5, true);
  EXPECT_EQ(image.GetSize(), 0u);
}

// Keeps the compiler from eliding an allocation that is freed right away.
template <typename T>
T* Escape(T* p) {
  static T* volatile sink;
  sink = p;
  return sink;
}

TEST(Image2DTest, FreesOwnedArrayOnceThroughEitherPointerType) {
  AllocationHook hook;
  delete Escape(new Image2D<std::uint32_t>(4, 3, true));
  Image<std::uint32_t>* asBase = Escape(new Image2D<std::uint32_t>(4, 3, true));
  delete asBase;
  EXPECT_EQ(hook.Live(), 0);
}

TEST(Image2DTest, NotOwningLeavesTheArrayToTheCaller) {
  AllocationHook hook;
  std::uint32_t* array = nullptr;
  {
    Image2D<std::uint32_t> handedOver(4, 3, false);
    array = handedOver.GetData();
    std::uint32_t callerArray[6] = {};
    Image2D<std::uint32_t> wrapped(callerArray, 3, 2);
    EXPECT_EQ(wrapped.GetData(), callerArray);
    EXPECT_EQ(wrapped.GetSize(), 6u);
    EXPECT_FALSE(wrapped.OwnsData());
  }
  EXPECT_EQ(hook.Live(), 1);  // the handed-over array
  delete[] array;
}


TEST(Image2DTest, RejectsByteCountsBeyond32BitsWithoutAllocating) {
  // 2^30 texels of 4 bytes, 2^31 grey pixels of 2 bytes: exactly 2^32 bytes;
  // and a pixel count that itself overflows.
  AllocationHook hook;
  EXPECT_THROW((Image2D<std::uint32_t>(1u << 15, 1u << 15, true)), std::bad_alloc);
  EXPECT_THROW((Image2D<unsigned short>(1u << 16, 1u << 15, true)), std::bad_alloc);
  EXPECT_THROW((Image2D<unsigned short>(1u << 16, 1u << 16, true)), std::bad_alloc);
  EXPECT_THROW((Image2D<std::uint32_t>(UINT32_MAX, 2, true)), std::bad_alloc);
  EXPECT_EQ(hook.Made(), 0);
}

}  // namespace
}  // namespace QuorvelTest
