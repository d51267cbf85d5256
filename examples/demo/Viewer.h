// One frame of the demo viewer through the library, in the order a viewer
// draws it: clear, then for each view its viewport, its camera, its image
// planes, and its regions and annotations.
#pragma once

#include "AxialView.h"
#include "Layout.h"
#include "PanoramicView.h"
#include "Resources.h"
#include "Scene.h"
#include "VolumeView.h"

namespace Demo {

class Viewer {
public:
  /// Needs the frame's GL context current: builds the fonts' glyph lists.
  explicit Viewer(Scene& scene);

  /// Draws the whole frame into the current context's framebuffer of the
  /// given size (in pixels). Hands changed images and tables to the texture
  /// mappers first.
  void Render(int width, int height);

  /// Converts both images through their tables again, as a window/level
  /// change does; returns the number of pixels converted.
  long ConvertImages();

  /// Input of the interactive window, in GL window coordinates.
  void Drag(int width, int height, double x, double y);
  void Scroll(int width, int height, double x, double y, double steps);

  Scene& GetScene() { return scene; }

private:
  void UpdateMappers();

  Scene& scene;
  Resources resources;
  AxialView axial;
  VolumeView volume;
  PanoramicView panoramic;
};

}  // namespace Demo
