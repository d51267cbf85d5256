// The axial view: the slice through the teeth seen from the feet, with the
// panoramic region along the arch, the crosshair at the panorama position,
// a ruler across the arch, a circle on the implant site and text labels.
#pragma once

#include "Layout.h"
#include "Resources.h"
#include "Scene.h"

#include <quorvel/GlCamera.h>
#include <quorvel/GlCircle.h>
#include <quorvel/GlCrosshair.h>
#include <quorvel/GlPanoramaRegionAxial.h>
#include <quorvel/GlRuler.h>

namespace Demo {

/// How the axial view frames the plane z = 0: the point at the viewport's
/// centre and the size of one pixel in mm.
struct AxialFraming {
  Vec3 centre;
  double pixel = 1.0;
};

/// The phantom's jaws, airway and spine, at a zoom factor.
AxialFraming PhantomAxialFraming(const Viewport& viewport, double zoom);
/// A whole image of the given extent (mm), centred, at a zoom factor.
AxialFraming ImageAxialFraming(const Vec3& extent, const Viewport& viewport, double zoom);
/// Loads the orthographic camera of that framing (the viewport must be set).
void LoadAxialCamera(Quorvel::GlCamera& camera, const AxialFraming& framing);

class AxialView {
public:
  explicit AxialView(const Scene& scene);

  void Render(Scene& scene, const Viewport& viewport, Resources& resources);

  /// The framing of the scene's slice at the scene's zoom.
  static AxialFraming Framing(const Scene& scene, const Viewport& viewport);
  /// The point of the axial plane under window pixel (x, y) (GL window
  /// coordinates, origin bottom left).
  static Vec3 WorldAt(const Scene& scene, const Viewport& viewport, double x, double y);

private:
  void DrawSlice(Scene& scene, Resources& resources);
  void DrawRegion(const Scene& scene, double pixel);
  void DrawSite(const Scene& scene, double pixel, Resources& resources);
  void DrawRuler(const Scene& scene, Resources& resources);
  void DrawCrosshair(const Scene& scene, double pixel);
  void DrawLabels(const Scene& scene, const Viewport& viewport, double pixel, Resources& resources);

  Quorvel::GlCamera camera;
  Quorvel::GlPanoramaRegionAxial region;
  Quorvel::GlCrosshair crosshair;
  Quorvel::GlRuler ruler;
  Quorvel::GlCircle circle;
};

}  // namespace Demo
