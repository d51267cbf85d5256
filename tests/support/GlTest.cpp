#include "GlTest.h"

#include "GlQueries.h"

namespace QuorvelTest {

void GlTest::SetUp() {
  context = std::make_unique<Headless::HeadlessContext>(SurfaceWidth(), SurfaceHeight());
  ASSERT_TRUE(context->Ok()) << context->Error();
}

GlTest::~GlTest() {
  if (context && context->Ok()) Audit();
}

void GlTest::Audit() const {
  EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), 0) << "attribute stack left unbalanced";
  EXPECT_EQ(GetInt(GL_CLIENT_ATTRIB_STACK_DEPTH), 0) << "client attribute stack left unbalanced";
  EXPECT_EQ(GetInt(GL_MODELVIEW_STACK_DEPTH), 1) << "modelview stack left unbalanced";
  EXPECT_EQ(GetInt(GL_PROJECTION_STACK_DEPTH), 1) << "projection stack left unbalanced";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "a GL error is pending after the test";
  // A fresh context hands out names from 1 upward, so anything alive has leaked.
  for (GLuint name = 1; name <= 4096; ++name) {
    EXPECT_FALSE(glIsTexture(name)) << "texture " << name << " left alive";
    EXPECT_FALSE(glIsList(name)) << "display list " << name << " left alive";
  }
}

void GlTest::UseWorldWindowMapping() {
  const int s = static_cast<int>(kWorldExtent);
  glViewport(-s, -s, 2 * s, 2 * s);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-kWorldExtent, kWorldExtent, -kWorldExtent, kWorldExtent, -kWorldExtent, kWorldExtent);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

}  // namespace QuorvelTest
