// quorvel-demo: draws the frame of a dental volume viewer with Quorvel —
// an axial slice with the panoramic region and annotations, a 3D view of
// the volume, and the panoramic image — from a synthetic head phantom or a
// DICOM image, offscreen into a PNG or into a window.
#include "Options.h"
#include "Runs.h"
#include "StageTimes.h"

#include <iostream>
#include <stdexcept>

int main(int argc, char** argv) {
  Demo::Options options;
  try {
    options = Demo::ParseOptions(argc, argv);
  } catch (const std::invalid_argument& e) {
    std::cerr << "quorvel-demo: " << e.what() << "\n";
    return 1;
  }
  if (options.help) {
    std::cout << Demo::Usage();
    return 0;
  }
  if (options.version) {
    std::cout << "quorvel-demo, Quorvel " QUORVEL_VERSION "\n";
    return 0;
  }
  try {
    Demo::StageTimes times;
    const int status = options.window ? Demo::RunWindow(options, times) : Demo::RunOffscreen(options, times);
    std::cout << "stage times:\n";
    times.Print(std::cout);
    return status;
  } catch (const std::exception& e) {
    std::cerr << "quorvel-demo: " << e.what() << "\n";
    return 1;
  }
}
