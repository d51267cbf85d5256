#include <quorvel/GlText.h>

#include "GlyphLists.h"
#include "GlyphSource.h"
#include "frame/GlScopes.h"

#include <GL/gl.h>

#include <algorithm>
#include <climits>
#include <cstring>

namespace Quorvel {
namespace {

constexpr GLsizei kCodeCount = 256;

}  // namespace

// The 256 lists of one GlText and its copies: generated on creation,
// deleted with the last owner.
class GlText::ListRange {
public:
  ListRange() : base(glGenLists(kCodeCount)) {}
  ~ListRange() {
    if (base != 0) glDeleteLists(base, kCodeCount);
  }
  ListRange(const ListRange&) = delete;
  ListRange& operator=(const ListRange&) = delete;

  const GLuint base;
};

GlText::GlText(const char* faceName, int pointSize, int weight) {
  // The owner exists before the names do, so a failed allocation leaks none.
  lists = std::make_shared<ListRange>();
  listBase = lists->base;
  if (listBase == 0) return;
  const auto glyphs = std::make_unique<GlyphSet>();
  LoadGlyphs(faceName, pointSize, weight, *glyphs);
  CompileGlyphLists(listBase, *glyphs);
}

GlText::GlText(const GlText& other) = default;
GlText& GlText::operator=(const GlText& other) = default;
GlText::~GlText() = default;

void GlText::Write(const char* text) {
  if (text == nullptr || listBase == 0) return;
  const std::size_t length = std::min<std::size_t>(std::strlen(text), INT_MAX);
  const AttributeScope attributes(GL_LIST_BIT);
  glListBase(listBase);
  glCallLists(static_cast<GLsizei>(length), GL_UNSIGNED_BYTE, text);
}

}  // namespace Quorvel
