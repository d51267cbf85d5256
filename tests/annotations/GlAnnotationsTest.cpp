#include <quorvel/GlCircle.h>
#include <quorvel/GlCrosshair.h>
#include <quorvel/GlRuler.h>
#include <quorvel/GlText.h>

#include "FallbackFont.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"
#include "GlyphLists.h"

#include <gmock/gmock.h>

#include <sstream>

namespace QuorvelTest {
namespace {

using namespace Quorvel;
using Vec3 = GlCircle::Vec3;
using Blocks = std::vector<std::vector<Vec3>>;  // the vertices of each glBegin block

Blocks VerticesOf(const GlRecorder& recorder) {
  Blocks blocks;
  for (const Primitive& p : recorder.Primitives()) blocks.push_back(p.vertices);
  return blocks;
}

// A crosshair on unit axes, a pixel 0.5 world units across and 0.25 up; a ruler from (1, 2, 3) along
// (10, 0, 0) with end marks of (0, 2, 0).
class GlAnnotations : public GlTest {
protected:
  GlAnnotations() {
    crosshair.SetColor(Vec3(0.25, 0.5, 0.75)), crosshair.SetAxes(Vec3(1, 0, 0), Vec3(0, 1, 0));
    crosshair.SetSampling(GlCrosshair::Vec2(0.5, 0.25));
    ruler.SetStartPosition(Vec3(1, 2, 3)), ruler.SetColor(Vec3(0.25, 0.5, 1));
    ruler.SetVectors(Vec3(10, 0, 0), Vec3(0, 2, 0));
  }
  GlCrosshair crosshair;
  GlRuler ruler;
};

// Axes of length 2 give e = 1; at radius 2 that is n = ⌈π / arccos(1/2)⌉ = 3 chords, and three steps of
// 2π/3 add up to 2π exactly, so the first vertex comes again. A zero axis draws nothing.
TEST_F(GlAnnotations, CircleIssuesItsPinnedSequence) {
  GlCircle circle;
  circle.SetColor(Brantel::Geometry::Vector3<int>(300, -1, 128));  // the low 8 bits: 44, 255, 128
  circle.SetLineStipple(GlCircle::LINE_DOTTED);
  EXPECT_EQ(RecordTrace([&] {
              circle.Render(Vec3(1, 2, 3), Vec3(2, 0, 0), Vec3(0, 2, 0), 2);
              circle.SetLineStipple(GlCircle::LINE_SOLID);
              circle.Render(Vec3(1, 2, 3), Vec3(1, 0, 0), Vec3(), 1);
            }),
            R"(glPushAttrib(COLOR_BUFFER|ENABLE|LIGHTING|LINE|POINT)
glMatrixMode(MODELVIEW)
glPushMatrix()
glDisable(LIGHTING)
glEnable(LINE_STIPPLE)
glLineStipple(1, 0x8888)
glTranslated(1, 2, 3)
glBegin(LINE_LOOP)
glColor4ubv(44, 255, 128, 255)
glVertex3dv(0, 2, 0)
glVertex3dv(1.73205, -1, 0)
glVertex3dv(-1.73205, -1, 0)
glVertex3dv(0, 2, 0)
glEnd()
glDisable(LINE_STIPPLE)
glPopMatrix()
glPopAttrib()
glPushAttrib(COLOR_BUFFER|ENABLE|LIGHTING|LINE|POINT)
glMatrixMode(MODELVIEW)
glPushMatrix()
glDisable(LIGHTING)
glDisable(LINE_STIPPLE)
glDisable(LINE_STIPPLE)
glPopMatrix()
glPopAttrib())");
}

// n equal chords: n distinct vertices on the circle (the first may come again last), the first along axis2,
// neighbours 2·r·sin(π/n) apart.
TEST_F(GlAnnotations, CircleChordCountFollowsTheShorterAxis) {
  const struct { const char* name; Vec3 axis1, axis2; double radius; int n; } cases[] = {  // n 0: no loop
      {"e = 0.5, r = 1: arccos 0.5 = π/3", Vec3(1, 0, 0), Vec3(0, 1, 0), 1, 3},
      {"axis2 the shorter, e = 0.25: π / arccos 0.75 = 4.35", Vec3(0, 0, 2), Vec3(0, 0.5, 0), 1, 5},
      {"e = 0.05, r = 1000: π / arccos 0.99995 = 314.2, capped", Vec3(0.1, 0, 0), Vec3(0, 0.1, 0), 1000, 100},
      {"r = e/2: one chord, the same point twice", Vec3(1, 0, 0), Vec3(0, 1, 0), 0.25, 1},
      {"r = 0: arccos is not a number, one vertex", Vec3(1, 0, 0), Vec3(0, 1, 0), 0, 1},
      {"zero axis1: e = 0", Vec3(), Vec3(0, 1, 0), 1, 0}};
  const unsigned char rgba[] = {10, 20, 30, 40};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GlCircle circle;
    circle.SetColor(rgba), circle.SetColor(nullptr);  // no colour keeps the last
    GlRecorder recorder;
    circle.Render(Vec3(7, 8, 9), c.axis1, c.axis2, c.radius);
    const Blocks loops = VerticesOf(recorder);
    ASSERT_EQ(loops.size(), c.n ? 1u : 0u);
    if (!c.n) continue;
    EXPECT_EQ(recorder.Primitives()[0].color, (std::vector<double>{10, 20, 30, 40}));
    const std::vector<Vec3>& v = loops[0];
    EXPECT_EQ(v.size() - (v.size() > 1 && Distance(v.front(), v.back()) < 1e-9), static_cast<std::size_t>(c.n));
    EXPECT_LT(Distance(v[0], c.axis2 / c.axis2.Length() * c.radius), 1e-9);
    for (std::size_t i = 1; i < v.size(); ++i) {
      EXPECT_NEAR(v[i].Length(), c.radius, 1e-9 * c.radius);
      EXPECT_NEAR(Distance(v[i - 1], v[i]), 2 * c.radius * std::sin(M_PI / c.n), 1e-9 * c.radius);
    }
  }
}

TEST_F(GlAnnotations, CrosshairIssuesItsPinnedSequence) {
  crosshair.SetTilt(Vec3(0, 0, 1));
  crosshair.SetTicks(2, 4, 10);
  EXPECT_EQ(RecordTrace([&] { crosshair.Render(); }, GlRecorder::Vertices::Counted), R"(glDisable(LIGHTING)
glDisable(TEXTURE_1D)
glDisable(BLEND)
glColor4ub(255, 255, 255, 255)
glPushAttrib(COLOR_BUFFER|LINE)
glEnable(LINE_STIPPLE)
glLineStipple(1, 0xCCCC)
glBegin(LINES)
glColor3dv(0.25, 0.5, 0.75)
glVertex3dv x 4
glEnd()
glDisable(LINE_STIPPLE)
glPopAttrib()
glBegin(LINES)
glColor3dv(0.25, 0.5, 0.75)
glVertex3dv x 8
glEnd()
glBegin(LINES)
glColor3dv(0.25, 0.5, 0.75)
glVertex3dv x 8
glEnd())");
}

// Tilt line (if any), arms, ticks (unless the gaps are separate); R is the reach of the long lines.
TEST_F(GlAnnotations, CrosshairLinesRunFromTheirPixelGapsAndTicksCrossTheArms) {
  constexpr double R = 100000;
  const struct {
    const char* name;
    void (*set)(GlCrosshair&);
    Blocks blocks;
  } cases[] = {
      {"one gap of 6 pixels: 3 across, 1.5 up; one tick per arm at 10, 4 pixels (1 unit) to each side",
       [](GlCrosshair& c) { c.SetTilt(Vec3(0, 0, 2)), c.SetGap(6), c.SetTicks(2, 4, 10); },
       {{{0, 0, -6}, {0, 0, -2 * R}, {0, 0, 6}, {0, 0, 2 * R}},
        {{-3, 0, 0}, {-R, 0, 0}, {3, 0, 0}, {R, 0, 0}, {0, -1.5, 0}, {0, -R, 0}, {0, 1.5, 0}, {0, R, 0}},
        {{-10, -1, 0}, {-10, 1, 0}, {10, -1, 0}, {10, 1, 0}, {-1, -10, 0}, {1, -10, 0}, {-1, 10, 0}, {1, 10, 0}}}},
      {"separate gaps for +second, -second, -first, +first on longer axes: no ticks, the tilt keeps its gap",
       [](GlCrosshair& c) {
         c.SetAxes(Vec3(2, 0, 0), Vec3(0, 0, 4)), c.SetTilt(Vec3(0, 1, 0)), c.SetGap(6), c.SetGap(1, 2, 3, 4);
       },
       {{{0, -3, 0}, {0, -R, 0}, {0, 3, 0}, {0, R, 0}},
        {{-3, 0, 0}, {-2 * R, 0, 0}, {4, 0, 0}, {2 * R, 0, 0}, {0, 0, -2}, {0, 0, -4 * R}, {0, 0, 1}, {0, 0, 4 * R}}}},
      {"a shared gap after separate ones: ticks again, none for a count of 0; a tilt of squared length 1e-16: none",
       [](GlCrosshair& c) { c.SetTilt(Vec3(1e-8, 0, 0)), c.SetGap(1, 2, 3, 4), c.SetGap(2), c.SetTicks(0, 4, 10); },
       {{{-1, 0, 0}, {-R, 0, 0}, {1, 0, 0}, {R, 0, 0}, {0, -0.5, 0}, {0, -R, 0}, {0, 0.5, 0}, {0, R, 0}}, {}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    GlCrosshair drawn = crosshair;
    c.set(drawn);
    GlRecorder recorder;
    drawn.Render();
    EXPECT_EQ(VerticesOf(recorder), c.blocks);
  }
}

TEST_F(GlAnnotations, RulerIssuesItsPinnedSequence) {
  EXPECT_EQ(RecordTrace([&] { ruler.Render(); }, GlRecorder::Vertices::Counted), R"(glDisable(LIGHTING)
glDisable(TEXTURE_1D)
glDisable(BLEND)
glColor4ub(255, 255, 255, 255)
glBegin(LINES)
glColor3dv(0.25, 0.5, 1)
glVertex3dv x 24
glEnd())");
}

// The line, the end marks across it, then n ticks at i / (n + 1) of the way, 0.3 of a mark long towards it,
// the one at the middle 0.5.
TEST_F(GlAnnotations, RulerDrawsLineEndMarksAndMinorTicks) {
  constexpr int kDefault = -99;  // the count the constructor sets
  const std::pair<int, std::vector<std::pair<double, double>>> cases[] = {  // n, then x and tip y of each tick
      {kDefault, {{2, 2.6}, {3, 2.6}, {4, 2.6}, {5, 2.6}, {6, 3}, {7, 2.6}, {8, 2.6}, {9, 2.6}, {10, 2.6}}},
      {3, {{3.5, 2.6}, {6, 3}, {8.5, 2.6}}},
      {4, {{3, 2.6}, {5, 2.6}, {7, 2.6}, {9, 2.6}}},
      {1, {{6, 3}}},
      {0, {}},
      {-1, {}}};
  for (const auto& [n, ticks] : cases) {
    GlRuler drawn = ruler;
    if (n != kDefault) drawn.SetMinorTicsCount(n);
    std::vector<Vec3> expected = {{1, 2, 3}, {11, 2, 3}, {1, 1, 3}, {1, 3, 3}, {11, 1, 3}, {11, 3, 3}};
    for (const auto& [x, tipY] : ticks) expected.insert(expected.end(), {{x, 2, 3}, {x, tipY, 3}});
    GlRecorder recorder;
    drawn.Render();
    EXPECT_EQ(VerticesOf(recorder), Blocks{expected}) << n;
  }
}

// Lists from 1 in a fresh context. glBitmap's arguments, the font's, are left out: see the drawn glyphs below.
TEST_F(GlAnnotations, TextIssuesItsPinnedSequence) {
  std::string expected = R"(glGenLists(256, 1)
glPushClientAttrib(CLIENT_PIXEL_STORE)
glPixelStorei(UNPACK_SWAP_BYTES, 0)
glPixelStorei(UNPACK_LSB_FIRST, 0)
glPixelStorei(UNPACK_ROW_LENGTH, 0)
glPixelStorei(UNPACK_SKIP_ROWS, 0)
glPixelStorei(UNPACK_SKIP_PIXELS, 0)
glPixelStorei(UNPACK_ALIGNMENT, 1))";
  for (int list = 1; list <= 256; ++list)
    expected += "\nglNewList(" + std::to_string(list) + ", COMPILE)\nglBitmap\nglEndList()";
  expected += R"(
glPopClientAttrib()
glPushAttrib(LIST)
glListBase(1)
glCallLists(2, UNSIGNED_BYTE, "Ab")
glPopAttrib()
glDeleteLists(1, 256))";
  const std::string trace = RecordTrace([] {
    GlText text("DejaVu Sans", 10, 400);
    text.Write("Ab"), text.Write(nullptr);
  });
  std::istringstream lines(trace);
  std::string withoutBitmaps;
  for (std::string line; std::getline(lines, line);)
    withoutBitmaps += (withoutBitmaps.empty() ? "" : "\n") + (line.rfind("glBitmap(", 0) == 0 ? "glBitmap" : line);
  EXPECT_EQ(withoutBitmaps, expected);
}

// The built-in face at one pixel a cell, drawn from its lists at the raster position (10, 20): each glyph
// stands on the baseline with its descender below and moves the raster 6 pixels right. Rows top first.
TEST_F(GlAnnotations, CompiledGlyphsStandOnTheBaselineAndAdvanceAlongIt) {
  GlyphSet glyphs;
  FallbackGlyphs(13, glyphs);
  const GLuint base = glGenLists(256);
  CompileGlyphLists(base, glyphs);
  UseWorldWindowMapping();
  glClear(GL_COLOR_BUFFER_BIT);
  glRasterPos2d(10, 20);
  glListBase(base);
  glCallLists(3, GL_UNSIGNED_BYTE, "Fy\xE9");
  glDeleteLists(base, 256);
  const std::vector<std::uint32_t> pixels = ReadPixels(9, 18, 19, 9);
  std::vector<std::string> art(9);
  for (int i = 0; i < 9 * 19; ++i) art[8 - i / 19] += pixels[i] & 0xFF ? '#' : '.';  // red
  EXPECT_THAT(art, ::testing::ElementsAre(".#####.......#####.",  //
                                          ".#...........#...#.",  //
                                          ".#.....#...#.#...#.",  //
                                          ".####..#...#.#...#.",  //
                                          ".#.....#...#.#...#.",  //
                                          ".#......####.#...#.",  //
                                          ".#.........#.#####.",  // the baseline
                                          ".......#...#.......",  //
                                          "........###........"));
}

}  // namespace
}  // namespace QuorvelTest
