#include "LookupTable.h"

#include <algorithm>
#include <cmath>

namespace Demo {
namespace {

double Ramp(double t, double from, double to) { return std::clamp((t - from) / (to - from), 0.0, 1.0); }

std::uint32_t Rgba(const double rgb[3], bool opaque) {
  std::uint32_t entry = opaque ? 0xff000000u : 0u;
  for (int i = 0; i < 3; ++i) entry |= std::uint32_t(std::lround(rgb[i] * 255.0)) << (8 * i);
  return entry;
}

}  // namespace

bool ParsePalette(const std::string& name, Palette& palette) {
  if (name == "grey" || name == "gray") palette = Palette::Grey;
  else if (name == "hot") palette = Palette::Hot;
  else if (name == "bone") palette = Palette::Bone;
  else return false;
  return true;
}

const char* PaletteName(Palette palette) {
  switch (palette) {
    case Palette::Grey: return "grey";
    case Palette::Hot: return "hot";
    case Palette::Bone: return "bone";
  }
  return "?";
}

double WindowPosition(double value, const Window& w) {
  const double centre = w.centre - 0.5;
  const double half = (std::max(w.width, 1.0) - 1.0) * 0.5;
  double t = 1.0;
  if (value <= centre - half) t = 0.0;
  else if (value <= centre + half) t = (value - centre) / std::max(w.width - 1.0, 1e-9) + 0.5;
  return w.inverted ? 1.0 - t : t;
}

// Hot runs black → red → yellow → white; bone is a grey with a cool tint,
// seven parts grey and one part hot with its channels reversed.
void PaletteColour(Palette palette, double t, double rgb[3]) {
  const double hot[3] = {Ramp(t, 0.0, 0.365), Ramp(t, 0.365, 0.746), Ramp(t, 0.746, 1.0)};
  switch (palette) {
    case Palette::Grey:
      rgb[0] = rgb[1] = rgb[2] = t;
      break;
    case Palette::Hot:
      std::copy(hot, hot + 3, rgb);
      break;
    case Palette::Bone:
      for (int i = 0; i < 3; ++i) rgb[i] = (7.0 * t + hot[2 - i]) / 8.0;
      break;
  }
}

std::vector<std::uint32_t> MakeLookupTable(const GreyImage& image, const Window& window, Palette palette,
                                           double clearBelow) {
  const std::size_t size = std::min<std::size_t>(std::size_t(image.largestStored) + 1, 65535);
  std::vector<std::uint32_t> table(size);
  for (std::size_t stored = 0; stored < size; ++stored) {
    const double value = double(stored) * image.slope + image.intercept;
    double rgb[3];
    PaletteColour(palette, WindowPosition(value, window), rgb);
    table[stored] = Rgba(rgb, value >= clearBelow);
  }
  return table;
}

}  // namespace Demo
