// Drawing of the tiles, read back from GL: feedback polygons and tokens, the
// recorded call sequence and texel uploads, and the pixels drawn.
#include "Feedback.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"
#include "InspectableMapper.h"

#include <GL/gl.h>
#include <gmock/gmock.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

namespace QuorvelTest {
namespace {

using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::FloatNear;

/// One tile polygon as expected: an axis-aligned rectangle from (x0, y0) to
/// (x1, y1) and its texture coordinates.
struct Quad {
  double x0, y0, x1, y1;
  double s0, t0, s1, t1;
};

// The vertices GL fed back for each tile: everything after each
// pass-through token. (The driver may split a polygon into triangles.)
std::vector<std::vector<FbVertex>> TileVertices(const Feedback& fb) {
  std::vector<std::vector<FbVertex>> tiles;
  for (const FbItem& item : fb.items) {
    if (item.token == GL_PASS_THROUGH_TOKEN) {
      EXPECT_EQ(item.value, 300.0f);
      tiles.emplace_back();
    } else if (!tiles.empty()) {
      tiles.back().insert(tiles.back().end(), item.vertices.begin(), item.vertices.end());
    }
  }
  return tiles;
}

// The tile's vertices are exactly the four corners of `q`, each with its
// texture coordinate.
void ExpectQuad(const std::vector<FbVertex>& vertices, const Quad& q) {
  const double corners[4][4] = {{q.x0, q.y0, q.s0, q.t0}, {q.x1, q.y0, q.s1, q.t0},
                                {q.x1, q.y1, q.s1, q.t1}, {q.x0, q.y1, q.s0, q.t1}};
  auto matches = [](const FbVertex& v, const double* corner) {
    return std::abs(v.position[0] - corner[0]) < 1e-3 && std::abs(v.position[1] - corner[1]) < 1e-3 &&
           std::abs(v.position[2]) < 1e-3 && std::abs(v.texCoord[0] - corner[2]) < 1e-6 &&
           std::abs(v.texCoord[1] - corner[3]) < 1e-6;
  };
  for (const auto& corner : corners) {
    EXPECT_TRUE(std::any_of(vertices.begin(), vertices.end(), [&](const FbVertex& v) { return matches(v, corner); }))
        << "missing corner (" << corner[0] << ", " << corner[1] << ") at (" << corner[2] << ", " << corner[3] << ")";
  }
  for (const FbVertex& v : vertices) {
    EXPECT_TRUE(std::any_of(std::begin(corners), std::end(corners), [&](const double* c) { return matches(v, c); }))
        << "stray vertex (" << v.position[0] << ", " << v.position[1] << ") at (" << v.texCoord[0] << ", "
        << v.texCoord[1] << ")";
  }
}

std::vector<std::uint32_t> Texels(const GlCall& upload) {
  std::vector<std::uint32_t> texels(upload.data.size() / 4);
  std::memcpy(texels.data(), upload.data.data(), texels.size() * 4);
  return texels;
}

class TextureRenderTest : public GlTest {
protected:
  const std::vector<std::uint32_t> table = MakeTable(4096);

  void Draw(Quorvel::Gl2DTextureMapper& mapper, int width, int height) {
    mapper.RenderTexture(Vec3(0, 0, 0), Vec3(width, 0, 0), Vec3(0, height, 0));
  }

  // One window pixel per world unit over the 64 × 64 surface.
  static void UsePixelMapping() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 64, 0, 64, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }
};

struct TileGeometryCase {
  const char* name;
  unsigned maxTileSize;
  bool smooth;
  bool clip;
  int width, height;
  std::vector<Quad> quads;
};

const double k1_512 = 1.0 / 512, k511_512 = 511.0 / 512, kT = 100.0 / 128;
const TileGeometryCase kGeometry[] = {
    {"one tile", 0, true, false, 300, 200, {{0, 0, 512, 256, 0, 0, 1, 1}}},
    {"one tile clipped", 0, true, true, 300, 200, {{0, 0, 300, 200, 0, 0, 300.0 / 512, 200.0 / 256}}},
    {"smooth tiles", 256, true, false, 600, 100,
     {{-0.5, 0, 254.5, 128, k1_512, 0, k511_512, 1}, {254.5, 0, 509.5, 128, k1_512, 0, k511_512, 1},
      {509.5, 0, 764.5, 128, k1_512, 0, k511_512, 1}}},
    {"smooth tiles clipped", 256, true, true, 600, 100,
     {{-0.5, 0, 254.5, 100, k1_512, 0, k511_512, kT}, {254.5, 0, 509.5, 100, k1_512, 0, k511_512, kT},
      {509.5, 0, 509.5 + 255.0 * 91 / 256, 100, k1_512, 0, 91.0 / 256, kT}}},
    {"nearest tiles", 256, false, false, 600, 100,
     {{0, 0, 256, 128, 0, 0, 1, 1}, {256, 0, 512, 128, 0, 0, 1, 1}, {512, 0, 768, 128, 0, 0, 1, 1}}},
    {"nearest tiles clipped", 256, false, true, 600, 100,
     {{0, 0, 256, 100, 0, 0, 1, kT}, {256, 0, 512, 100, 0, 0, 1, kT}, {512, 0, 600, 100, 0, 0, 88.0 / 256, kT}}},
};

TEST_F(TextureRenderTest, DrawsOneMarkedPolygonPerTileFromTexelCentreToTexelCentre) {
  for (const TileGeometryCase& c : kGeometry) {
    SCOPED_TRACE(c.name);
    InspectableMapper mapper(c.maxTileSize, c.smooth, c.clip);
    mapper.SetLookupTable(table.data(), 4096);
    const auto image = MakeImage(c.width, c.height, Pattern);
    mapper.SetBuffer(image.get());
    mapper.SetRenderInFeedbackMode(true);
    const Feedback fb = CaptureWorldFeedback([&] { Draw(mapper, c.width, c.height); });

    EXPECT_EQ(fb.items.front().token, GL_PASS_THROUGH_TOKEN);
    EXPECT_EQ(fb.Count(GL_PASS_THROUGH_TOKEN) + fb.Count(GL_POLYGON_TOKEN), fb.items.size());
    const auto tiles = TileVertices(fb);
    ASSERT_EQ(tiles.size(), c.quads.size());
    for (std::size_t i = 0; i < c.quads.size(); ++i) {
      SCOPED_TRACE(i);
      ExpectQuad(tiles[i], c.quads[i]);
    }
  }
}

TEST_F(TextureRenderTest, ClippedSingleTileFillsTheParallelogramExactly) {
  InspectableMapper mapper(0, true, true);
  mapper.SetLookupTable(table.data(), 4096);
  const auto image = MakeImage(300, 200, Pattern);
  mapper.SetBuffer(image.get());
  mapper.SetRenderInFeedbackMode(true);
  const Vec3 origin(10, 20, 5), xEdge(300, 100, 40), yEdge(-50, 200, 0);
  GlRecorder rec;
  mapper.RenderTexture(origin, xEdge, yEdge);
  const std::vector<Vec3> corners = {origin, origin + xEdge, origin + xEdge + yEdge, origin + yEdge};
  const auto vertices = rec.Of("glVertex3dv");
  ASSERT_EQ(vertices.size(), 4u);
  for (int k = 0; k < 4; ++k)
    EXPECT_THAT(vertices[k].args, ElementsAre(DoubleNear(corners[k][0], 1e-9), DoubleNear(corners[k][1], 1e-9),
                                              DoubleNear(corners[k][2], 1e-9)));
}

TEST_F(TextureRenderTest, IssuesTheTileSequenceAndReleasesTheTexture) {
  InspectableMapper mapper(0, false, false);
  mapper.SetLookupTable(table.data(), 4096);
  const auto image = MakeImage(300, 200, Pattern);
  mapper.SetBuffer(image.get());
  GlRecorder rec;
  Draw(mapper, 300, 200);

  const std::vector<std::string> expected = {
      "glGetIntegerv", "glPushAttrib",
      // creation
      "glGenTextures", "glGetError", "glBindTexture", "glTexParameteri", "glTexParameteri", "glPixelStorei",
      "glTexImage2D", "glGetTexLevelParameteriv", "glGetTexLevelParameteriv",
      // draw
      "glColor4ub", "glEnable", "glBindTexture", "glPixelStorei", "glTexSubImage2D", "glTexParameteri",
      "glTexParameteri", "glTexParameteri", "glTexParameteri", "glDisable", "glDisable", "glDisable", "glPassThrough",
      "glPolygonMode", "glBegin", "glTexCoord2d", "glVertex3dv", "glTexCoord2d", "glVertex3dv", "glTexCoord2d",
      "glVertex3dv", "glTexCoord2d", "glVertex3dv", "glEnd",
      // finish
      "glPixelStorei", "glPixelStorei", "glPixelStorei", "glDisable", "glPopAttrib", "glDeleteTextures",
      "glGetError"};
  EXPECT_THAT(rec.Names(), ElementsAreArray(expected));

  const auto& calls = rec.Calls();
  EXPECT_THAT(calls[0].args, ElementsAre(GL_RENDER_MODE));
  EXPECT_THAT(calls[1].args, ElementsAre(GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_LIGHTING_BIT));
  const double name = rec.Of("glGenTextures")[0].args.at(1);
  EXPECT_THAT(calls[4].args, ElementsAre(GL_TEXTURE_2D, name));
  EXPECT_THAT(calls[5].args, ElementsAre(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP));
  EXPECT_THAT(calls[6].args, ElementsAre(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP));
  EXPECT_THAT(calls[7].args, ElementsAre(GL_UNPACK_ALIGNMENT, 4));
  EXPECT_THAT(calls[8].args, ElementsAre(GL_TEXTURE_2D, 0, GL_RGBA8, 512, 256, 0, GL_RGBA, GL_UNSIGNED_BYTE, 0));
  EXPECT_THAT(calls[9].args, ElementsAre(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH));
  EXPECT_THAT(calls[10].args, ElementsAre(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT));
  EXPECT_THAT(calls[11].args, ElementsAre(255, 255, 255, 255));
  EXPECT_THAT(calls[12].args, ElementsAre(GL_TEXTURE_2D));
  EXPECT_THAT(calls[13].args, ElementsAre(GL_TEXTURE_2D, name));
  EXPECT_THAT(calls[14].args, ElementsAre(GL_UNPACK_ALIGNMENT, 4));
  EXPECT_THAT(calls[15].args, ElementsAre(GL_TEXTURE_2D, 0, 0, 0, 512, 256, GL_RGBA, GL_UNSIGNED_BYTE));
  EXPECT_THAT(calls[16].args, ElementsAre(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP));
  EXPECT_THAT(calls[17].args, ElementsAre(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP));
  EXPECT_THAT(calls[18].args, ElementsAre(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST));
  EXPECT_THAT(calls[19].args, ElementsAre(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST));
  EXPECT_THAT(calls[20].args, ElementsAre(GL_LIGHTING));
  EXPECT_THAT(calls[21].args, ElementsAre(GL_TEXTURE_1D));
  EXPECT_THAT(calls[22].args, ElementsAre(GL_BLEND));
  EXPECT_THAT(calls[23].args, ElementsAre(300.0));
  EXPECT_THAT(calls[24].args, ElementsAre(GL_FRONT_AND_BACK, GL_FILL));
  EXPECT_THAT(calls[25].args, ElementsAre(GL_POLYGON));
  EXPECT_THAT(calls[35].args, ElementsAre(GL_UNPACK_ROW_LENGTH, 0));
  EXPECT_THAT(calls[36].args, ElementsAre(GL_UNPACK_SKIP_PIXELS, 0));
  EXPECT_THAT(calls[37].args, ElementsAre(GL_UNPACK_SKIP_ROWS, 0));
  EXPECT_THAT(calls[38].args, ElementsAre(GL_TEXTURE_2D));
  EXPECT_THAT(calls[40].args, ElementsAre(1, name));
  EXPECT_EQ(Texels(calls[15]).size(), 512u * 256u);
  EXPECT_EQ(CountWrongTexels(Texels(calls[15]).data(), {512, 256}, *image, table, {0, 0}), 0);
  EXPECT_FALSE(glIsTexture(static_cast<GLuint>(name)));
  EXPECT_TRUE(mapper.textureNames.empty());
}

TEST_F(TextureRenderTest, CreatesAndUploadsTilesColumnByColumn) {
  InspectableMapper mapper(256, true, false);
  mapper.SetLookupTable(table.data(), 4096);
  const auto image = MakeImage(300, 300, Pattern);  // 2 × 2 tiles advancing by 255
  mapper.SetBuffer(image.get());
  mapper.SetRenderInFeedbackMode(true);
  GlRecorder rec;
  const Feedback fb = CaptureWorldFeedback([&] { Draw(mapper, 300, 300); });

  std::vector<double> created, deleted;
  for (const GlCall& call : rec.Of("glGenTextures")) created.push_back(call.args.at(1));
  for (const GlCall& call : rec.Of("glDeleteTextures")) deleted.push_back(call.args.at(1));
  ASSERT_EQ(created.size(), 4u);
  EXPECT_THAT(deleted, ElementsAreArray(created));
  const auto binds = rec.Of("glBindTexture");
  const auto uploads = rec.Of("glTexSubImage2D");
  const auto tiles = TileVertices(fb);
  ASSERT_EQ(binds.size(), 8u);
  ASSERT_EQ(uploads.size(), 4u);
  ASSERT_EQ(tiles.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    const int column = k / 2, row = k % 2;
    SCOPED_TRACE(testing::Message() << "column " << column << " row " << row);
    EXPECT_EQ(binds[4 + k].args.at(1), created[k]);
    const Vec2i start(255 * column - 1, 255 * row - 1);
    EXPECT_EQ(CountWrongTexels(Texels(uploads[k]).data(), {256, 256}, *image, table, start), 0);
    const double x0 = start[0] + 0.5, y0 = start[1] + 0.5;
    ExpectQuad(tiles[k], {x0, y0, x0 + 255, y0 + 255, 1.0 / 512, 1.0 / 512, 511.0 / 512, 511.0 / 512});
    EXPECT_FALSE(glIsTexture(static_cast<GLuint>(created[k])));
  }
  EXPECT_TRUE(mapper.textureNames.empty());
}

struct PixelCase {
  unsigned maxTileSize;
  bool smooth;
  bool clip;
  int width, height;
};

TEST_F(TextureRenderTest, DrawnPixelsAreTheTableEntriesOfTheSourcePixels) {
  const PixelCase cases[] = {
      {0, false, false, 64, 64}, {16, false, false, 64, 64}, {0, false, true, 50, 40},
      {16, false, true, 50, 40}, {0, true, false, 64, 64},   {16, true, false, 64, 64},
  };
  const std::uint32_t background = Rgba(1, 2, 3);
  UsePixelMapping();
  for (const PixelCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "tile " << c.maxTileSize << " smooth " << c.smooth << " clip " << c.clip);
    glClearColor(1 / 255.0f, 2 / 255.0f, 3 / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    InspectableMapper mapper(c.maxTileSize, c.smooth, c.clip);
    mapper.SetLookupTable(table.data(), 4096);
    const auto image = MakeImage(c.width, c.height, Pattern);
    mapper.SetBuffer(image.get());
    Draw(mapper, c.width, c.height);

    const std::vector<std::uint32_t> pixels = ReadPixels(0, 0, 64, 64);
    long wrong = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x) {
        const bool inImage = x < c.width && y < c.height;
        const std::uint32_t expected = inImage ? ExpectedTexel(*image, table, {0, 0}, x, y) : background;
        if (pixels[y * 64 + x] != expected) ++wrong;
      }
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(TextureRenderTest, CopiesDrawTheSamePicture) {
  UsePixelMapping();
  InspectableMapper source(16, false, true);
  source.SetLookupTable(table.data(), 4096);
  const auto image = MakeImage(50, 40, Pattern);
  source.SetBuffer(image.get());
  glClear(GL_COLOR_BUFFER_BIT);
  Draw(source, 50, 40);
  const std::vector<std::uint32_t> original = ReadPixels(0, 0, 64, 64);

  InspectableMapper copy(source);
  InspectableMapper assigned;
  assigned = source;
  for (InspectableMapper* target : {&copy, &assigned}) {
    glClear(GL_COLOR_BUFFER_BIT);
    Draw(*target, 50, 40);
    EXPECT_THAT(ReadPixels(0, 0, 64, 64), ElementsAreArray(original));
  }
}

TEST_F(TextureRenderTest, IssuesNoCallWithoutImageOrTiles) {
  const auto image = MakeImage(30, 20, Pattern);
  const auto empty = MakeImage(0, 20, Pattern);
  const std::pair<const char*, GreyImage*> lastBuffer[] = {
      {"never set", nullptr}, {"reset to null", nullptr}, {"empty image", empty.get()}};
  for (const auto& [name, last] : lastBuffer) {
    SCOPED_TRACE(name);
    InspectableMapper mapper;
    mapper.SetLookupTable(table.data(), 4096);
    if (std::string(name) != "never set") {
      mapper.SetBuffer(image.get());
      mapper.SetBuffer(last);
    }
    GlRecorder rec;
    Draw(mapper, 30, 20);
    EXPECT_TRUE(rec.Calls().empty());
  }
}

TEST_F(TextureRenderTest, FeedbackModeWithoutTheFlagStopsAfterTheModeQuery) {
  InspectableMapper mapper;
  mapper.SetLookupTable(table.data(), 4096);
  const auto image = MakeImage(30, 20, Pattern);
  mapper.SetBuffer(image.get());
  std::vector<std::string> names;
  int depthBefore = -1, depthAfter = -1;
  const Feedback fb = CaptureWorldFeedback([&] {
    depthBefore = GetInt(GL_ATTRIB_STACK_DEPTH);
    GlRecorder rec;
    Draw(mapper, 30, 20);
    names = rec.Names();
    depthAfter = GetInt(GL_ATTRIB_STACK_DEPTH);
  });
  EXPECT_THAT(names, ElementsAre("glGetIntegerv"));
  EXPECT_TRUE(fb.items.empty());
  EXPECT_EQ(depthAfter, depthBefore);
}

TEST_F(TextureRenderTest, LeavesOnlyTheDocumentedStateChanged) {
  GLuint callerTexture = 0;
  glGenTextures(1, &callerTexture);
  glBindTexture(GL_TEXTURE_2D, callerTexture);
  glColor4ub(200, 10, 20, 30);
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 7);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 3);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 2);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glEnable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glEnable(GL_TEXTURE_1D);
  const auto modelview = GetMatrix(GL_MODELVIEW_MATRIX);

  InspectableMapper mapper(256, true, true);
  mapper.SetLookupTable(table.data(), 4096);
  const auto image = MakeImage(600, 100, Pattern);
  mapper.SetBuffer(image.get());
  Draw(mapper, 600, 100);

  EXPECT_THAT(CurrentColor(), ElementsAre(1.0f, 1.0f, 1.0f, 1.0f));
  GLint polygonMode[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, polygonMode);
  EXPECT_THAT(polygonMode, ElementsAre(GL_FILL, GL_FILL));
  EXPECT_EQ(GetInt(GL_UNPACK_ROW_LENGTH), 0);
  EXPECT_EQ(GetInt(GL_UNPACK_SKIP_PIXELS), 0);
  EXPECT_EQ(GetInt(GL_UNPACK_SKIP_ROWS), 0);
  EXPECT_EQ(GetInt(GL_UNPACK_ALIGNMENT), 4);
  GLfloat texCoord[4] = {};
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texCoord);
  EXPECT_THAT(texCoord, ElementsAre(FloatNear(1.0f / 512, 1e-7f), FloatNear(100.0f / 128, 1e-7f), 0.0f, 1.0f));
  // Restored by the attribute pop:
  EXPECT_TRUE(IsEnabled(GL_BLEND));
  EXPECT_TRUE(IsEnabled(GL_LIGHTING));
  EXPECT_TRUE(IsEnabled(GL_TEXTURE_1D));
  EXPECT_FALSE(IsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(GetInt(GL_TEXTURE_BINDING_2D), static_cast<int>(callerTexture));
  EXPECT_EQ(GetMatrix(GL_MODELVIEW_MATRIX), modelview);
  glDeleteTextures(1, &callerTexture);
}

TEST_F(TextureRenderTest, RefusedTextureSizeThrowsAndUndoesTheDraw) {
  if (GetInt(GL_MAX_TEXTURE_SIZE) >= 32768) GTEST_SKIP() << "the driver accepts 32768-texel textures";
  InspectableMapper mapper(0, false, false);
  mapper.SetLookupTable(table.data(), 4096);
  const auto tooWide = MakeImage(20000, 1, Pattern);  // one tile of 32768 × 1
  mapper.SetBuffer(tooWide.get());
  glEnable(GL_BLEND);
  const int depth = GetInt(GL_ATTRIB_STACK_DEPTH);
  {
    GlRecorder rec;
    try {
      Draw(mapper, 20000, 1);
      ADD_FAILURE() << "no exception";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), "Cannot allocate texture.");
    }
    EXPECT_EQ(rec.Count("glBegin"), 0u);
    ASSERT_EQ(rec.Count("glGenTextures"), 1u);
    EXPECT_FALSE(glIsTexture(static_cast<GLuint>(rec.Of("glGenTextures")[0].args.at(1))));
  }
  EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), depth);
  EXPECT_TRUE(IsEnabled(GL_BLEND));
  EXPECT_FALSE(IsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(mapper.textureNames.empty());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  const auto fits = MakeImage(300, 200, Pattern);
  mapper.SetBuffer(fits.get());
  mapper.SetRenderInFeedbackMode(true);
  const Feedback fb = CaptureWorldFeedback([&] { Draw(mapper, 300, 200); });
  ASSERT_EQ(fb.Count(GL_PASS_THROUGH_TOKEN), 1u);
  EXPECT_EQ(fb.Of(GL_PASS_THROUGH_TOKEN)[0].value, 300.0f);
  EXPECT_GE(fb.Count(GL_POLYGON_TOKEN), 1u);
}

}  // namespace
}  // namespace QuorvelTest
