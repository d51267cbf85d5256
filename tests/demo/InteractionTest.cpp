// What the window's input does to the scene, without a window: dragging in
// the axial view puts the panorama position on the arch under the cursor,
// dragging in the panoramic view moves it and the slice, the wheel zooms
// the axial view, and slice and window changes reach the texture mappers.
#include "Projection.h"

#include "AxialView.h"
#include "Layout.h"
#include "Scene.h"
#include "Slicer.h"
#include "Viewer.h"

#include "HeadlessContext.h"

#include <gtest/gtest.h>

#include <memory>

namespace DemoTest {
namespace {

using Demo::Vec3;
constexpr int kWidth = 1600, kHeight = 900;

class InteractionTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    context = std::make_unique<Headless::HeadlessContext>(64, 64);
    Demo::StageTimes times;
    scene = std::make_unique<Demo::Scene>(Demo::Palette::Bone, times);
  }
  static void TearDownTestSuite() {
    scene.reset();
    context.reset();
  }
  void SetUp() override {
    ASSERT_TRUE(context->Ok()) << context->Error();
    viewer = std::make_unique<Demo::Viewer>(*scene);
  }
  void TearDown() override { viewer.reset(); }

  static inline std::unique_ptr<Headless::HeadlessContext> context;
  static inline std::unique_ptr<Demo::Scene> scene;
  std::unique_ptr<Demo::Viewer> viewer;
};

TEST_F(InteractionTest, DragInTheAxialViewPutsThePositionOnTheArchUnderTheCursor) {
  const Demo::ArchSpline& arch = scene->GetPhantom().Arch();
  const Demo::Layout layout = Demo::MakeLayout(kWidth, kHeight);
  const Projection axial(layout.axial, kHeight, [&](Quorvel::GlCamera& c) {
    Demo::LoadAxialCamera(c, Demo::AxialView::Framing(*scene, layout.axial));
  });
  for (const double u : {0.3, 0.55, 0.7})
    for (const double across : {-3.0, 0.0, 2.5}) {
      SCOPED_TRACE(testing::Message() << "u " << u << " across " << across);
      Vec3 normal = arch.GetNormalFromSampling(u);
      normal.Normalize();
      const PicturePoint p = axial(arch.GetPointFromSampling(u) + normal * across);
      viewer->Drag(kWidth, kHeight, p.x, kHeight - p.y);
      EXPECT_NEAR(scene->Position()[0], (0.5 - u) * arch.SampledLength(), 0.5);
      EXPECT_NEAR(scene->Position()[1], across, 0.3);
    }
}

// The panoramic image is centred in its view: its middle is the middle of
// the arch at the middle of the image's height.
TEST_F(InteractionTest, DragInThePanoramicViewMovesThePositionAndTheSlice) {
  const Demo::Layout layout = Demo::MakeLayout(kWidth, kHeight);
  const Demo::Viewport& v = layout.panoramic;
  viewer->Drag(kWidth, kHeight, v.x + v.width * 0.5, v.y + v.height * 0.5);
  const Demo::PanoramaGeometry geometry;
  EXPECT_NEAR(scene->Position()[0], 0.0, 0.5);
  EXPECT_NEAR(scene->SliceZ(), (geometry.bottom + geometry.top) * 0.5, Demo::kSlicePixel);
  EXPECT_TRUE(scene->TakeSliceChanged());
}

TEST_F(InteractionTest, WheelZoomsOnlyTheAxialView) {
  const Demo::Layout layout = Demo::MakeLayout(kWidth, kHeight);
  const double zoom = scene->Zoom();
  viewer->Scroll(kWidth, kHeight, layout.axial.x + 10, layout.axial.y + 10, 1.0);
  EXPECT_NEAR(scene->Zoom(), zoom * 1.15, 1e-9);
  viewer->Scroll(kWidth, kHeight, layout.volume.x + 10, layout.volume.y + 10, 1.0);
  EXPECT_NEAR(scene->Zoom(), zoom * 1.15, 1e-9);
  viewer->Scroll(kWidth, kHeight, layout.axial.x + 10, layout.axial.y + 10, -1.0);
  EXPECT_NEAR(scene->Zoom(), zoom, 1e-9);
}

TEST_F(InteractionTest, SliceStepsStopAtTheEndsOfTheVolume) {
  scene->TakeSliceChanged();
  const int index = scene->SliceIndex();
  EXPECT_TRUE(scene->StepSlice(1));
  EXPECT_EQ(scene->SliceIndex(), index + 1);
  EXPECT_TRUE(scene->TakeSliceChanged());
  EXPECT_FALSE(scene->StepSlice(scene->SliceCount()));
  EXPECT_FALSE(scene->StepSlice(-scene->SliceCount()));
  EXPECT_EQ(scene->SliceIndex(), index + 1);
  EXPECT_FALSE(scene->TakeSliceChanged());
}

TEST_F(InteractionTest, WindowChangesRebuildTheTables) {
  scene->TakeTableChanged();
  Demo::Window w = scene->GetWindow();
  const std::uint32_t before = scene->SliceTable()[1024 + 500];  // 500 HU
  w.centre += 400.0;
  scene->SetWindow(w);
  EXPECT_TRUE(scene->TakeTableChanged());
  EXPECT_LT(scene->SliceTable()[1024 + 500] & 0xff, before & 0xff);
}

}  // namespace
}  // namespace DemoTest
