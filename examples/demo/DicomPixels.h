// Copies a frame's pixels out of a DICOM dataset into the voxel array,
// decompressing it on the way when it is compressed, one frame at a time.
#pragma once

#include "DicomFrames.h"

#include <dcmtk/dcmdata/dcdatset.h>
#include <dcmtk/dcmdata/dcfcache.h>

#include <vector>

namespace Demo {

/// The stored values of `format` run from Lowest to Highest (sign-extended
/// for signed pixels); the voxels hold them shifted by −Lowest.
long LowestStored(const PixelFormat& format);
long HighestStored(const PixelFormat& format);

/// Reads frame f.frame of `d` (loaded from f.file, its pixel data still in
/// the file or in memory) into `target`, f.rows · f.columns values, shifted
/// so that LowestStored becomes 0. `startFragment` is the compressed
/// fragment where the frame starts (0 when not known), updated to the next
/// frame's; `buffer` is reused between calls, `cache` keeps the file open.
/// Throws std::runtime_error when the pixels cannot be read or decoded.
void CopyFrame(DcmDataset& d, const DicomFrame& f, unsigned short* target, Uint32& startFragment,
               std::vector<Uint8>& buffer, DcmFileCache& cache);

}  // namespace Demo
