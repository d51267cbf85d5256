// The three images the views show, cut from the loaded volume by the
// library: the axial slice (AxisSlicer), the panoramic image along the arch
// and the cross-section at the panorama position (PanoramicReformatter).
//
// The panoramic image and the cross-section share their pixel size and rows:
// row 0 at the lowest slice, the last row at the highest; the cross-section
// is kCrossSectionWidth mm wide, centred on the arch.
#pragma once

#include "ArchSpline.h"
#include "GreyImage.h"
#include "LoadedVolume.h"

#include <quorvel/AxisSlicer.h>
#include <quorvel/PanoramicReformatter.h>

namespace Demo {

constexpr double kCrossSectionWidth = 40.0;  // mm

class VolumeImages {
public:
  /// Images of `volume` (kept by reference); the panoramic image averages a
  /// band `bandWidth` mm thick across the arch.
  VolumeImages(const LoadedVolume& volume, double bandWidth);

  /// The axial slice at world z.
  void CutSlice(double z);
  /// The panoramic image along `arch` (which must have a curve); its width
  /// follows the arch's length.
  void ReformatPanoramic(const ArchSpline& arch);
  /// The cross-section at panorama position `along` of the arch last
  /// reformatted.
  void CutCrossSection(double along);

  GreyImage& Slice() { return slice; }
  const GreyImage& Slice() const { return slice; }
  GreyImage& Panoramic() { return panoramic; }
  const GreyImage& Panoramic() const { return panoramic; }
  GreyImage& CrossSection() { return crossSection; }
  const GreyImage& CrossSection() const { return crossSection; }

  /// World z of the panoramic image's and the cross-section's row 0.
  double Bottom() const { return bottom; }

private:
  GreyImage Image(int width, int height, double pixelWidth, double pixelHeight) const;

  const LoadedVolume& volume;
  Quorvel::AxisSlicer slicer;
  Quorvel::PanoramicReformatter reformatter;
  double pixel = 0.25;
  double bottom = 0.0;
  int rows = 1;
  GreyImage slice, panoramic, crossSection;
};

}  // namespace Demo
