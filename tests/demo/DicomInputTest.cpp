// quorvel-demo --dicom: a real CT image that a Debian package ships is shown
// at its size through its own window; files that are not monochrome images
// are refused with one line on standard error.
#include "DemoProcess.h"
#include "PictureFile.h"
#include "Projection.h"

#include "AxialView.h"
#include "Layout.h"

#include "HeadlessContext.h"

#include <dcmtk/dcmdata/dctk.h>
#include <dcmtk/oflog/oflog.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace DemoTest {
namespace {

using Demo::Vec3;

std::string TestFile(const std::string& name) {
  const std::string path = PackageFile("python3-pydicom", name);
  if (path.empty()) ADD_FAILURE() << name << " not found: install python3-pydicom (scripts/install-deps.sh test)";
  return path;
}

std::string CtSmall() { return TestFile("CT_small.dcm"); }

// A 48 x 32 8-bit unsigned image of three frames, with a rescale and a
// window, written with DCMTK: each frame a different ramp.
std::string WriteEightBitFrames(const std::string& path) {
  DcmFileFormat file;
  DcmDataset& d = *file.getDataset();
  d.putAndInsertString(DCM_SOPClassUID, UID_SecondaryCaptureImageStorage);
  d.putAndInsertString(DCM_SOPInstanceUID, "1.2.3.4.5.6.7.8");
  d.putAndInsertUint16(DCM_SamplesPerPixel, 1);
  d.putAndInsertString(DCM_PhotometricInterpretation, "MONOCHROME2");
  d.putAndInsertUint16(DCM_Rows, 32);
  d.putAndInsertUint16(DCM_Columns, 48);
  d.putAndInsertString(DCM_NumberOfFrames, "3");
  d.putAndInsertUint16(DCM_BitsAllocated, 8);
  d.putAndInsertUint16(DCM_BitsStored, 8);
  d.putAndInsertUint16(DCM_HighBit, 7);
  d.putAndInsertUint16(DCM_PixelRepresentation, 0);
  d.putAndInsertString(DCM_RescaleSlope, "2");
  d.putAndInsertString(DCM_RescaleIntercept, "-50");
  d.putAndInsertString(DCM_WindowCenter, "150");
  d.putAndInsertString(DCM_WindowWidth, "300");
  std::vector<Uint8> pixels;
  for (int frame = 0; frame < 3; ++frame)
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 48; ++x) pixels.push_back(Uint8((x * 5 + y * 3 + frame * 70) % 256));
  d.putAndInsertUint8Array(DCM_PixelData, pixels.data(), pixels.size());
  return file.saveFile(path.c_str(), EXS_LittleEndianExplicit).good() ? path : "";
}

// The raw pixels of one frame, rescaled, and the window of a DICOM file,
// read element by element (not the way the demo reads them). Without a
// window in the file, the window spans the frame's values.
struct RawImage {
  int columns = 0, rows = 0;
  std::vector<double> values;
  double centre = 0, width = 0, spacingRow = 1, spacingColumn = 1;

  double At(int i, int j) const {
    return values[std::size_t(std::clamp(j, 0, rows - 1)) * columns + std::clamp(i, 0, columns - 1)];
  }
};

// A number of the dataset, or the fallback when the element is missing
// (DCMTK zeroes the output then).
double Number(DcmDataset& d, const DcmTagKey& tag, double fallback, unsigned long position = 0) {
  Float64 value = 0;
  return d.findAndGetFloat64(tag, value, position).good() ? value : fallback;
}

RawImage ReadRaw(const std::string& path, int frame) {
  DcmFileFormat file;
  RawImage raw;
  if (file.loadFile(path.c_str()).bad()) return raw;
  DcmDataset& d = *file.getDataset();
  Uint16 rows = 0, columns = 0, representation = 0, allocated = 0;
  d.findAndGetUint16(DCM_Rows, rows);
  d.findAndGetUint16(DCM_Columns, columns);
  d.findAndGetUint16(DCM_BitsAllocated, allocated);
  d.findAndGetUint16(DCM_PixelRepresentation, representation);
  const double slope = Number(d, DCM_RescaleSlope, 1.0), intercept = Number(d, DCM_RescaleIntercept, 0.0);
  raw.spacingRow = Number(d, DCM_PixelSpacing, 1.0, 0);
  raw.spacingColumn = Number(d, DCM_PixelSpacing, 1.0, 1);
  const std::size_t count = std::size_t(rows) * columns, first = count * std::size_t(frame - 1);
  const Uint8* bytes = nullptr;
  const Uint16* words = nullptr;
  if (allocated == 8 ? d.findAndGetUint8Array(DCM_PixelData, bytes).bad()
                     : d.findAndGetUint16Array(DCM_PixelData, words).bad())
    return raw;
  for (std::size_t k = first; k < first + count; ++k) {
    double stored = allocated == 8 ? bytes[k] : words[k];
    if (representation) stored = allocated == 8 ? double(Sint8(bytes[k])) : double(Sint16(words[k]));
    raw.values.push_back(stored * slope + intercept);
  }
  raw.rows = rows;
  raw.columns = columns;
  raw.centre = Number(d, DCM_WindowCenter, 0.0);
  raw.width = Number(d, DCM_WindowWidth, 0.0);
  if (raw.width < 1.0) {
    const auto [low, high] = std::minmax_element(raw.values.begin(), raw.values.end());
    raw.centre = (*low + *high) / 2;
    raw.width = *high - *low + 1;
  }
  return raw;
}

// The linear VOI window of DICOM, as an 8-bit grey.
double WindowGrey(double value, double centre, double width) {
  if (value <= centre - 0.5 - (width - 1) / 2) return 0;
  if (value > centre - 0.5 + (width - 1) / 2) return 255;
  return ((value - (centre - 0.5)) / (width - 1) + 0.5) * 255;
}

struct ShownFile {
  std::string path;
  int frame;
  std::string description;
};

// CT_small: 16-bit signed with a rescale intercept and no window; MR_small:
// 16-bit signed with a window; a written file: 8-bit unsigned, three frames.
TEST(DicomInputTest, ShowsTheImageAtItsSizeThroughItsWindow) {
  OFLog::configure(OFLogger::FATAL_LOG_LEVEL);
  const std::string dir = ScratchDirectory();
  const ShownFile files[] = {{CtSmall(), 1, "128 x 128, 16-bit signed, frame 1 / 1"},
                             {TestFile("MR_small.dcm"), 1, "64 x 64, 16-bit signed, frame 1 / 1"},
                             {WriteEightBitFrames(dir + "/frames.dcm"), 3, "48 x 32, 8-bit unsigned, frame 3 / 3"}};
  Headless::HeadlessContext context(16, 16);
  ASSERT_TRUE(context.Ok()) << context.Error();
  for (const ShownFile& file : files) {
    SCOPED_TRACE(file.description);
    ASSERT_FALSE(file.path.empty());
    const RawImage raw = ReadRaw(file.path, file.frame);
    ASSERT_FALSE(raw.values.empty());
    const std::string out = dir + "/shown.png";
    const Outcome o = RunDemo({"--dicom", file.path, "--frame", std::to_string(file.frame), "--lut", "grey", "--out", out});
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_NE(o.out.find(file.description), std::string::npos) << o.out;
    const PictureFile picture(out);
    ASSERT_TRUE(picture.Ok());

    const Demo::Layout layout = Demo::MakeLayout(picture.Width(), picture.Height());
    const double w = raw.columns * raw.spacingColumn, h = raw.rows * raw.spacingRow;
    const Demo::AxialFraming framing = Demo::ImageAxialFraming(Vec3(w, h, 0.0), layout.axial, 1.0);
    const Projection axial(layout.axial, picture.Height(),
                           [&](Quorvel::GlCamera& c) { Demo::LoadAxialCamera(c, framing); });
    const PicturePoint centre = axial(Vec3());
    const int step = std::max(1, raw.columns / 24);
    int probed = 0, exact = 0;
    for (int j = 1; j < raw.rows - 1; j += step)
      for (int i = 1; i < raw.columns - 1; i += step) {
        const PicturePoint p =
            axial(Vec3(w / 2 - (i + 0.5) * raw.spacingColumn, h / 2 - (j + 0.5) * raw.spacingRow, 0));
        // Leave out the crosshair through the centre and the label corners.
        if (std::abs(p.x - centre.x) < 4 || std::abs(p.y - centre.y) < 4) continue;
        if (p.x < 340 && (p.y < 75 || p.y > picture.Height() - 45)) continue;
        double low = 255, high = 0;
        for (int dj = -1; dj <= 1; ++dj)
          for (int di = -1; di <= 1; ++di) {
            const double g = WindowGrey(raw.At(i + di, j + dj), raw.centre, raw.width);
            low = std::min(low, g), high = std::max(high, g);
          }
        const Rgb shown = picture.At(p.Column(), p.Row());
        SCOPED_TRACE(testing::Message() << "pixel " << i << "," << j);
        EXPECT_TRUE(shown.r == shown.g && shown.g == shown.b);
        EXPECT_GE(shown.g, low - 2.0);
        EXPECT_LE(shown.g, high + 2.0);
        ++probed;
        exact += std::abs(shown.g - WindowGrey(raw.At(i, j), raw.centre, raw.width)) <= 2.0 ? 1 : 0;
      }
    EXPECT_GT(probed, (raw.columns / step) * (raw.rows / step) / 2);
    EXPECT_GT(exact, probed * 6 / 10);
  }
}

struct BadFile {
  const char* name;
  const char* reason;
};

// A truncated copy, a text file, the image without its pixel data, a file
// that is not there, and a frame the file does not have.
TEST(DicomInputTest, RefusesFilesThatAreNotMonochromeImagesWithOneLine) {
  const std::string ct = CtSmall();
  ASSERT_FALSE(ct.empty());
  const std::string dir = ScratchDirectory();
  {
    std::ifstream in(ct, std::ios::binary);
    std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
    std::ofstream(dir + "/truncated.dcm", std::ios::binary).write(bytes.data(), std::streamsize(bytes.size() * 2 / 3));
    std::ofstream(dir + "/notes.txt") << "window centre 40, width 400\n";
    DcmFileFormat file;
    ASSERT_TRUE(file.loadFile(ct.c_str()).good());
    delete file.getDataset()->remove(DCM_PixelData);
    ASSERT_TRUE(file.saveFile((dir + "/nopixels.dcm").c_str(), EXS_LittleEndianExplicit).good());
  }
  const BadFile cases[] = {{"truncated.dcm", "truncated or damaged DICOM file"},
                           {"notes.txt", "not a DICOM file"},
                           {"nopixels.dcm", "not an image (no pixel data)"},
                           {"missing.dcm", "cannot open the file"}};
  for (const BadFile& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string out = dir + "/" + c.name + ".png";
    const Outcome o = RunDemo({"--dicom", dir + "/" + c.name, "--out", out});
    EXPECT_EQ(o.status, 1);
    ASSERT_EQ(Lines(o.err).size(), 1u) << o.err;
    EXPECT_EQ(o.err.rfind("quorvel-demo: ", 0), 0u) << o.err;
    EXPECT_NE(o.err.find(c.reason), std::string::npos) << o.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  const Outcome frame = RunDemo({"--dicom", ct, "--frame", "2", "--out", dir + "/frame.png"});
  EXPECT_EQ(frame.status, 1);
  EXPECT_NE(frame.err.find("has 1 frame(s), not 2"), std::string::npos) << frame.err;
}

}  // namespace
}  // namespace DemoTest
