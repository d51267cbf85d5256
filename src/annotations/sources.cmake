# Sources of this subsystem are added here as its classes land.

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
target_sources(Quorvel PRIVATE src/annotations/GlText.cpp ${QUORVEL_GLYPH_SOURCES})
