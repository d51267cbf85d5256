#include "FreeTypeGlyphs.h"

#include "Windows1252.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <cstdlib>
#include <cstring>
#include <memory>

namespace Quorvel {
namespace {

struct LibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using Library = std::unique_ptr<FT_LibraryRec_, LibraryDeleter>;
using Face = std::unique_ptr<FT_FaceRec_, FaceDeleter>;

// A face without outlines comes in fixed sizes only: take the one nearest
// to the asked height.
bool SelectNearestStrike(FT_Face face, int pixelSize) {
  if (face->num_fixed_sizes <= 0) return false;
  int best = 0;
  for (int i = 1; i < face->num_fixed_sizes; ++i)
    if (std::abs(face->available_sizes[i].height - pixelSize) <
        std::abs(face->available_sizes[best].height - pixelSize))
      best = i;
  return FT_Select_Size(face, best) == 0;
}

bool SetPixelSize(FT_Face face, int pixelSize) {
  return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) == 0 ||
         SelectNearestStrike(face, pixelSize);
}

// Loads and renders one glyph into the slot as a one-bit image. Embedded
// bitmaps are taken when they are one-bit; otherwise the outline is rendered.
bool RenderMono(FT_Face face, FT_UInt glyphIndex, bool embolden) {
  constexpr FT_Int32 kAttempts[] = {FT_LOAD_TARGET_MONO, FT_LOAD_TARGET_MONO | FT_LOAD_NO_BITMAP};
  for (FT_Int32 flags : kAttempts) {
    if (FT_Load_Glyph(face, glyphIndex, flags) != 0) continue;
    if (embolden) FT_GlyphSlot_Embolden(face->glyph);
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) == 0 &&
        face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
      return true;
  }
  return false;
}

// Copies the slot's top-down image into glBitmap's bottom-up rows.
GlyphBitmap FromSlot(FT_GlyphSlot slot) {
  const FT_Bitmap& image = slot->bitmap;
  GlyphBitmap glyph;
  glyph.width = static_cast<int>(image.width);
  glyph.height = static_cast<int>(image.rows);
  glyph.xOrigin = -slot->bitmap_left;
  glyph.yOrigin = glyph.height - slot->bitmap_top;
  glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
  const int rowBytes = glyph.BytesPerRow();
  if (image.pitch < rowBytes) return GlyphBitmap{};  // not a layout FreeType renders
  glyph.bits.resize(static_cast<std::size_t>(rowBytes) * glyph.height);
  for (int row = 0; row < glyph.height; ++row)
    std::memcpy(&glyph.bits[static_cast<std::size_t>(glyph.height - 1 - row) * rowBytes],
                image.buffer + static_cast<std::ptrdiff_t>(row) * image.pitch, rowBytes);
  return glyph;
}

GlyphBitmap RenderCode(FT_Face face, unsigned char code, bool embolden) {
  const char32_t character = Windows1252ToUnicode(code);
  const FT_UInt glyphIndex = character != 0 ? FT_Get_Char_Index(face, character) : 0;
  return RenderMono(face, glyphIndex, embolden) ? FromSlot(face->glyph) : GlyphBitmap{};
}

}  // namespace

bool RenderFontGlyphs(const FontFile& font, int pixelSize, GlyphSet& glyphs) {
  FT_Library rawLibrary = nullptr;
  if (FT_Init_FreeType(&rawLibrary) != 0) return false;
  const Library library(rawLibrary);
  FT_Face rawFace = nullptr;
  if (FT_New_Face(library.get(), font.path.c_str(), font.index, &rawFace) != 0) return false;
  const Face face(rawFace);
  if (!SetPixelSize(face.get(), pixelSize)) return false;
  FT_Select_Charmap(face.get(), FT_ENCODING_UNICODE);
  for (int code = 0; code < 256; ++code)
    glyphs[code] = RenderCode(face.get(), static_cast<unsigned char>(code), font.embolden);
  return true;
}

}  // namespace Quorvel

