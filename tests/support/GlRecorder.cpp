#include "GlRecorder.h"

#include <GL/glu.h>
#include <algorithm>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace QuorvelTest {
namespace {

GlRecorder* active = nullptr;
bool quadricFails = false;
thread_local int depth = 0;  // > 0 while inside an intercepted call

template <typename F>
F Real(const char* name) {
  if (void* p = dlsym(RTLD_NEXT, name)) return reinterpret_cast<F>(p);
  std::fprintf(stderr, "GlRecorder: no real %s after the test executable\n", name);
  std::abort();
}

// One intercepted call, recorded if a recorder is active and the call does
// not come from inside another intercepted call. Allocates nothing otherwise,
// so that the allocation hook sees only the code under test.
class Scope {
public:
  Scope(const char* name, const char* kinds) : record(depth++ == 0 && active) {
    if (record) call = GlCall{name, kinds, {}, {}};
  }
  ~Scope() {
    if (--depth == 0 && record && active) active->Add(std::move(call));
  }
  template <typename... T>
  void Args(T... values) {
    if (record) (call.args.push_back(static_cast<double>(values)), ...);
  }
  template <typename T>
  void Array(const T* values, int n) {
    for (int i = 0; record && values && i < n; ++i) call.args.push_back(static_cast<double>(values[i]));
  }
  void Bytes(const void* p, std::size_t n) {
    if (record && p) call.data.assign(static_cast<const unsigned char*>(p), static_cast<const unsigned char*>(p) + n);
  }

private:
  bool record;
  GlCall call;
};

}  // namespace

GlRecorder::GlRecorder() {
  EXPECT_EQ(active, nullptr) << "GlRecorder does not nest";
  active = this;
}
GlRecorder::~GlRecorder() { active = nullptr; }
void SetGluNewQuadricFails(bool fail) { quadricFails = fail; }

std::size_t GlRecorder::Count(const std::string& name) const {
  return std::count_if(calls.begin(), calls.end(), [&](const GlCall& c) { return c.name == name; });
}

}  // namespace QuorvelTest

using namespace QuorvelTest;

// An intercepting entry point: records through `s`, then calls the driver.
// `kinds` has a letter for each argument (GlTrace.cpp).
#define QV_INTERCEPT(ret, name, kinds, params, args, record) \
  extern "C" ret name params {                               \
    static auto real = Real<decltype(&name)>(#name);         \
    Scope s(#name, kinds);                                   \
    record;                                                  \
    return real args;                                        \
  }
// One whose arguments are recorded as they are.
#define QV_PLAIN(name, kinds, params, args) QV_INTERCEPT(void, name, kinds, params, args, s.Args args)

#define QV_NO_ARGUMENTS(name) QV_PLAIN(name, "", (), ())
#define QV_ONE_ENUM(name) QV_PLAIN(name, "e", (GLenum e), (e))

QV_NO_ARGUMENTS(glEnd) QV_NO_ARGUMENTS(glEndList) QV_NO_ARGUMENTS(glLoadIdentity)
QV_NO_ARGUMENTS(glPushMatrix) QV_NO_ARGUMENTS(glPopMatrix) QV_NO_ARGUMENTS(glPopAttrib)
QV_NO_ARGUMENTS(glPopClientAttrib)
QV_ONE_ENUM(glEnable) QV_ONE_ENUM(glDisable) QV_ONE_ENUM(glMatrixMode)
QV_PLAIN(glBegin, "p", (GLenum mode), (mode))
QV_INTERCEPT(void, glVertex3dv, "", (const GLdouble* v), (v), s.Array(v, 3))
QV_INTERCEPT(void, glColor3dv, "", (const GLdouble* v), (v), s.Array(v, 3))
QV_PLAIN(glColor4ub, "", (GLubyte r, GLubyte g, GLubyte b, GLubyte a), (r, g, b, a))
QV_INTERCEPT(void, glColor4ubv, "", (const GLubyte* v), (v), s.Array(v, 4))
QV_PLAIN(glTexCoord2d, "", (GLdouble u, GLdouble v), (u, v))
QV_PLAIN(glPushAttrib, "b", (GLbitfield mask), (mask))
QV_PLAIN(glPushClientAttrib, "c", (GLbitfield mask), (mask))
QV_PLAIN(glTranslated, "", (GLdouble x, GLdouble y, GLdouble z), (x, y, z))
QV_PLAIN(glRotated, "", (GLdouble a, GLdouble x, GLdouble y, GLdouble z), (a, x, y, z))
QV_PLAIN(glOrtho, "", (GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f), (l, r, b, t, n, f))
QV_PLAIN(glFrustum, "", (GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f), (l, r, b, t, n, f))
QV_PLAIN(glLineWidth, "", (GLfloat w), (w))
QV_PLAIN(glLineStipple, "nx", (GLint factor, GLushort pattern), (factor, pattern))
QV_PLAIN(glHint, "ee", (GLenum target, GLenum mode), (target, mode))
QV_PLAIN(glBlendFunc, "ee", (GLenum sf, GLenum df), (sf, df))
QV_PLAIN(glAlphaFunc, "e", (GLenum f, GLclampf ref), (f, ref))
QV_PLAIN(glPolygonMode, "ee", (GLenum face, GLenum mode), (face, mode))
QV_PLAIN(glPassThrough, "", (GLfloat token), (token))
QV_PLAIN(glBindTexture, "e", (GLenum target, GLuint name), (target, name))
QV_PLAIN(glTexParameteri, "eee", (GLenum target, GLenum pname, GLint v), (target, pname, v))
QV_PLAIN(glPixelStorei, "e", (GLenum pname, GLint v), (pname, v))
QV_INTERCEPT(void, glTexImage2D, "enennnee",
             (GLenum tg, GLint l, GLint i, GLsizei w, GLsizei h, GLint b, GLenum f, GLenum t, const GLvoid* p),
             (tg, l, i, w, h, b, f, t, p), (s.Args(tg, l, i, w, h, b, f, t, p != nullptr), s.Bytes(p, 4ul * w * h)))
QV_INTERCEPT(void, glTexSubImage2D, "ennnnnee",
             (GLenum tg, GLint l, GLint x, GLint y, GLsizei w, GLsizei h, GLenum f, GLenum t, const GLvoid* p),
             (tg, l, x, y, w, h, f, t, p), (s.Args(tg, l, x, y, w, h, f, t), s.Bytes(p, 4ul * w * h)))
QV_INTERCEPT(void, glGetTexLevelParameteriv, "ene", (GLenum tg, GLint l, GLenum p, GLint* v), (tg, l, p, v),
             s.Args(tg, l, p))
QV_INTERCEPT(void, glGetIntegerv, "e", (GLenum pname, GLint* v), (pname, v), s.Args(pname))
QV_INTERCEPT(GLenum, glGetError, "", (), (), s.Args())
QV_INTERCEPT(void, glLightfv, "ee", (GLenum light, GLenum p, const GLfloat* v), (light, p, v),
             (s.Args(light, p), s.Array(v, p == GL_SHININESS ? 1 : 4)))
QV_INTERCEPT(void, glMaterialfv, "ee", (GLenum face, GLenum p, const GLfloat* v), (face, p, v),
             (s.Args(face, p), s.Array(v, p == GL_SHININESS ? 1 : 4)))
QV_PLAIN(glMaterialf, "ee", (GLenum face, GLenum pname, GLfloat v), (face, pname, v))
QV_PLAIN(glNewList, "ne", (GLuint list, GLenum mode), (list, mode))
QV_PLAIN(glDeleteLists, "", (GLuint list, GLsizei range), (list, range))
QV_INTERCEPT(void, glBitmap, "", (GLsizei w, GLsizei h, GLfloat x, GLfloat y, GLfloat dx, GLfloat dy, const GLubyte* b),
             (w, h, x, y, dx, dy, b), s.Args(w, h, x, y, dx, dy))
QV_PLAIN(glListBase, "", (GLuint base), (base))
QV_INTERCEPT(void, glCallLists, "ne", (GLsizei n, GLenum type, const GLvoid* lists), (n, type, lists),
             (s.Args(n, type), s.Bytes(type == GL_UNSIGNED_BYTE ? lists : nullptr, n > 0 ? n : 0)))
QV_PLAIN(gluLookAt, "", (double a, double b, double c, double d, double e, double f, double g, double h, double i),
         (a, b, c, d, e, f, g, h, i))
QV_INTERCEPT(void, gluDeleteQuadric, "", (GLUquadric * q), (q), s.Args(q != nullptr))
QV_INTERCEPT(void, gluCylinder, "", (GLUquadric * q, double base, double top, double h, GLint sl, GLint st),
             (q, base, top, h, sl, st), s.Args(q != nullptr, base, top, h, sl, st))
QV_INTERCEPT(void, glDeleteTextures, "", (GLsizei n, const GLuint* names), (n, names), (s.Args(n), s.Array(names, n)))

// Entry points whose recorded values exist only after the driver's call, or
// that may not call the driver at all.
extern "C" void glGenTextures(GLsizei n, GLuint* names) {
  static auto real = Real<decltype(&glGenTextures)>("glGenTextures");
  Scope s("glGenTextures", "");
  real(n, names);
  s.Args(n), s.Array(names, n);
}
extern "C" GLuint glGenLists(GLsizei range) {
  static auto real = Real<decltype(&glGenLists)>("glGenLists");
  Scope s("glGenLists", "");
  const GLuint base = real(range);
  return s.Args(range, base), base;
}
extern "C" GLUquadric* gluNewQuadric() {
  static auto real = Real<decltype(&gluNewQuadric)>("gluNewQuadric");
  Scope s("gluNewQuadric", "");
  return quadricFails ? nullptr : real();
}
