#pragma once

#include <brantel/geometry/Vector2.h>
#include <brantel/geometry/Vector3.h>
#include <quorvel/QuorvelExport.h>

/// The viewer's camera: eye point, focus point, up direction, clip distances,
/// field of view and zoom.
///
/// Stores the six parameters, offers them and the unit directions derived from
/// them, and declares the four projection operations that a concrete camera
/// such as Quorvel::GlCamera implements with GL. In the global namespace. Keeps
/// no pointers and issues no GL command itself.
///
/// Thread rule: no locking; use an object on one thread at a time.
class QUORVEL_EXPORT Camera {
public:
  /// Points, directions and the like.
  using Vec3 = Brantel::Geometry::Vector3<double>;
  /// Clip ranges and fields of view.
  using Vec2 = Brantel::Geometry::Vector2<double>;

  /// Eye (0, 1, 0), focus (0, 0, 0), up (0, 0, 1), clip (0, 1),
  /// fov (0.7, 0.7), zoom 1. The near distance 0 makes a degenerate
  /// perspective frustum: set clip planes before SetPerspectiveFrustum.
  Camera();
  ///@{
  /// Copies all six parameters; nothing to release on destruction.
  Camera(const Camera&) = default;
  Camera& operator=(const Camera&) = default;
  virtual ~Camera();
  ///@}

  /// Replaces the modelview matrix with the look-at matrix.
  virtual void SetLookAt() = 0;
  /// Loads an orthographic projection sized from the viewport and the zoom.
  virtual void SetOrthoFrustum() = 0;
  /// Loads an orthographic projection of the given world width and height.
  virtual void SetOrthoFrustumWidthAndHeight(double width, double height) = 0;
  /// Loads a perspective projection from the field of view and clip planes.
  virtual void SetPerspectiveFrustum() = 0;

  /// The eye point, in world coordinates.
  const Vec3& Eye() const { return eye; }
  /// The point looked at.
  const Vec3& Focus() const { return focus; }
  /// The up direction as set, not normalised.
  const Vec3& Up() const { return up; }
  /// x = near clip distance, y = far clip distance.
  const Vec2& Clip() const { return clip; }
  /// Field of view in degrees; only x is used by the projections.
  const Vec2& FOV() const { return fov; }
  /// Scale of the orthographic view: one pixel spans 2 · zoom world units.
  double Zoom() const { return zoom; }

  /// Sets the eye point.
  void SetEye(const Vec3& e);
  /// Sets the point looked at.
  void SetFocus(const Vec3& f);
  /// Stores the up direction unnormalised.
  void SetDirectionUp(const Vec3& u);
  /// x = near, y = far.
  void SetClipPlanes(const Vec2& c);
  /// Clip range of half-depth h centred on distance d: (d − h, d + h).
  void SetClipDistance(double d, double h);
  /// Field of view in degrees; only x is used: the full opening across the
  /// smaller viewport dimension.
  void SetFOV(const Vec2& f);
  /// Sets both components of the field of view to a.
  void SetFOV(double a);
  /// Sets the zoom of SetOrthoFrustum: one pixel spans 2 · z world units.
  void SetZoom(double z);

  /// Unit direction from the focus towards the eye; zero when they coincide.
  Vec3 DirectionEye() const;
  /// The up direction normalised.
  Vec3 DirectionUp() const;
  /// Normalised CrossProduct(up, eye − focus): the right-hand side of the view.
  Vec3 DirectionRight() const;

protected:
  Vec3 eye;     ///< eye point
  Vec3 focus;   ///< point looked at
  Vec3 up;      ///< up direction, as set
  Vec2 clip;    ///< near, far
  Vec2 fov;     ///< field of view in degrees; x is used
  double zoom;  ///< orthographic scale: 2 · zoom world units per pixel
};
