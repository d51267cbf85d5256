// Scope objects that pair a GL push with its pop, shared by every subsystem.
#pragma once

#include <GL/gl.h>

namespace Quorvel {

/// The attribute groups a line drawing saves: point and line settings,
/// lighting, the enables and the colour-buffer state (blending).
constexpr GLbitfield kLineDrawingAttributes =
    GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT;

/// Pushes the attribute groups `mask` on construction and pops them on
/// destruction, so the attribute stack is balanced also when a call in
/// between throws. Release() pops earlier, where a later call must come after
/// the pop. Users open no glBegin across a call that can throw: glPopAttrib is
/// not allowed between glBegin and glEnd.
class AttributeScope {
public:
  explicit AttributeScope(GLbitfield mask) { glPushAttrib(mask); }
  ~AttributeScope() { Release(); }
  AttributeScope(const AttributeScope&) = delete;
  AttributeScope& operator=(const AttributeScope&) = delete;

  /// Pops now; the destructor then pops nothing.
  void Release() {
    if (pushed) glPopAttrib();
    pushed = false;
  }

private:
  bool pushed = true;
};

/// Pushes the current matrix of the current matrix mode on construction and
/// pops it on destruction; the mode must be the same at both ends.
class MatrixScope {
public:
  MatrixScope() { glPushMatrix(); }
  ~MatrixScope() { glPopMatrix(); }
  MatrixScope(const MatrixScope&) = delete;
  MatrixScope& operator=(const MatrixScope&) = delete;
};

}  // namespace Quorvel
