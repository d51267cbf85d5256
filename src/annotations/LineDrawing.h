// The pieces the ruler and the crosshair draw their lines with.
#pragma once

#include <brantel/geometry/Vector3.h>

#include <GL/gl.h>

namespace Quorvel {

/// Switches lighting, 1D texturing and blending off and sets the current
/// colour to opaque white, the state both objects draw their lines in.
inline void PrepareLineDrawing() {
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_1D);
  glDisable(GL_BLEND);
  glColor4ub(255, 255, 255, 255);
}

/// One line of an open GL_LINES primitive: the vertices `from` and `to`.
inline void Segment(const Brantel::Geometry::Vector3<double>& from, const Brantel::Geometry::Vector3<double>& to) {
  glVertex3dv(from.Data());
  glVertex3dv(to.Data());
}

}  // namespace Quorvel
