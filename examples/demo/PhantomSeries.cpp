#include "PhantomSeries.h"

#include "DicomSeriesWriter.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace Demo {
namespace {

const Window kBoneWindow{1000.0, 3200.0};

unsigned short Stored(double hounsfield) {
  return (unsigned short)std::clamp(std::round(hounsfield) + kHounsfieldOffset, 0.0, double(kLargestStored));
}

}  // namespace

DicomSeries VoxelisePhantom(const Phantom& phantom, const PhantomGrid& g) {
  DicomSeries v;
  v.dimensions = Vec3i(g.columns, g.rows, g.slices);
  v.spacing = Vec3(g.voxel, g.voxel, g.voxel);
  v.origin = Vec3(g.columns - 1, g.rows - 1, g.slices - 1) * (-0.5 * g.voxel);
  v.slope = 1.0;
  v.intercept = -kHounsfieldOffset;
  v.largestStored = kLargestStored;
  v.window = kBoneWindow;
  std::ostringstream description;  // as the reader describes the written series
  description.precision(3);
  description << "CT Phantom, " << g.columns << " x " << g.rows << " x " << g.slices << ", " << g.voxel << " x "
              << g.voxel << " x " << g.voxel << " mm";
  v.description = description.str();
  v.voxels.resize(v.SliceVoxels() * std::size_t(g.slices));
#pragma omp parallel for schedule(dynamic, 1)
  for (int k = 0; k < g.slices; ++k)
    for (int j = 0; j < g.rows; ++j)
      for (int i = 0; i < g.columns; ++i) {
        const Vec3 p = v.Position(i, j, k);
        v.voxels[v.Index(i, j, k)] = Stored(phantom.Sample(Vec3(-p[0], -p[1], p[2])));
      }
  return v;
}

std::vector<Vec3> PatientArchPoints() {
  std::vector<Vec3> points;
  for (const Vec3& p : Phantom::ArchPoints()) points.push_back(Vec3(-p[0], -p[1], p[2]));
  return points;
}

DicomSeries Subsampled(const DicomSeries& volume, int factor) {
  DicomSeries s = volume;
  for (int axis = 0; axis < 3; ++axis) s.dimensions[axis] = (volume.dimensions[axis] + factor - 1) / factor;
  s.spacing = volume.spacing * double(factor);
  s.voxels.assign(s.SliceVoxels() * std::size_t(s.dimensions[2]), 0);
  for (int k = 0; k < s.dimensions[2]; ++k)
    for (int j = 0; j < s.dimensions[1]; ++j)
      for (int i = 0; i < s.dimensions[0]; ++i)
        s.voxels[s.Index(i, j, k)] = volume.At(i * factor, j * factor, k * factor);
  return s;
}

const std::vector<SeriesVariantName>& SeriesVariants() {
  static const std::vector<SeriesVariantName> variants = {
      {SeriesVariant::Plain, "plain"},
      {SeriesVariant::Shuffled, "shuffled"},
      {SeriesVariant::Rle, "rle"},
      {SeriesVariant::JpegLs, "jpeg-ls"},
      {SeriesVariant::MultiFrame, "multi-frame"},
      {SeriesVariant::TwoSeries, "two-series"},
      {SeriesVariant::MissingSlice, "missing-slice"},
      {SeriesVariant::DuplicateSlice, "duplicate-slice"},
      {SeriesVariant::DifferentSizes, "different-sizes"},
      {SeriesVariant::TruncatedFile, "truncated-file"}};
  return variants;
}

std::vector<std::string> WriteSeriesVariant(const DicomSeries& volume, SeriesVariant variant,
                                            const std::string& folder) {
  SeriesWriteOptions options;
  options.shuffledNames = variant == SeriesVariant::Shuffled;
  options.multiFrame = variant == SeriesVariant::MultiFrame;
  if (variant == SeriesVariant::Rle) options.encoding = DicomEncoding::Rle;
  if (variant == SeriesVariant::JpegLs) options.encoding = DicomEncoding::JpegLs;
  FillUids(options);
  const std::vector<std::string> files = WriteDicomSeries(volume, folder, options);
  const int middle = (volume.dimensions[2] / 2) & ~1;  // even, a slice of the subsampled volume too
  const std::string& file = files[std::size_t(middle)];
  switch (variant) {
    case SeriesVariant::TwoSeries: {
      SeriesWriteOptions second = options;
      second.seriesUid.clear();
      second.seriesNumber = 2;
      second.seriesDescription = "Phantom, 2x coarser";
      FillUids(second);
      WriteDicomSeries(Subsampled(volume, 2), folder, second);
      return {options.seriesUid, second.seriesUid};
    }
    case SeriesVariant::MissingSlice: std::filesystem::remove(file); break;
    case SeriesVariant::DuplicateSlice: WriteDicomSlice(volume, middle, file + ".again.dcm", options); break;
    case SeriesVariant::DifferentSizes: WriteDicomSlice(Subsampled(volume, 2), middle / 2, file, options); break;
    case SeriesVariant::TruncatedFile:
      std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2);
      break;
    default: break;
  }
  return {options.seriesUid};
}

}  // namespace Demo
