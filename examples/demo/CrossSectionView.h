// The cross-section view: the transversal slice across the arch at the
// panorama position, reformatted from the volume, with the band's edges,
// the axial slice's height and the panorama point marked. Its world
// coordinates are the slice's own: x = offset along the arch's normal
// (the normal's side on the right), y = height z.
#pragma once

#include "Layout.h"
#include "PlaneFraming.h"
#include "Resources.h"
#include "Scene.h"

#include <quorvel/GlCamera.h>

namespace Demo {

class CrossSectionView {
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

}  // namespace Demo
