// The panoramic view: the image reformatted from the phantom along the arch
// (first arch sample on the left), with the inspection window, the
// transversal slice positions and the axial slice's height marked. Its
// world coordinates are the panorama's own: x = −(position along the
// arch), y = height z.
#pragma once

#include "Layout.h"
#include "Resources.h"
#include "Scene.h"

#include <quorvel/GlCamera.h>

namespace Demo {

class PanoramicView {
public:
  void Render(Scene& scene, const Viewport& viewport, Resources& resources);

  /// World size of one screen pixel (mm).
  double PixelSize(const Scene& scene, const Viewport& viewport) const;
  /// Panorama coordinates (x along the arch, z height) under window pixel
  /// (x, y).
  void PanoramaAt(const Scene& scene, const Viewport& viewport, double x, double y, double& along,
                  double& height) const;

private:
  void SetCamera(Scene& scene, const Viewport& viewport);
  void DrawMarks(const Scene& scene);
  void DrawLabels(const Scene& scene, const Viewport& viewport, Resources& resources);

  Quorvel::GlCamera camera;
};

}  // namespace Demo
