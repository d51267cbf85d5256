// How output pixels get their values: interpolated values rounded back to
// stored values, and padding where nothing can be sampled.
#pragma once

#include <brantel/nimage/Image2D.h>

#include <algorithm>

namespace Quorvel {
namespace VolumeSampling {

/// `value`, a weighted mean of stored values (so within 0..65535 but for
/// rounding), rounded to the nearest integer; the clamp guards the top.
inline unsigned short Stored(float value) {
  return static_cast<unsigned short>(std::min(value + 0.5f, 65535.0f));
}

/// Sets every pixel of `image` to `padding`.
inline void FillPadding(Brantel::NImage::Image2D<unsigned short>& image, unsigned short padding) {
  if (image.GetData() != nullptr) std::fill(image.GetData(), image.GetData() + image.GetSize(), padding);
}

}  // namespace VolumeSampling
}  // namespace Quorvel
