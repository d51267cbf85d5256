#include "Slicer.h"

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

unsigned short Stored(double hounsfield) {
  const double v = std::round(hounsfield) + kHounsfieldOffset;
  return static_cast<unsigned short>(std::clamp(v, 0.0, double(kLargestStored)));
}

constexpr double kBandStep = 0.8;  // mm between samples across the band

GreyImage PhantomImage(int width, int height, double pixelWidth, double pixelHeight) {
  GreyImage image(width, height);
  image.slope = 1.0;
  image.intercept = -kHounsfieldOffset;
  image.largestStored = kLargestStored;
  image.pixelWidth = pixelWidth;
  image.pixelHeight = pixelHeight;
  return image;
}

}  // namespace

GreyImage AxialSlice(const Phantom& phantom, double z) {
  const Vec3 size = phantom.Size();
  const int width = int(std::lround(size[0] / kSlicePixel));
  const int height = int(std::lround(size[1] / kSlicePixel));
  GreyImage image = PhantomImage(width, height, kSlicePixel, kSlicePixel);
#pragma omp parallel for schedule(dynamic, 8)
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      // The mean of 2 × 2 samples, as a detector pixel integrates its area.
      double sum = 0.0;
      for (double dy : {0.25, 0.75})
        for (double dx : {0.25, 0.75})
          sum += phantom.Sample(Vec3((x + dx) * kSlicePixel - size[0] * 0.5, (y + dy) * kSlicePixel - size[1] * 0.5, z));
      image.At(x, y) = Stored(sum * 0.25);
    }
  return image;
}

GreyImage PanoramicImage(const Phantom& phantom, const PanoramaGeometry& g) {
  const ArchSpline& arch = phantom.Arch();
  const int width = int(arch.SampledLength() / g.pixel) + 1;
  const int height = int((g.top - g.bottom) / g.pixel) + 1;
  GreyImage image = PhantomImage(width, height, arch.SampledLength() / (width - 1), g.pixel);
  const int steps = int(g.bandWidth / kBandStep);
#pragma omp parallel for schedule(dynamic, 4)
  for (int x = 0; x < width; ++x) {
    const double u = double(x) / (width - 1);
    const Vec3 point = arch.GetPointFromSampling(u);
    const Vec3 normal = arch.GetNormalFromSampling(u);
    for (int y = 0; y < height; ++y) {
      const double z = g.bottom + y * g.pixel;
      double sum = 0.0, weights = 0.0;
      for (int k = 0; k <= steps; ++k) {
        const double across = (double(k) / steps - 0.5) * g.bandWidth;
        const double weight = std::exp(-across * across / (g.bandWidth * g.bandWidth * 0.08));
        sum += phantom.Sample(point + normal * across + Vec3(0.0, 0.0, z)) * weight;
        weights += weight;
      }
      image.At(x, y) = Stored(sum / weights);
    }
  }
  return image;
}

}  // namespace Demo
