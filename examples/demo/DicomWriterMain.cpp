// quorvel-dicom-writer: writes the demo's phantom as a DICOM CT series, or
// one of the variants the tests read, for trying --dicom on.
#include "Phantom.h"
#include "PhantomSeries.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

namespace {

const char* kUsage =
    "usage: quorvel-dicom-writer [options] FOLDER\n"
    "Writes the demo's phantom as a DICOM CT series into FOLDER.\n"
    "  --variant NAME  plain (default), shuffled, rle, jpeg-ls, multi-frame,\n"
    "                  two-series, missing-slice, duplicate-slice,\n"
    "                  different-sizes, truncated-file; or all, each into\n"
    "                  FOLDER/NAME\n"
    "  --grid CxRxS    columns, rows and slices (default 267x267x200)\n"
    "  --voxel MM      voxel size in mm (default 0.6)\n";

struct Arguments {
  std::string folder, variant = "plain";
  Demo::PhantomGrid grid;
};

int Count(const std::string& text) {
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || value < 1 || value > 4096)
    throw std::invalid_argument("--grid wants whole numbers from 1 to 4096, not '" + text + "'");
  return int(value);
}

void ParseGrid(const std::string& text, Demo::PhantomGrid& grid) {
  const std::size_t a = text.find('x'), b = text.find('x', a + 1);
  if (a == std::string::npos || b == std::string::npos) throw std::invalid_argument("--grid wants CxRxS");
  grid.columns = Count(text.substr(0, a));
  grid.rows = Count(text.substr(a + 1, b - a - 1));
  grid.slices = Count(text.substr(b + 1));
}

Arguments Parse(int argc, char** argv) {
  Arguments a;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw std::invalid_argument(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--variant") a.variant = value();
    else if (arg == "--grid") ParseGrid(value(), a.grid);
    else if (arg == "--voxel") {
      const std::string text = value();
      a.grid.voxel = std::strtod(text.c_str(), nullptr);
      if (!(a.grid.voxel >= 0.01 && a.grid.voxel <= 100.0))
        throw std::invalid_argument("--voxel wants mm from 0.01 to 100, not '" + text + "'");
    } else if (arg.rfind("--", 0) == 0) throw std::invalid_argument("unknown option '" + arg + "'");
    else if (a.folder.empty()) a.folder = arg;
    else throw std::invalid_argument("one FOLDER only");
  }
  if (a.folder.empty()) throw std::invalid_argument("no FOLDER given");
  return a;
}

void Write(const Demo::DicomSeries& volume, const Demo::SeriesVariantName& v, const std::string& folder) {
  const std::vector<std::string> uids = Demo::WriteSeriesVariant(volume, v.variant, folder);
  std::cout << "quorvel-dicom-writer: wrote " << v.name << " into " << folder << ", series";
  for (const std::string& uid : uids) std::cout << " " << uid;
  std::cout << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  Arguments a;
  try {
    a = Parse(argc, argv);
  } catch (const std::invalid_argument& e) {
    std::cerr << "quorvel-dicom-writer: " << e.what() << "\n" << kUsage;
    return 2;
  }
  try {
    bool known = false;
    const Demo::DicomSeries volume = Demo::VoxelisePhantom(Demo::Phantom(), a.grid);
    for (const Demo::SeriesVariantName& v : Demo::SeriesVariants())
      if (a.variant == "all") Write(volume, v, (std::filesystem::path(a.folder) / v.name).string()), known = true;
      else if (a.variant == v.name) Write(volume, v, a.folder), known = true;
    if (!known) throw std::runtime_error("unknown variant '" + a.variant + "'");
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "quorvel-dicom-writer: " << e.what() << "\n";
    return 1;
  }
}
