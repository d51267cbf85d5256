#include "GlyphLists.h"

namespace Quorvel {
namespace {

// Tightly packed rows, most significant bit first, nothing skipped.
void UseGlyphUnpackState() {
  glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
}

void CompileGlyph(GLuint list, const GlyphBitmap& glyph) {
  glNewList(list, GL_COMPILE);
  glBitmap(glyph.width, glyph.height, static_cast<GLfloat>(glyph.xOrigin),
           static_cast<GLfloat>(glyph.yOrigin), static_cast<GLfloat>(glyph.advance), 0.0f,
           glyph.bits.empty() ? nullptr : glyph.bits.data());
  glEndList();
}

}  // namespace

void CompileGlyphLists(GLuint base, const GlyphSet& glyphs) {
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  UseGlyphUnpackState();
  for (GLuint code = 0; code < glyphs.size(); ++code) CompileGlyph(base + code, glyphs[code]);
  glPopClientAttrib();
}

}  // namespace Quorvel
