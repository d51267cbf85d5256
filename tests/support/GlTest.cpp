#include "GlTest.h"

#include "GlQueries.h"

#include <GL/gl.h>

namespace QuorvelTest {

void GlTest::SetUp() {
  context = std::make_unique<HeadlessContext>(SurfaceWidth(), SurfaceHeight());
  ASSERT_TRUE(context->Ok()) << context->Error();
  attribDepth = GetInt(GL_ATTRIB_STACK_DEPTH);
  modelviewDepth = GetInt(GL_MODELVIEW_STACK_DEPTH);
  projectionDepth = GetInt(GL_PROJECTION_STACK_DEPTH);
}

void GlTest::TearDown() {
  if (context && context->Ok()) {
    EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), attribDepth) << "attribute stack left unbalanced";
    EXPECT_EQ(GetInt(GL_MODELVIEW_STACK_DEPTH), modelviewDepth) << "modelview stack left unbalanced";
    EXPECT_EQ(GetInt(GL_PROJECTION_STACK_DEPTH), projectionDepth) << "projection stack left unbalanced";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "a GL error is pending after the test";
  }
  context.reset();
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
