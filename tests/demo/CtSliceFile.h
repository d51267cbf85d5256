// Writes a CT slice as a DICOM file, an image whose content the test knows.
#pragma once

#include <dcmtk/dcmdata/dctk.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

/// One axial CT slice and where it lies in its series (slices with the same
/// UIDs form one series).
struct CtSlice {
  int rows = 0, columns = 0;
  std::vector<int> hounsfield;  ///< row by row, row 0 first
  double pixelSpacing = 1.0, z = 0.0, windowCentre = 40.0, windowWidth = 400.0;  ///< mm, HU
  int instance = 1;
  std::string studyUid = SITE_STUDY_UID_ROOT ".1", seriesUid = SITE_SERIES_UID_ROOT ".1";
};

/// Writes a CT image file (explicit little endian) of 12-bit unsigned values with rescale intercept −1024,
/// under a fresh SOP instance UID. False when the file cannot be written.
inline bool WriteCtSlice(const std::string& path, const CtSlice& s) {
  char uid[100];
  const std::string spacing = std::to_string(s.pixelSpacing);
  const std::pair<DcmTagKey, std::string> elements[] = {
      {DCM_SOPInstanceUID, dcmGenerateUniqueIdentifier(uid, SITE_INSTANCE_UID_ROOT)}, {DCM_Modality, "CT"},
      {DCM_SOPClassUID, UID_CTImageStorage}, {DCM_StudyInstanceUID, s.studyUid}, {DCM_SeriesInstanceUID, s.seriesUid},
      {DCM_InstanceNumber, std::to_string(s.instance)}, {DCM_ImagePositionPatient, "0\\0\\" + std::to_string(s.z)},
      {DCM_ImageOrientationPatient, "1\\0\\0\\0\\1\\0"}, {DCM_PixelSpacing, spacing + "\\" + spacing},
      {DCM_SamplesPerPixel, "1"}, {DCM_PhotometricInterpretation, "MONOCHROME2"}, {DCM_Rows, std::to_string(s.rows)},
      {DCM_Columns, std::to_string(s.columns)}, {DCM_BitsAllocated, "16"}, {DCM_BitsStored, "12"}, {DCM_HighBit, "11"},
      {DCM_PixelRepresentation, "0"}, {DCM_RescaleIntercept, "-1024"}, {DCM_RescaleSlope, "1"},
      {DCM_WindowCenter, std::to_string(s.windowCentre)}, {DCM_WindowWidth, std::to_string(s.windowWidth)}};
  DcmFileFormat file;
  for (const auto& [tag, value] : elements) file.getDataset()->putAndInsertString(tag, value.c_str());
  std::vector<Uint16> stored;
  for (int value : s.hounsfield) stored.push_back(Uint16(std::clamp(value + 1024, 0, 4095)));
  file.getDataset()->putAndInsertUint16Array(DCM_PixelData, stored.data(), unsigned(stored.size()));
  return file.saveFile(path.c_str(), EXS_LittleEndianExplicit).good();
}
