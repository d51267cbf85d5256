#include <quorvel/AxisSlicer.h>
#include <quorvel/PanoramicReformatter.h>

#include "TestVolumes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace QuorvelTest {
namespace {

using Projection = Quorvel::PanoramicReformatter::Projection;
using GreyImage = Brantel::NImage::Image2D<unsigned short>;

unsigned short Pixel(const GreyImage& image, int column, int row) {
  return image.GetData()[row * image.GetWidth() + column];
}

Quorvel::PanoramicReformatter Along(const Quorvel::Volume& volume, const LineSpline& arch, double pixelWidth,
                                    double pixelHeight, double bottom) {
  Quorvel::PanoramicReformatter reformatter;
  reformatter.SetVolume(&volume);
  reformatter.SetSpline(&arch);
  reformatter.SetPixelSize(pixelWidth, pixelHeight);
  reformatter.SetBottom(bottom);
  return reformatter;
}

// A diagonal arch through the ramp volume, its normal (2, -2, 1) made
// horizontal and unit: across = (1, -1) / sqrt(2). Rows every 0.4 mm from
// z = 10, between the voxel planes.
struct DiagonalArch {
  // The curve point at panorama position p: from the middle toward the first
  // control point.
  static Vec3 Point(double p) { return Vec3(1.5, 4.5, 0) + Vec3(-1, -1, 0) * (p / std::sqrt(2.0)); }
  const Vec3 across = Vec3(1, -1, 0) / std::sqrt(2.0);
  Quorvel::Volume volume = RampVolume();
  LineSpline arch{Vec3(-1, 2, 0), Vec3(4, 7, 0), Vec3(2, -2, 1)};
  Quorvel::PanoramicReformatter reformatter = Along(volume, arch, 0.25, 0.4, 10);
};

// The band mean of a linear ramp is the ramp on the curve; the maximum is
// the ramp at the band's higher end. A step that is not a number leaves one
// sample, on the curve.
TEST(PanoramicReformatter, ProjectsTheRampAcrossTheBand) {
  struct Case { double thickness, step, reach; };
  const Case cases[] = {{2.2, 0.5, 1}, {2.2, kNaN, 0}};  // 5 samples from -1 to +1; 1
  DiagonalArch a;
  ASSERT_EQ(a.reformatter.ArchColumns(), 29);  // 5 sqrt(2) / 0.25 = 28.3
  GreyImage image(29, 6, true);
  for (const Case& band : cases)
    for (const Projection projection : {Projection::Mean, Projection::Maximum}) {
      a.reformatter.SetBand(band.thickness, band.step);
      a.reformatter.SetProjection(projection);
      std::fill_n(image.GetData(), image.GetSize(), 0);  // no case's ramp left over
      a.reformatter.Reformat(image);
      for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 29; ++c) {
          const Vec3 point = DiagonalArch::Point((14 - c) * 0.25) + Vec3(0, 0, 10 + 0.4 * r);
          const Vec3 reach = a.across * band.reach;
          const double expected =
              projection == Projection::Mean ? Ramp(point) : std::max(Ramp(point + reach), Ramp(point - reach));
          EXPECT_NEAR(Pixel(image, c, r), expected, 0.51) << c << ", " << r;
        }
    }
}

TEST(PanoramicReformatter, CrossSectionOfTheRampSpansTheNormalAndHeight) {
  DiagonalArch a;
  GreyImage image(9, 6, true);
  for (const double position : {0.5, -3.2}) {
    a.reformatter.CrossSection(position, image);
    for (int r = 0; r < 6; ++r)
      for (int c = 0; c < 9; ++c) {
        const Vec3 p = DiagonalArch::Point(position) + a.across * ((c - 4) * 0.25) + Vec3(0, 0, 10 + 0.4 * r);
        EXPECT_NEAR(Pixel(image, c, r), Ramp(p), 0.51) << c << ", " << r;
      }
  }
  GreyImage noMemory(nullptr, 9, 6);  // left alone, not written through null
  a.reformatter.CrossSection(0.5, noMemory);
  a.reformatter.Reformat(noMemory);
  a.reformatter.SetPadding(5);
  for (const double position : {3.6, -3.6, kNaN}) {  // beyond the ends (5 sqrt(2) / 2 = 3.54)
    std::fill_n(image.GetData(), image.GetSize(), 0);  // so that every pixel of padding is written here
    a.reformatter.CrossSection(position, image);
    EXPECT_EQ(std::count(image.GetData(), image.GetData() + image.GetSize(), 5), 54) << position;
  }
}

// Along a straight arch on a row of voxels, with no band, the panoramic
// image is the axis slice through the arch, whatever the voxels hold; also
// for a grid one voxel wide.
TEST(PanoramicReformatter, StraightArchGivesTheAxisSlice) {
  struct Case { Vec3i n; Vec3 first, last; double pixel; Quorvel::AxisSlicer::Plane plane; double position; };
  const Case cases[] = {{Vec3i(7, 4, 5), Vec3(1, 4.6, 0), Vec3(4, 4.6, 0), 0.5, Quorvel::AxisSlicer::Plane::Coronal, 4.6},
                        {Vec3i(1, 7, 5), Vec3(1, 2, 0), Vec3(1, 14, 0), 2, Quorvel::AxisSlicer::Plane::Sagittal, 1}};
  for (const Case& c : cases) {
    const Quorvel::Volume volume = MakeVolume(c.n, Vec3(0.5, 2, 0.75), Vec3(1, 2, 3), [](int i, int j, int k) {
      return (i * 7919 + j * 104729 + k * 1299709) % 4096;
    });
    const LineSpline arch(c.first, c.last, Vec3(0, 1, 0), 4);
    Quorvel::PanoramicReformatter reformatter = Along(volume, arch, c.pixel, 0.75, 3);
    GreyImage panoramic(7, 5, true), slice(7, 5, true);
    reformatter.Reformat(panoramic);
    Quorvel::AxisSlicer slicer;
    slicer.SetVolume(&volume);
    slicer.Slice(c.plane, c.position, slice);
    EXPECT_EQ(std::vector<unsigned short>(panoramic.GetData(), panoramic.GetData() + 35),
              std::vector<unsigned short>(slice.GetData(), slice.GetData() + 35));
  }
}

// Voxels 1300 on the plane y = 6 (j = 2), 0 elsewhere; most cases a band of
// three samples 2 mm apart across it. The image reaches one column beyond
// each end of the arch, one row below the volume and two above.
TEST(PanoramicReformatter, CombinesBandSamplesAndPadsOutsideTheVolume) {
  struct Case { double archY, step; Projection projection; unsigned short padding; int expected; };
  const Case cases[] = {{6, 2, Projection::Mean, 0, 433},        {6, 2, Projection::Maximum, 0, 1300},
                        {8, 2, Projection::Mean, 200, 500},      {8, 2, Projection::Maximum, 200, 1300},
                        {8, 2, Projection::Maximum, 2000, 2000}, {7, 2, Projection::Mean, 0, 433},
                        // 1024 samples spread over y = 4 ... 8 (a tent peaking at 6):
                        // 1300 (1 - mean |t| / 2), mean |t| = 256 · 4 / 1023
                        {6, 0.001, Projection::Mean, 0, 649}};
  const Quorvel::Volume volume = MakeVolume(Vec3i(7, 4, 5), Vec3(0.5, 2, 0.75), Vec3(1, 2, 3),
                                            [](int, int j, int) { return j == 2 ? 1300 : 0; });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.archY);
    const LineSpline arch(Vec3(1, c.archY, 0), Vec3(4, c.archY, 0), Vec3(0, -1, 0));
    Quorvel::PanoramicReformatter reformatter = Along(volume, arch, 0.5, 0.75, 2.25);
    reformatter.SetBand(4, c.step);
    reformatter.SetProjection(c.projection);
    reformatter.SetPadding(c.padding);
    GreyImage image(9, 8, true);
    reformatter.Reformat(image);
    for (int r = 0; r < 8; ++r)
      for (int col = 0; col < 9; ++col) {
        const bool inside = col >= 1 && col <= 7 && r >= 1 && r <= 5;
        EXPECT_EQ(Pixel(image, col, r), inside ? c.expected : c.padding) << col << ", " << r;
      }
  }
}

// Input that cannot be sampled gives padding everywhere and no crash.
TEST(PanoramicReformatter, PadsWhatCannotBeSampled) {
  const Quorvel::Volume empty;
  LineSpline point(Vec3(1, 4, 0), Vec3(1, 4, 0), Vec3(0, 1, 0));
  LineSpline noSamples(Vec3(-1, 2, 0), Vec3(4, 7, 0), Vec3(0, 1, 0));
  noSamples.ClearSamples();
  const LineSpline nanNormal(Vec3(-1, 2, 0), Vec3(4, 7, 0), Vec3(kNaN, 0, 0));
  const std::function<void(DiagonalArch&)> cases[] = {
      [&](DiagonalArch& a) { a.reformatter.SetVolume(nullptr); },
      [&](DiagonalArch& a) { a.reformatter.SetVolume(&empty); },
      [&](DiagonalArch& a) { a.reformatter.SetSpline(nullptr); },
      [&](DiagonalArch& a) { a.reformatter.SetSpline(&point); },
      [&](DiagonalArch& a) { a.reformatter.SetSpline(&noSamples); },
      [&](DiagonalArch& a) { a.reformatter.SetSpline(&nanNormal); },
      [&](DiagonalArch& a) { a.reformatter.SetPixelSize(0, 0.4); },
      [&](DiagonalArch& a) { a.reformatter.SetPixelSize(0.25, kNaN); },
      [&](DiagonalArch& a) { a.reformatter.SetBottom(kNaN); }};
  for (const auto& breakIt : cases) {
    DiagonalArch a;
    a.reformatter.SetPadding(9);
    breakIt(a);
    GreyImage image(29, 6, true), none(0, 6, true);
    std::fill_n(image.GetData(), image.GetSize(), 0);  // not left holding the last case's padding
    a.reformatter.Reformat(image);
    a.reformatter.Reformat(none);
    EXPECT_EQ(std::count(image.GetData(), image.GetData() + image.GetSize(), 9), 29 * 6);
  }
}

TEST(PanoramicReformatter, CountsBandSamples) {
  struct Case { double thickness, step; int samples; };
  const Case cases[] = {{16, 0.25, 65}, {1, 0.3, 4}, {0, 0.25, 1}, {-2, 0.25, 1},
                        {2, 0, 1},      {kNaN, 1, 1}, {1e9, 1e-3, 1024}};
  Quorvel::PanoramicReformatter reformatter;
  for (const Case& c : cases) {
    reformatter.SetBand(c.thickness, c.step);
    EXPECT_EQ(reformatter.BandSamples(), c.samples) << c.thickness << " / " << c.step;
  }
}

}  // namespace
}  // namespace QuorvelTest
