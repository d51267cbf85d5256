// What the scene objects leave behind when an allocation fails: no leak, a
// balanced attribute stack, and the state each operation documents.
#include <quorvel/GlCoordAxes.h>
#include <quorvel/GlWiredVolume.h>

#include "AllocationHook.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"
#include "SceneTestSupport.h"

#include <gmock/gmock.h>

#include <new>
#include <vector>

namespace QuorvelTest {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class AllocationFailureTest : public GlTest {};

std::vector<Vec3> ColoursDrawn(Quorvel::GlCoordAxes& axes) {
  GlRecorder rec;
  axes.Render();
  return RecordedPoints(rec, "glColor3dv");
}

const std::vector<Vec3> kColours = {Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(0, 0, 1)};

Quorvel::GlCoordAxes ThreeArrows() {
  Quorvel::GlCoordAxes axes;
  for (const Vec3& c : kColours) axes.AddAxis(c, c);
  return axes;
}

TEST_F(AllocationFailureTest, AddAxisThatCannotAllocateLeavesTheArrowsUnchanged) {
  Quorvel::GlCoordAxes axes = ThreeArrows();
  {
    const AllocationHook fail(1);
    EXPECT_THROW(axes.AddAxis(Vec3(1, 1, 1), Vec3(1, 1, 1)), std::bad_alloc);
  }
  EXPECT_EQ(ColoursDrawn(axes), kColours);
}

TEST_F(AllocationFailureTest, FailedCopyOfAxesFreesWhatItMade) {
  const Quorvel::GlCoordAxes source = ThreeArrows();
  for (long n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    const AllocationHook counted;
    {
      const AllocationHook fail(n);
      EXPECT_THROW(Quorvel::GlCoordAxes copy(source), std::bad_alloc);
    }
    EXPECT_EQ(counted.Live(), 0);
  }
}

TEST_F(AllocationFailureTest, FailedAssignmentOfAxesKeepsTheArrowsCopiedSoFar) {
  const Quorvel::GlCoordAxes source = ThreeArrows();
  for (long n = 1; n <= 3; ++n) {
    SCOPED_TRACE(n);
    Quorvel::GlCoordAxes target;
    target.AddAxis(Vec3(1, 1, 1), Vec3(1, 1, 1));
    {
      const AllocationHook fail(n);
      EXPECT_THROW(target = source, std::bad_alloc);
    }
    EXPECT_THAT(ColoursDrawn(target), ElementsAreArray(kColours.begin(), kColours.begin() + (n - 1)));
  }
}

TEST_F(AllocationFailureTest, FailedCopyOfVolumeFreesWhatItMade) {
  Quorvel::GlWiredVolume source;
  source.SetVolumeSize(Vec3(100, 80, 60));
  source.RenderPlane(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0));  // a four-point outline to copy
  for (long n = 1; n <= 4; ++n) {
    SCOPED_TRACE(n);
    const AllocationHook counted;
    {
      const AllocationHook fail(n);
      EXPECT_THROW(Quorvel::GlWiredVolume copy(source), std::bad_alloc);
    }
    EXPECT_EQ(counted.Live(), 0);
  }
}

// The outline of the plane z = 0 takes 28 list nodes (the square, then four
// points kept by each of the six faces), all made before any GL call.
TEST_F(AllocationFailureTest, FailedOutlineLeavesNoAttributesPushedAndNoLeak) {
  for (long n = 1; n <= 28; ++n) {
    SCOPED_TRACE(n);
    const AllocationHook counted;
    {
      Quorvel::GlWiredVolume volume;
      volume.SetVolumeSize(Vec3(100, 80, 60));
      GlRecorder rec;
      {
        const AllocationHook fail(n);
        EXPECT_THROW(volume.RenderPlane(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0)), std::bad_alloc);
      }
      EXPECT_EQ(rec.Calls().size(), 0u);
    }
    EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), 0);
    EXPECT_EQ(counted.Live(), 0);
  }
}

TEST_F(AllocationFailureTest, OutlineIsWholeAgainAfterAFailedOne) {
  Quorvel::GlWiredVolume volume;
  volume.SetVolumeSize(Vec3(100, 80, 60));
  {
    const AllocationHook fail(10);
    EXPECT_THROW(volume.RenderPlane(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0)), std::bad_alloc);
  }
  GlRecorder rec;
  volume.RenderPlane(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0));
  EXPECT_THAT(RecordedPoints(rec, "glVertex3dv"),
              ElementsAre(Vec3(50, 40, 0), Vec3(-50, 40, 0), Vec3(-50, -40, 0), Vec3(50, -40, 0)));
}

}  // namespace
}  // namespace QuorvelTest
