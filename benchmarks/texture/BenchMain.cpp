// Runs the texture benchmarks with repetitions and random interleaving by
// default (the machines are shared and noisy: compare medians), unless the
// command line says otherwise.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

bool Given(int argc, char** argv, const char* flag) {
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> defaults;
  if (!Given(argc, argv, "--benchmark_repetitions")) defaults.emplace_back("--benchmark_repetitions=7");
  if (!Given(argc, argv, "--benchmark_min_time")) defaults.emplace_back("--benchmark_min_time=0.1");
  if (!Given(argc, argv, "--benchmark_enable_random_interleaving"))
    defaults.emplace_back("--benchmark_enable_random_interleaving=true");
  if (!Given(argc, argv, "--benchmark_report_aggregates_only") && !Given(argc, argv, "--benchmark_display_aggregates_only"))
    defaults.emplace_back("--benchmark_display_aggregates_only=true");
  std::vector<char*> args(argv, argv + argc);
  for (std::string& flag : defaults) args.push_back(flag.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
