// Camera that loads its projection and look-at matrices into the current
// fixed-function OpenGL context.
#pragma once

#include <quorvel/Camera.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

class QUORVEL_EXPORT GlCamera : public Camera {
public:
  GlCamera() = default;
  GlCamera(const GlCamera&) = default;
  GlCamera& operator=(const GlCamera&) = default;
  ~GlCamera() override;

  /// Replaces the modelview matrix: glMatrixMode(GL_MODELVIEW),
  /// glLoadIdentity, gluLookAt(eye, focus, up).
  /// GL state: leaves the matrix mode at GL_MODELVIEW.
  void SetLookAt() override;

  /// Reads the viewport (w × h pixels) and loads
  /// glOrtho(−w·zoom, w·zoom, −h·zoom, h·zoom, near, far) into the projection
  /// matrix, so one pixel spans 2·zoom world units.
  /// GL state: leaves the matrix mode at GL_MODELVIEW.
  void SetOrthoFrustum() override;

  /// Loads glOrtho(−width/2, width/2, −height/2, height/2, near, far);
  /// ignores viewport and zoom. GL state: leaves the matrix mode at GL_MODELVIEW.
  void SetOrthoFrustumWidthAndHeight(double width, double height) override;

  /// Loads glFrustum over the near-plane corners of GetFrontPlaneCoords and
  /// the clip distances. Needs 0 < near < far and a viewport of at least one
  /// pixel each way. GL state: leaves the matrix mode at GL_MODELVIEW.
  void SetPerspectiveFrustum() override;

  /// Writes the near-plane corners, in eye coordinates, of the perspective
  /// frustum: fov.x opens across the smaller viewport dimension and the larger
  /// one is widened by the aspect ratio. Issues only glGetIntegerv(GL_VIEWPORT).
  void GetFrontPlaneCoords(Vec2& lowerLeft, Vec2& upperRight);
};

}  // namespace Quorvel
