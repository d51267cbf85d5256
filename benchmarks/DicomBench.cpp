// Loading a DICOM series as the demo's reader does: the phantom written once
// into a temporary folder as 400 files of 512 × 512 (0.3 mm voxels, 200 MB),
// uncompressed and JPEG-LS lossless. Reported in files/s and MB/s of voxel
// data (2 bytes a voxel) loaded; the files are in the page cache after
// writing, so this is the reader's own cost, not the disk's.
#include "DicomSeriesReader.h"
#include "PhantomSeries.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

const Demo::PhantomGrid kGrid{512, 512, 400, 0.3};

// The written series, removed at exit.
struct Series {
  fs::path root = fs::temp_directory_path() / ("quorvel-dicom-bench-" + std::to_string(getpid()));
  ~Series() { fs::remove_all(root); }

  std::string Folder(Demo::SeriesVariant variant, const char* name) {
    const fs::path folder = root / name;
    if (!fs::exists(folder)) {
      static const Demo::DicomSeries volume = Demo::VoxelisePhantom(Demo::Phantom(), kGrid);
      Demo::WriteSeriesVariant(volume, variant, folder.string());
    }
    return folder.string();
  }
};

Series series;

void Load(benchmark::State& state, Demo::SeriesVariant variant, const char* name) {
  const std::string folder = series.Folder(variant, name);
  for (auto _ : state) {
    const Demo::DicomSeries loaded = Demo::ReadDicomSeries(folder);
    benchmark::DoNotOptimize(loaded.voxels.data());
  }
  const double files = double(kGrid.slices) * double(state.iterations());
  const double bytes = 2.0 * kGrid.columns * kGrid.rows * files;
  state.counters["files/s"] = benchmark::Counter(files, benchmark::Counter::kIsRate);
  state.counters["MB/s"] = benchmark::Counter(bytes / 1e6, benchmark::Counter::kIsRate);
}

void BM_LoadSeries(benchmark::State& state) { Load(state, Demo::SeriesVariant::Plain, "plain"); }
void BM_LoadSeriesJpegLs(benchmark::State& state) { Load(state, Demo::SeriesVariant::JpegLs, "jpeg-ls"); }

}  // namespace

BENCHMARK(BM_LoadSeries)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LoadSeriesJpegLs)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
