#include "Feedback.h"

#include "GlTest.h"

#include <algorithm>

namespace QuorvelTest {
namespace {

std::vector<FbItem> Parse(const GLfloat* f, const GLfloat* end) {
  std::vector<FbItem> items;
  while (f < end) {
    FbItem item{static_cast<int>(*f++), {}, 0};
    int n = 1;
    if (item.token == GL_LINE_TOKEN || item.token == GL_LINE_RESET_TOKEN) n = 2;
    if (item.token == GL_POLYGON_TOKEN) n = static_cast<int>(*f++);
    if (item.token == GL_PASS_THROUGH_TOKEN) n = 0, item.value = *f++;
    for (; n > 0; --n, f += 11)
      item.vertices.push_back({{f[0], f[1], f[2]}, {f[3], f[4], f[5], f[6]}, {f[7], f[8], f[9], f[10]}});
    items.push_back(item);
  }
  return items;
}

}  // namespace

Feedback CaptureFeedback(const std::function<void()>& draw, std::size_t capacity) {
  std::vector<GLfloat> buffer(capacity);
  glFeedbackBuffer(static_cast<GLsizei>(capacity), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint size = glRenderMode(GL_RENDER);
  EXPECT_GE(size, 0) << "the feedback buffer overflowed";
  return {Parse(buffer.data(), buffer.data() + std::max(size, 0))};
}

Feedback CaptureWorldFeedback(const std::function<void()>& draw, std::size_t capacity) {
  GlTest::UseWorldWindowMapping();
  Feedback fb = CaptureFeedback(draw, capacity);
  // glOrtho(near −S, far S) maps z to −z/S, and the depth range maps that to (1 − z/S)/2.
  for (FbItem& item : fb.items)
    for (FbVertex& v : item.vertices) v.position[2] = kWorldExtent * (1.0 - 2.0 * v.position[2]);
  return fb;
}

}  // namespace QuorvelTest
