// What a DICOM image file says about each of its frames: its series, size
// and pixel format, where it lies in the patient, and how its stored values
// become real ones. A classic file has one frame; an enhanced multi-frame
// file gives each frame's values in its functional groups.
#pragma once

#include "DicomSeries.h"

#include <dcmtk/dcmdata/dcdatset.h>

#include <string>
#include <vector>

namespace Demo {

struct PixelFormat {
  int allocated = 16, stored = 16, highBit = 15;
  bool isSigned = false;
  bool inverted = false;  ///< MONOCHROME1: low values are white

  bool operator==(const PixelFormat& o) const {
    return allocated == o.allocated && stored == o.stored && highBit == o.highBit && isSigned == o.isSigned &&
           inverted == o.inverted;
  }
};

struct DicomFrame {
  std::string file;
  long frame = 0;  ///< in the file, from 0
  std::string seriesUid;
  std::string description;  ///< modality and series description
  int rows = 0, columns = 0;
  PixelFormat format;
  /// Image Position (Patient); without one, `position` is the file's own
  /// position (or 0) for a multi-frame file that gives it only once.
  bool hasPosition = false;
  Vec3 position{0.0, 0.0, 0.0};
  bool hasOrientation = false;  ///< Image Orientation (Patient) given
  Vec3 rowDirection{1.0, 0.0, 0.0}, columnDirection{0.0, 1.0, 0.0};
  double rowSpacing = 1.0, columnSpacing = 1.0;  ///< mm between rows, between columns
  double sliceSpacing = 0.0;  ///< Spacing Between Slices, else Slice Thickness; 0 without either
  double slope = 1.0, intercept = 0.0;
  bool hasWindow = false;
  Window window;
  long instance = 0;
};

/// The frames of the image `d` read from `file`. Throws
/// std::invalid_argument with the reason for a dataset the demo cannot
/// show: no pixel data, colour, a bit depth other than 8 or 16 allocated,
/// no rows or columns; std::runtime_error ("file: reason") when it
/// announces more frames than its pixel data holds.
std::vector<DicomFrame> DescribeFrames(DcmDataset& d, const std::string& file);

}  // namespace Demo
