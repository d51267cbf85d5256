// Colour lookup tables for the texture mapper: one RGBA entry per stored
// value of an image, through the image's rescale, a window (centre/width on
// the real values, mapped linearly as DICOM's VOI window does) and a palette.
#pragma once

#include "GreyImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Demo {

enum class Palette { Grey, Hot, Bone };

/// Parses "grey" (or "gray"), "hot" and "bone"; false for anything else.
bool ParsePalette(const std::string& name, Palette& palette);
const char* PaletteName(Palette palette);

struct Window {
  double centre = 0.0;
  double width = 1.0;
  bool inverted = false;  ///< high values dark (DICOM MONOCHROME1)
};

/// Position 0 … 1 of a real value in the window: 0 at or below the window's
/// bottom, 1 above its top, linear in between (the other way round for an
/// inverted window).
double WindowPosition(double value, const Window& window);

/// Red, green, blue of the palette at t in 0 … 1.
void PaletteColour(Palette palette, double t, double rgb[3]);

/// Table with one entry per stored value 0 … image.largestStored (at most
/// 65535 entries, the mapper's limit); bytes in memory red, green, blue,
/// alpha. Alpha is 0 for real values below `clearBelow` (an alpha test can
/// then drop them, as the 3D view does with the air around the head) and
/// 255 for the others.
std::vector<std::uint32_t> MakeLookupTable(const GreyImage& image, const Window& window, Palette palette,
                                           double clearBelow = -1e300);

}  // namespace Demo
