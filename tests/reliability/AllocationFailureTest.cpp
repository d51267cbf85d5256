// Every operation that allocates, its n-th allocation failing for n = 1, 2, …
// until it succeeds: it throws std::bad_alloc, leaks nothing, leaves no
// attribute pushed and no GL error, and its object is in its documented state
// and works afterwards as one on which nothing failed.
#include "../reformat/TestVolumes.h"
#include "../texture/InspectableMapper.h"

#include "AllocationHook.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"

#include <quorvel/GlCoordAxes.h>
#include <quorvel/GlPanoramaRegion3D.h>
#include <quorvel/GlPanoramaRegionAxial.h>
#include <quorvel/GlWiredVolume.h>
#include <quorvel/PanoramicReformatter.h>
#include <quorvel/Volume.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>
#include <optional>
#include <string>

namespace QuorvelTest {
namespace {

using Quorvel::GlCoordAxes, Quorvel::GlPanoramaRegion3D, Quorvel::GlPanoramaRegionAxial, Quorvel::GlWiredVolume,
    Quorvel::Volume;

// Whether `call` threw std::bad_alloc with the n-th allocation from here failing.
bool FailsAt(long n, const std::function<void()>& call) {
  try {
    const AllocationHook fail(n);
    call();
  } catch (const std::bad_alloc&) {
    return true;
  }
  return false;
}

// A row for a drawing operation: it fails on a copy of `object`, which then
// draws what `object` draws.
template <typename T>
std::function<bool(long)> Draws(T& object, void (*draw)(T&)) {
  return [&object, draw](long n) {
    T target(object);
    const bool failed = FailsAt(n, [&] { draw(target); });
    EXPECT_EQ(RecordTrace([&] { draw(target); }), RecordTrace([&] { draw(object); }));
    return failed;
  };
}

void Plane(GlWiredVolume& box) { box.RenderPlane(Vec3(), Vec3(1, 0, 0), Vec3(0, 1, 0)); }

std::string Drawn(GlCoordAxes& axes) { return RecordTrace([&] { axes.Render(); }); }

struct SweepCase {
  const char* operation;
  bool allocates;
  std::function<bool(long n)> attempt;  // fails the operation at allocation n, checks the aftermath; whether it failed
};

class AllocationFailure : public GlTest {};

TEST_F(AllocationFailure, EveryAllocatingOperationThrowsAndRecovers) {
  const std::vector<std::uint32_t> table = MakeTable(4099);
  const auto image = MakeImage(600, 300), small = MakeImage(40, 30);
  InspectableMapper mapper(256, true), other(0, false);  // 3 × 2 tiles, and 1 of another size
  for (InspectableMapper* m : {&mapper, &other}) m->SetLookupTable(table.data(), 4099);
  mapper.SetBuffer(image.get());
  other.SetBuffer(small.get());
  GlCoordAxes axes;
  for (const Vec3& d : {Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(0, 0, 1)}) axes.AddAxis(d, d);
  GlWiredVolume box;
  box.SetVolumeSize(Vec3(100, 80, 60));
  const LineSpline line(Vec3(0, 0, 0), Vec3(10, 0, 0), Vec3(0, 1, 0), 11);  // sampled every unit
  GlPanoramaRegion3D region3D;
  GlPanoramaRegionAxial axial;
  auto set = [&](Quorvel::GlPanoramaRegionBase& r) {
    r.SetSpline(&line), r.SetWidth(4), r.SetTransversalSlices(3, 2), r.SetInspectionWindow(4, 2);
  };
  set(region3D), set(axial);
  Volume volume(Volume::Vec3i(4, 3, 2), Vec3(1, 1, 1), Vec3(0, 0, 0));
  std::fill_n(volume.WritableVoxels(), volume.VoxelCount(), 500);
  Quorvel::PanoramicReformatter reformatter;
  reformatter.SetVolume(&volume), reformatter.SetSpline(&line);
  reformatter.SetBand(2, 1), reformatter.SetPixelSize(1, 1);
  GreyImage panorama(11, 2, true);
  reformatter.Reformat(panorama);

  const std::vector<SweepCase> cases = {
      {"mapper re-plan", true, [&](long n) {
         InspectableMapper target(mapper);
         target.SetBuffer(small.get());  // one tile for six: the next image re-plans
         const bool failed = FailsAt(n, [&] { target.SetBuffer(image.get()); });
         EXPECT_EQ(target.tileImages.empty(), failed);  // no tiles and no plan when it fails
         EXPECT_EQ(target.tileRegions.size(), target.tileImages.size());
         target.SetBuffer(image.get());  // plans afresh
         EXPECT_EQ(target.Texels(), mapper.Texels());
         return failed;
       }},
      {"mapper conversion", false,
       [&](long n) { InspectableMapper target(mapper); return FailsAt(n, [&] { target.UpdateBufferFromLUT(); }); }},
      {"mapper draw", true, [&](long n) {
         InspectableMapper target(mapper);
         const bool failed = FailsAt(n, [&] { target.RenderTexture(Vec3(), Vec3(1, 0, 0), Vec3(0, 1, 0)); });
         EXPECT_TRUE(target.textureNames.empty());
         return failed;
       }},
      {"mapper copy, then assignment", true, [&](long n) {
         std::optional<InspectableMapper> copy;
         InspectableMapper target(other);
         target.textureNames = {3, 4};  // left by an unfinished draw, which the source has not
         const bool failed = FailsAt(n, [&] { copy.emplace(mapper), target = mapper; });
         EXPECT_EQ(target.Texels(), failed ? other.Texels() : mapper.Texels());  // unchanged when it fails
         EXPECT_EQ(target.textureNames.size(), failed ? 2u : 0u);
         target.textureNames.clear();
         return failed;
       }},
      {"axes AddAxis", true, [&](long n) {
         GlCoordAxes target(axes);
         const bool failed = FailsAt(n, [&] { target.AddAxis(Vec3(1, 1, 1), Vec3(1, 1, 1)); });
         const std::string drawn = Drawn(target), before = Drawn(axes);
         EXPECT_EQ(drawn.substr(0, before.size()), before);
         EXPECT_EQ(drawn == before, failed);  // the arrow is added only when nothing fails
         return failed;
       }},
      {"axes copy, then assignment", true, [&](long n) {
         std::optional<GlCoordAxes> copy;
         GlCoordAxes target;
         target.AddAxis(Vec3(1, 1, 1), Vec3(1, 1, 1));
         const std::string before = Drawn(target), source = Drawn(axes);
         const bool failed = FailsAt(n, [&] { copy.emplace(axes), target = axes; });
         const std::string drawn = Drawn(target);  // as before when the copy fails, else the arrows copied so far
         EXPECT_EQ(drawn, !copy ? before : failed ? source.substr(0, drawn.size()) : source);
         EXPECT_EQ(copy ? Drawn(*copy) : source, source);
         return failed;
       }},
      {"wired volume outline", true, Draws<GlWiredVolume>(box, Plane)},  // which leaves an outline to copy
      {"wired volume copy, then assignment", true, [&](long n) {
         std::optional<GlWiredVolume> copy;
         GlWiredVolume target;
         const bool failed = FailsAt(n, [&] { copy.emplace(box), target = box; });
         target = box;
         EXPECT_EQ(RecordTrace([&] { Plane(target); }), RecordTrace([&] { Plane(box); }));
         return failed;
       }},
      {"3D region", true, Draws<GlPanoramaRegion3D>(region3D, [](GlPanoramaRegion3D& r) { r.RenderRegion(); })},
      {"3D slices", true,
       Draws<GlPanoramaRegion3D>(region3D, [](GlPanoramaRegion3D& r) { r.RenderSlices({1, 0.5, 0}, {0, 0, 1}); })},
      {"axial region", true, Draws<GlPanoramaRegionAxial>(axial, [](GlPanoramaRegionAxial& r) { r.RenderRegion(); })},
      {"axial slices", false,
       Draws<GlPanoramaRegionAxial>(axial, [](GlPanoramaRegionAxial& r) { r.RenderSlices({1, 0.5, 0}); })},
      {"reformatter copy, then Reformat", true, [&](long n) {
         std::optional<Quorvel::PanoramicReformatter> target;  // whose sample table is its own, still empty
         GreyImage out(11, 2, true);
         std::fill_n(out.GetData(), 22, 7);
         const bool failed = FailsAt(n, [&] { target.emplace(reformatter), target->Reformat(out); });
         EXPECT_EQ(std::count(out.GetData(), out.GetData() + 22, 7), failed ? 22 : 0);  // unchanged when it fails
         if (!target) target.emplace(reformatter);
         target->Reformat(out);
         EXPECT_TRUE(std::equal(out.GetData(), out.GetData() + 22, panorama.GetData()));
         return failed;
       }},
      {"volume copy, then assignment", true, [&](long n) {
         std::optional<Volume> copy;
         Volume target(Volume::Vec3i(1, 1, 1), Vec3(1, 1, 1), Vec3(0, 0, 0));
         const bool failed = FailsAt(n, [&] { copy.emplace(volume), target = volume; });
         EXPECT_EQ(target.VoxelCount(), failed ? 1u : 24u);  // unchanged when it fails
         return failed;
       }},
  };
  for (const SweepCase& c : cases) {
    SCOPED_TRACE(c.operation);
    c.attempt(0);  // nothing fails: what the driver allocates on first use is made here
    long n = 1;
    for (bool failed = true; failed && n < 300; ++n) {
      SCOPED_TRACE(n);
      const AllocationHook counted;
      failed = c.attempt(n);
      EXPECT_EQ(counted.Live(), 0);
      EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), 0);
      EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    EXPECT_EQ(n > 2, c.allocates) << "succeeded at allocation " << n - 1;
    EXPECT_LT(n, 300) << "still failing";
  }
}

}  // namespace
}  // namespace QuorvelTest
