// The phantom as a CT volume, and the DICOM series the tests and the
// benchmark read: the plain series and variants of it, good and bad.
#pragma once

#include "DicomSeries.h"
#include "Phantom.h"

#include <string>
#include <vector>

namespace Demo {

/// Stored values of the phantom's volume: Hounsfield units + 1024, clamped
/// to 0 … 4095 (12 bits, like most CBCT scanners).
constexpr int kHounsfieldOffset = 1024;
constexpr unsigned short kLargestStored = 4095;

/// A grid of voxels centred on the phantom's centre. The default is the
/// demo's: the phantom's whole 160 × 160 × 120 mm in 0.6 mm voxels (14.3
/// million), computed in parallel.
struct PhantomGrid {
  int columns = 267, rows = 267, slices = 200;
  double voxel = 0.6;  ///< mm, in all three directions
};

/// The demo starts on the slice nearest this height (mm), through the
/// crowns of the lower teeth.
constexpr double kPhantomSliceHeight = -3.75;

/// The phantom's arch points (Phantom::ArchPoints) in the patient
/// coordinates of VoxelisePhantom's series.
std::vector<Vec3> PatientArchPoints();

/// The phantom sampled at the voxel centres of an axial grid, as a scanner
/// lying the patient head first supine (HFS) would store it: rows along
/// patient x (the phantom's −x), columns along patient y (the phantom's −y,
/// front to back), slices up along z; so the patient point (x, y, z) is the
/// phantom's (−x, −y, z). Stored values are Hounsfield units + 1024 in 12
/// bits (rescale intercept −1024, slope 1); the window is the demo's bone
/// window. Runs in parallel over the slices.
DicomSeries VoxelisePhantom(const Phantom& phantom, const PhantomGrid& grid);

/// Every `factor`-th voxel in each direction, from voxel (0, 0, 0): the same
/// origin, `factor` times the spacing.
DicomSeries Subsampled(const DicomSeries& volume, int factor);

enum class SeriesVariant {
  Plain,       ///< a file a slice, named in instance order (the head first)
  Shuffled,    ///< file names in an order unrelated to the slices'
  Rle,         ///< RLE lossless
  JpegLs,      ///< JPEG-LS lossless
  MultiFrame,  ///< one Enhanced CT file
  TwoSeries,   ///< Plain, and the volume subsampled by 2 as a second series
  MissingSlice,     ///< Plain without the middle slice
  DuplicateSlice,   ///< Plain and the middle slice again under another name
  DifferentSizes,   ///< Plain with the middle slice (even) of the subsampled volume instead
  TruncatedFile     ///< Plain with the middle file cut in half
};

struct SeriesVariantName {
  SeriesVariant variant;
  const char* name;  ///< for the command line and folder names, e.g. "jpeg-ls"
};

/// The variants in the order above, with their names.
const std::vector<SeriesVariantName>& SeriesVariants();

/// Writes `volume` as `variant` into `folder` (created when missing);
/// returns the UIDs of the series written, the largest first. Throws
/// std::runtime_error when a file cannot be written.
std::vector<std::string> WriteSeriesVariant(const DicomSeries& volume, SeriesVariant variant,
                                            const std::string& folder);

}  // namespace Demo
