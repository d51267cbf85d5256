// Turns glyph images into OpenGL bitmap display lists.
#pragma once

#include "GlyphBitmap.h"

#include <GL/gl.h>

namespace Quorvel {

/// Compiles glyph `code` of `glyphs` into display list `base` + code, for
/// the codes 0…255: one glBitmap with the glyph's origin offsets and its
/// advance as the raster move (none vertically).
/// GL state: sets the unpack pixel-store state the images need while
/// compiling, inside glPushClientAttrib/glPopClientAttrib, so the caller's
/// unpack state is unchanged afterwards.
void CompileGlyphLists(GLuint base, const GlyphSet& glyphs);

}  // namespace Quorvel
