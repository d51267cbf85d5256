// What one frame of the demo viewer shows, independent of how it is drawn:
// the loaded volume (a DICOM series or the voxelised phantom), the axial
// slice, the dental arch and the images cut along it, the panorama
// position, the window and palette, and the user's pan, zoom and rotation
// of each view. The views read it; the window's controls change it.
#pragma once

#include "ArchSpline.h"
#include "LoadedVolume.h"
#include "LookupTable.h"
#include "Orbit.h"
#include "PlaneFraming.h"
#include "StageTimes.h"
#include "VolumeImages.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Demo {

/// The panorama position starts this far (mm) from the arch's middle
/// towards its first point: on an arch from the patient's right to the
/// left, at about the left first molar (the phantom's is missing: the site
/// of a planned implant, over the nerve canal).
constexpr double kInitialPositionAlong = -41.0;

/// Settings of the panoramic region shared by the views (mm).
struct RegionSettings {
  double bandWidth = 16.0;
  int sliceCount = 7;
  double sliceSpacing = 5.0;
  double windowLength = 28.0;
  double windowHeight = 34.0;
};

/// What the command line chooses.
struct SceneSetup {
  std::string name;         ///< what the axial view calls the data
  std::vector<Vec3> arch;   ///< arch points, patient x and y (mm); none for no arch
  int slice = -1;           ///< the axial slice from 0; -1 for the middle one
  Palette palette = Palette::Bone;
};

/// The user's pan, zoom and rotation of each view.
struct ViewControls {
  PanZoom axial, panoramic, crossSection;
  Orbit volume;
};

/// What changed since the views last handed the images to their mappers.
struct Changes {
  bool slice = false, panoramic = false, crossSection = false, table = false;
};

class Scene {
public:
  /// Cuts the first images; records their times in `times`.
  Scene(DicomSeries series, const SceneSetup& setup, StageTimes& times);

  const LoadedVolume& Volume() const { return volume; }
  const std::string& Name() const { return name; }
  const RegionSettings& Region() const { return region; }
  ViewControls& Controls() { return controls; }
  const ViewControls& Controls() const { return controls; }

  /// The axial slice: its index from 0, its world height.
  int SliceIndex() const { return sliceIndex; }
  double SliceZ() const { return position[2]; }
  /// Moves the slice by whole slices within the volume; false at the ends.
  bool StepSlice(int steps);

  /// The arch points in the world (z = 0), in order along the arch.
  const std::vector<Vec3>& ArchPoints() const { return archPoints; }
  void AddArchPoint(const Vec3& world);
  void MoveArchPoint(std::size_t index, const Vec3& world);
  void RemoveLastArchPoint();
  /// The arch points in patient coordinates, as --arch takes them.
  std::string ArchText() const;
  /// Whether the arch has a curve (two points or more); only then are there
  /// a panoramic image and a cross-section.
  bool HasArch() const { return arch.HasCurve(); }
  const ArchSpline& Arch() const { return arch; }

  /// What the axial view frames before any zoom: the arch's band with room
  /// around it when the scene starts with an arch, else the whole slice.
  const Vec3& AxialFocusCentre() const { return focusCentre; }
  const Vec3& AxialFocusSize() const { return focusSize; }

  /// Panorama position: x along the arch (mm from its middle, positive
  /// towards its first point), y across the band, z the slice height.
  const Vec3& Position() const { return position; }
  void SetPositionAlong(double x, double y);
  /// The panorama position as a point of the axial plane (z = 0).
  Vec3 PositionInPlane() const;
  /// The panorama position of a point of the axial plane: along the arch
  /// at its nearest sample, and across it along the normal there.
  void PositionOf(const Vec3& world, double& along, double& across) const;
  /// Unit parameter of an arch position x (0.5 at the middle).
  double UnitOf(double x) const { return 0.5 - x / arch.Length(); }

  GreyImage& Slice() { return images.Slice(); }
  GreyImage& Panoramic() { return images.Panoramic(); }
  GreyImage& CrossSection() { return images.CrossSection(); }
  const VolumeImages& Images() const { return images; }

  const Window& GetWindow() const { return window; }
  void SetWindow(const Window& w);
  Palette GetPalette() const { return palette; }
  /// The lookup table of all three images (they share the volume's values).
  const std::vector<std::uint32_t>& Table() const { return table; }

  /// What changed since the last call.
  Changes TakeChanges();

private:
  Vec3 PatientToArchPoint(const Vec3& patient) const;
  void SetFocus();
  void ArchChanged();
  void MakeTable();

  LoadedVolume volume;
  std::string name;
  RegionSettings region;
  VolumeImages images;
  int sliceIndex = 0;
  std::vector<Vec3> archPoints;
  ArchSpline arch;
  Vec3 focusCentre, focusSize;
  Vec3 position;
  Window window;
  Palette palette;
  std::vector<std::uint32_t> table;
  ViewControls controls;
  Changes changes{true, true, true, true};
};

}  // namespace Demo
