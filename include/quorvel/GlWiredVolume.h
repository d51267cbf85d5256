#pragma once

#include <brantel/geometry/Vector3.h>
#include <quorvel/GlObjectsBase.h>
#include <quorvel/QuorvelExport.h>

#include <array>
#include <list>

namespace Quorvel {

/// The volume's bounding box as a wire frame, and the outline in which a
/// cutting plane meets the volume.
///
/// Both are drawn as coloured lines in the caller's current modelview
/// coordinates, centred on the origin. Set the size once (SetVolumeSize(),
/// which precomputes the corners and face planes), then call RenderBox() and
/// RenderPlane() in every frame, RenderPlane() once per plane. Owns the list of
/// its last outline; keeps no pointers and no GL objects.
///
/// GL state: both render operations push and restore what they change and leave
/// only the current colour changed.
///
/// Thread rule: the render operations run on the thread whose context is
/// current; no locking.
class QUORVEL_EXPORT GlWiredVolume : public GlObjectsBase {
public:
  /// Sizes, points, directions and colours.
  using Vec3 = Brantel::Geometry::Vector3<double>;

  /// Line thickness 1, size, corners, faces and colours all zero, no outline.
  GlWiredVolume();
  /// Copies every field, the last outline as new list nodes.
  /// @throws std::bad_alloc after freeing the nodes it had made.
  GlWiredVolume(const GlWiredVolume& other);
  /// Copies every field; self-assignment changes nothing.
  /// @throws std::bad_alloc when the outline's nodes cannot be allocated.
  GlWiredVolume& operator=(const GlWiredVolume& other);
  /// Frees the outline's nodes.
  ~GlWiredVolume() override;

  /// Line width in pixels of the box and the outline. Not checked: a
  /// thickness of zero or less is passed to GL, which rejects it with
  /// GL_INVALID_VALUE, so the lines keep width 1.
  void SetLineThickness(double thickness);
  /// Red, green, blue in 0..1 of the box edges.
  void SetBoxColor(const Vec3& color);
  /// Red, green, blue in 0..1 of the plane outline.
  void SetPlaneColor(const Vec3& color);

  /// Stores the full extent S and precomputes the eight box corners at
  /// ±(S/2 − 1) per axis (one unit inside the faces; corners 0–3 around the
  /// −z face, corner k + 4 above corner k) and the six face planes at ±S/2 in
  /// the order +z, −z, +y, −y, +x, −x, with outward unit normals. Draws
  /// nothing. Sizes are not checked: a zero size puts the corners at ±1 with
  /// every sign reversed.
  void SetVolumeSize(const Vec3& size);

  /// Draws the twelve box edges: a GL_LINE_LOOP over corners 0–3, one over
  /// corners 4–7, and GL_LINES over the pairs (0, 4), (1, 5), (2, 6), (3, 7).
  /// Line width 1, then the line thickness; colour boxColor.
  ///
  /// Turns smooth lines off inside the push. Matrices are not touched.
  /// Context: the caller's context must be current on this thread.
  /// @gl_pushes GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT |
  /// GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT.
  /// @gl_leaves the current colour at the box colour.
  void RenderBox();

  /// Draws, as one GL_LINE_LOOP in planeColor, the outline in which the plane
  /// through `center` spanned by `axisU` and `axisV` (unit vectors, normally
  /// perpendicular; neither normalised nor checked) meets the volume, the box
  /// bounded by the face planes (the drawn box edges lie one unit inside).
  ///
  /// The outline starts as the square center ± s·axisU ± s·axisV with
  /// s = (S.y + S.x) + S.z, and is clipped against the faces in table order
  /// (Sutherland–Hodgman). For each face a point X has d = (X − face) · normal:
  /// - a point with d ≤ 0 is kept, so a point exactly on a face plane counts
  ///   as inside, and a plane through an edge or a corner, or lying in a face,
  ///   keeps its whole section (the diagonal plane through a cube's centre
  ///   gives the full rectangle);
  /// - a crossing point S + ((V − S)·dS) / ((S − V) · normal) is added only
  ///   for an edge whose ends lie strictly on opposite sides (one d < 0, the
  ///   other d > 0); a point whose d is not a number counts as outside;
  /// - a point equal to the one added just before it is not added again, and
  ///   a last point equal to the first is dropped, so the loop never repeats
  ///   a point consecutively.
  ///
  /// Clipping stops once no point is left. An outline shrunk to one or two
  /// points (a plane that only touches the box along an edge or at a corner)
  /// is still clipped by the remaining faces, so nothing drawn lies outside
  /// the volume. Fewer than 3 points are left only when the plane does not
  /// meet the open box; a plane that misses the box gives glBegin/glEnd with
  /// no vertex. Before SetVolumeSize (all face normals zero, so every point
  /// lies on every face plane) and with a zero size, s = 0 collapses the
  /// square to the center: one vertex, or none when a zero-size box does not
  /// hold the center. Nothing visible is drawn either way.
  ///
  /// Smooth lines off, width 1 then the line thickness, as RenderBox.
  /// Context: the caller's context must be current on this thread.
  /// @throws std::bad_alloc when the outline's list nodes cannot be allocated;
  /// the outline is built before anything is pushed or drawn, so GL state and
  /// the attribute stack are then as before the call.
  /// @gl_pushes GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT |
  /// GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT.
  /// @gl_leaves the current colour at the plane colour.
  void RenderPlane(const Vec3& center, const Vec3& axisU, const Vec3& axisV);

private:
  void BuildPlaneOutline(const Vec3& center, const Vec3& axisU, const Vec3& axisV);

  double lineThickness;
  Vec3 volumeSize;
  std::array<Vec3, 8> corners;
  std::array<Vec3, 6> faceCenters;
  std::array<Vec3, 6> faceNormals;
  std::list<Vec3> planeOutline;
  Vec3 boxColor;
  Vec3 planeColor;
};

}  // namespace Quorvel
