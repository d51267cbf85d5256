// How a flat view frames its plane: the world point at the viewport's
// centre, the world directions of the screen's right and up, and the world
// size of a screen pixel; fitted to what the view shows, then moved by the
// user's pan and zoom.
#pragma once

#include "Layout.h"

#include <quorvel/GlCamera.h>

#include <brantel/geometry/Vector3.h>

namespace Demo {

using Vec3 = Brantel::Geometry::Vector3<double>;

/// The user's pan and zoom of a flat view, over its fitted framing.
struct PanZoom {
  double zoom = 1.0;
  double right = 0.0, up = 0.0;  ///< mm the view's centre moved along the screen's right and up
};

struct PlaneFraming {
  Vec3 centre;
  Vec3 right{1.0, 0.0, 0.0}, up{0.0, 1.0, 0.0};
  double pixel = 1.0;  ///< mm per screen pixel

  /// Fits `width` × `height` mm around `centre` into the viewport, with a
  /// thin margin.
  static PlaneFraming Fit(const Vec3& centre, double width, double height, const Viewport& viewport,
                          const Vec3& right = {1.0, 0.0, 0.0}, const Vec3& up = {0.0, 1.0, 0.0});

  /// This framing after the user's pan and zoom.
  PlaneFraming Moved(const PanZoom& panZoom) const;
  /// The world point under window pixel (x, y) (GL window coordinates).
  Vec3 At(const Viewport& viewport, double x, double y) const;
  /// Loads an orthographic camera that shows the framing (the viewport must
  /// be set), looking at the plane from the side of right × up.
  void Load(Quorvel::GlCamera& camera) const;
};

/// Zooms by `factor` (the zoom stays within 0.25 … 32) about window pixel
/// (x, y): the world point under it stays under it.
void ZoomAbout(PanZoom& panZoom, const PlaneFraming& fitted, const Viewport& viewport, double x, double y,
               double factor);
/// Pans so that the plane follows a cursor that moved (dx, dy) pixels.
void PanBy(PanZoom& panZoom, const PlaneFraming& fitted, double dx, double dy);

}  // namespace Demo
