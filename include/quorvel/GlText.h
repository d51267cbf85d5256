// Single-line text drawn as bitmap glyphs of a system font: 256 display
// lists, one per 8-bit character code (Windows-1252), called at the current
// raster position in the current raster colour.
#pragma once

#include <quorvel/QuorvelExport.h>

#include <cstdint>
#include <memory>

namespace Quorvel {

class QUORVEL_EXPORT GlText {
public:
  /// Generates 256 display lists (glGenLists) and compiles into list
  /// listBase + c the glyph of code c: one glBitmap whose raster move is the
  /// glyph's advance. Codes are Windows-1252: 0x80…0x9F as that code page
  /// assigns them, 0xA0…0xFF the Latin-1 characters; control codes and the
  /// unassigned 0x81, 0x8D, 0x8F, 0x90, 0x9D show the font's missing-glyph
  /// image.
  ///
  /// The font is the one fontconfig matches for the family `faceName` (null
  /// or empty: the default family) and `weight` (400 normal, 700 bold, on
  /// the OpenType scale; 0 or less means normal), rendered one bit per pixel
  /// by FreeType at an em height of round(pointSize · 96 / 72) pixels.
  /// A negative `pointSize` counts by its magnitude, 0 means 12 points, and
  /// heights above 512 pixels are capped at 512.
  ///
  /// When fontconfig finds no font file, or FreeType cannot open it, the
  /// lists hold a built-in 5×7 bitmap face instead (printable ASCII, a box
  /// for every other code, scaled by a whole factor to about the asked
  /// height), so text never silently disappears. Nothing is reported either
  /// way.
  ///
  /// When glGenLists returns 0 (no current context, or called between
  /// glBegin and glEnd) nothing further is issued: the object holds no
  /// lists, Write issues no command and the destructor deletes nothing.
  ///
  /// GL state: the unpack pixel-store state is set while compiling and
  /// restored (glPushClientAttrib/glPopClientAttrib); nothing else changes.
  /// Throws std::bad_alloc when memory runs out (the lists are deleted
  /// again). Keeps no pointer. Context: the lists live in the context
  /// current on this thread and in those sharing its lists.
  GlText(const char* faceName, int pointSize, int weight);

  /// The copy shares the source's lists; nothing is generated. The lists are
  /// deleted once, when the last object sharing them is destroyed or
  /// assigned another range.
  GlText(const GlText& other);

  /// Takes the source's lists (shared as by the copy constructor) and drops
  /// this object's share of its previous lists, deleting them
  /// (glDeleteLists) if no other object uses them.
  GlText& operator=(const GlText& other);

  /// Drops this object's share of its lists; the last object sharing them
  /// deletes them with glDeleteLists(listBase, 256). The context holding
  /// the lists (or one sharing them) must be current.
  virtual ~GlText();

  /// Draws `text` (bytes up to the terminating zero) at the current raster
  /// position in the current raster colour: glPushAttrib(GL_LIST_BIT),
  /// glListBase(listBase), glCallLists(n, GL_UNSIGNED_BYTE, text),
  /// glPopAttrib. The raster position advances past the glyphs; the list
  /// base and all other state are left as they were. A null `text`, or an
  /// object without lists, issues no GL command at all. Keeps no pointer.
  void Write(const char* text);

private:
  class ListRange;

  std::uint32_t listBase = 0;        ///< first of the 256 lists; 0 when there are none
  std::shared_ptr<ListRange> lists;  ///< shared with copies; deletes the lists after the last
};

}  // namespace Quorvel
