#include "StageTimes.h"

#include <cstdio>

namespace Demo {

void StageTimes::Print(std::ostream& out) const {
  double total = 0.0;
  for (const auto& [stage, seconds] : stages) {
    char line[128];
    std::snprintf(line, sizeof line, "  %-34s %9.1f ms\n", stage.c_str(), seconds * 1e3);
    out << line;
    total += seconds;
  }
  char line[128];
  std::snprintf(line, sizeof line, "  %-34s %9.1f ms\n", "total", total * 1e3);
  out << line;
}

}  // namespace Demo
