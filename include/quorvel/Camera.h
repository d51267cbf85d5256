// The viewer's camera: eye point, focus point, up direction, clip distances,
// field of view and zoom. Stores and derives; the projection operations are
// left to a concrete camera such as Quorvel::GlCamera.
#pragma once

#include <brantel/geometry/Vector2.h>
#include <brantel/geometry/Vector3.h>
#include <quorvel/QuorvelExport.h>

class QUORVEL_EXPORT Camera {
public:
  using Vec3 = Brantel::Geometry::Vector3<double>;
  using Vec2 = Brantel::Geometry::Vector2<double>;

  /// Eye (0, 1, 0), focus (0, 0, 0), up (0, 0, 1), clip (0, 1),
  /// fov (0.7, 0.7), zoom 1. The near distance 0 makes a degenerate
  /// perspective frustum: set clip planes before SetPerspectiveFrustum.
  Camera();
  Camera(const Camera&) = default;
  Camera& operator=(const Camera&) = default;
  virtual ~Camera();

  /// Replaces the modelview matrix with the look-at matrix.
  virtual void SetLookAt() = 0;
  /// Loads an orthographic projection sized from the viewport and the zoom.
  virtual void SetOrthoFrustum() = 0;
  /// Loads an orthographic projection of the given world width and height.
  virtual void SetOrthoFrustumWidthAndHeight(double width, double height) = 0;
  /// Loads a perspective projection from the field of view and clip planes.
  virtual void SetPerspectiveFrustum() = 0;

  const Vec3& Eye() const { return eye; }
  const Vec3& Focus() const { return focus; }
  /// The up direction as set, not normalised.
  const Vec3& Up() const { return up; }
  /// x = near clip distance, y = far clip distance.
  const Vec2& Clip() const { return clip; }
  /// Field of view in degrees; only x is used by the projections.
  const Vec2& FOV() const { return fov; }
  double Zoom() const { return zoom; }

  void SetEye(const Vec3& e);
  void SetFocus(const Vec3& f);
  /// Stores the up direction unnormalised.
  void SetDirectionUp(const Vec3& u);
  /// x = near, y = far.
  void SetClipPlanes(const Vec2& c);
  /// Clip range of half-depth h centred on distance d: (d − h, d + h).
  void SetClipDistance(double d, double h);
  void SetFOV(const Vec2& f);
  /// Sets both components of the field of view to a.
  void SetFOV(double a);
  void SetZoom(double z);

  /// Unit direction from the focus towards the eye; zero when they coincide.
  Vec3 DirectionEye() const;
  /// The up direction normalised.
  Vec3 DirectionUp() const;
  /// Normalised CrossProduct(up, eye − focus): the right-hand side of the view.
  Vec3 DirectionRight() const;

protected:
  Vec3 eye;
  Vec3 focus;
  Vec3 up;
  Vec2 clip;
  Vec2 fov;
  double zoom;
};
