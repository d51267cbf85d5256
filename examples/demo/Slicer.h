// Images the demo computes from the phantom: the axial slice at a height and
// the panoramic image along the arch.
#pragma once

#include "GreyImage.h"
#include "Phantom.h"

namespace Demo {

/// Stored values of phantom images: Hounsfield units + 1024, clamped to
/// 0 … 4095 (12 bits, like most CBCT scanners).
constexpr int kHounsfieldOffset = 1024;
constexpr unsigned short kLargestStored = 4095;

/// Pixel size of the axial slice in mm.
constexpr double kSlicePixel = 0.4;

/// The axial slice through the whole volume at height z: row 0 at the back
/// (y = −size/2), column 0 at the patient's left (x = −size/2).
GreyImage AxialSlice(const Phantom& phantom, double z);

/// What the panoramic image spans.
struct PanoramaGeometry {
  double bandWidth = 16.0;  ///< mm across the arch averaged into a pixel
  double bottom = -50.0;    ///< z of the first row, mm
  double top = 44.0;        ///< z of the last row, mm
  double pixel = 0.25;      ///< pixel size in mm, along the arch and in z
};

/// The panoramic image: for each column (arch position, first sample on
/// the left) and row (height, bottom row first) the mean of the phantom
/// across the band, weighted towards the curve like a panoramic X-ray's
/// focal trough.
GreyImage PanoramicImage(const Phantom& phantom, const PanoramaGeometry& geometry);

}  // namespace Demo
