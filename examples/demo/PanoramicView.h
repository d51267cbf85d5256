// The panoramic view: the image reformatted from the volume along the arch
// (its first point's end on the left), with the inspection window, the
// transversal slice positions and the axial slice's height marked. Its
// world coordinates are the panorama's own: x = −(position along the
// arch), y = height z. Without an arch it says how to make one.
#pragma once

#include "Layout.h"
#include "PlaneFraming.h"
#include "Resources.h"
#include "Scene.h"

#include <quorvel/GlCamera.h>

namespace Demo {

class PanoramicView {
public:
  void Render(Scene& scene, const Viewport& viewport, Resources& resources);

  /// The whole image fitted into the viewport, before the user's pan and
  /// zoom; and after them.
  static PlaneFraming Fitted(const Scene& scene, const Viewport& viewport);
  static PlaneFraming Framing(const Scene& scene, const Viewport& viewport);

private:
  void DrawMarks(const Scene& scene);
  void DrawLabels(const Scene& scene, const Viewport& viewport, Resources& resources);

  Quorvel::GlCamera camera;
};

/// An image of the panoramic view or the cross-section view, whose middle
/// column is at x = 0 and whose row 0 is at height `bottom`: fitted whole
/// into the viewport (before the user's pan and zoom), and drawn through
/// `mapper`.
PlaneFraming FitImage(const GreyImage& image, double bottom, const Viewport& viewport);
void DrawImage(Quorvel::Gl2DTextureMapper& mapper, const GreyImage& image, double bottom);

}  // namespace Demo
