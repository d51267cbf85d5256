#include "GreyImage.h"

#include <algorithm>

namespace Demo {

GreyImage::GreyImage(int width, int height)
    : pixels(std::make_unique<Brantel::NImage::Image2D<unsigned short>>(std::uint32_t(width),
                                                                          std::uint32_t(height), true)) {
  std::fill_n(Data(), std::size_t(width) * height, 0);
}

}  // namespace Demo
