// A 16-bit grey image as the texture mapper takes it, together with what
// turns its stored values into real ones (Hounsfield units for CT) and the
// size of its pixels.
#pragma once

#include <brantel/nimage/Image2D.h>

#include <cstdint>
#include <memory>

namespace Demo {

class GreyImage {
public:
  GreyImage(int width, int height);

  int Width() const { return int(pixels->GetWidth()); }
  int Height() const { return int(pixels->GetHeight()); }
  unsigned short* Data() { return pixels->GetData(); }
  const unsigned short* Data() const { return pixels->GetData(); }
  unsigned short& At(int x, int y) { return Data()[std::size_t(y) * Width() + x]; }
  unsigned short At(int x, int y) const { return Data()[std::size_t(y) * Width() + x]; }

  /// The image object handed to Gl2DTextureMapper::SetBuffer; it stays
  /// owned by this GreyImage.
  Brantel::NImage::Image2D<unsigned short>* Buffer() { return pixels.get(); }

  /// Real value of a stored value: stored · slope + intercept.
  double slope = 1.0;
  double intercept = 0.0;
  /// The largest stored value the image may hold; the lookup table has one
  /// entry more.
  unsigned short largestStored = 0;
  /// Pixel size in mm: x along a row, y from row to row.
  double pixelWidth = 1.0;
  double pixelHeight = 1.0;

private:
  std::unique_ptr<Brantel::NImage::Image2D<unsigned short>> pixels;
};

}  // namespace Demo
