#include "Projection.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace DemoTest {

Projection::Projection(const Demo::Viewport& v, int pictureHeight,
                       const std::function<void(Quorvel::GlCamera&)>& load)
    : height(pictureHeight) {
  glViewport(v.x, v.y, v.width, v.height);
  Quorvel::GlCamera camera;
  load(camera);
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
}

PicturePoint Projection::operator()(const Brantel::Geometry::Vector3<double>& w) const {
  double x = 0, y = 0, z = 0;
  gluProject(w[0], w[1], w[2], model, projection, viewport, &x, &y, &z);
  return {x, height - y};
}

}  // namespace DemoTest
