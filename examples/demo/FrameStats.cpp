#include "FrameStats.h"

#include <algorithm>
#include <cstdio>

namespace Demo {

void FrameStats::Print(std::ostream& out) const {
  if (frames.empty()) return;
  std::vector<double> sorted = frames;
  std::sort(sorted.begin(), sorted.end());
  const std::size_t n = sorted.size();
  const double median = n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) * 0.5;
  char line[200];
  std::snprintf(line, sizeof line, "%zu frame(s): median %.2f ms per frame (%.1f frames/s)\n", n, median * 1e3,
                median > 0 ? 1.0 / median : 0.0);
  out << line;
  if (conversionSeconds > 0) {
    std::snprintf(line, sizeof line, "lookup-table conversion: %.1f Mpixel/s (%ld pixels in %.2f ms)\n",
                  convertedPixels / conversionSeconds * 1e-6, convertedPixels, conversionSeconds * 1e3);
    out << line;
  }
}

}  // namespace Demo
