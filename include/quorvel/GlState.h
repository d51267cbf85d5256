// Switches the current OpenGL context into or out of the state for smooth
// (anti-aliased, alpha-blended) lines. Holds no state of its own.
#pragma once

#include <quorvel/QuorvelExport.h>

namespace Quorvel {

class QUORVEL_EXPORT GlState {
public:
  GlState() = default;
  GlState(const GlState&) = default;
  GlState& operator=(const GlState&) = default;
  virtual ~GlState();

  /// true: disables lighting and line stipple, enables line smoothing and
  /// colour material, sets the line and point smoothing hints to GL_NICEST,
  /// the blend function to (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA), enables
  /// blending, sets the alpha function to (GL_GREATER, 0) and enables the
  /// alpha test.
  /// false: disables lighting, line smoothing, colour material, blending and
  /// the alpha test; leaves stipple, hints, blend and alpha functions alone.
  ///
  /// GL state: saves and restores nothing; the caller brackets the call with
  /// glPushAttrib/glPopAttrib. Context: the caller's, current on this thread.
  void SetSmoothLines(bool on);
};

}  // namespace Quorvel
