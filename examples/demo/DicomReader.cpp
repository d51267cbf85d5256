#include "DicomReader.h"

#include <dcmtk/dcmdata/dcrledrg.h>
#include <dcmtk/dcmdata/dctk.h>
#include <dcmtk/dcmjpeg/djdecode.h>
#include <dcmtk/oflog/oflog.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace Demo {
namespace {

struct Format {
  long rows = 0, columns = 0, frames = 1;
  int allocated = 0, stored = 0, highBit = 0;
  bool isSigned = false;
  bool inverted = false;  // MONOCHROME1: low values are white
};

[[noreturn]] void Fail(const std::string& path, const std::string& why) {
  throw std::runtime_error(path + ": " + why);
}

// Whether the file starts with the 128-byte preamble and the "DICM" mark.
bool HasDicomMark(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  char head[132] = {};
  return in.read(head, sizeof head) && std::string(head + 128, 4) == "DICM";
}

Uint16 GetU16(DcmDataset& d, const DcmTagKey& tag, Uint16 fallback) {
  Uint16 v = fallback;
  d.findAndGetUint16(tag, v);
  return v;
}

double GetDouble(DcmDataset& d, const DcmTagKey& tag, double fallback) {
  Float64 v = fallback;
  return d.findAndGetFloat64(tag, v).good() ? v : fallback;
}

Format ReadFormat(DcmDataset& d, const std::string& path) {
  if (!d.tagExists(DCM_PixelData)) Fail(path, "not an image (no pixel data)");
  OFString photometric;
  d.findAndGetOFString(DCM_PhotometricInterpretation, photometric);
  if (GetU16(d, DCM_SamplesPerPixel, 1) != 1 || (photometric != "MONOCHROME1" && photometric != "MONOCHROME2"))
    Fail(path, "not a monochrome image (" + std::string(photometric.empty() ? "no photometric interpretation"
                                                                         : photometric.c_str()) + ")");
  Format f;
  f.rows = GetU16(d, DCM_Rows, 0);
  f.columns = GetU16(d, DCM_Columns, 0);
  f.allocated = GetU16(d, DCM_BitsAllocated, 0);
  f.stored = GetU16(d, DCM_BitsStored, Uint16(f.allocated));
  f.highBit = GetU16(d, DCM_HighBit, Uint16(f.stored - 1));
  f.isSigned = GetU16(d, DCM_PixelRepresentation, 0) == 1;
  f.inverted = photometric == "MONOCHROME1";
  Sint32 frames = 1;
  if (d.findAndGetSint32(DCM_NumberOfFrames, frames).good()) f.frames = std::max<Sint32>(frames, 1);
  if (f.rows < 1 || f.columns < 1) Fail(path, "image without rows or columns");
  if (f.allocated != 8 && f.allocated != 16)
    Fail(path, "unsupported bits allocated " + std::to_string(f.allocated) + " (8 or 16 are read)");
  if (f.stored < 1 || f.stored > f.allocated || f.highBit + 1 < f.stored || f.highBit >= f.allocated)
    Fail(path, "inconsistent bits stored / high bit");
  return f;
}

// The stored value of one pixel sample, sign-extended when signed.
long Raw(unsigned value, const Format& f) {
  const unsigned shifted = value >> (f.highBit + 1 - f.stored);
  const unsigned mask = f.stored >= 32 ? ~0u : (1u << f.stored) - 1u;
  const unsigned v = shifted & mask;
  if (f.isSigned && (v & (1u << (f.stored - 1)))) return long(v) - (1L << f.stored);
  return long(v);
}

}  // namespace

DicomImage ReadDicom(const std::string& path, int frame) {
  // DCMTK would log its own lines about a bad file; the one-line error
  // below says it instead.
  OFLog::configure(OFLogger::FATAL_LOG_LEVEL);
  DJDecoderRegistration::registerCodecs();
  DcmRLEDecoderRegistration::registerCodecs();
  if (!std::ifstream(path)) Fail(path, "cannot open the file");
  DcmFileFormat file;
  const OFCondition status = file.loadFile(path.c_str());
  if (status.bad()) {
    if (!HasDicomMark(path)) Fail(path, "not a DICOM file");
    Fail(path, std::string("truncated or damaged DICOM file (") + status.text() + ")");
  }
  DcmDataset& d = *file.getDataset();
  const Format f = ReadFormat(d, path);
  if (frame > f.frames) Fail(path, "has " + std::to_string(f.frames) + " frame(s), not " + std::to_string(frame));
  if (d.chooseRepresentation(EXS_LittleEndianExplicit, nullptr).bad())
    Fail(path, "cannot decompress the pixel data");

  const unsigned long perFrame = (unsigned long)(f.rows * f.columns);
  const unsigned long needed = perFrame * (unsigned long)f.frames;
  Uint8* bytes = nullptr;
  Uint16* words = nullptr;
  unsigned long count = 0;
  DcmElement* element = nullptr;
  if (d.findAndGetElement(DCM_PixelData, element).bad() || !element) Fail(path, "not an image (no pixel data)");
  const Uint32 length = element->getLength();
  if (f.allocated == 8) {
    if (element->getUint8Array(bytes).bad() || !bytes) Fail(path, "unreadable pixel data");
    count = length;
  } else {
    if (element->getUint16Array(words).bad() || !words) Fail(path, "unreadable pixel data");
    count = length / 2;
  }
  if (count < needed)
    Fail(path, "truncated pixel data (" + std::to_string(count) + " of " + std::to_string(needed) + " samples)");

  // Shift the raw range [lowest, highest] of the format to 0 … highest − lowest.
  const long lowest = f.isSigned ? -(1L << (f.stored - 1)) : 0;
  const long highest = f.isSigned ? (1L << (f.stored - 1)) - 1 : (1L << f.stored) - 1;
  DicomImage result{GreyImage(int(f.columns), int(f.rows)), DicomSlice{}};
  GreyImage& image = result.image;
  const unsigned long first = perFrame * (unsigned long)(frame - 1);
  for (unsigned long i = 0; i < perFrame; ++i) {
    const unsigned sample = f.allocated == 8 ? bytes[first + i] : words[first + i];
    image.Data()[i] = (unsigned short)(Raw(sample, f) - lowest);
  }
  const double slope = GetDouble(d, DCM_RescaleSlope, 1.0);
  const double intercept = GetDouble(d, DCM_RescaleIntercept, 0.0);
  image.slope = slope;
  image.intercept = intercept + double(lowest) * slope;
  image.largestStored = (unsigned short)std::min(highest - lowest, 65535L);
  image.pixelWidth = image.pixelHeight = 1.0;
  Float64 spacing = 0.0;
  if (d.findAndGetFloat64(DCM_PixelSpacing, spacing, 0).good() && spacing > 0) image.pixelHeight = spacing;
  if (d.findAndGetFloat64(DCM_PixelSpacing, spacing, 1).good() && spacing > 0) image.pixelWidth = spacing;

  // The file's first window; without one, the full range of the pixels.
  Window window;
  Float64 centre = 0.0, width = 0.0;
  if (d.findAndGetFloat64(DCM_WindowCenter, centre).good() && d.findAndGetFloat64(DCM_WindowWidth, width).good() &&
      width >= 1.0) {
    window = {centre, width};
  } else {
    unsigned short lo = 65535, hi = 0;
    for (unsigned long i = 0; i < perFrame; ++i) lo = std::min(lo, image.Data()[i]), hi = std::max(hi, image.Data()[i]);
    const double a = lo * image.slope + image.intercept, b = hi * image.slope + image.intercept;
    window = {(a + b) * 0.5, std::max(std::abs(b - a), 1.0) + 1.0};
  }
  window.inverted = f.inverted;
  result.slice.window = window;

  const std::string base = path.substr(path.find_last_of('/') + 1);
  result.slice.name = base;
  result.slice.description = std::to_string(f.columns) + " x " + std::to_string(f.rows) + ", " +
                             std::to_string(f.allocated) + "-bit " + (f.isSigned ? "signed" : "unsigned") +
                             ", frame " + std::to_string(frame) + " / " + std::to_string(f.frames);
  return result;
}

}  // namespace Demo
