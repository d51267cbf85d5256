#include "DicomFrames.h"

#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcpixel.h>
#include <dcmtk/dcmdata/dcpixseq.h>
#include <dcmtk/dcmdata/dcxfer.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace Demo {
namespace {

// A dataset the demo does not show.
[[noreturn]] void Unsupported(const std::string& why) { throw std::invalid_argument(why); }

int GetInt(DcmItem& item, const DcmTagKey& tag, int fallback) {
  Uint16 value = 0;
  return item.findAndGetUint16(tag, value).good() ? int(value) : fallback;
}

// Value `index` of a decimal or floating-point element, if present and finite.
bool GetDouble(DcmItem& item, const DcmTagKey& tag, double& value, unsigned long index = 0) {
  Float64 v = 0.0;
  if (item.findAndGetFloat64(tag, v, index).bad() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool GetVector(DcmItem& item, const DcmTagKey& tag, Vec3& v, unsigned long first = 0) {
  return GetDouble(item, tag, v[0], first) && GetDouble(item, tag, v[1], first + 1) &&
         GetDouble(item, tag, v[2], first + 2);
}

std::string GetString(DcmItem& item, const DcmTagKey& tag) {
  OFString value;
  item.findAndGetOFString(tag, value);
  return value.c_str();
}

// The item holding functional group `group` of frame `frame`: the frame's
// own, else the shared one; null when the file has no such group.
DcmItem* FunctionalGroup(DcmItem& d, const DcmTagKey& group, long frame) {
  const std::pair<DcmTagKey, long> places[] = {{DCM_PerFrameFunctionalGroupsSequence, frame},
                                               {DCM_SharedFunctionalGroupsSequence, 0}};
  for (const auto& [sequence, index] : places) {
    DcmItem* groups = nullptr;
    DcmItem* item = nullptr;
    if (d.findAndGetSequenceItem(sequence, groups, index).good() && groups &&
        groups->findAndGetSequenceItem(group, item).good() && item)
      return item;
  }
  return nullptr;
}

// Where a frame's values are: its functional group, or the dataset itself
// for a classic image.
DcmItem& Values(DcmItem& d, const DcmTagKey& group, long frame) {
  DcmItem* item = FunctionalGroup(d, group, frame);
  return item ? *item : d;
}

PixelFormat ReadFormat(DcmItem& d) {
  const std::string photometric = GetString(d, DCM_PhotometricInterpretation);
  if (GetInt(d, DCM_SamplesPerPixel, 1) != 1 || (photometric != "MONOCHROME1" && photometric != "MONOCHROME2"))
    Unsupported("not a monochrome image (" + (photometric.empty() ? "no photometric interpretation" : photometric) + ")");
  PixelFormat f;
  f.allocated = GetInt(d, DCM_BitsAllocated, 0);
  f.stored = GetInt(d, DCM_BitsStored, f.allocated);
  f.highBit = GetInt(d, DCM_HighBit, f.stored - 1);
  f.isSigned = GetInt(d, DCM_PixelRepresentation, 0) == 1;
  f.inverted = photometric == "MONOCHROME1";
  if (f.allocated != 8 && f.allocated != 16)
    Unsupported("unsupported bits allocated " + std::to_string(f.allocated) + " (8 or 16 are read)");
  if (f.stored < 1 || f.stored > f.allocated || f.highBit + 1 < f.stored || f.highBit >= f.allocated)
    Unsupported("inconsistent bits stored / high bit");
  return f;
}

// What all frames of the file share.
DicomFrame ReadCommon(DcmDataset& d, const std::string& file) {
  DicomFrame f;
  f.file = file;
  f.seriesUid = GetString(d, DCM_SeriesInstanceUID);
  const std::string modality = GetString(d, DCM_Modality), title = GetString(d, DCM_SeriesDescription);
  f.description = modality + (modality.empty() || title.empty() ? "" : " ") + title;
  f.rows = GetInt(d, DCM_Rows, 0);
  f.columns = GetInt(d, DCM_Columns, 0);
  if (f.rows < 1 || f.columns < 1) Unsupported("image without rows or columns");
  f.format = ReadFormat(d);
  GetVector(d, DCM_ImagePositionPatient, f.position);
  Sint32 instance = 0;
  if (d.findAndGetSint32(DCM_InstanceNumber, instance).good()) f.instance = instance;
  return f;
}

// The frame's own values, from its functional groups or the dataset.
void ReadFrame(DcmItem& d, DicomFrame& f, bool multiFrame) {
  DcmItem* place = FunctionalGroup(d, DCM_PlanePositionSequence, f.frame);
  if (place) f.hasPosition = GetVector(*place, DCM_ImagePositionPatient, f.position);
  else if (!multiFrame) f.hasPosition = GetVector(d, DCM_ImagePositionPatient, f.position);

  DcmItem& orientation = Values(d, DCM_PlaneOrientationSequence, f.frame);
  Vec3 row, column;
  if (GetVector(orientation, DCM_ImageOrientationPatient, row) &&
      GetVector(orientation, DCM_ImageOrientationPatient, column, 3))
    f.rowDirection = row, f.columnDirection = column, f.hasOrientation = true;

  DcmItem& measures = Values(d, DCM_PixelMeasuresSequence, f.frame);
  double spacing = 0.0;
  if (GetDouble(measures, DCM_PixelSpacing, spacing, 0) && spacing > 0.0) f.rowSpacing = spacing;
  if (GetDouble(measures, DCM_PixelSpacing, spacing, 1) && spacing > 0.0) f.columnSpacing = spacing;
  if ((GetDouble(measures, DCM_SpacingBetweenSlices, spacing) && spacing > 0.0) ||
      (GetDouble(measures, DCM_SliceThickness, spacing) && spacing > 0.0))
    f.sliceSpacing = spacing;

  DcmItem& rescale = Values(d, DCM_PixelValueTransformationSequence, f.frame);
  GetDouble(rescale, DCM_RescaleSlope, f.slope);
  GetDouble(rescale, DCM_RescaleIntercept, f.intercept);

  DcmItem& voi = Values(d, DCM_FrameVOILUTSequence, f.frame);
  f.hasWindow = GetDouble(voi, DCM_WindowCenter, f.window.centre) && GetDouble(voi, DCM_WindowWidth, f.window.width) &&
                f.window.width >= 1.0;
  f.window.inverted = f.format.inverted;
}

// How many frames the pixel data has room for: whole frames of
// uncompressed data, or compressed fragments (a frame takes one or more).
// The first item of a fragment sequence is the offset table.
unsigned long FrameRoom(DcmDataset& d, const DicomFrame& f) {
  DcmElement* element = nullptr;
  d.findAndGetElement(DCM_PixelData, element);
  auto* pixels = dynamic_cast<DcmPixelData*>(element);
  if (!pixels) Unsupported("not an image (no pixel data)");
  DcmPixelSequence* fragments = nullptr;
  if (DcmXfer(d.getOriginalXfer()).isEncapsulated())
    return pixels->getEncapsulatedRepresentation(d.getOriginalXfer(), nullptr, fragments).good() && fragments &&
                   fragments->card() > 0
               ? fragments->card() - 1
               : 0;
  const unsigned long frameBytes = static_cast<unsigned long>(f.rows) * f.columns * unsigned(f.format.allocated / 8);
  return pixels->getLength() / frameBytes;
}

}  // namespace

std::vector<DicomFrame> DescribeFrames(DcmDataset& d, const std::string& file) {
  const DicomFrame common = ReadCommon(d, file);
  Sint32 count = 1;
  if (d.findAndGetSint32(DCM_NumberOfFrames, count).bad() || count < 1) count = 1;
  if (static_cast<unsigned long>(count) > FrameRoom(d, common))
    throw std::runtime_error(file + ": truncated pixel data (fewer than its " + std::to_string(count) + " frame(s))");
  std::vector<DicomFrame> frames(std::size_t(count), common);
  for (Sint32 i = 0; i < count; ++i) {
    frames[std::size_t(i)].frame = i;
    ReadFrame(d, frames[std::size_t(i)], count > 1);
  }
  return frames;
}

}  // namespace Demo
