// One frame of the demo viewer through the library, in the order a viewer
// draws it: clear, then for each view its viewport, its camera, its image
// planes, and its regions and annotations.
#pragma once

#include "AxialView.h"
#include "CrossSectionView.h"
#include "Layout.h"
#include "PanoramicView.h"
#include "Resources.h"
#include "Scene.h"
#include "VolumeView.h"

namespace Demo {

class Viewer {
public:
  /// Needs the frame's GL context current: builds the fonts' glyph lists.
  /// `interactive`: drawn in the window, where the views say what the mouse
  /// does.
  Viewer(Scene& scene, bool interactive);

  /// Draws the whole frame into the current context's framebuffer of the
  /// given size (in pixels). Hands changed images and tables to the texture
  /// mappers first.
  void Render(int width, int height);

  /// Converts the images through their table again, as a window/level
  /// change does; returns the number of pixels converted.
  long ConvertImages();

private:
  void UpdateMappers();

  Scene& scene;
  Resources resources;
  AxialView axial;
  VolumeView volume;
  PanoramicView panoramic;
  CrossSectionView crossSection;
};

}  // namespace Demo
