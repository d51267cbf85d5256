// The 3D view: the volume's wire-frame box with the outline of the axial
// cutting plane, the axial slice textured in space at its height, the
// panoramic region with its upright slices and inspection window, and lit
// coordinate axes at the volume's corner.
#pragma once

#include "Layout.h"
#include "Resources.h"
#include "Scene.h"

#include <quorvel/GlCamera.h>
#include <quorvel/GlCoordAxes.h>
#include <quorvel/GlPanoramaRegion3D.h>
#include <quorvel/GlWiredVolume.h>

namespace Demo {

/// Loads the perspective camera that shows a volume of the given size
/// whole, from the front, a little from the patient's right and from above
/// (the viewport must be set).
void LoadVolumeCamera(Quorvel::GlCamera& camera, const Vec3& volumeSize);

class VolumeView {
public:
  explicit VolumeView(const Scene& scene);

  void Render(Scene& scene, const Viewport& viewport, Resources& resources);

private:
  void DrawSlice(Scene& scene, Resources& resources);
  void DrawRegion(const Scene& scene);
  void DrawAxes(const Scene& scene);
  void DrawLabels(const Scene& scene, const Viewport& viewport, Resources& resources);

  Quorvel::GlCamera camera;
  Quorvel::GlWiredVolume volume;
  Quorvel::GlPanoramaRegion3D region;
  Quorvel::GlCoordAxes axes;
};

}  // namespace Demo
