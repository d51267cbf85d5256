// Frame and conversion times of a run of several frames (--frames N).
#pragma once

#include <ostream>
#include <vector>

namespace Demo {

class FrameStats {
public:
  void AddFrame(double seconds) { frames.push_back(seconds); }
  void AddConversion(double seconds, long pixels) {
    conversionSeconds += seconds;
    convertedPixels += pixels;
  }
  /// "N frames: median X ms per frame; lookup-table conversion Y Mpixel/s".
  void Print(std::ostream& out) const;

private:
  std::vector<double> frames;
  double conversionSeconds = 0.0;
  long convertedPixels = 0;
};

}  // namespace Demo
