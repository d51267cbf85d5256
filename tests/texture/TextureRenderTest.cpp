// Drawing of the tiles: the pinned sequence, the tiles in feedback and in the
// framebuffer, the refused texture and the names a derived class leaves.
#include "Feedback.h"
#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"
#include "InspectableMapper.h"

#include <gtest/gtest.h>

#include <exception>
#include <set>

namespace QuorvelTest {
namespace {

class TextureRender : public GlTest {
protected:
  const std::vector<std::uint32_t> table = MakeTable(4099);
  // 5 × 2 pixels in tiles of at most 4 with smoothing, clipped to the image:
  // two tiles of 4 × 2 from pixel -1 and 2, the second holding three pixels.
  const std::unique_ptr<GreyImage> image = MakeImage(5, 2);
  InspectableMapper mapper{4, true, true};

  void SetUp() override {
    GlTest::SetUp();
    mapper.SetLookupTable(table.data(), 4099);
    mapper.SetBuffer(image.get());
  }
  static void Draw(InspectableMapper& m, const GreyImage& shown) {
    m.RenderTexture(Vec3(0, 0, 0), Vec3(shown.GetWidth(), 0, 0), Vec3(0, shown.GetHeight(), 0));
  }
};

// One pixel is (1, 0, 0) by (0, 1, 1); a single tile has no overlap, and the
// image fills 3 of its 4 texels across: s up to 3/4, 3 pixels wide.
TEST_F(TextureRender, DrawsATileInThePinnedSequence) {
  const auto narrow = MakeImage(3, 2);
  InspectableMapper one(0, true, true);
  one.SetLookupTable(table.data(), 4099);
  one.SetBuffer(narrow.get());
  EXPECT_EQ(RecordTrace([&] { one.RenderTexture(Vec3(1, 2, 3), Vec3(3, 0, 0), Vec3(0, 2, 2)); }),
            R"(glGetIntegerv(RENDER_MODE)
glPushAttrib(COLOR_BUFFER|LIGHTING|TEXTURE)
glGenTextures(1, 1)
glGetError()
glBindTexture(TEXTURE_2D, 1)
glTexParameteri(TEXTURE_2D, TEXTURE_WRAP_S, CLAMP)
glTexParameteri(TEXTURE_2D, TEXTURE_WRAP_T, CLAMP)
glPixelStorei(UNPACK_ALIGNMENT, 4)
glTexImage2D(TEXTURE_2D, 0, RGBA8, 4, 2, 0, RGBA, UNSIGNED_BYTE, 0)
glGetTexLevelParameteriv(TEXTURE_2D, 0, TEXTURE_WIDTH)
glGetTexLevelParameteriv(TEXTURE_2D, 0, TEXTURE_HEIGHT)
glColor4ub(255, 255, 255, 255)
glEnable(TEXTURE_2D)
glBindTexture(TEXTURE_2D, 1)
glPixelStorei(UNPACK_ALIGNMENT, 4)
glTexSubImage2D(TEXTURE_2D, 0, 0, 0, 4, 2, RGBA, UNSIGNED_BYTE)
glTexParameteri(TEXTURE_2D, TEXTURE_WRAP_S, CLAMP)
glTexParameteri(TEXTURE_2D, TEXTURE_WRAP_T, CLAMP)
glTexParameteri(TEXTURE_2D, TEXTURE_MAG_FILTER, LINEAR)
glTexParameteri(TEXTURE_2D, TEXTURE_MIN_FILTER, LINEAR)
glDisable(LIGHTING)
glDisable(TEXTURE_1D)
glDisable(BLEND)
glPassThrough(300)
glPolygonMode(FRONT_AND_BACK, FILL)
glBegin(POLYGON)
glTexCoord2d(0, 0)
glVertex3dv(1, 2, 3)
glTexCoord2d(0.75, 0)
glVertex3dv(4, 2, 3)
glTexCoord2d(0.75, 1)
glVertex3dv(4, 4, 5)
glTexCoord2d(0, 1)
glVertex3dv(1, 4, 5)
glEnd()
glPixelStorei(UNPACK_ROW_LENGTH, 0)
glPixelStorei(UNPACK_SKIP_PIXELS, 0)
glPixelStorei(UNPACK_SKIP_ROWS, 0)
glDisable(TEXTURE_2D)
glPopAttrib()
glDeleteTextures(1, 1)
glGetError())");
}

// With overlap the tiles run from the centre of their first texel (s = 1/8),
// half a pixel before the image, to that of their last (7/8); the second is
// clipped to its 3 of 4 texels: s up to 3/4, 2.25 pixels wide.
TEST_F(TextureRender, MarksEachTileInFeedbackWhenAskedAndDrawsNothingWithoutTiles) {
  InspectableMapper never, cleared(mapper), emptied(mapper);
  const auto empty = MakeImage(0, 2);
  cleared.SetBuffer(nullptr);
  emptied.SetBuffer(empty.get());
  for (InspectableMapper* m : {&never, &cleared, &emptied}) EXPECT_EQ(RecordTrace([&] { Draw(*m, *image); }), "");
  std::string trace;
  EXPECT_TRUE(CaptureFeedback([&] { trace = RecordTrace([&] { Draw(mapper, *image); }); }).items.empty());
  EXPECT_EQ(trace, "glGetIntegerv(RENDER_MODE)");
  mapper.SetRenderInFeedbackMode(true);
  using Corners = std::set<std::array<double, 4>>;  // x, y, texture s, t
  std::vector<Corners> drawn;  // the vertices after each pass-through: the driver may split a polygon
  for (const FbItem& item : CaptureWorldFeedback([&] { Draw(mapper, *image); }).items) {
    if (item.token == GL_PASS_THROUGH_TOKEN) {
      EXPECT_EQ(item.value, 300.0f);
      drawn.emplace_back();
    }
    for (const FbVertex& v : item.vertices)
      if (!drawn.empty()) drawn.back().insert({v.position[0], v.position[1], v.texCoord[0], v.texCoord[1]});
  }
  EXPECT_EQ(drawn, (std::vector<Corners>{
                       {{-0.5, 0, 0.125, 0}, {2.5, 0, 0.875, 0}, {2.5, 2, 0.875, 1}, {-0.5, 2, 0.125, 1}},
                       {{2.5, 0, 0.125, 0}, {4.75, 0, 0.75, 0}, {4.75, 2, 0.75, 1}, {2.5, 2, 0.125, 1}}}));
}

// Without overlap and with nearest filtering each pixel shows its texel. Drawn
// by one assigned from a copy, which carry all a draw needs.
TEST_F(TextureRender, PictureOfACopyIsTheImageThroughTheTable) {
  glOrtho(0, 64, 0, 64, -1, 1);  // a unit a pixel
  glClearColor(1 / 255.0f, 2 / 255.0f, 3 / 255.0f, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  const auto shown = MakeImage(50, 40);
  InspectableMapper nearest(16, false, true);  // 4 × 3 tiles, the last clipped to the image
  nearest.SetLookupTable(table.data(), 4099);
  nearest.SetBuffer(shown.get());
  InspectableMapper copy(nearest), assigned;
  assigned = copy;
  Draw(assigned, *shown);
  const std::vector<std::uint32_t> pixels = ReadPixels(0, 0, 64, 64);
  long wrong = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      wrong += pixels[y * 64 + x] != (x < 50 && y < 40 ? Shown(*shown, table, x, y) : Rgba(1, 2, 3));
  EXPECT_EQ(wrong, 0);
}

TEST_F(TextureRender, RefusedTextureSizeThrowsAfterUndoingTheDraw) {
  if (GetInt(GL_MAX_TEXTURE_SIZE) >= 32768) GTEST_SKIP() << "the driver takes textures of 32768 texels";
  const auto tooWide = MakeImage(20000, 1);  // one tile of 32768 × 1
  InspectableMapper wide(0, false);
  wide.SetLookupTable(table.data(), 4099);
  wide.SetBuffer(tooWide.get());
  try {
    Draw(wide, *tooWide);
    ADD_FAILURE() << "no exception";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Cannot allocate texture.");
  }
  EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), 0);
  EXPECT_FALSE(glIsTexture(1));
  EXPECT_TRUE(wide.textureNames.empty());
}

// A derived class may leave names of its own: a draw draws into them when there
// is one per tile, else deletes and replaces them; a new plan or an empty
// image deletes them. None outlives the draw.
TEST_F(TextureRender, UsesLeftoverNamesOnlyWhenThereIsOnePerTile) {
  std::vector<GLuint>& names = mapper.textureNames;
  auto leave = [&](std::size_t count) {
    names.resize(count);
    glGenTextures(static_cast<GLsizei>(count), names.data());
    for (const GLuint name : names) {
      glBindTexture(GL_TEXTURE_2D, name);
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 4, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    }
    glBindTexture(GL_TEXTURE_2D, 0);  // else the draw's glPopAttrib binds a deleted name again
  };
  for (const std::size_t leftover : {3, 2}) {
    leave(leftover);
    GlRecorder recorder;
    Draw(mapper, *image);
    EXPECT_EQ(recorder.Count("glGenTextures"), leftover == 2 ? 0u : 2u);
    EXPECT_EQ(recorder.Count("glDeleteTextures"), leftover == 2 ? 2u : 5u);
  }
  for (const auto& next : {MakeImage(9, 2), MakeImage(0, 2)}) {  // three tiles, then none
    leave(2);
    const std::vector<GLuint> left = names;
    mapper.SetBuffer(next.get());
    EXPECT_TRUE(names.empty());
    for (const GLuint name : left) EXPECT_FALSE(glIsTexture(name));
  }
}

}  // namespace
}  // namespace QuorvelTest
