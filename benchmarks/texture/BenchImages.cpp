#include "BenchImages.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <utility>

namespace QuorvelBench {
namespace {

using GreyImage = Quorvel::Gl2DTextureMapper::GreyImage;

// Smooth regions of 0…4095 (air, soft tissue, bone) with noise, as in CT.
unsigned short CtValue(int x, int y, int size, std::mt19937& rng) {
  std::normal_distribution<double> noise(0.0, 12.0);
  const double u = (x - size / 2.0) / size, v = (y - size / 2.0) / size;
  const double body = u * u / 0.16 + v * v / 0.12;
  const double bone = (u - 0.1) * (u - 0.1) / 0.004 + v * v / 0.01;
  double value = body > 1 ? 0 : (bone < 1 ? 2600 + 600 * (1 - bone) : 1040 + 60 * std::sin(12 * u) * std::cos(9 * v));
  value += noise(rng);
  return static_cast<unsigned short>(std::clamp(value, 0.0, 4095.0));
}

}  // namespace

const GreyImage& Image(int size, ImageKind kind) {
  static std::map<std::pair<int, int>, std::unique_ptr<GreyImage>> images;
  std::unique_ptr<GreyImage>& image = images[{size, kind}];
  if (!image) {
    image = std::make_unique<GreyImage>(size, size, true);
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> any(0, 65535);
    unsigned short* pixels = image->GetData();
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        pixels[static_cast<std::size_t>(y) * size + x] =
            kind == CtLike ? CtValue(x, y, size, rng) : static_cast<unsigned short>(any(rng));
  }
  return *image;
}

const std::vector<std::uint32_t>& Table(int entries) {
  static std::map<int, std::vector<std::uint32_t>> tables;
  std::vector<std::uint32_t>& table = tables[entries];
  if (table.empty()) {
    std::mt19937 rng(7);
    table.resize(static_cast<std::size_t>(entries));
    for (std::uint32_t& entry : table) entry = rng() | 0xFF000000u;
  }
  return table;
}

}  // namespace QuorvelBench
