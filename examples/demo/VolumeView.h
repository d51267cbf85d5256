// The 3D view: the volume's wire-frame box with the outline of the axial
// cutting plane, the axial slice textured in space at its height, the
// panoramic region with its upright slices and inspection window, and lit
// coordinate axes at the volume's corner; turned, panned and zoomed by the
// user (the scene's orbit).
#pragma once

#include "Layout.h"
#include "Resources.h"
#include "Scene.h"

#include <quorvel/GlCamera.h>
#include <quorvel/GlCoordAxes.h>
#include <quorvel/GlPanoramaRegion3D.h>
#include <quorvel/GlWiredVolume.h>

namespace Demo {

class VolumeView {
public:
  explicit VolumeView(const Scene& scene);

  void Render(Scene& scene, const Viewport& viewport, Resources& resources);

  /// World size (mm) of a screen pixel at the point looked at.
  static double PixelAtFocus(const Scene& scene, const Viewport& viewport);

private:
  void LoadCamera(const Scene& scene);
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
