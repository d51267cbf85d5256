#include <quorvel/GlObjectsBase.h>
#include <quorvel/GlState.h>

#include "GlQueries.h"
#include "GlRecorder.h"
#include "GlTest.h"

#include <gmock/gmock.h>

namespace QuorvelTest {
namespace {

using ::testing::ElementsAre;

class GlStateTest : public GlTest {
protected:
  Quorvel::GlState state;
};

TEST_F(GlStateTest, SmoothLinesOnIssuesTenCommandsInOrder) {
  GlRecorder rec;
  state.SetSmoothLines(true);
  EXPECT_THAT(rec.Names(), ElementsAre("glDisable", "glDisable", "glEnable", "glEnable", "glHint", "glHint",
                                       "glBlendFunc", "glEnable", "glAlphaFunc", "glEnable"));
  const auto& c = rec.Calls();
  EXPECT_THAT(c[0].args, ElementsAre(GL_LIGHTING));
  EXPECT_THAT(c[1].args, ElementsAre(GL_LINE_STIPPLE));
  EXPECT_THAT(c[2].args, ElementsAre(GL_LINE_SMOOTH));
  EXPECT_THAT(c[3].args, ElementsAre(GL_COLOR_MATERIAL));
  EXPECT_THAT(c[4].args, ElementsAre(GL_LINE_SMOOTH_HINT, GL_NICEST));
  EXPECT_THAT(c[5].args, ElementsAre(GL_POINT_SMOOTH_HINT, GL_NICEST));
  EXPECT_THAT(c[6].args, ElementsAre(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA));
  EXPECT_THAT(c[7].args, ElementsAre(GL_BLEND));
  EXPECT_THAT(c[8].args, ElementsAre(GL_GREATER, 0.0));
  EXPECT_THAT(c[9].args, ElementsAre(GL_ALPHA_TEST));
}

TEST_F(GlStateTest, SmoothLinesOffIssuesFiveDisables) {
  GlRecorder rec;
  state.SetSmoothLines(false);
  EXPECT_THAT(rec.Names(), ElementsAre("glDisable", "glDisable", "glDisable", "glDisable", "glDisable"));
  std::vector<double> caps;
  for (const GlCall& c : rec.Calls()) caps.push_back(c.args[0]);
  EXPECT_THAT(caps, ElementsAre(GL_LIGHTING, GL_LINE_SMOOTH, GL_COLOR_MATERIAL, GL_BLEND, GL_ALPHA_TEST));
}

TEST_F(GlStateTest, OnThenOffKeepsFunctionsAndHintsButDisablesEverything) {
  glEnable(GL_LIGHTING);
  glEnable(GL_LINE_STIPPLE);
  state.SetSmoothLines(true);
  EXPECT_TRUE(IsEnabled(GL_LINE_SMOOTH));
  EXPECT_TRUE(IsEnabled(GL_BLEND));
  EXPECT_TRUE(IsEnabled(GL_ALPHA_TEST));
  EXPECT_TRUE(IsEnabled(GL_COLOR_MATERIAL));
  state.SetSmoothLines(false);
  for (GLenum cap : {GL_LIGHTING, GL_LINE_STIPPLE, GL_LINE_SMOOTH, GL_COLOR_MATERIAL, GL_BLEND, GL_ALPHA_TEST})
    EXPECT_FALSE(IsEnabled(cap)) << cap;
  EXPECT_EQ(GetInt(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(GetInt(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(GetInt(GL_ALPHA_TEST_FUNC), GL_GREATER);
  EXPECT_EQ(GetFloat(GL_ALPHA_TEST_REF), 0.0f);
  EXPECT_EQ(GetInt(GL_LINE_SMOOTH_HINT), GL_NICEST);
  EXPECT_EQ(GetInt(GL_POINT_SMOOTH_HINT), GL_NICEST);
}

TEST_F(GlStateTest, SmoothLinesOffLeavesStippleAlone) {
  glEnable(GL_LINE_STIPPLE);
  state.SetSmoothLines(false);
  EXPECT_TRUE(IsEnabled(GL_LINE_STIPPLE));
}

struct Probe : Quorvel::GlObjectsBase {
  explicit Probe(bool* destroyed) : destroyed(destroyed) {}
  ~Probe() override { *destroyed = true; }
  bool* destroyed;
};

TEST(GlObjectsBase, DeletingThroughTheBaseRunsTheDerivedDestructor) {
  bool destroyed = false;
  Quorvel::GlObjectsBase* object = new Probe(&destroyed);
  delete object;
  EXPECT_TRUE(destroyed);
}

}  // namespace
}  // namespace QuorvelTest
