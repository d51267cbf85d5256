#include "VolumeImages.h"

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

// Panoramic pixels of 0.25 mm, or the voxel size where voxels are smaller
// (down to 0.1 mm); larger when a long arch would need more columns.
constexpr double kPixel = 0.25, kSmallestPixel = 0.1;
constexpr int kMostColumns = 8192;

}  // namespace

VolumeImages::VolumeImages(const LoadedVolume& v, double bandWidth)
    : volume(v), slice(1, 1), panoramic(1, 1), crossSection(1, 1) {
  const Vec3& spacing = volume.Series().spacing;
  pixel = std::clamp(std::min(spacing[0], spacing[1]), kSmallestPixel, kPixel);
  bottom = volume.SliceZ(0);
  rows = int(std::floor((volume.SliceZ(volume.SliceCount() - 1) - bottom) / pixel)) + 1;
  slicer.SetVolume(&volume.Voxels());
  reformatter.SetVolume(&volume.Voxels());
  reformatter.SetBand(bandWidth, pixel);
  reformatter.SetBottom(bottom);
  const auto size = slicer.SliceSize(Quorvel::AxisSlicer::Plane::Axial);
  slice = Image(size[0], size[1], spacing[0], spacing[1]);
  crossSection = Image(int(kCrossSectionWidth / pixel) + 1, rows, pixel, pixel);
}

GreyImage VolumeImages::Image(int width, int height, double pixelWidth, double pixelHeight) const {
  const DicomSeries& series = volume.Series();
  GreyImage image(std::max(width, 1), std::max(height, 1));
  image.slope = series.slope;
  image.intercept = series.intercept;
  image.largestStored = series.largestStored;
  image.pixelWidth = pixelWidth;
  image.pixelHeight = pixelHeight;
  return image;
}

void VolumeImages::CutSlice(double z) { slicer.Slice(Quorvel::AxisSlicer::Plane::Axial, z, *slice.Buffer()); }

void VolumeImages::ReformatPanoramic(const ArchSpline& arch) {
  const double horizontal = std::max(pixel, arch.Length() / (kMostColumns - 1));
  reformatter.SetSpline(&arch);
  reformatter.SetPixelSize(horizontal, pixel);
  const int columns = reformatter.ArchColumns();
  if (panoramic.Width() != columns || panoramic.pixelWidth != horizontal)
    panoramic = Image(columns, rows, horizontal, pixel);
  reformatter.Reformat(*panoramic.Buffer());
}

void VolumeImages::CutCrossSection(double along) {
  reformatter.SetPixelSize(pixel, pixel);
  reformatter.CrossSection(along, *crossSection.Buffer());
  reformatter.SetPixelSize(panoramic.pixelWidth, pixel);
}

}  // namespace Demo
