#include "SceneSource.h"

#include "DicomSeriesReader.h"
#include "PhantomSeries.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <stdexcept>

namespace Demo {
namespace {

DicomSeries PhantomVolume(SceneSetup& setup, StageTimes& times) {
  Stopwatch watch;
  const PhantomGrid grid;
  DicomSeries series = VoxelisePhantom(Phantom(), grid);
  times.Add("phantom voxelised (" + std::to_string(grid.columns) + " x " + std::to_string(grid.rows) + " x " +
                std::to_string(grid.slices) + ")",
            watch.Seconds());
  setup.name = "synthetic CBCT head phantom";
  if (setup.arch.empty()) setup.arch = PatientArchPoints();
  setup.slice = int(std::lround((kPhantomSliceHeight - series.origin[2]) / series.spacing[2]));
  return series;
}

DicomSeries DicomVolume(const Options& options, SceneSetup& setup, StageTimes& times) {
  Stopwatch watch;
  DicomSeries series = ReadDicomSeries(options.dicom, options.series);
  times.Add("DICOM series read", watch.Seconds());
  for (const std::string& note : series.notes) std::cerr << "quorvel-demo: note: " << note << "\n";
  setup.name = std::filesystem::path(options.dicom).filename().string();
  std::cout << "DICOM " << setup.name << ": " << series.description << ", window " << series.window.centre << " / "
            << series.window.width << "\n";
  return series;
}

}  // namespace

std::unique_ptr<Scene> MakeScene(const Options& options, StageTimes& times) {
  SceneSetup setup;
  setup.palette = options.palette;
  setup.arch = options.arch;
  DicomSeries series = options.dicom.empty() ? PhantomVolume(setup, times) : DicomVolume(options, setup, times);
  const int slice = options.slice > 0 ? options.slice : options.frame;
  if (slice > series.dimensions[2])
    throw std::runtime_error((options.dicom.empty() ? "the phantom" : options.dicom) + " has " +
                             std::to_string(series.dimensions[2]) + " slices, not " + std::to_string(slice));
  if (slice > 0) setup.slice = slice - 1;
  return std::make_unique<Scene>(std::move(series), setup, times);
}

}  // namespace Demo
