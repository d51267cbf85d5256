// The window's controls replayed without a window on a small volume: the
// flat views zoom about the cursor and pan with it, and clicks in the axial
// view place, move and remove arch points where the view shows the cursor.
#include "AxialView.h"
#include "Controls.h"
#include "CrossSectionView.h"
#include "PanoramicView.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Demo::Controls;
using Demo::Vec3;

constexpr int kWidth = 1600, kHeight = 900;

// 40 × 40 × 20 voxels of 1 mm from the origin; an arch across it if asked.
std::unique_ptr<Demo::Scene> SmallScene(std::vector<Vec3> arch) {
  Demo::DicomSeries series;
  series.dimensions = Demo::Vec3i(40, 40, 20);
  series.voxels.assign(40 * 40 * 20, 0);
  Demo::StageTimes times;
  return std::make_unique<Demo::Scene>(std::move(series), Demo::SceneSetup{"small", std::move(arch)}, times);
}

struct FlatView {
  const char* name;
  Demo::PlaneFraming (*framing)(const Demo::Scene&, const Demo::Viewport&);
  Demo::Viewport Demo::Layout::*viewport;
};

TEST(ControlsTest, ZoomsAboutTheCursorAndPansWithIt) {
  const FlatView views[] = {{"axial", &Demo::AxialView::Framing, &Demo::Layout::axial},
                            {"panoramic", &Demo::PanoramicView::Framing, &Demo::Layout::panoramic},
                            {"cross-section", &Demo::CrossSectionView::Framing, &Demo::Layout::crossSection}};
  for (const FlatView& view : views) {
    SCOPED_TRACE(view.name);
    const auto scene = SmallScene({{5, 30, 0}, {20, 5, 0}, {35, 30, 0}});
    Controls controls(*scene);
    const Demo::Viewport port = Demo::MakeLayout(kWidth, kHeight).*view.viewport;
    const double x = port.x + port.width * 0.3, y = port.y + port.height * 0.6;
    const Demo::PlaneFraming before = view.framing(*scene, port);
    const Vec3 under = before.At(port, x, y);
    controls.Scroll(kWidth, kHeight, x, y, 2.0);
    EXPECT_NEAR(view.framing(*scene, port).pixel, before.pixel / (1.15 * 1.15), 1e-12);
    EXPECT_LT(Distance(view.framing(*scene, port).At(port, x, y), under), 1e-9);
    controls.Press(Controls::Button::Right, kWidth, kHeight, x, y);
    controls.Move(kWidth, kHeight, x + 40, y - 25);
    controls.Release();
    EXPECT_LT(Distance(view.framing(*scene, port).At(port, x + 40, y - 25), under), 1e-9);
  }
}

TEST(ControlsTest, PlacesMovesAndRemovesArchPointsInTheAxialView) {
  const auto scene = SmallScene({});
  Controls controls(*scene);
  const Demo::Viewport port = Demo::MakeLayout(kWidth, kHeight).axial;
  auto click = [&](double x, double y) {
    controls.Press(Controls::Button::Left, kWidth, kHeight, x, y);
    controls.Release();
    return Demo::AxialView::Framing(*scene, port).At(port, x, y);
  };
  const Vec3 placed[] = {click(200, 300), click(400, 650), click(600, 300)};
  ASSERT_EQ(scene->ArchPoints().size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_LT(Distance(scene->ArchPoints()[i], placed[i]), 1e-9) << i;
  EXPECT_TRUE(scene->HasArch());

  // A press on the middle point drags it instead of adding one.
  controls.Press(Controls::Button::Left, kWidth, kHeight, 402, 648);
  controls.Move(kWidth, kHeight, 420, 700);
  controls.Release();
  ASSERT_EQ(scene->ArchPoints().size(), 3u);
  EXPECT_LT(Distance(scene->ArchPoints()[1], Demo::AxialView::Framing(*scene, port).At(port, 420, 700)), 1e-9);

  controls.Press(Controls::Key::RemoveArchPoint);
  controls.Press(Controls::Key::RemoveArchPoint);
  EXPECT_EQ(scene->ArchPoints().size(), 1u);
  EXPECT_FALSE(scene->HasArch());
}

}  // namespace
