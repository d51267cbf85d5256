// Puts the frames of one series in order along the slice normal and checks
// that they form a volume: one size, pixel format, rescale, orientation and
// pixel spacing, evenly spaced positions along the normal, no tilt.
#pragma once

#include "DicomFrames.h"

#include <cstddef>
#include <vector>

namespace Demo {

/// Where the slices of a series go and what they span.
struct SliceStack {
  std::vector<std::size_t> order;  ///< indices of the frames, slice 0 first
  Vec3 origin, rowDirection, columnDirection, normal;
  Vec3 spacing;  ///< between columns, rows and slices (mm)
  bool positioned = true;  ///< false when the slices had no positions
  bool oriented = true;    ///< false when they had no orientation
};

/// Relative deviation of a step between neighbouring slices from the
/// series' mean step beyond which the spacing counts as uneven.
constexpr double kSpacingTolerance = 0.1;

/// Sorts the frames by the projection of their image position on the
/// normal of their orientation (row × column); without positions, by
/// instance number and then frame, spaced by Spacing Between Slices or
/// Slice Thickness (else 1 mm). Throws std::runtime_error with one line
/// naming the files involved when the frames differ in size, pixel format,
/// rescale, orientation or pixel spacing; when only some have positions;
/// for two at one position, a tilted gantry (positions off the normal by
/// more than about 0.6°) or uneven spacing (a missing slice among them).
SliceStack StackSlices(const std::vector<DicomFrame>& frames);

}  // namespace Demo
