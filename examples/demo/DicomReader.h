// Reading one frame of a monochrome DICOM image with DCMTK: 8 or 16 bits
// allocated, signed or unsigned pixels, the modality rescale (slope and
// intercept) and the file's first window (without one, a window over the
// frame's range of values); MONOCHROME1 gets an inverted window. JPEG and
// RLE compressed pixel data are decompressed first (DCMTK's decoders);
// JPEG 2000 is not.
#pragma once

#include "GreyImage.h"
#include "Scene.h"

#include <string>

namespace Demo {

struct DicomImage {
  GreyImage image;
  DicomSlice slice;
};

/// Loads frame `frame` (from 1) of `path`. Stored values are shifted so
/// that the smallest value the pixel format can hold becomes 0 (the
/// image's intercept compensates). Throws std::runtime_error with a
/// one-line reason for a file that is not such an image: unreadable, not
/// DICOM, no pixel data, colour, an unsupported bit depth, fewer pixel
/// bytes than the header announces, or a frame beyond the last.
DicomImage ReadDicom(const std::string& path, int frame);

}  // namespace Demo
