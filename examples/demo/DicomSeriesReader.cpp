#include "DicomSeriesReader.h"

#include "DicomCodecs.h"
#include "DicomFrames.h"
#include "DicomPixels.h"
#include "SliceStack.h"

#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcfilefo.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <new>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace Demo {
namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw std::runtime_error(path + ": " + why);
}

// What the folder (or the one file) holds.
struct Scan {
  std::vector<DicomFrame> frames;  // in file name order, then frame order
  std::vector<std::string> skipped;
};

// Whether the file starts with the 128-byte preamble and the "DICM" mark.
bool HasDicomMark(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  char head[132] = {};
  return in.read(head, sizeof head) && std::string(head + 128, 4) == "DICM";
}

// Loads a file; values longer than DCMTK's read limit (the pixel data)
// stay in the file until they are read. False when it is not DICOM at all.
bool Load(DcmFileFormat& format, const std::string& file) {
  const OFCondition status = format.loadFile(file.c_str());
  if (status.good()) return true;
  if (!HasDicomMark(file)) return false;
  Fail(file, std::string("truncated or damaged DICOM file (") + status.text() + ")");
}

// Adds the frames of `file`. A file that is not a DICOM image the demo can
// show is refused when it is all there is, else skipped.
void ScanFile(const std::string& file, bool alone, Scan& scan) {
  try {
    DcmFileFormat format;
    if (!Load(format, file)) throw std::invalid_argument("not a DICOM file");
    const std::vector<DicomFrame> frames = DescribeFrames(*format.getDataset(), file);
    scan.frames.insert(scan.frames.end(), frames.begin(), frames.end());
  } catch (const std::invalid_argument& e) {
    if (alone) Fail(file, e.what());
    scan.skipped.push_back(file);
  }
}

Scan ScanPath(const std::string& path) {
  Scan scan;
  std::error_code error;
  if (!fs::is_directory(path, error)) {
    if (!fs::is_regular_file(path, error) || !std::ifstream(path)) Fail(path, "cannot open the file");
    ScanFile(path, true, scan);
    return scan;
  }
  std::vector<std::string> files;
  for (fs::recursive_directory_iterator it(path, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file(error)) files.push_back(it->path().string());
  if (error) Fail(path, "cannot read the folder (" + error.message() + ")");
  std::sort(files.begin(), files.end());
  for (const std::string& file : files) ScanFile(file, false, scan);
  if (scan.frames.empty()) Fail(path, "no DICOM image in the folder");
  return scan;
}

std::string SkippedNote(const std::vector<std::string>& skipped) {
  std::string note = "skipped " + std::to_string(skipped.size()) + " file(s) that are not DICOM images the demo reads:";
  for (std::size_t i = 0; i < skipped.size() && i < 3; ++i) note += " " + fs::path(skipped[i]).filename().string();
  return note + (skipped.size() > 3 ? " ..." : "");
}

// Keeps the frames of the chosen series: `uid`, or the one with most frames.
std::vector<DicomFrame> ChooseSeries(const Scan& scan, const std::string& uid, const std::string& path,
                                     std::vector<std::string>& notes) {
  std::vector<std::pair<std::string, std::size_t>> counts;  // in order of appearance
  for (const DicomFrame& f : scan.frames) {
    auto it = std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == f.seriesUid; });
    if (it == counts.end()) counts.emplace_back(f.seriesUid, 1);
    else ++it->second;
  }
  auto chosen = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; });
  if (!uid.empty())
    chosen = std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == uid; });
  std::string list;
  for (auto it = counts.begin(); it != counts.end(); ++it)
    list += (list.empty() ? "" : ", ") + it->first + " (" + std::to_string(it->second) + " frames" +
            (it == chosen ? ", read" : "") + ")";
  if (chosen == counts.end()) Fail(path, "no series " + uid + "; it holds " + list);
  if (counts.size() > 1)
    notes.push_back(std::to_string(counts.size()) + " series: " + list + "; --series UID picks another");
  std::vector<DicomFrame> frames;
  for (const DicomFrame& f : scan.frames)
    if (f.seriesUid == chosen->first) frames.push_back(f);
  return frames;
}

void Allocate(DicomSeries& series) {
  const std::size_t count = series.SliceVoxels() * std::size_t(series.dimensions[2]);
  try {
    series.voxels.assign(count, 0);
  } catch (const std::bad_alloc&) {
    throw std::runtime_error("not enough memory for " + std::to_string(count * 2 >> 20) + " MB of voxels");
  }
}

// Reads each file once more, now with its pixels, into the voxel array.
void ReadPixels(const std::vector<DicomFrame>& frames, const SliceStack& stack, DicomSeries& series) {
  std::vector<std::size_t> slice(frames.size());
  for (std::size_t k = 0; k < stack.order.size(); ++k) slice[stack.order[k]] = k;
  std::vector<Uint8> buffer;
  for (std::size_t i = 0; i < frames.size();) {
    const std::string& file = frames[i].file;
    DcmFileFormat format;
    if (!Load(format, file)) Fail(file, "not a DICOM file");
    DcmFileCache cache;
    Uint32 fragment = 0;
    for (; i < frames.size() && frames[i].file == file; ++i)
      CopyFrame(*format.getDataset(), frames[i], &series.voxels[slice[i] * series.SliceVoxels()], fragment, buffer,
                cache);
  }
}

// The first slice's window, or else one over the range of the voxels.
Window ChooseWindow(const DicomFrame& first, const DicomSeries& s) {
  if (first.hasWindow) return first.window;
  const auto [lo, hi] = std::minmax_element(s.voxels.begin(), s.voxels.end());
  const double a = *lo * s.slope + s.intercept, b = *hi * s.slope + s.intercept;
  return {(a + b) * 0.5, std::max(std::abs(b - a), 1.0) + 1.0, first.format.inverted};
}

std::string Describe(const DicomFrame& first, const DicomSeries& s) {
  std::ostringstream out;
  out.precision(3);
  out << (first.description.empty() ? "DICOM" : first.description) << ", " << s.dimensions[0] << " x "
      << s.dimensions[1] << " x " << s.dimensions[2] << ", " << s.spacing[0] << " x " << s.spacing[1] << " x "
      << s.spacing[2] << " mm";
  return out.str();
}

DicomSeries Assemble(const std::vector<DicomFrame>& frames, const SliceStack& stack) {
  const DicomFrame& first = frames[stack.order[0]];
  DicomSeries s;
  s.dimensions = Vec3i(first.columns, first.rows, int(frames.size()));
  s.spacing = stack.spacing;
  s.origin = stack.origin;
  s.rowDirection = stack.rowDirection;
  s.columnDirection = stack.columnDirection;
  s.normal = stack.normal;
  s.oriented = stack.oriented;
  const long lowest = LowestStored(first.format);
  s.slope = first.slope;
  s.intercept = first.intercept + double(lowest) * first.slope;
  s.largestStored = (unsigned short)std::min(HighestStored(first.format) - lowest, 65535L);
  s.seriesUid = first.seriesUid;
  Allocate(s);
  ReadPixels(frames, stack, s);
  s.window = ChooseWindow(first, s);
  s.description = Describe(first, s);
  return s;
}

}  // namespace

DicomSeries ReadDicomSeries(const std::string& path, const std::string& seriesUid) {
  RegisterDicomCodecs();
  const Scan scan = ScanPath(path);
  std::vector<std::string> notes;
  if (!scan.skipped.empty()) notes.push_back(SkippedNote(scan.skipped));
  const std::vector<DicomFrame> frames = ChooseSeries(scan, seriesUid, path, notes);
  SliceStack stack;
  try {
    stack = StackSlices(frames);
  } catch (const std::runtime_error& e) {
    Fail(path, e.what());
  }
  if (!stack.positioned && frames.size() > 1)
    notes.push_back("no image positions: slices ordered by instance number and frame");
  DicomSeries series = Assemble(frames, stack);
  series.notes = std::move(notes);
  return series;
}

}  // namespace Demo
