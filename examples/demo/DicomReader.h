// The DICOM image the axial view shows: one slice of the volume that
// ReadDicomSeries loads from --dicom, its middle slice or --frame's.
#pragma once

#include "GreyImage.h"
#include "Options.h"
#include "Scene.h"

namespace Demo {

struct DicomImage {
  GreyImage image;
  DicomSlice slice;
};

/// Reads options.dicom (its series options.series, else the largest) and
/// returns slice options.frame, from 1 in order along the slice normal (a
/// multi-frame file's frame N when its frames are in that order), or the
/// middle slice when it is 0. Writes the reader's notes to standard error.
/// Throws std::runtime_error with a one-line reason when it cannot.
DicomImage ReadDicom(const Options& options);

}  // namespace Demo
