// The axial view: the slice through the teeth seen from above, with the
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

class AxialView {
public:
  explicit AxialView(const Scene& scene);

  void Render(Scene& scene, const Viewport& viewport, Resources& resources);

  /// World size of one screen pixel (mm) at the scene's zoom.
  double PixelSize(const Scene& scene, const Viewport& viewport) const;
  /// The point of the axial plane under window pixel (x, y) (GL window
  /// coordinates, origin bottom left).
  Vec3 WorldAt(const Scene& scene, const Viewport& viewport, double x, double y) const;
  /// The point of the axial plane at the centre of the view.
  Vec3 Centre(const Scene& scene) const;

private:
  void SetCamera(const Scene& scene, const Viewport& viewport);
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
