// What the mouse and the keys do in the window, as changes of the scene.
// Positions are window pixels in GL coordinates (origin at the bottom
// left) of a frame of the given size. Nothing here needs GL or a window,
// so input can be replayed without either.
//
// Left button: in the axial view a press on an arch point drags it, a press
// in the band moves the panorama position there, a press anywhere else adds
// an arch point (and drags it); in the 3D view it turns the view; in the
// panoramic view it moves the position along the arch and the axial slice
// to the height under the cursor; in the cross-section across the band and
// in height. Middle or right button: pans any view. Wheel: zooms about the
// cursor (the 3D view about its centre).
#pragma once

#include "Layout.h"
#include "Scene.h"

#include <cstddef>

namespace Demo {

class Controls {
public:
  enum class Button { Left, Middle, Right };
  enum class Key {
    SliceUp, SliceDown, TenSlicesUp, TenSlicesDown,
    WindowNarrower, WindowWider, LevelDown, LevelUp,
    RemoveArchPoint
  };

  explicit Controls(Scene& scene) : scene(scene) {}

  void Press(Button button, int width, int height, double x, double y);
  /// Returns whether a drag changed the scene.
  bool Move(int width, int height, double x, double y);
  void Release() { drag = Drag::None; }
  void Scroll(int width, int height, double x, double y, double steps);
  void Press(Key key);

  /// Whether the user changed the arch.
  bool ArchEdited() const { return archEdited; }

private:
  enum class View { None, Axial, Volume, Panoramic, CrossSection };
  enum class Drag { None, Pan, Turn, ArchPoint, Position };

  static View ViewAt(const Layout& layout, double x, double y);
  static Viewport ViewportOf(const Layout& layout, View view);
  void PressAxial(const Viewport& viewport, double x, double y);
  void MovePosition(const Viewport& viewport, double x, double y);
  void Pan(const Viewport& viewport, double dx, double dy);
  Vec3 InSlice(const Vec3& world) const;

  Scene& scene;
  View view = View::None;
  Drag drag = Drag::None;
  std::size_t point = 0;  ///< the arch point dragged
  double lastX = 0.0, lastY = 0.0;
  bool archEdited = false;
};

}  // namespace Demo
