// Where the demo's cameras put a point of the scene in the picture: the
// tests load the same camera into a headless GL context and project with
// the matrices GL holds.
#pragma once

#include "Layout.h"

#include <quorvel/GlCamera.h>

#include <brantel/geometry/Vector3.h>

#include <functional>

namespace DemoTest {

struct PicturePoint {
  double x = 0.0;  ///< column
  double y = 0.0;  ///< row from the top of the picture
  int Column() const { return int(x); }
  int Row() const { return int(y); }
};

class Projection {
public:
  /// Sets the viewport of a picture of the given height, lets `load` load
  /// a camera into it and keeps the matrices. Needs a current GL context.
  Projection(const Demo::Viewport& viewport, int pictureHeight,
             const std::function<void(Quorvel::GlCamera&)>& load);

  PicturePoint operator()(const Brantel::Geometry::Vector3<double>& world) const;

private:
  double model[16] = {}, projection[16] = {};
  int viewport[4] = {};
  int height = 0;
};

}  // namespace DemoTest
