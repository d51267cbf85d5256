// Reads a DICOM volume with DCMTK: a file of one or many frames, or a
// folder holding a series, into one voxel array.
//
// A folder is searched with its subfolders. Files that are not DICOM
// images (no "DICM" mark and unreadable, no pixel data, colour, an
// unsupported bit depth) are skipped with a note. The frames are grouped
// by Series Instance UID and the series with most frames is read, or the
// one asked for. Its frames are sorted and checked by StackSlices
// (SliceStack.h): a series of different sizes, pixel formats, rescales,
// orientations or pixel spacings, with two slices at one position, a
// tilted gantry, or a step between slices more than kSpacingTolerance off
// the mean (a missing slice) is refused; so are a damaged or truncated
// file and a folder without a DICOM image. Slices without positions are
// ordered by instance number and frame (noted). The result is documented
// in DicomSeries.h; JPEG, JPEG-LS and RLE compressed pixels are decoded,
// JPEG 2000 is not.
//
// Memory: headers are read first, then each file again with its pixels,
// frame by frame into the preallocated voxel array, and freed; a file's
// pixel data is never held whole in memory.
#pragma once

#include "DicomSeries.h"

#include <string>

namespace Demo {

/// Reads the series at `path` (see above); `seriesUid` picks a series of a
/// folder, empty for the largest. Throws std::runtime_error with one line
/// ("path: reason") when it cannot.
DicomSeries ReadDicomSeries(const std::string& path, const std::string& seriesUid = "");

}  // namespace Demo
