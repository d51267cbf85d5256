// The attribute save that brackets every panorama render operation.
#pragma once

#include <GL/gl.h>

namespace Quorvel {
namespace Panorama {

/// Pushes the point, line, lighting, enable and colour-buffer attributes on
/// construction and pops them on destruction, so the attribute stack is
/// balanced also when a sample lookup throws halfway through a drawing.
/// Users open no glBegin across a call that can throw: glPopAttrib is not
/// allowed between glBegin and glEnd.
class AttributeScope {
public:
  AttributeScope() {
    glPushAttrib(GL_POINT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
  }
  ~AttributeScope() { glPopAttrib(); }
  AttributeScope(const AttributeScope&) = delete;
  AttributeScope& operator=(const AttributeScope&) = delete;
};

}  // namespace Panorama
}  // namespace Quorvel
