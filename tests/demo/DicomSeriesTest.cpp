// The phantom written as DICOM series by the demo's writer and read back by
// its reader: good variants give the written volume, bad ones one line on
// standard error and exit status 1.
#include "DemoRun.h"
#include "DicomSeriesReader.h"
#include "PhantomSeries.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Demo::SeriesVariant;
using Demo::Vec3;
using Demo::Vec3i;

// 2 mm voxels keep the 48 files small: ±47 mm across, ±55 mm front to
// back, ±47 mm up from the occlusal plane.
const Demo::DicomSeries& Written() {
  static const Demo::DicomSeries volume = Demo::VoxelisePhantom(Demo::Phantom(), {48, 56, 48, 2.0});
  return volume;
}

// Writes the variant into a fresh folder named after it.
std::string Write(SeriesVariant variant, std::vector<std::string>* uids = nullptr) {
  std::string folder;
  for (const auto& v : Demo::SeriesVariants())
    if (v.variant == variant) folder = v.name;
  std::filesystem::remove_all(folder);
  const std::vector<std::string> written = Demo::WriteSeriesVariant(Written(), variant, folder);
  if (uids) *uids = written;
  return folder;
}

TEST(DicomSeriesTest, ReadsEachGoodVariantAsTheWrittenVolume) {
  for (SeriesVariant variant : {SeriesVariant::Plain, SeriesVariant::Shuffled, SeriesVariant::Rle,
                                SeriesVariant::JpegLs, SeriesVariant::MultiFrame}) {
    const std::string folder = Write(variant);
    SCOPED_TRACE(folder);
    std::ofstream(folder + "/notes.txt") << "not an image\n";
    const Demo::DicomSeries read = Demo::ReadDicomSeries(folder);
    EXPECT_EQ(read.dimensions, Vec3i(48, 56, 48));
    const std::pair<Vec3, Vec3> geometry[] = {{read.spacing, {2.0, 2.0, 2.0}},
                                              {read.origin, {-47.0, -55.0, -47.0}},
                                              {read.rowDirection, {1.0, 0.0, 0.0}},
                                              {read.columnDirection, {0.0, 1.0, 0.0}},
                                              {read.normal, {0.0, 0.0, 1.0}}};
    for (const auto& [got, expected] : geometry) EXPECT_LT(Distance(got, expected), 1e-6);
    EXPECT_EQ(std::pair(read.slope, read.intercept), std::pair(1.0, -1024.0));
    EXPECT_TRUE(read.voxels == Written().voxels);
    ASSERT_EQ(read.notes.size(), 1u);
    EXPECT_NE(read.notes[0].find("skipped 1 file"), std::string::npos) << read.notes[0];
  }
}

// Patient coordinates (x to the left, y to the back, z up): the airway lies
// behind the tongue at (0, 36), the lips in front; the vertebral body at
// (0, 54) ends 30 mm above the occlusal plane.
TEST(DicomSeriesTest, StoresTheHeadAsAScannerWithThePatientHeadFirstSupine) {
  const Demo::DicomSeries read = Demo::ReadDicomSeries(Write(SeriesVariant::Plain));
  const struct {
    Vec3 at;
    double low, high;  // HU
  } probes[] = {{{1, 35, 1}, -1100, -900}, {{1, -35, 1}, -100, 150}, {{1, 55, 1}, 120, 700}, {{1, 55, 41}, -100, 150}};
  for (const auto& p : probes) {
    const double hounsfield = read.At(int(p.at[0] + 47) / 2, int(p.at[1] + 55) / 2, int(p.at[2] + 47) / 2) - 1024.0;
    EXPECT_GE(hounsfield, p.low) << p.at[0] << ", " << p.at[1] << ", " << p.at[2];
    EXPECT_LE(hounsfield, p.high) << p.at[0] << ", " << p.at[1] << ", " << p.at[2];
  }
}

TEST(DicomSeriesTest, ReadsTheLargestSeriesOrTheOneAskedFor) {
  std::vector<std::string> uids;
  const std::string folder = Write(SeriesVariant::TwoSeries, &uids);
  ASSERT_EQ(uids.size(), 2u);
  EXPECT_EQ(Demo::ReadDicomSeries(folder).dimensions, Vec3i(48, 56, 48));
  const Demo::DicomSeries coarse = Demo::ReadDicomSeries(folder, uids[1]);
  EXPECT_EQ(coarse.dimensions, Vec3i(24, 28, 24));
  EXPECT_EQ(coarse.spacing[2], 4.0);
  EXPECT_EQ(coarse.At(5, 6, 7), Written().At(10, 12, 14));
}

TEST(DicomSeriesTest, RefusesABadSeriesWithOneLine) {
  std::filesystem::create_directories("no-image");
  std::ofstream("no-image/notes.dcm") << "window centre 40, width 400\n";
  const std::pair<std::string, const char*> cases[] = {
      {"no-image/notes.dcm", "not a DICOM file"},
      {"no-image", "no DICOM image"},
      {Write(SeriesVariant::MissingSlice), "a slice is missing"},
      {Write(SeriesVariant::DuplicateSlice), "two slices at the same position"},
      {Write(SeriesVariant::DifferentSizes), "slices of different sizes"},
      {Write(SeriesVariant::TruncatedFile), "truncated"}};
  for (const auto& [path, reason] : cases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(RunDemo("refused", "--dicom " + path + " 2>refused.err"), 1);
    const std::string err = Contents("refused.err");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.rfind("quorvel-demo: " + path, 0), 0u) << err;
    EXPECT_NE(err.find(reason), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists("refused.png"));
  }
}

TEST(DicomSeriesTest, WritesFilesThatDciodvfyAccepts) {
  for (const std::string& file : {Write(SeriesVariant::Plain) + "/CT1_0001.dcm", Write(SeriesVariant::MultiFrame) +
                                                                                     "/CT1.dcm"}) {
    ASSERT_EQ(std::system(("dciodvfy " + file + " >dciodvfy.txt 2>&1").c_str()), 0)
        << "dciodvfy comes with the dicom3tools package";
    const std::string report = Contents("dciodvfy.txt");
    EXPECT_EQ(report.find("Error"), std::string::npos) << report;
    EXPECT_EQ(report.find("Warning"), std::string::npos) << report;
  }
}

}  // namespace
