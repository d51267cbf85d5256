// The axial view: the axial slice seen from the feet, with the panoramic
// region along the arch, circles on the arch's points, a ruler between its
// ends, the crosshair at the panorama position and text labels.
#pragma once

#include "Layout.h"
#include "PlaneFraming.h"
#include "Resources.h"
#include "Scene.h"

#include <quorvel/GlCamera.h>
#include <quorvel/GlCircle.h>
#include <quorvel/GlCrosshair.h>
#include <quorvel/GlPanoramaRegionAxial.h>
#include <quorvel/GlRuler.h>

namespace Demo {

/// Radius in pixels of the circles on the arch's points; a press this near
/// one picks it up.
constexpr double kArchPointRadius = 6.0;

class AxialView {
public:
  AxialView();

  void Render(Scene& scene, const Viewport& viewport, Resources& resources);

  /// The scene's axial focus fitted into the viewport, rows of the slice
  /// down the screen (the front of an axial series at the top, its left on
  /// the right), before the user's pan and zoom.
  static PlaneFraming Fitted(const Scene& scene, const Viewport& viewport);
  /// The same after them: what the view shows.
  static PlaneFraming Framing(const Scene& scene, const Viewport& viewport);

private:
  void DrawSlice(Scene& scene, Resources& resources);
  void DrawRegion(const Scene& scene, double pixel);
  void DrawArchPoints(const Scene& scene, double pixel);
  void DrawRuler(const Scene& scene);
  void DrawCrosshair(const Scene& scene, double pixel);
  void DrawLabels(const Scene& scene, const Viewport& viewport, const PlaneFraming& framing, Resources& resources);
  void DrawDirections(const Scene& scene, const Viewport& viewport, const PlaneFraming& framing,
                      Resources& resources);

  Quorvel::GlCamera camera;
  Quorvel::GlPanoramaRegionAxial region;
  Quorvel::GlCrosshair crosshair;
  Quorvel::GlRuler ruler;
  Quorvel::GlCircle circle;
};

}  // namespace Demo
