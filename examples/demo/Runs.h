// The two ways the demo draws: into an offscreen EGL pbuffer (no display
// needed), or into an interactive GLFW window; and what both share.
#pragma once

#include "Options.h"
#include "StageTimes.h"

namespace Demo {

/// Renders options.frames frames offscreen and writes the last to
/// options.out. Returns the process exit code; throws on failure.
int RunOffscreen(const Options& options, StageTimes& times);

/// Opens a window and renders until it is closed, Esc is pressed or
/// options.frames frames were shown (when --frames was given); with --out,
/// draws the frame once more as it was left and writes it as a PNG.
int RunWindow(const Options& options, StageTimes& times);

/// Reads the current read buffer back and writes it to options.out.
void SavePicture(const Options& options, int width, int height, StageTimes& times);

}  // namespace Demo
