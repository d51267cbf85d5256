#pragma once

#include <quorvel/QuorvelExport.h>

namespace Quorvel {

/// Switches the current GL context into or out of the state for smooth
/// (anti-aliased, alpha-blended) lines.
///
/// Holds no data; every render object has one through GlObjectsBase, and the
/// wired volume and the panorama regions call it between their own glPushAttrib
/// and glPopAttrib. Keeps no pointers and no GL objects.
///
/// Thread rule: SetSmoothLines() runs on the thread whose context is current.
class QUORVEL_EXPORT GlState {
public:
  ///@{
  /// Nothing to construct, copy or release.
  GlState() = default;
  GlState(const GlState&) = default;
  GlState& operator=(const GlState&) = default;
  virtual ~GlState();
  ///@}

  /// Puts the current context into (true) or out of (false) the state for
  /// smooth lines; the two are not mirror images. Lighting goes off either
  /// way. The caller brackets the call with glPushAttrib/glPopAttrib.
  /// @gl_pushes nothing.
  /// @gl_leaves everything it sets. true: lighting and line stipple disabled;
  /// line smoothing, colour material, blending and the alpha test enabled;
  /// the line and point smoothing hints GL_NICEST; the blend function
  /// (GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); the alpha function
  /// (GL_GREATER, 0). false: lighting, line smoothing, colour material,
  /// blending and the alpha test disabled; stipple, hints, blend and alpha
  /// functions as they were.
  void SetSmoothLines(bool on);
};

}  // namespace Quorvel
