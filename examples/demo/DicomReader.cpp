#include "DicomReader.h"

#include "DicomSeriesReader.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace Demo {

DicomImage ReadDicom(const Options& options) {
  const DicomSeries series = ReadDicomSeries(options.dicom, options.series);
  for (const std::string& note : series.notes) std::cerr << "quorvel-demo: note: " << note << "\n";
  const int slices = series.dimensions[2];
  if (options.frame > slices)
    throw std::runtime_error(options.dicom + ": has " + std::to_string(slices) + " slice(s), not " +
                             std::to_string(options.frame));
  const int k = options.frame > 0 ? options.frame - 1 : slices / 2;

  DicomImage result{GreyImage(series.dimensions[0], series.dimensions[1]), DicomSlice{}};
  GreyImage& image = result.image;
  const auto first = series.voxels.begin() + std::ptrdiff_t(series.Index(0, 0, k));
  std::copy(first, first + std::ptrdiff_t(series.SliceVoxels()), image.Data());
  image.slope = series.slope;
  image.intercept = series.intercept;
  image.largestStored = series.largestStored;
  image.pixelWidth = series.spacing[0];
  image.pixelHeight = series.spacing[1];
  result.slice.name = std::filesystem::path(options.dicom).filename().string();
  result.slice.description = series.description + ", slice " + std::to_string(k + 1) + " / " + std::to_string(slices);
  result.slice.window = series.window;
  return result;
}

}  // namespace Demo
