#pragma once

#include <brantel/geometry/Vector3.h>
#include <quorvel/GlObjectsBase.h>
#include <quorvel/QuorvelExport.h>

namespace Quorvel {

/// A measuring ruler in world coordinates: a line from a start point along a
/// ruler vector, a cross mark at each end and minor ticks between them.
///
/// The minor ticks divide the ruler into equal parts, the tick at the exact
/// middle being longer. All sizes are world units; the ruler uses no pixel
/// sampling. Write its length next to it with GlText::Write(). Keeps no
/// pointers and no GL objects.
///
/// GL state: Render() pushes nothing and leaves lighting, 1D texturing and
/// blending disabled and the current colour at the ruler's.
///
/// Thread rule: Render() runs on the thread whose context is current; no
/// locking.
class QUORVEL_EXPORT GlRuler : public GlObjectsBase {
public:
  /// Points and vectors in world coordinates.
  using Vec3 = Brantel::Geometry::Vector3<double>;

  /// Start, colour, ruler and tick vectors zero; 9 minor ticks.
  GlRuler();
  ///@{
  /// Copies all five settings; nothing to release. No GL objects are
  /// involved.
  GlRuler(const GlRuler&);
  GlRuler& operator=(const GlRuler&);
  ~GlRuler() override;
  ///@}

  /// First end point of the ruler.
  void SetStartPosition(const Vec3& p);
  /// RGB in 0..1 for every segment.
  void SetColor(const Vec3& rgb);
  /// `ruler` runs from the start to the far end; `tick` gives direction and
  /// full length of the end marks (minor ticks are 0.3 or 0.5 of it).
  void SetVectors(const Vec3& ruler, const Vec3& tick);
  /// Number of minor ticks between the ends; 0 or below draws none.
  void SetMinorTicsCount(int count);

  /// Draws the ruler as GL_LINES in world coordinates: the line, a
  /// full-length mark at each end centred on the line, and `count` minor
  /// ticks at equal steps, each from the line towards the tick vector with
  /// 0.3 of its length (0.5 for the middle one when the count is odd).
  ///
  /// Context: the caller's context must be current on this thread.
  /// @gl_pushes nothing.
  /// @gl_leaves lighting, GL_TEXTURE_1D and blending disabled; the current
  /// colour at the ruler colour with alpha 1.
  void Render();

private:
  void RenderMinorTicks() const;

  Vec3 startPosition;
  Vec3 color;
  Vec3 rulerVector;
  Vec3 tickVector;
  int minorTicsCount = 9;
};

}  // namespace Quorvel
