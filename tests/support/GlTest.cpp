#include "GlTest.h"

#include "GlQueries.h"

#include <GL/gl.h>

namespace QuorvelTest {

void GlTest::SetUp() {
  context = std::make_unique<Headless::HeadlessContext>(SurfaceWidth(), SurfaceHeight());
  ASSERT_TRUE(context->Ok()) << context->Error();
  attribDepth = GetInt(GL_ATTRIB_STACK_DEPTH);
  clientAttribDepth = GetInt(GL_CLIENT_ATTRIB_STACK_DEPTH);
  modelviewDepth = GetInt(GL_MODELVIEW_STACK_DEPTH);
  projectionDepth = GetInt(GL_PROJECTION_STACK_DEPTH);
}

GlTest::~GlTest() {
  if (context && context->Ok()) Audit();
}

void GlTest::Audit() {
  EXPECT_EQ(GetInt(GL_ATTRIB_STACK_DEPTH), attribDepth) << "attribute stack left unbalanced";
  EXPECT_EQ(GetInt(GL_CLIENT_ATTRIB_STACK_DEPTH), clientAttribDepth) << "client attribute stack left unbalanced";
  EXPECT_EQ(GetInt(GL_MODELVIEW_STACK_DEPTH), modelviewDepth) << "modelview stack left unbalanced";
  EXPECT_EQ(GetInt(GL_PROJECTION_STACK_DEPTH), projectionDepth) << "projection stack left unbalanced";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "a GL error is pending after the test";
  // Names are handed out from 1 upward in a fresh context; the fixture's
  // objects have been destroyed by now, so anything alive has leaked.
  for (GLuint name = 1; name <= kAuditedNames; ++name) {
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
