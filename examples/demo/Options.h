// The command line of quorvel-demo.
#pragma once

#include "LookupTable.h"

#include <brantel/geometry/Vector3.h>

#include <string>
#include <vector>

namespace Demo {

struct Options {
  std::string out;          ///< PNG to write; empty in a window without --out
  int width = 1600;
  int height = 900;
  std::string dicom;        ///< DICOM file or folder to show instead of the phantom
  std::string series;       ///< Series Instance UID to read from it; empty for the largest
  int slice = 0;            ///< the axial slice, from 1; 0 for the default
  int frame = 0;            ///< --frame: the same as slice, for DICOM input
  /// Arch points (mm, patient x and y; z = 0); empty for the phantom's own
  /// arch, or no arch on DICOM data.
  std::vector<Brantel::Geometry::Vector3<double>> arch;
  Palette palette = Palette::Bone;
  int frames = 1;           ///< frames to render (offscreen) or at most (window, 0 = until closed)
  bool framesGiven = false;
  bool window = false;
  bool help = false;
  bool version = false;
};

/// Parses argv; throws std::invalid_argument with a one-line message for
/// an unknown option or a bad value.
Options ParseOptions(int argc, char** argv);

/// The usage text of --help.
const char* Usage();

}  // namespace Demo
