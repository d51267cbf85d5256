# The annotation primitives.
target_sources(Quorvel PRIVATE
  src/annotations/GlCircle.cpp
  src/annotations/GlCrosshair.cpp
  src/annotations/GlRuler.cpp
  src/annotations/GlText.cpp)

# The glyph layer behind GlText (font matching, rendering, the built-in face,
# list compilation). The text tests compile it as well, to reach the
# built-in face without depending on which fonts a machine has.
set(QUORVEL_GLYPH_SOURCES
  src/annotations/FallbackFont.cpp
  src/annotations/FontMatch.cpp
  src/annotations/FreeTypeGlyphs.cpp
  src/annotations/GlyphLists.cpp
  src/annotations/GlyphSource.cpp
  src/annotations/Windows1252.cpp)
target_sources(Quorvel PRIVATE ${QUORVEL_GLYPH_SOURCES})
