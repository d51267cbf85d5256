#include "GlRecorder.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

namespace QuorvelTest {
namespace {

GlRecorder* active = nullptr;
bool quadricFails = false;
thread_local int depth = 0;  // > 0 while inside an intercepted call

void* RealSymbol(const char* name) {
  void* p = dlsym(RTLD_NEXT, name);
  if (!p) {
    std::fprintf(stderr, "GlRecorder: no real %s after the test executable\n", name);
    std::abort();
  }
  return p;
}

// One intercepted call: records when a recorder is active and the call does
// not come from inside another intercepted call.
class Scope {
public:
  explicit Scope(const char* name) : record(active != nullptr && depth == 0) {
    ++depth;
    if (record) call.name = name;
  }
  ~Scope() {
    --depth;
    if (record && active) active->Add(std::move(call));
  }
  void Args(std::initializer_list<double> values) {
    if (record) call.args.insert(call.args.end(), values.begin(), values.end());
  }
  template <typename T>
  void Array(const T* values, int n) {
    if (record && values)
      for (int i = 0; i < n; ++i) call.args.push_back(static_cast<double>(values[i]));
  }
  void Bytes(const void* p, std::size_t n) {
    if (record && p) call.data.assign(static_cast<const unsigned char*>(p), static_cast<const unsigned char*>(p) + n);
  }
  bool Recording() const { return record; }

private:
  bool record;
  GlCall call;
};

int LightValueCount(GLenum pname) {
  switch (pname) {
    case GL_SHININESS:
    case GL_SPOT_EXPONENT:
    case GL_SPOT_CUTOFF:
    case GL_CONSTANT_ATTENUATION:
    case GL_LINEAR_ATTENUATION:
    case GL_QUADRATIC_ATTENUATION: return 1;
    case GL_SPOT_DIRECTION: return 3;
    default: return 4;
  }
}

}  // namespace

GlRecorder::GlRecorder() {
  EXPECT_EQ(active, nullptr) << "GlRecorder does not nest";
  active = this;
}

GlRecorder::~GlRecorder() { active = nullptr; }

GlRecorder* GlRecorder::Active() { return active; }

void SetGluNewQuadricFails(bool fail) { quadricFails = fail; }
bool GluNewQuadricFails() { return quadricFails; }

std::vector<std::string> GlRecorder::Names() const {
  std::vector<std::string> names;
  for (const GlCall& c : calls) names.push_back(c.name);
  return names;
}

std::vector<GlCall> GlRecorder::Of(const std::string& name) const {
  std::vector<GlCall> out;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(out),
               [&](const GlCall& c) { return c.name == name; });
  return out;
}

std::size_t GlRecorder::Count(const std::string& name) const { return Of(name).size(); }

}  // namespace QuorvelTest

namespace QuorvelTest {
bool GluNewQuadricFails();
}

using QuorvelTest::RealSymbol;
using QuorvelTest::Scope;

// Defines an intercepting entry point. `record` runs with `s` the Scope.
#define QV_INTERCEPT(ret, name, params, args, record)                          \
  extern "C" ret name params {                                                 \
    static auto real = reinterpret_cast<ret(*) params>(RealSymbol(#name));     \
    Scope s(#name);                                                            \
    record;                                                                    \
    return real args;                                                          \
  }

#define D(x) static_cast<double>(x)

QV_INTERCEPT(void, glBegin, (GLenum mode), (mode), s.Args({D(mode)}))
QV_INTERCEPT(void, glEnd, (), (), (void)0)
QV_INTERCEPT(void, glVertex2d, (GLdouble x, GLdouble y), (x, y), s.Args({x, y}))
QV_INTERCEPT(void, glVertex3d, (GLdouble x, GLdouble y, GLdouble z), (x, y, z), s.Args({x, y, z}))
QV_INTERCEPT(void, glVertex3dv, (const GLdouble* v), (v), s.Array(v, 3))
QV_INTERCEPT(void, glColor3d, (GLdouble r, GLdouble g, GLdouble b), (r, g, b), s.Args({r, g, b}))
QV_INTERCEPT(void, glColor3dv, (const GLdouble* v), (v), s.Array(v, 3))
QV_INTERCEPT(void, glColor4ub, (GLubyte r, GLubyte g, GLubyte b, GLubyte a), (r, g, b, a),
             s.Args({D(r), D(g), D(b), D(a)}))
QV_INTERCEPT(void, glColor4ubv, (const GLubyte* v), (v), s.Array(v, 4))
QV_INTERCEPT(void, glTexCoord2d, (GLdouble u, GLdouble v), (u, v), s.Args({u, v}))
QV_INTERCEPT(void, glNormal3d, (GLdouble x, GLdouble y, GLdouble z), (x, y, z), s.Args({x, y, z}))
QV_INTERCEPT(void, glEnable, (GLenum cap), (cap), s.Args({D(cap)}))
QV_INTERCEPT(void, glDisable, (GLenum cap), (cap), s.Args({D(cap)}))
QV_INTERCEPT(void, glPushAttrib, (GLbitfield mask), (mask), s.Args({D(mask)}))
QV_INTERCEPT(void, glPopAttrib, (), (), (void)0)
QV_INTERCEPT(void, glPushClientAttrib, (GLbitfield mask), (mask), s.Args({D(mask)}))
QV_INTERCEPT(void, glPopClientAttrib, (), (), (void)0)
QV_INTERCEPT(void, glPushMatrix, (), (), (void)0)
QV_INTERCEPT(void, glPopMatrix, (), (), (void)0)
QV_INTERCEPT(void, glMatrixMode, (GLenum mode), (mode), s.Args({D(mode)}))
QV_INTERCEPT(void, glLoadIdentity, (), (), (void)0)
QV_INTERCEPT(void, glTranslated, (GLdouble x, GLdouble y, GLdouble z), (x, y, z), s.Args({x, y, z}))
QV_INTERCEPT(void, glRotated, (GLdouble a, GLdouble x, GLdouble y, GLdouble z), (a, x, y, z),
             s.Args({a, x, y, z}))
QV_INTERCEPT(void, glScaled, (GLdouble x, GLdouble y, GLdouble z), (x, y, z), s.Args({x, y, z}))
QV_INTERCEPT(void, glMultMatrixd, (const GLdouble* m), (m), s.Array(m, 16))
QV_INTERCEPT(void, glOrtho, (GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f),
             (l, r, b, t, n, f), s.Args({l, r, b, t, n, f}))
QV_INTERCEPT(void, glFrustum, (GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f),
             (l, r, b, t, n, f), s.Args({l, r, b, t, n, f}))
QV_INTERCEPT(void, glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h),
             s.Args({D(x), D(y), D(w), D(h)}))
QV_INTERCEPT(void, glLineWidth, (GLfloat w), (w), s.Args({D(w)}))
QV_INTERCEPT(void, glLineStipple, (GLint factor, GLushort pattern), (factor, pattern),
             s.Args({D(factor), D(pattern)}))
QV_INTERCEPT(void, glHint, (GLenum target, GLenum mode), (target, mode), s.Args({D(target), D(mode)}))
QV_INTERCEPT(void, glBlendFunc, (GLenum sf, GLenum df), (sf, df), s.Args({D(sf), D(df)}))
QV_INTERCEPT(void, glAlphaFunc, (GLenum f, GLclampf ref), (f, ref), s.Args({D(f), D(ref)}))
QV_INTERCEPT(void, glPolygonMode, (GLenum face, GLenum mode), (face, mode), s.Args({D(face), D(mode)}))
QV_INTERCEPT(void, glPassThrough, (GLfloat token), (token), s.Args({D(token)}))
QV_INTERCEPT(void, glBindTexture, (GLenum target, GLuint name), (target, name), s.Args({D(target), D(name)}))
QV_INTERCEPT(void, glTexParameteri, (GLenum target, GLenum pname, GLint v), (target, pname, v),
             s.Args({D(target), D(pname), D(v)}))
QV_INTERCEPT(void, glTexEnvi, (GLenum target, GLenum pname, GLint v), (target, pname, v),
             s.Args({D(target), D(pname), D(v)}))
QV_INTERCEPT(void, glPixelStorei, (GLenum pname, GLint v), (pname, v), s.Args({D(pname), D(v)}))
QV_INTERCEPT(void, glTexImage2D,
             (GLenum target, GLint level, GLint internal, GLsizei w, GLsizei h, GLint border,
              GLenum format, GLenum type, const GLvoid* pixels),
             (target, level, internal, w, h, border, format, type, pixels),
             (s.Args({D(target), D(level), D(internal), D(w), D(h), D(border), D(format), D(type),
                      D(pixels != nullptr)}),
              s.Bytes(pixels, static_cast<std::size_t>(w) * h * 4)))
QV_INTERCEPT(void, glTexSubImage2D,
             (GLenum target, GLint level, GLint x, GLint y, GLsizei w, GLsizei h, GLenum format,
              GLenum type, const GLvoid* pixels),
             (target, level, x, y, w, h, format, type, pixels),
             (s.Args({D(target), D(level), D(x), D(y), D(w), D(h), D(format), D(type)}),
              s.Bytes(pixels, static_cast<std::size_t>(w) * h * 4)))
QV_INTERCEPT(void, glGetTexLevelParameteriv, (GLenum target, GLint level, GLenum pname, GLint* v),
             (target, level, pname, v), s.Args({D(target), D(level), D(pname)}))
QV_INTERCEPT(void, glGetIntegerv, (GLenum pname, GLint* v), (pname, v), s.Args({D(pname)}))
QV_INTERCEPT(GLenum, glGetError, (), (), (void)0)
QV_INTERCEPT(void, glLightfv, (GLenum light, GLenum pname, const GLfloat* v), (light, pname, v),
             (s.Args({D(light), D(pname)}), s.Array(v, QuorvelTest::LightValueCount(pname))))
QV_INTERCEPT(void, glMaterialfv, (GLenum face, GLenum pname, const GLfloat* v), (face, pname, v),
             (s.Args({D(face), D(pname)}), s.Array(v, QuorvelTest::LightValueCount(pname))))
QV_INTERCEPT(void, glMaterialf, (GLenum face, GLenum pname, GLfloat v), (face, pname, v),
             s.Args({D(face), D(pname), D(v)}))
QV_INTERCEPT(void, glDeleteLists, (GLuint list, GLsizei range), (list, range), s.Args({D(list), D(range)}))
QV_INTERCEPT(void, glNewList, (GLuint list, GLenum mode), (list, mode), s.Args({D(list), D(mode)}))
QV_INTERCEPT(void, glEndList, (), (), (void)0)
QV_INTERCEPT(void, glBitmap,
             (GLsizei w, GLsizei h, GLfloat xo, GLfloat yo, GLfloat xm, GLfloat ym, const GLubyte* bits),
             (w, h, xo, yo, xm, ym, bits), s.Args({D(w), D(h), D(xo), D(yo), D(xm), D(ym)}))
QV_INTERCEPT(void, glListBase, (GLuint base), (base), s.Args({D(base)}))
QV_INTERCEPT(void, glCallLists, (GLsizei n, GLenum type, const GLvoid* lists), (n, type, lists),
             (s.Args({D(n), D(type)}), s.Bytes(type == GL_UNSIGNED_BYTE ? lists : nullptr, n > 0 ? n : 0)))
QV_INTERCEPT(void, glRasterPos2d, (GLdouble x, GLdouble y), (x, y), s.Args({x, y}))
QV_INTERCEPT(void, glRasterPos3d, (GLdouble x, GLdouble y, GLdouble z), (x, y, z), s.Args({x, y, z}))

extern "C" void glGenTextures(GLsizei n, GLuint* names) {
  static auto real = reinterpret_cast<void (*)(GLsizei, GLuint*)>(RealSymbol("glGenTextures"));
  Scope s("glGenTextures");
  real(n, names);
  s.Args({D(n)});
  s.Array(names, n);
}

extern "C" void glDeleteTextures(GLsizei n, const GLuint* names) {
  static auto real = reinterpret_cast<void (*)(GLsizei, const GLuint*)>(RealSymbol("glDeleteTextures"));
  Scope s("glDeleteTextures");
  s.Args({D(n)});
  s.Array(names, n);
  real(n, names);
}

extern "C" GLuint glGenLists(GLsizei range) {
  static auto real = reinterpret_cast<GLuint (*)(GLsizei)>(RealSymbol("glGenLists"));
  Scope s("glGenLists");
  const GLuint base = real(range);
  s.Args({D(range), D(base)});
  return base;
}

QV_INTERCEPT(void, gluLookAt,
             (GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
              GLdouble uy, GLdouble uz),
             (ex, ey, ez, cx, cy, cz, ux, uy, uz), s.Args({ex, ey, ez, cx, cy, cz, ux, uy, uz}))
extern "C" GLUquadric* gluNewQuadric() {
  static auto real = reinterpret_cast<GLUquadric* (*)()>(RealSymbol("gluNewQuadric"));
  Scope s("gluNewQuadric");
  return QuorvelTest::GluNewQuadricFails() ? nullptr : real();
}
QV_INTERCEPT(void, gluDeleteQuadric, (GLUquadric * q), (q), s.Args({D(q != nullptr)}))
QV_INTERCEPT(void, gluCylinder,
             (GLUquadric * q, GLdouble base, GLdouble top, GLdouble height, GLint slices, GLint stacks),
             (q, base, top, height, slices, stacks),
             s.Args({D(q != nullptr), base, top, height, D(slices), D(stacks)}))
