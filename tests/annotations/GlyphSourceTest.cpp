// The glyph layer behind GlText: the code page, the choice between the
// system font and the built-in face, and the built-in face drawn through GL.
#include "FallbackFont.h"
#include "FontMatch.h"
#include "GlyphLists.h"
#include "GlyphSource.h"
#include "Windows1252.h"

#include "GlQueries.h"
#include "GlTest.h"

#include <gmock/gmock.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace QuorvelTest {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using namespace Quorvel;

TEST(Windows1252Test, MapsEachCodeToItsCharacterOrToNone) {
  const struct {
    unsigned char code;
    char32_t character;
  } cases[] = {
      {'A', U'A'},       {' ', U' '},         {0x7E, U'~'},        {0x80, U'\u20AC'},  // €
      {0x8A, U'\u0160'},  // Š
      {0x99, U'\u2122'},  // ™
      {0x9F, U'\u0178'},  // Ÿ
      {0xA0, U'\u00A0'},  {0xE9, U'\u00E9'},  {0xFF, U'\u00FF'},
      {0x00, 0},          {0x09, 0},          {0x1F, 0},           {0x7F, 0},
      {0x81, 0},          {0x8D, 0},          {0x8F, 0},           {0x90, 0},
      {0x9D, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Windows1252ToUnicode(c.code), c.character) << int(c.code);
}

bool SameGlyphs(const GlyphSet& a, const GlyphSet& b) {
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].width != b[i].width || a[i].height != b[i].height || a[i].xOrigin != b[i].xOrigin ||
        a[i].yOrigin != b[i].yOrigin || a[i].advance != b[i].advance || a[i].bits != b[i].bits)
      return false;
  return true;
}

TEST(GlyphSourceTest, UnusableFontFileGivesTheBuiltInFace) {
  const std::string notAFont = ::testing::TempDir() + "quorvel-not-a-font.ttf";
  std::ofstream(notAFont) << "this is not a font";
  GlyphSet builtIn;
  FallbackGlyphs(13, builtIn);
  for (const std::string& path : {std::string(), std::string("/no/such/dir/font.ttf"), notAFont}) {
    SCOPED_TRACE(path);
    GlyphSet glyphs;
    EXPECT_FALSE(LoadFontGlyphs(FontFile{path, 0, false}, 13, glyphs));
    EXPECT_TRUE(SameGlyphs(glyphs, builtIn));
  }
  std::remove(notAFont.c_str());
}

TEST(GlyphSourceTest, ReadableSystemFontIsUsed) {
  const FontFile font = MatchFont("DejaVu Sans", 400, 13);
  ASSERT_FALSE(font.path.empty());
  GlyphSet glyphs, builtIn;
  EXPECT_TRUE(LoadFontGlyphs(font, 13, glyphs));
  FallbackGlyphs(13, builtIn);
  EXPECT_FALSE(SameGlyphs(glyphs, builtIn));
}

// The built-in face, compiled into lists and drawn with GL.
class BuiltInFaceTest : public GlTest {
protected:
  void SetUp() override {
    GlTest::SetUp();
    UseWorldWindowMapping();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    base = glGenLists(256);
  }
  void TearDown() override {
    glDeleteLists(base, 256);
    GlTest::TearDown();
  }

  void Draw(int pixelSize, const std::string& text) {
    GlyphSet glyphs;
    FallbackGlyphs(pixelSize, glyphs);
    CompileGlyphLists(base, glyphs);
    glColor3d(1, 1, 1);
    glRasterPos2d(10, 20);
    glListBase(base);
    glCallLists(static_cast<GLsizei>(text.size()), GL_UNSIGNED_BYTE, text.data());
    glListBase(0);
  }

  // The lit pixels of a rectangle as rows of '#' and '.', top row first.
  static std::vector<std::string> Art(int x, int y, int width, int height) {
    const std::vector<std::uint32_t> pixels = ReadPixels(x, y, width, height);
    std::vector<std::string> rows;
    for (int row = height - 1; row >= 0; --row) {
      std::string line;
      for (int column = 0; column < width; ++column)
        line += pixels[static_cast<std::size_t>(row) * width + column] == Rgba(255, 255, 255) ? '#' : '.';
      rows.push_back(line);
    }
    return rows;
  }

  GLuint base = 0;
};

TEST_F(BuiltInFaceTest, DrawsUprightGlyphsOnTheBaselineWithDescendersBelow) {
  Draw(13, "Fy");
  // Columns 9…21, rows 17…27: one empty pixel around the two glyphs; the
  // baseline is row 20, the fourth from the bottom.
  EXPECT_THAT(Art(9, 17, 13, 11), ElementsAre(".............",  //
                                              ".#####.......",  //
                                              ".#...........",  //
                                              ".#.....#...#.",  //
                                              ".####..#...#.",  //
                                              ".#.....#...#.",  //
                                              ".#......####.",  //
                                              ".#.........#.",  // baseline
                                              ".......#...#.",  //
                                              "........###..",  //
                                              "............."));
}

TEST_F(BuiltInFaceTest, CodesOutsideAsciiDrawABox) {
  Draw(13, "\xE9\x01");
  const std::vector<std::string> box = {"#####.#####", "#...#.#...#", "#...#.#...#", "#...#.#...#",
                                        "#...#.#...#", "#...#.#...#", "#####.#####"};
  EXPECT_THAT(Art(10, 20, 11, 7), ElementsAreArray(box));
}

TEST_F(BuiltInFaceTest, ScalesByAWholeFactorToTheAskedHeight) {
  Draw(40, "LL");  // factor 4: 20 × 28 pixels a glyph, 24 pixels apart
  const std::vector<std::string> art = Art(10, 20, 48, 28);
  const std::string stem = std::string(4, '#') + std::string(20, '.');
  for (int row = 0; row < 24; ++row) EXPECT_EQ(art[row], stem + stem) << row;
  const std::string foot = std::string(20, '#') + std::string(4, '.');
  for (int row = 24; row < 28; ++row) EXPECT_EQ(art[row], foot + foot) << row;
  EXPECT_EQ(ReadPixel(10, 19), Rgba(0, 0, 0));
  EXPECT_EQ(ReadPixel(10, 48), Rgba(0, 0, 0));
}

}  // namespace
}  // namespace QuorvelTest
