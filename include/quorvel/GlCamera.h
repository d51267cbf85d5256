#pragma once

#include <quorvel/Camera.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

/// A camera that loads its projection and look-at matrices into the current
/// fixed-function GL context.
///
/// Adds no data to Camera. Set the viewport before the projection operations
/// (they read it back), and call SetLookAt() before multiplying anything onto
/// the modelview matrix (it replaces it). Keeps no pointers and no GL objects.
///
/// GL state: every operation leaves the matrix mode at GL_MODELVIEW; the
/// matrices it loads are its purpose, not a side effect.
///
/// Thread rule: the operations that issue GL commands run on the thread whose
/// context is current; no locking.
class QUORVEL_EXPORT GlCamera : public Camera {
public:
  ///@{
  /// The defaults of Camera; copies copy all six parameters; nothing to
  /// release.
  GlCamera() = default;
  GlCamera(const GlCamera&) = default;
  GlCamera& operator=(const GlCamera&) = default;
  ~GlCamera() override;
  ///@}

  /// Replaces the modelview matrix: glMatrixMode(GL_MODELVIEW),
  /// glLoadIdentity, gluLookAt(eye, focus, up).
  /// @gl_pushes nothing.
  /// @gl_leaves the modelview matrix replaced; matrix mode GL_MODELVIEW.
  void SetLookAt() override;

  /// Reads the viewport (w × h pixels) and loads
  /// glOrtho(−w·zoom, w·zoom, −h·zoom, h·zoom, near, far) into the projection
  /// matrix, so one pixel spans 2·zoom world units.
  /// @gl_pushes nothing.
  /// @gl_leaves the projection matrix replaced; matrix mode GL_MODELVIEW.
  void SetOrthoFrustum() override;

  /// Loads glOrtho(−width/2, width/2, −height/2, height/2, near, far);
  /// ignores viewport and zoom.
  /// @gl_pushes nothing.
  /// @gl_leaves the projection matrix replaced; matrix mode GL_MODELVIEW.
  void SetOrthoFrustumWidthAndHeight(double width, double height) override;

  /// Loads glFrustum over the near-plane corners of GetFrontPlaneCoords and
  /// the clip distances. Needs 0 < near < far and a viewport of at least one
  /// pixel each way.
  /// @gl_pushes nothing.
  /// @gl_leaves the projection matrix replaced; matrix mode GL_MODELVIEW.
  void SetPerspectiveFrustum() override;

  /// Writes the near-plane corners, in eye coordinates, of the perspective
  /// frustum: fov.x opens across the smaller viewport dimension and the larger
  /// one is widened by the aspect ratio. Issues only glGetIntegerv(GL_VIEWPORT).
  /// @gl_pushes nothing.
  /// @gl_leaves nothing: it only reads the viewport.
  void GetFrontPlaneCoords(Vec2& lowerLeft, Vec2& upperRight);
};

}  // namespace Quorvel
