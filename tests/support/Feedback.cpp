#include "Feedback.h"

#include "GlTest.h"

namespace QuorvelTest {
namespace {

class Reader {
public:
  Reader(const std::vector<GLfloat>& buffer, std::size_t size) : buf(buffer), end(size) {}
  bool More() const { return pos < end; }
  float Next() { return buf[pos++]; }
  FbVertex Vertex() {
    FbVertex v{};
    for (double& p : v.position) p = Next();
    for (float& c : v.color) c = Next();
    for (float& t : v.texCoord) t = Next();
    return v;
  }

private:
  const std::vector<GLfloat>& buf;
  std::size_t end;
  std::size_t pos = 0;
};

std::vector<FbItem> Parse(const std::vector<GLfloat>& buffer, std::size_t size) {
  std::vector<FbItem> items;
  Reader r(buffer, size);
  while (r.More()) {
    const int token = static_cast<int>(r.Next());
    FbItem item{};
    int vertices = 1;
    switch (token) {
      case GL_POINT_TOKEN: item.kind = FbItem::Point; break;
      case GL_LINE_TOKEN: item.kind = FbItem::Line; vertices = 2; break;
      case GL_LINE_RESET_TOKEN: item.kind = FbItem::LineReset; vertices = 2; break;
      case GL_POLYGON_TOKEN: item.kind = FbItem::Polygon; vertices = static_cast<int>(r.Next()); break;
      case GL_BITMAP_TOKEN: item.kind = FbItem::Bitmap; break;
      case GL_DRAW_PIXEL_TOKEN: item.kind = FbItem::DrawPixel; break;
      case GL_COPY_PIXEL_TOKEN: item.kind = FbItem::CopyPixel; break;
      case GL_PASS_THROUGH_TOKEN: item.kind = FbItem::PassThrough; item.value = r.Next(); vertices = 0; break;
      default: ADD_FAILURE() << "unknown feedback token " << token; return items;
    }
    for (int i = 0; i < vertices; ++i) item.vertices.push_back(r.Vertex());
    items.push_back(item);
  }
  return items;
}

}  // namespace

std::vector<FbItem> Feedback::Of(FbItem::Kind kind) const {
  std::vector<FbItem> out;
  for (const FbItem& i : items)
    if (i.kind == kind) out.push_back(i);
  return out;
}

std::size_t Feedback::Count(FbItem::Kind kind) const { return Of(kind).size(); }

std::vector<std::array<double, 3>> Feedback::LinePositions() const {
  std::vector<std::array<double, 3>> out;
  for (const FbItem& i : items)
    if (i.kind == FbItem::Line || i.kind == FbItem::LineReset)
      for (const FbVertex& v : i.vertices) out.push_back(v.position);
  return out;
}

std::vector<std::vector<FbVertex>> Feedback::Polygons() const {
  std::vector<std::vector<FbVertex>> out;
  for (const FbItem& i : Of(FbItem::Polygon)) out.push_back(i.vertices);
  return out;
}

std::vector<float> Feedback::PassThroughValues() const {
  std::vector<float> out;
  for (const FbItem& i : Of(FbItem::PassThrough)) out.push_back(i.value);
  return out;
}

Feedback CaptureFeedback(const std::function<void()>& draw, std::size_t capacity) {
  std::vector<GLfloat> buffer(capacity);
  glFeedbackBuffer(static_cast<GLsizei>(capacity), GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint size = glRenderMode(GL_RENDER);
  Feedback fb;
  fb.overflowed = size < 0;
  fb.items = Parse(buffer, size < 0 ? capacity : static_cast<std::size_t>(size));
  return fb;
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
