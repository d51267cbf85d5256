// quorvel-demo end to end: the phantom's landmarks where its geometry puts
// them, the README's picture, DICOM series, a window.
#include "DemoRun.h"
#include "DicomSeriesWriter.h"
#include "Orientation.h"
#include "PhantomSeries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// The default frame, 1600 × 900, drawn once; empty when the demo fails.
const Picture& Frame() {
  static const Picture frame(RunDemo("frame", "") == 0 ? "frame.png" : "");
  return frame;
}

// The axial view, the left 799 × 900 pixels, looks from the feet at the
// slice through the lower crowns, framing the arch's band with 12 mm
// around: the arch points span x ±39 mm and y −20 … 40 mm (patient
// coordinates: the phantom's x and y negated), so 118 × 100 mm centred on
// (0, 10) fill the view's width with a 4 % margin, 0.15359 mm a pixel; the
// patient's right (−x) on the left and the front (−y) at the top.
int Column(double x) { return int(399.5 + x / 0.15359); }
int Row(double y) { return int(450.0 + (y - 10.0) / 0.15359); }

TEST(OffscreenTest, ShowsThePhantomsLandmarksWhereTheyLie) {
  ASSERT_EQ(std::pair(Frame().width, Frame().height), std::pair(1600, 900));
  // Column, row and grey range of 5 × 5 pixels.
  const int probes[][4] = {
      {Column(0), Row(36), 0, 5},        // air in the airway, centred on (0, 36)
      {Column(48), Row(68), 0, 5},       // air outside the head
      {Column(0), Row(8), 35, 70},       // soft tissue of the tongue
      {Column(0), Row(45.3), 130, 190},  // front cortex of the vertebral body, an ellipse (0, 54) ± 9.5 mm
      {1590, 10, 24, 32},                // background of the 3D view
      {1590, 890, 24, 32}};              // background beside the cross-section
  for (const auto& [column, row, low, high] : probes)
    EXPECT_EQ(Frame().Count(column - 2, row - 2, column + 3, row + 3, low, high), 25) << column << ", " << row;
  // Enamel is white: the lower incisors either side of the arch's midline
  // point (0, −20).
  EXPECT_GT(Frame().Count(Column(-3), Row(-23), Column(3), Row(-17), 215, 255), 400);
}

// The panoramic view, 558 × 449 pixels from (801, 451), fits the image of
// the 153.3 mm arch (614 columns of 0.25 mm) with a 4 % margin: 0.2861 mm a
// pixel, the arch's middle at column 1080, z = 0 on row 675.5. The mean
// across the band makes the crowns (z ±0.6 … 8.6 mm) light grey over a
// dark mouth: about (2900 · 6 + 1750 · 2 + 45 · 8) / 16 HU, 0.6 of the
// bone window, against 0.2 for soft tissue. The panorama position starts
// at the missing lower left first molar (41 mm from the middle, 10.2 mm
// wide), where the lower row has a gap.
TEST(OffscreenTest, ShowsTheCrownsAndTheGapInThePanoramicImage) {
  EXPECT_GT(Frame().Count(801, 645, 1359, 706, 130, 255), 5000);
  EXPECT_EQ(Frame().Count(1226, 692, 1233, 701, 0, 100), 63);  // between the slice marks at 41 and 46 mm
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

// The axial view names the plane the slices lie in and the patient
// directions on its right and top edges (along the rows, and against the
// columns); an image without orientation is a projection, not an axial slice.
TEST(DicomTest, NamesThePlaneOfTheSlicesAndTheDirectionsOnTheEdges) {
  const double c = std::cos(std::acos(-1.0) / 9.0), s = std::sin(std::acos(-1.0) / 9.0);  // 20 degrees
  const struct {
    Demo::Vec3 row, column;
    bool oriented;
    const char *plane, *right, *top;
  } cases[] = {{{1, 0, 0}, {0, 1, 0}, true, "Axial", "L", "A"},
               {{1, 0, 0}, {0, 0, -1}, true, "Coronal", "L", "S"},
               {{0, 1, 0}, {0, 0, -1}, true, "Sagittal", "P", "S"},
               {{1, 0, 0}, {0, c, s}, true, "Oblique", "L", "A"},  // a gantry tilted by 20 degrees
               {{1, 0, 0}, {0, 1, 0}, false, "Projection", "L", "A"}};
  for (const auto& t : cases) {
    SCOPED_TRACE(t.plane);
    Demo::DicomSeries series;
    series.rowDirection = t.row, series.columnDirection = t.column, series.oriented = t.oriented;
    series.normal = CrossProduct(t.row, t.column);
    EXPECT_EQ(Demo::PlaneName(series), t.plane);
    EXPECT_EQ(Demo::DirectionLetter(t.row), t.right);
    EXPECT_EQ(Demo::DirectionLetter(t.column * -1.0), t.top);
  }
}

// The phantom written as a series at the demo's grid and read back with the
// phantom's arch (its points in patient coordinates) and slice (z = −3.9
// mm, the 94th of 200) gives the phantom's frame: only the line naming the
// data differs.
TEST(DicomTest, ShowsTheWrittenPhantomAsThePhantom) {
  std::filesystem::remove_all("phantom-series");
  Demo::WriteSeriesVariant(Demo::VoxelisePhantom(Demo::Phantom(), {}), Demo::SeriesVariant::Plain, "phantom-series");
  ASSERT_EQ(RunDemo("phantom-series", "--dicom phantom-series --slice 94 "
                                      "--arch '-39,40;-31,18;-25.5,0;-17,-13;0,-20;17,-13;25.5,0;31,18;39,40'"),
            0);
  EXPECT_LT(Picture("phantom-series.png").Differing(Frame(), 8), 1600 * 900 * 3 / 1000);
}

// A bad command line: one line on standard error saying what is wanted,
// exit status 1 and no picture.
TEST(OptionsTest, RefusesABadCommandLineWithOneLine) {
  const std::pair<const char*, const char*> cases[] = {{"--lut rainbow", "--lut wants grey, hot or bone"},
                                                       {"--slice 0", "--slice wants a whole number from 1"},
                                                       {"--arch '1,2;3'", "--arch wants \"x,y;x,y;...\""},
                                                       {"--arch 1,2", "--arch wants two points or more"},
                                                       {"--size 200x100", "WIDTHxHEIGHT from 320x180 to 8192x8192"},
                                                       {"--frame 3", "--frame picks a frame of --dicom's series"}};
  for (const auto& [arguments, reason] : cases) {
    SCOPED_TRACE(arguments);
    EXPECT_EQ(RunDemo("refused", std::string(arguments) + " 2>refused.err"), 1);
    const std::string err = Contents("refused.err");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find(reason), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists("refused.png"));
  }
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
