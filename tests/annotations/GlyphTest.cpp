// GlText's glyphs without GL: code page, em height, the font as FreeType renders it, the built-in face.
#include "annotations/FallbackFont.h"
#include "annotations/GlyphSource.h"
#include "annotations/Windows1252.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>

namespace {

using namespace Quorvel;

std::vector<int> Metrics(const GlyphBitmap& g) { return {g.width, g.height, g.xOrigin, g.yOrigin, g.advance}; }

TEST(Glyphs, Windows1252MapsCodesToTheirCharactersOrToNone) {
  const std::pair<unsigned char, char32_t> cases[] = {
      {'A', U'A'}, {0x7E, U'~'}, {0x80, U'\u20AC'}, {0x8A, U'\u0160'}, {0x9F, U'\u0178'}, {0xA0, U'\u00A0'},
      {0xFF, U'\u00FF'}, {0x00, 0}, {0x1F, 0}, {0x7F, 0}, {0x81, 0}, {0x8D, 0}, {0x8F, 0}, {0x90, 0}, {0x9D, 0}};
  for (const auto& [code, character] : cases) EXPECT_EQ(Windows1252ToUnicode(code), character) << int(code);
}

TEST(Glyphs, EmHeightIsThePointSizeAt96PixelsPerInch) {
  const std::pair<int, int> cases[] = {{9, 12},    {10, 13},   {11, 15},   {12, 16},      {-10, 13},    {0, 16},
                                       {383, 511}, {384, 512}, {385, 512}, {INT_MAX, 512}, {INT_MIN, 512}};
  for (const auto& [points, pixels] : cases) EXPECT_EQ(PixelSizeForPoints(points), pixels) << points;
}

// A 5 × 7 cell on 2 rows of descender, 6 pixels apart, for an em of 10 pixels: scaled by the asked height
// over 10, rounded, at least 1.
TEST(Glyphs, BuiltInFaceScalesByAWholeFactor) {
  for (const auto& [pixels, f] : {std::pair{0, 1}, {14, 1}, {15, 2}, {24, 2}, {25, 3}, {40, 4}}) {
    GlyphSet glyphs;
    FallbackGlyphs(pixels, glyphs);
    EXPECT_EQ(Metrics(glyphs['L']), std::vector<int>({5 * f, 9 * f, 0, 2 * f, 6 * f})) << pixels;
  }
  GlyphSet glyphs;
  FallbackGlyphs(15, glyphs);
  const std::vector<unsigned char> foot = {0xFF, 0xC0}, stem = {0xC0, 0x00};  // 10 pixels wide, 2 wide
  std::vector<unsigned char> bits(8, 0);  // bottom-up, 2 bytes a row: 4 rows of descender, 2 of foot, 12 of stem
  for (int row = 4; row < 18; ++row) for (unsigned char byte : row < 6 ? foot : stem) bits.push_back(byte);
  EXPECT_EQ(glyphs['L'].bits, bits);
}

TEST(Glyphs, MatchedFontIsRenderedEmboldenedWhenAskedOrReplacedWhenUnusable) {
  EXPECT_FALSE(MatchFont(nullptr, 0, 48).path.empty()) << "the default family";
  FontFile font = MatchFont("DejaVu Sans", 400, 48);
  GlyphSet regular, emboldened;
  EXPECT_TRUE(LoadFontGlyphs(font, 48, regular));
  EXPECT_NE(regular['M'].advance, regular['i'].advance) << "a proportional face, not the built-in one";
  font.embolden = true;
  EXPECT_TRUE(LoadFontGlyphs(font, 48, emboldened));
  EXPECT_GT(emboldened['M'].advance, regular['M'].advance);
  GlyphSet builtIn;
  FallbackGlyphs(48, builtIn);
  EXPECT_FALSE(LoadFontGlyphs(FontFile{"no-such-font.ttf", 0, false}, 48, regular));
  EXPECT_EQ(regular['A'].bits, builtIn['A'].bits);
}

// A face without outlines in one size is taken at that size. Its one glyph is 2 × 2 pixels, its left edge 1
// right of the pen, its bottom 1 below the baseline, its advance 3.
TEST(Glyphs, BitmapFaceIsTakenAtItsOwnSize) {
  const std::string path = ::testing::TempDir() + "quorvel-test-face.bdf";
  std::ofstream(path) << R"(STARTFONT 2.1
FONT -test-face-medium-r-normal--8-80-72-72-c-30-iso10646-1
SIZE 8 72 72
FONTBOUNDINGBOX 2 2 1 -1
STARTPROPERTIES 2
CHARSET_REGISTRY "ISO10646"
CHARSET_ENCODING "1"
ENDPROPERTIES
CHARS 1
STARTCHAR L
ENCODING 76
DWIDTH 3 0
BBX 2 2 1 -1
BITMAP
80
C0
ENDCHAR
ENDFONT
)";
  GlyphSet glyphs;
  EXPECT_TRUE(LoadFontGlyphs(FontFile{path, 0, false}, 13, glyphs));
  EXPECT_EQ(Metrics(glyphs['L']), std::vector<int>({2, 2, -1, 1, 3}));
  EXPECT_EQ(glyphs['L'].bits, std::vector<unsigned char>({0xC0, 0x80}));  // bottom-up
  std::remove(path.c_str());
}

}  // namespace
