// What one frame of the demo viewer shows, independent of how it is drawn:
// the data (the phantom or a DICOM image), the current axial slice and
// panoramic image, the panorama position, the window and the palette.
// The views read it; the window's input handlers change it.
#pragma once

#include "GreyImage.h"
#include "LookupTable.h"
#include "Phantom.h"
#include "Slicer.h"
#include "StageTimes.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace Demo {

/// The phantom scene starts with the slice through the crowns of the lower
/// teeth and the panorama position on the arch at the right premolars.
constexpr int kInitialSlice = 140;
constexpr double kInitialPositionAlong = 22.0;

/// Settings of the panoramic region shared by the views (mm).
struct RegionSettings {
  double bandWidth = 16.0;
  int sliceCount = 7;
  double sliceSpacing = 5.0;
  double windowLength = 28.0;
  double windowHeight = 34.0;
};

/// A DICOM image loaded for the axial view, with its own window.
struct DicomSlice {
  std::string name;
  std::string description;  ///< e.g. "128 x 128, 16-bit signed, frame 1 / 1"
  Window window;
};

class Scene {
public:
  /// The phantom scene (kInitialSlice, kInitialPositionAlong); records the
  /// time of computing its images in `times`.
  Scene(Palette palette, StageTimes& times);
  /// A DICOM image in the axial view; there is no arch, no panoramic image
  /// and only the one slice.
  Scene(GreyImage image, DicomSlice dicom, Palette palette);

  const Phantom& GetPhantom() const { return phantom; }
  const RegionSettings& Region() const { return region; }

  GreyImage& Slice() { return *slice; }
  const GreyImage& Slice() const { return *slice; }
  /// Whether the phantom's arch and panoramic image are shown (not for DICOM).
  bool HasArch() const { return panoramic != nullptr; }
  GreyImage& Panoramic() { return *panoramic; }
  const GreyImage& Panoramic() const { return *panoramic; }
  const std::vector<std::uint32_t>& SliceTable() const { return sliceTable; }
  const std::vector<std::uint32_t>& PanoramicTable() const { return panoramicTable; }
  const std::optional<DicomSlice>& Dicom() const { return dicom; }

  /// Height of the axial slice (mm) and its index in the volume.
  double SliceZ() const { return position[2]; }
  int SliceIndex() const;
  int SliceCount() const;
  /// Moves the slice by whole slices; recomputes it. Returns false at the ends.
  bool StepSlice(int steps);

  /// Panorama position: x along the arch (mm from its middle, positive
  /// towards the first sample), y across the band, z the slice height.
  const Vec3& Position() const { return position; }
  void SetPositionAlong(double x, double y);
  /// The panorama position as a point of the axial plane (z = 0).
  Vec3 PositionInPlane() const;

  const Window& GetWindow() const { return window; }
  void SetWindow(const Window& w);
  Palette GetPalette() const { return palette; }

  double Zoom() const { return zoom; }
  void SetZoom(double z) { zoom = z; }

  /// Where the slice image lies in the axial plane (z = 0): the outer corner
  /// of pixel (0, 0) and the edges along its rows and columns, in mm. The
  /// phantom's slice lies in the phantom's coordinates; a DICOM image is
  /// placed so that the axial view shows it as stored, row 0 at the top and
  /// column 0 on the left.
  void SlicePlane(Vec3& origin, Vec3& xEdge, Vec3& yEdge) const;
  /// Extent of the volume (phantom) or of a box around the DICOM image.
  Vec3 VolumeSize() const;

  /// Unit parameter of an arch position x (0.5 at the middle).
  double UnitOf(double x) const { return 0.5 - x / phantom.Arch().SampledLength(); }

  /// Whether the slice pixels, or the tables, changed since the last call
  /// (the views then hand them to their mappers again).
  bool TakeSliceChanged() { return std::exchange(sliceChanged, false); }
  bool TakeTableChanged() { return std::exchange(tableChanged, false); }

private:
  void MakeTables();

  Phantom phantom;
  RegionSettings region;
  std::unique_ptr<GreyImage> slice;
  std::unique_ptr<GreyImage> panoramic;
  std::optional<DicomSlice> dicom;
  Vec3 position;
  Window window;
  Palette palette;
  double zoom = 1.0;
  std::vector<std::uint32_t> sliceTable, panoramicTable;
  bool sliceChanged = true, tableChanged = true;
};

}  // namespace Demo
