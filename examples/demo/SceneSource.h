// Where the demo's scene comes from: the built-in phantom, voxelised into a
// volume, or the DICOM series of --dicom; from there on both are the same
// kind of volume and take the same path.
#pragma once

#include "Options.h"
#include "Scene.h"
#include "StageTimes.h"

#include <memory>

namespace Demo {

/// The scene of the command line: the phantom with its own arch (or
/// --arch), starting on the slice through the lower crowns; or the series
/// of --dicom (its notes written to standard error) with the arch of
/// --arch, if any, starting on its middle slice. --slice picks another.
/// Throws std::runtime_error with one line when the series cannot be read
/// or has no such slice.
std::unique_ptr<Scene> MakeScene(const Options& options, StageTimes& times);

}  // namespace Demo
