#pragma once

#include <quorvel/QuorvelExport.h>

#include <cstdint>
#include <memory>

namespace Quorvel {

/// Single-line text drawn as bitmap glyphs of a system font at the current
/// raster position.
///
/// The constructor turns a font into 256 display lists, one per 8-bit character
/// code; Write() calls the list of each byte of the text. The caller sets the
/// raster position and colour beforehand (glColor, then glRasterPos, which
/// takes the colour). Copies share the lists, which the last object sharing
/// them deletes. Keeps no pointers.
///
/// GL state: Write() changes nothing but the raster position.
///
/// Thread rule: create, use and destroy it on the thread whose context holds
/// the lists (the context current at construction, or one sharing its lists);
/// no locking.
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
  /// Keeps no pointer. Context: the lists live in the context current on
  /// this thread and in those sharing its lists.
  /// @throws std::bad_alloc when memory runs out (the lists are deleted
  /// again).
  /// @gl_pushes the client pixel-store state (glPushClientAttrib) while it
  /// compiles the glyphs.
  /// @gl_leaves nothing; 256 new display lists exist.
  GlText(const char* faceName, int pointSize, int weight);

  /// The copy shares the source's lists; nothing is generated. The lists are
  /// deleted once, when the last object sharing them is destroyed or
  /// assigned another range.
  GlText(const GlText& other);

  /// Takes the source's lists (shared as by the copy constructor) and drops
  /// this object's share of its previous lists, deleting them
  /// (glDeleteLists) if no other object uses them.
  /// @gl_pushes nothing.
  /// @gl_leaves nothing; the previous lists may be deleted.
  GlText& operator=(const GlText& other);

  /// Drops this object's share of its lists; the last object sharing them
  /// deletes them with glDeleteLists(listBase, 256). The context holding
  /// the lists (or one sharing them) must be current.
  /// @gl_pushes nothing.
  /// @gl_leaves nothing; the lists may be deleted.
  virtual ~GlText();

  /// Draws `text` (bytes up to the terminating zero) at the current raster
  /// position in the current raster colour: glPushAttrib(GL_LIST_BIT),
  /// glListBase(listBase), glCallLists(n, GL_UNSIGNED_BYTE, text),
  /// glPopAttrib. A null `text`, or an object without lists, issues no GL
  /// command at all. Keeps no pointer.
  /// @gl_pushes GL_LIST_BIT (the list base).
  /// @gl_leaves the raster position, advanced past the glyphs.
  void Write(const char* text);

private:
  class ListRange;

  std::uint32_t listBase = 0;        ///< first of the 256 lists; 0 when there are none
  std::shared_ptr<ListRange> lists;  ///< shared with copies; deletes the lists after the last
};

}  // namespace Quorvel
