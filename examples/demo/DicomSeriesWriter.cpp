#include "DicomSeriesWriter.h"

#include "DicomCodecs.h"

#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcfilefo.h>
#include <dcmtk/dcmdata/dcuid.h>
#include <dcmtk/dcmdata/dcvrda.h>
#include <dcmtk/dcmdata/dcvrtm.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <random>
#include <stdexcept>
#include <utility>

namespace Demo {
namespace {

using Elements = std::vector<std::pair<DcmTagKey, std::string>>;

// A decimal string (DS) of at most 16 characters.
std::string Decimal(double value) {
  char text[32];
  for (int digits = 10; digits > 1; --digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    if (std::string(text).size() <= 16) break;
  }
  return text;
}

std::string Decimals(std::initializer_list<double> values) {
  std::string text;
  for (double v : values) text += (text.empty() ? "" : "\\") + Decimal(v);
  return text;
}

std::string NewUid(const char* root) {
  char uid[100];
  return dcmGenerateUniqueIdentifier(uid, root);
}

constexpr const char* kEnhancedImageType = "DERIVED\\PRIMARY\\VOLUME\\NONE";

int BitsStored(const DicomSeries& v) { return v.largestStored <= 4095 ? 12 : 16; }

// Patient, study, series, frame of reference, equipment and pixel format:
// the same in every file of the series.
Elements SeriesElements(const DicomSeries& v, const SeriesWriteOptions& o) {
  OFString date, time;
  DcmDate::getCurrentDate(date);
  DcmTime::getCurrentTime(time);
  const int stored = BitsStored(v);
  return {{DCM_PatientName, "Phantom^Quorvel"}, {DCM_PatientID, "QUORVEL-PHANTOM"}, {DCM_PatientBirthDate, ""},
          {DCM_PatientSex, "O"}, {DCM_StudyInstanceUID, o.studyUid}, {DCM_StudyDate, date.c_str()},
          {DCM_StudyTime, time.c_str()}, {DCM_ReferringPhysicianName, ""}, {DCM_StudyID, "1"},
          {DCM_AccessionNumber, ""}, {DCM_StudyDescription, "Dental CBCT"}, {DCM_Modality, "CT"},
          {DCM_SeriesInstanceUID, o.seriesUid}, {DCM_SeriesNumber, std::to_string(o.seriesNumber)},
          {DCM_SeriesDescription, o.seriesDescription}, {DCM_PatientPosition, "HFS"},
          {DCM_BodyPartExamined, "HEAD"},
          {DCM_FrameOfReferenceUID, o.frameOfReferenceUid}, {DCM_PositionReferenceIndicator, ""},
          {DCM_Manufacturer, "Quorvel"}, {DCM_ManufacturerModelName, "quorvel-dicom-writer"},
          {DCM_DeviceSerialNumber, "1"}, {DCM_SoftwareVersions, "1"}, {DCM_ContentDate, date.c_str()},
          {DCM_ContentTime, time.c_str()}, {DCM_AcquisitionNumber, "1"}, {DCM_BurnedInAnnotation, "NO"},
          {DCM_SamplesPerPixel, "1"}, {DCM_PhotometricInterpretation, "MONOCHROME2"},
          {DCM_Rows, std::to_string(v.dimensions[1])}, {DCM_Columns, std::to_string(v.dimensions[0])},
          {DCM_BitsAllocated, "16"}, {DCM_BitsStored, std::to_string(stored)},
          {DCM_HighBit, std::to_string(stored - 1)}, {DCM_PixelRepresentation, "0"}};
}

std::string PositionText(const DicomSeries& v, int k) {
  const Vec3 p = v.Position(0.0, 0.0, k);
  return Decimals({p[0], p[1], p[2]});
}

std::string OrientationText(const DicomSeries& v) {
  const Vec3 r = v.rowDirection, c = v.columnDirection;
  return Decimals({r[0], r[1], r[2], c[0], c[1], c[2]});
}

Elements MeasureElements(const DicomSeries& v) {
  return {{DCM_PixelSpacing, Decimals({v.spacing[1], v.spacing[0]})}, {DCM_SliceThickness, Decimal(v.spacing[2])}};
}

Elements RescaleElements(const DicomSeries& v) {
  return {{DCM_RescaleIntercept, Decimal(v.intercept)}, {DCM_RescaleSlope, Decimal(v.slope)}, {DCM_RescaleType, "HU"}};
}

Elements WindowElements(const DicomSeries& v) {
  return {{DCM_WindowCenter, Decimal(v.window.centre)}, {DCM_WindowWidth, Decimal(v.window.width)}};
}

void Put(DcmItem& item, const Elements& elements) {
  for (const auto& [tag, value] : elements)
    if (item.putAndInsertString(tag, value.c_str()).bad())
      throw std::runtime_error("cannot set " + std::string(DcmTag(tag).getTagName()) + " to '" + value + "'");
}

// Item `index` of `sequence` in `parent`, created when missing.
DcmItem& Item(DcmItem& parent, const DcmTagKey& sequence, long index = 0) {
  DcmItem* item = nullptr;
  if (parent.findOrCreateSequenceItem(sequence, item, index).bad() || !item)
    throw std::runtime_error("cannot add an item to " + std::string(DcmTag(sequence).getTagName()));
  return *item;
}

E_TransferSyntax Syntax(DicomEncoding encoding) {
  switch (encoding) {
    case DicomEncoding::Rle: return EXS_RLELossless;
    case DicomEncoding::JpegLs: return EXS_JPEGLSLossless;
    default: return EXS_LittleEndianExplicit;
  }
}

void Save(DcmFileFormat& file, const std::string& path, DicomEncoding encoding) {
  DcmDataset& d = *file.getDataset();
  const E_TransferSyntax syntax = Syntax(encoding);
  d.putAndInsertString(DCM_LossyImageCompression, "00");
  if (d.chooseRepresentation(syntax, nullptr).bad() || !d.canWriteXfer(syntax))
    throw std::runtime_error(path + ": cannot compress the pixel data");
  const OFCondition status = file.saveFile(path.c_str(), syntax);
  if (status.bad()) throw std::runtime_error(path + ": cannot write (" + status.text() + ")");
}

// The instance number of each slice, 1 at the last; and the number in its
// file name, shuffled or not.
int InstanceOf(const DicomSeries& v, int k) { return v.dimensions[2] - k; }

std::vector<int> NameNumbers(int slices, bool shuffled) {
  std::vector<int> numbers(std::size_t(slices) + 1);
  std::iota(numbers.begin(), numbers.end(), 0);
  if (shuffled) std::shuffle(numbers.begin() + 1, numbers.end(), std::mt19937(13));
  return numbers;
}

std::string SliceName(const SeriesWriteOptions& o, int number) {
  char name[32];
  std::snprintf(name, sizeof name, "CT%d_%04d.dcm", o.seriesNumber, number);
  return name;
}

// Frame Content (the stack and the place in it, the two dimensions) and
// Plane Position of each frame.
void PutFrames(DcmDataset& d, const DicomSeries& v) {
  const std::string dimensions = NewUid(SITE_INSTANCE_UID_ROOT);
  Put(Item(d, DCM_DimensionOrganizationSequence), {{DCM_DimensionOrganizationUID, dimensions}});
  const DcmTagKey indices[] = {DCM_StackID, DCM_InStackPositionNumber};
  for (long i = 0; i < 2; ++i) {
    DcmItem& index = Item(d, DCM_DimensionIndexSequence, i);
    Put(index, {{DCM_DimensionOrganizationUID, dimensions}});
    index.putAndInsertTagKey(DCM_DimensionIndexPointer, indices[i]);
    index.putAndInsertTagKey(DCM_FunctionalGroupPointer, DCM_FrameContentSequence);
  }
  for (int k = 0; k < v.dimensions[2]; ++k) {
    DcmItem& frame = Item(d, DCM_PerFrameFunctionalGroupsSequence, k);
    const std::string place = std::to_string(k + 1);
    Put(Item(frame, DCM_FrameContentSequence),
        {{DCM_StackID, "1"}, {DCM_InStackPositionNumber, place}, {DCM_DimensionIndexValues, "1\\" + place}});
    Put(Item(frame, DCM_PlanePositionSequence), {{DCM_ImagePositionPatient, PositionText(v, k)}});
  }
}

// What all frames share: pixel measures, orientation, rescale, window, the
// frame type, the anatomy and the irradiation event.
void PutSharedGroups(DcmDataset& d, const DicomSeries& v, const Elements& volumeType) {
  DcmItem& shared = Item(d, DCM_SharedFunctionalGroupsSequence);
  Put(Item(shared, DCM_PixelMeasuresSequence), MeasureElements(v));
  Put(Item(shared, DCM_PlaneOrientationSequence), {{DCM_ImageOrientationPatient, OrientationText(v)}});
  Put(Item(shared, DCM_PixelValueTransformationSequence), RescaleElements(v));
  Put(Item(shared, DCM_FrameVOILUTSequence), WindowElements(v));
  DcmItem& frameType = Item(shared, DCM_CTImageFrameTypeSequence);
  Put(frameType, {{DCM_FrameType, kEnhancedImageType}});
  Put(frameType, volumeType);
  DcmItem& anatomy = Item(shared, DCM_FrameAnatomySequence);
  Put(anatomy, {{DCM_FrameLaterality, "U"}});
  Put(Item(anatomy, DCM_AnatomicRegionSequence),
      {{DCM_CodeValue, "69536005"}, {DCM_CodingSchemeDesignator, "SCT"}, {DCM_CodeMeaning, "Head"}});
  Put(Item(shared, DCM_IrradiationEventIdentificationSequence),
      {{DCM_IrradiationEventUID, NewUid(SITE_INSTANCE_UID_ROOT)}});
}

// One Enhanced CT file, frame k the volume's slice k.
void WriteEnhancedCt(const DicomSeries& v, const std::string& path, const SeriesWriteOptions& o) {
  RegisterDicomCodecs();
  DcmFileFormat file;
  DcmDataset& d = *file.getDataset();
  const Elements volumeType = {{DCM_PixelPresentation, "MONOCHROME"},
                               {DCM_VolumetricProperties, "VOLUME"},
                               {DCM_VolumeBasedCalculationTechnique, "NONE"}};
  Put(d, {{DCM_SOPClassUID, UID_EnhancedCTImageStorage}, {DCM_SOPInstanceUID, NewUid(SITE_INSTANCE_UID_ROOT)},
          {DCM_ImageType, kEnhancedImageType}, {DCM_InstanceNumber, "1"},
          {DCM_NumberOfFrames, std::to_string(v.dimensions[2])}, {DCM_ContentQualification, "RESEARCH"},
          {DCM_PresentationLUTShape, "IDENTITY"}});
  Put(d, volumeType);
  Put(d, SeriesElements(v, o));
  d.insertEmptyElement(DCM_AcquisitionContextSequence);
  PutSharedGroups(d, v, volumeType);
  PutFrames(d, v);
  d.putAndInsertUint16Array(DCM_PixelData, v.voxels.data(), unsigned(v.voxels.size()));
  Save(file, path, o.encoding);
}

}  // namespace

void FillUids(SeriesWriteOptions& o) {
  if (o.studyUid.empty()) o.studyUid = NewUid(SITE_STUDY_UID_ROOT);
  if (o.seriesUid.empty()) o.seriesUid = NewUid(SITE_SERIES_UID_ROOT);
  if (o.frameOfReferenceUid.empty()) o.frameOfReferenceUid = NewUid(SITE_INSTANCE_UID_ROOT);
}

void WriteDicomSlice(const DicomSeries& v, int k, const std::string& path, const SeriesWriteOptions& o) {
  RegisterDicomCodecs();
  DcmFileFormat file;
  DcmDataset& d = *file.getDataset();
  Put(d, {{DCM_SOPClassUID, UID_CTImageStorage}, {DCM_SOPInstanceUID, NewUid(SITE_INSTANCE_UID_ROOT)},
          {DCM_ImageType, "DERIVED\\SECONDARY\\AXIAL"}, {DCM_InstanceNumber, std::to_string(InstanceOf(v, k))},
          {DCM_ImageLaterality, "U"}, {DCM_KVP, "90"}});
  Put(d, SeriesElements(v, o));
  Put(d, {{DCM_ImagePositionPatient, PositionText(v, k)}, {DCM_ImageOrientationPatient, OrientationText(v)},
          {DCM_SliceLocation, Decimal(DotProduct(v.Position(0.0, 0.0, k), v.normal))}});
  for (const Elements& elements : {MeasureElements(v), RescaleElements(v), WindowElements(v)}) Put(d, elements);
  d.putAndInsertUint16Array(DCM_PixelData, &v.voxels[v.Index(0, 0, k)], unsigned(v.SliceVoxels()));
  Save(file, path, o.encoding);
}

std::vector<std::string> WriteDicomSeries(const DicomSeries& v, const std::string& folder, SeriesWriteOptions o) {
  FillUids(o);
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (o.multiFrame) {
    const std::string path = (std::filesystem::path(folder) / ("CT" + std::to_string(o.seriesNumber) + ".dcm")).string();
    WriteEnhancedCt(v, path, o);
    return {path};
  }
  const std::vector<int> numbers = NameNumbers(v.dimensions[2], o.shuffledNames);
  std::vector<std::string> files;
  for (int k = 0; k < v.dimensions[2]; ++k) {
    files.push_back((std::filesystem::path(folder) / SliceName(o, numbers[std::size_t(InstanceOf(v, k))])).string());
    WriteDicomSlice(v, k, files.back(), o);
  }
  return files;
}

}  // namespace Demo
