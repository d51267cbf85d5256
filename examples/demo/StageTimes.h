// Wall-clock times of the demo's stages, printed at the end of a run.
#pragma once

#include <chrono>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace Demo {

class Stopwatch {
public:
  Stopwatch() : start(std::chrono::steady_clock::now()) {}
  double Seconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }

private:
  std::chrono::steady_clock::time_point start;
};

class StageTimes {
public:
  void Add(const std::string& stage, double seconds) { stages.emplace_back(stage, seconds); }
  /// One line per stage: name and milliseconds.
  void Print(std::ostream& out) const;

private:
  std::vector<std::pair<std::string, double>> stages;
};

}  // namespace Demo
