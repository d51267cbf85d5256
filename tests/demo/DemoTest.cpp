// quorvel-demo end to end: the phantom's landmarks where its geometry puts
// them, the README's picture, a DICOM slice, a window.
#include "DemoRun.h"
#include "DicomSeriesWriter.h"

#include <gtest/gtest.h>

namespace {

// The default frame, 1600 × 900, drawn once; empty when the demo fails.
const Picture& Frame() {
  static const Picture frame(RunDemo("frame", "") == 0 ? "frame.png" : "");
  return frame;
}

// The axial view, the left 799 × 900 pixels, shows the slice through the
// lower crowns from the feet: 100 mm across, centred on (0, −13) mm, the
// patient's right (+x) on the left and the front (+y) at the top.
int Column(double x) { return int(399.5 - x * 7.99); }
int Row(double y) { return int(450.0 - (y + 13.0) * 7.99); }

TEST(OffscreenTest, ShowsThePhantomsLandmarksWhereTheyLie) {
  ASSERT_EQ(std::pair(Frame().width, Frame().height), std::pair(1600, 900));
  // Column, row and grey range of 5 × 5 pixels.
  const int probes[][4] = {
      {Column(0), Row(-36), 0, 5},        // air in the airway, centred on (0, −36)
      {Column(-48), Row(-68), 0, 5},      // air outside the head
      {Column(0), Row(-8), 35, 70},       // soft tissue of the tongue
      {Column(0), Row(-45.3), 130, 190},  // front cortex of the vertebral body, an ellipse (0, −54) ± 9.5 mm
      {1590, 10, 24, 32},                 // background of the 3D view
      {1590, 890, 24, 32}};               // background beside the panoramic image
  for (const auto& [column, row, low, high] : probes)
    EXPECT_EQ(Frame().Count(column - 2, row - 2, column + 3, row + 3, low, high), 25) << column << ", " << row;
  // Enamel is white: the lower incisors either side of the arch's midline
  // point (0, 20), and in the panoramic view (0.216 mm a pixel, centred on
  // z = −3 mm) the crowns along the occlusal plane z = 0.
  EXPECT_GT(Frame().Count(Column(3), Row(23), Column(-3), Row(17), 215, 255), 400);
  EXPECT_GT(Frame().Count(801, 644, 1600, 680, 215, 255), 300);
}

TEST(OffscreenTest, DrawsThePictureShownInTheReadme) {
  EXPECT_LT(Frame().Differing(Picture(QUORVEL_DOCS_PICTURE), 24), 1600 * 900 * 3 / 200)
      << "docs/demo.png is out of date: run make demo and copy demo.png to docs/";
}

// 48 × 64 pixels of 1 mm, a value a quadrant, written as a one-slice
// series. The axial view fits them with a 4 % margin, 12 pixels a mm,
// centred on (399.5, 450), row 0 at the top.
TEST(DicomTest, ShowsTheSliceAsStoredThroughItsWindow) {
  Demo::DicomSeries slice;
  slice.dimensions = Demo::Vec3i(64, 48, 1);
  slice.intercept = -1024.0;
  slice.largestStored = 4095;
  slice.window = {0.0, 1000.0};
  for (int r = 0; r < 48; ++r)
    for (int c = 0; c < 64; ++c)
      slice.voxels.push_back((unsigned short)(1024 + (r < 24 ? (c < 32 ? 1000 : -1000) : (c < 32 ? 0 : -250))));
  std::filesystem::remove_all("quadrants");
  Demo::WriteDicomSeries(slice, "quadrants", {});
  ASSERT_EQ(RunDemo("quadrants", "--dicom quadrants --lut grey"), 0);
  const Picture shown("quadrants.png");
  ASSERT_EQ(shown.width, 1600);
  // Above the window white, below it black, its middle (0 HU) and a quarter
  // up (−250 HU) grey 128 and 64; the quadrants' centres 16 mm and 12 mm off.
  const int quadrants[][3] = {{207, 306, 255}, {591, 306, 0}, {207, 594, 128}, {591, 594, 64}};
  for (const auto& [column, row, grey] : quadrants)
    EXPECT_EQ(shown.Count(column - 2, row - 2, column + 3, row + 3, grey - 3, grey + 3), 25) << column << ", " << row;
}

// LeakSanitizer reports as leaks the teardown allocations of the GLX driver
// that closing the X display unloads; they must not fail the run.
TEST(WindowTest, ShowsThePictureOfTheReadmeInAWindow) {
  ASSERT_EQ(RunDemo("window", "--window --frames 3",
                    "LSAN_OPTIONS=\"${LSAN_OPTIONS}:exitcode=0\" xvfb-run -a -s '-screen 0 1920x1080x24'"),
            0) << "xvfb-run comes with the xvfb package";
  EXPECT_LT(Picture("window.png").Differing(Picture(QUORVEL_DOCS_PICTURE), 24), 1600 * 900 * 3 / 200);
}

}  // namespace
