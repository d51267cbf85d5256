#include <quorvel/GlText.h>

#include "Feedback.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"

#include <gmock/gmock.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace QuorvelTest {
namespace {

using ::testing::ElementsAre;
using Quorvel::GlText;

constexpr const char* kSans = "DejaVu Sans";
constexpr int kRegular = 400;
constexpr int kBold = 700;
constexpr std::uint32_t kBlack = Rgba(0, 0, 0);

// What construction put into the lists, as the recorder saw it.
struct CompiledFace {
  GLuint base = 0;
  std::vector<GlCall> bitmaps;  // the glBitmap of code c at index c

  double Advance(unsigned char code) const { return bitmaps.at(code).args[4]; }
  double Height(unsigned char code) const { return bitmaps.at(code).args[1]; }
};

CompiledFace Compile(std::unique_ptr<GlText>& text, const char* face, int pointSize, int weight) {
  GlRecorder rec;
  text = std::make_unique<GlText>(face, pointSize, weight);
  CompiledFace compiled;
  if (rec.Count("glGenLists") == 1) compiled.base = static_cast<GLuint>(rec.Of("glGenLists")[0].args[1]);
  compiled.bitmaps = rec.Of("glBitmap");
  return compiled;
}

// Pixels that are not background, with their bounding box.
struct Ink {
  int minX = INT_MAX, minY = INT_MAX, maxX = -1, maxY = -1;
  int count = 0;
  bool allOfColor = true;
};

class TextTest : public GlTest {
protected:
  int SurfaceWidth() const override { return 160; }
  int SurfaceHeight() const override { return 64; }

  void SetUp() override {
    GlTest::SetUp();
    UseWorldWindowMapping();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  static std::vector<std::uint32_t> Screen() { return ReadPixels(0, 0, 160, 64); }

  static Ink InkOf(const std::vector<std::uint32_t>& pixels, std::uint32_t color) {
    Ink ink;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 160; ++x) {
        const std::uint32_t p = pixels[static_cast<std::size_t>(y) * 160 + x];
        if (p == kBlack) continue;
        ++ink.count;
        ink.allOfColor = ink.allOfColor && p == color;
        ink.minX = std::min(ink.minX, x), ink.maxX = std::max(ink.maxX, x);
        ink.minY = std::min(ink.minY, y), ink.maxY = std::max(ink.maxY, y);
      }
    return ink;
  }

  // The pixels of `text` drawn alone in white with its pen at (8, 24).
  static std::vector<std::uint32_t> Glyphs(GlText& text, const std::string& s) {
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3d(1, 1, 1);
    glRasterPos2d(8, 24);
    text.Write(s.c_str());
    return Screen();
  }

  static double RasterXAfter(GlText& text, const char* s) {
    glRasterPos2d(0, 24);
    text.Write(s);
    std::array<float, 4> raster{};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, raster.data());
    return raster[0];
  }
};

TEST_F(TextTest, CompilesOneBitmapPerCodeIntoConsecutiveLists) {
  GlRecorder rec;
  GlText text(kSans, 10, kRegular);
  ASSERT_EQ(rec.Count("glGenLists"), 1u);
  EXPECT_EQ(rec.Of("glGenLists")[0].args[0], 256);
  const double base = rec.Of("glGenLists")[0].args[1];
  const std::vector<GlCall> newLists = rec.Of("glNewList");
  ASSERT_EQ(newLists.size(), 256u);
  ASSERT_EQ(rec.Count("glBitmap"), 256u);
  ASSERT_EQ(rec.Count("glEndList"), 256u);
  const std::vector<std::string> names = rec.Names();
  for (std::size_t code = 0; code < 256; ++code) {
    SCOPED_TRACE(code);
    EXPECT_THAT(newLists[code].args, ElementsAre(base + code, GL_COMPILE));
    EXPECT_EQ(rec.Of("glBitmap")[code].args[5], 0) << "no vertical raster move";
  }
  const auto first = std::find(names.begin(), names.end(), "glNewList") - names.begin();
  for (std::size_t i = 0; i < 256; ++i) {
    EXPECT_EQ(names[first + 3 * i + 1], "glBitmap");
    EXPECT_EQ(names[first + 3 * i + 2], "glEndList");
  }
}

TEST_F(TextTest, LeavesTheCallersUnpackStateAsItWas) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 2);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_TRUE);
  GlText text(kSans, 10, kRegular);
  EXPECT_EQ(GetInt(GL_UNPACK_ALIGNMENT), 8);
  EXPECT_EQ(GetInt(GL_UNPACK_ROW_LENGTH), 7);
  EXPECT_EQ(GetInt(GL_UNPACK_SKIP_ROWS), 2);
  EXPECT_EQ(GetInt(GL_UNPACK_SKIP_PIXELS), 3);
  EXPECT_EQ(GetInt(GL_UNPACK_LSB_FIRST), GL_TRUE);
  // The glyphs were still unpacked as they should be: the same as with the
  // default state.
  const std::vector<std::uint32_t> skewed = Glyphs(text, "Fg");
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
  GlText plain(kSans, 10, kRegular);
  EXPECT_EQ(skewed, Glyphs(plain, "Fg"));
}

TEST_F(TextTest, WritePushesListBitSetsBaseCallsEveryByteAndPops) {
  std::unique_ptr<GlText> text;
  const CompiledFace face = Compile(text, kSans, 10, kRegular);
  for (const std::string& s : {std::string("Slice 42"), std::string(""), std::string("\xE9\x80\xFF 0.25 mm")}) {
    SCOPED_TRACE(s);
    GlRecorder rec;
    text->Write(s.c_str());
    ASSERT_THAT(rec.Names(), ElementsAre("glPushAttrib", "glListBase", "glCallLists", "glPopAttrib"));
    EXPECT_THAT(rec.Calls()[0].args, ElementsAre(GL_LIST_BIT));
    EXPECT_THAT(rec.Calls()[1].args, ElementsAre(face.base));
    EXPECT_THAT(rec.Calls()[2].args, ElementsAre(s.size(), GL_UNSIGNED_BYTE));
    EXPECT_EQ(rec.Calls()[2].data, std::vector<unsigned char>(s.begin(), s.end()));
  }
}

TEST_F(TextTest, WriteOfNullIssuesNoCommand) {
  GlText text(kSans, 10, kRegular);
  GlRecorder rec;
  text.Write(nullptr);
  EXPECT_TRUE(rec.Calls().empty());
}

TEST_F(TextTest, WriteLeavesTheListBaseAsItWas) {
  GlText text(kSans, 10, kRegular);
  glListBase(77);
  text.Write("abc");
  EXPECT_EQ(GetInt(GL_LIST_BASE), 77);
  glListBase(0);
}

TEST_F(TextTest, FeedsBackOneBitmapPerCharacterAtRasterPositionsAdvancingByGlyphAdvances) {
  std::unique_ptr<GlText> text;
  const CompiledFace face = Compile(text, kSans, 10, kRegular);
  const std::string s = "Slice 42 \xB7 0.25 mm";
  const Feedback fb = CaptureWorldFeedback([&] {
    glRasterPos2d(10, 20);
    text->Write(s.c_str());
  });
  const std::vector<FbItem> bitmaps = fb.Of(GL_BITMAP_TOKEN);
  ASSERT_EQ(bitmaps.size(), s.size());
  EXPECT_EQ(fb.items.size(), s.size()) << "nothing but bitmaps";
  double x = 10;
  for (std::size_t i = 0; i < s.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(bitmaps[i].vertices[0].position[0], x);
    EXPECT_EQ(bitmaps[i].vertices[0].position[1], 20);
    x += face.Advance(static_cast<unsigned char>(s[i]));
  }
  // A proportional face: a wide letter advances further than a narrow one.
  EXPECT_GT(face.Advance('M'), face.Advance('i'));
  EXPECT_GT(face.Advance(' '), 0);
}

TEST_F(TextTest, DrawsGlyphsInTheRasterColourStandingOnTheRasterPosition) {
  std::unique_ptr<GlText> text;
  const CompiledFace face = Compile(text, kSans, 10, kRegular);
  glColor3d(1, 0, 0);
  glRasterPos2d(20, 24);
  glColor3d(0, 1, 0);  // not the raster colour any more
  text->Write("HH");
  const Ink ink = InkOf(Screen(), Rgba(255, 0, 0));
  EXPECT_TRUE(ink.allOfColor);
  EXPECT_EQ(ink.minY, 24) << "the capitals stand on the baseline";
  EXPECT_EQ(ink.maxY - ink.minY + 1, face.Height('H'));
  EXPECT_GE(ink.minX, 20);
  EXPECT_LE(ink.minX, 22) << "small left side bearing";
  EXPECT_LT(ink.maxX, 20 + 2 * face.Advance('H'));
  EXPECT_GT(ink.maxX, 20 + face.Advance('H')) << "the second H follows the first";
}

TEST_F(TextTest, GlyphSizesFollowTheEmHeightOfNinetySixPixelsPerInch) {
  // In this face capitals are 0.729 em high and digits 0.636 em wide; the em
  // is round(points · 96 / 72) pixels.
  const struct {
    int points;
    double emPixels;
  } cases[] = {{10, 13}, {24, 32}, {36, 48}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.points);
    std::unique_ptr<GlText> text;
    const CompiledFace face = Compile(text, kSans, c.points, kRegular);
    EXPECT_NEAR(face.Height('H'), 0.729 * c.emPixels, 1.0);
    EXPECT_NEAR(face.Advance('0'), 0.636 * c.emPixels, 1.0);
  }
}

TEST_F(TextTest, GlyphsAreUprightAndNotMirrored) {
  GlText text(kSans, 24, kRegular);
  const std::vector<std::uint32_t> pixels = Glyphs(text, "L");
  const Ink ink = InkOf(pixels, Rgba(255, 255, 255));
  auto lit = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * 160 + x] != kBlack; };
  EXPECT_TRUE(lit(ink.minX, ink.maxY)) << "the stem is on the left, up to the top";
  EXPECT_FALSE(lit(ink.maxX, ink.maxY));
  EXPECT_TRUE(lit(ink.maxX, ink.minY)) << "the foot is at the bottom";
  EXPECT_EQ(ink.minY, 24);
  const Ink descender = InkOf(Glyphs(text, "p"), Rgba(255, 255, 255));
  EXPECT_LT(descender.minY, 24 - 4) << "the descender hangs below the baseline";
  EXPECT_LT(descender.maxY, ink.maxY) << "lower case stays below the capital height";
}

TEST_F(TextTest, BoldIsWiderThanRegular) {
  GlText regular(kSans, 10, kRegular);
  GlText bold(kSans, 10, kBold);
  EXPECT_GT(RasterXAfter(bold, "Slice 42"), RasterXAfter(regular, "Slice 42") + 2);
}

TEST_F(TextTest, WeightOfZeroOrLessIsNormal) {
  GlText regular(kSans, 10, kRegular);
  const std::vector<std::uint32_t> expected = Glyphs(regular, "Slice 42");
  for (int weight : {0, -5}) {
    SCOPED_TRACE(weight);
    GlText text(kSans, 10, weight);
    EXPECT_EQ(Glyphs(text, "Slice 42"), expected);
  }
}

TEST_F(TextTest, OddPointSizesMapToUsableHeights) {
  const struct {
    int points;
    int sameAs;
  } cases[] = {{-10, 10}, {0, 12}, {INT_MIN, 384}, {INT_MAX, 384}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.points);
    std::unique_ptr<GlText> odd, reference;
    const CompiledFace oddFace = Compile(odd, kSans, c.points, kRegular);
    const CompiledFace referenceFace = Compile(reference, kSans, c.sameAs, kRegular);
    EXPECT_EQ(oddFace.Height('H'), referenceFace.Height('H'));
    EXPECT_EQ(oddFace.Advance('H'), referenceFace.Advance('H'));
  }
}

TEST_F(TextTest, CodesAboveAsciiDrawTheirWindows1252Characters) {
  GlText text(kSans, 10, kRegular);
  const std::vector<std::uint32_t> missing = Glyphs(text, "\x81");
  ASSERT_GT(InkOf(missing, Rgba(255, 255, 255)).count, 0) << "the missing glyph is visible";
  for (const char* s : {"\xE9", "\x80", "\x9F", "\xA9", "\xFF", "\xB0"}) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(s[0])));
    const std::vector<std::uint32_t> glyph = Glyphs(text, s);
    EXPECT_GT(InkOf(glyph, Rgba(255, 255, 255)).count, 0);
    EXPECT_NE(glyph, missing);
  }
  EXPECT_NE(Glyphs(text, "\xE9"), Glyphs(text, "e")) << "the accent is drawn";
}

TEST_F(TextTest, CodesWithoutCharacterDrawTheMissingGlyph) {
  GlText text(kSans, 10, kRegular);
  const std::vector<std::uint32_t> missing = Glyphs(text, "\x81");
  for (const char* s : {"\x01", "\x1F", "\x7F", "\x8D", "\x8F", "\x90", "\x9D"}) {
    SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(s[0])));
    EXPECT_EQ(Glyphs(text, s), missing);
  }
}

TEST_F(TextTest, AnyFaceNameStillGivesVisibleText) {
  for (const char* face : {static_cast<const char*>(nullptr), "", "No Such Face 1234"}) {
    SCOPED_TRACE(face ? face : "null");
    GlText text(face, 10, kRegular);
    EXPECT_GT(InkOf(Glyphs(text, "H"), Rgba(255, 255, 255)).count, 8);
  }
}

TEST_F(TextTest, DestructionDeletesAllItsLists) {
  std::unique_ptr<GlText> text;
  const CompiledFace face = Compile(text, kSans, 10, kRegular);
  for (GLuint code = 0; code < 256; ++code) ASSERT_TRUE(glIsList(face.base + code)) << code;
  GlRecorder rec;
  text.reset();
  ASSERT_EQ(rec.Count("glDeleteLists"), 1u);
  EXPECT_THAT(rec.Of("glDeleteLists")[0].args, ElementsAre(face.base, 256));
  for (GLuint code = 0; code < 256; ++code) EXPECT_FALSE(glIsList(face.base + code)) << code;
}

TEST_F(TextTest, CopiesShareTheListsUntilTheLastOneGoes) {
  std::unique_ptr<GlText> original;
  const CompiledFace face = Compile(original, kSans, 10, kRegular);
  GlRecorder rec;
  auto copy = std::make_unique<GlText>(*original);
  copy->Write("A");
  EXPECT_EQ(rec.Count("glGenLists"), 0u);
  EXPECT_THAT(rec.Of("glListBase")[0].args, ElementsAre(face.base));
  original.reset();
  EXPECT_TRUE(glIsList(face.base + 'A'));
  EXPECT_EQ(rec.Count("glDeleteLists"), 0u);
  copy->Write("A");
  copy.reset();
  EXPECT_FALSE(glIsList(face.base + 'A'));
  EXPECT_EQ(rec.Count("glDeleteLists"), 1u);
}

TEST_F(TextTest, AssignmentDropsThePreviousListsAndSharesTheSource) {
  std::unique_ptr<GlText> target, source;
  const CompiledFace targetFace = Compile(target, kSans, 10, kRegular);
  const CompiledFace sourceFace = Compile(source, kSans, 10, kBold);
  *target = *source;
  EXPECT_FALSE(glIsList(targetFace.base + 'A')) << "its only user moved on";
  *target = *target;
  source.reset();
  EXPECT_TRUE(glIsList(sourceFace.base + 'A')) << "still used by the target";
  {
    GlRecorder rec;
    target->Write("A");
    EXPECT_THAT(rec.Of("glListBase")[0].args, ElementsAre(sourceFace.base));
  }
  target.reset();
  EXPECT_FALSE(glIsList(sourceFace.base + 'A'));
}

TEST_F(TextTest, WithoutListsNothingIsCompiledDrawnOrDeleted) {
  // glGenLists fails between glBegin and glEnd.
  glBegin(GL_POINTS);
  {
    GlRecorder rec;
    {
      GlText text(kSans, 10, kRegular);
      text.Write("abc");
      GlText copy(text);
    }
    EXPECT_THAT(rec.Names(), ElementsAre("glGenLists")) << "nothing after the failed glGenLists";
    EXPECT_EQ(rec.Of("glGenLists")[0].args[1], 0);
  }
  glEnd();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_INVALID_OPERATION));
}

}  // namespace
}  // namespace QuorvelTest
