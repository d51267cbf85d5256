// Test-only call recorder. The test executables define the GL and GLU entry
// points the library uses (listed in GlRecorder.cpp) and export them, so the
// library's calls land here first; each call is recorded while a GlRecorder
// is alive and always forwarded to the real driver. Calls that GLU or the
// driver make from inside a recorded call are not recorded: the log is what
// the code under test issued.
//
// Arguments are stored as doubles in call order. Pointer arguments are
// expanded to the values they point to: glVertex3dv/glColor3dv give 3 values,
// glColor4ubv 4, glLightfv/glMaterialfv 4 (1 for scalar parameters),
// glGenTextures and glDeleteTextures the count followed by the names,
// glGenLists its range followed by the returned base. The bytes of
// glTexImage2D/glTexSubImage2D (RGBA, 4 bytes a texel) and glCallLists
// (GL_UNSIGNED_BYTE) are kept in `data`.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace QuorvelTest {

struct GlCall {
  std::string name;
  std::vector<double> args;
  std::vector<unsigned char> data;
};

class GlRecorder {
public:
  GlRecorder();   // starts recording; recorders do not nest
  ~GlRecorder();  // stops recording
  GlRecorder(const GlRecorder&) = delete;
  GlRecorder& operator=(const GlRecorder&) = delete;

  const std::vector<GlCall>& Calls() const { return calls; }
  std::vector<std::string> Names() const;
  /// The calls of one entry point, in order.
  std::vector<GlCall> Of(const std::string& name) const;
  std::size_t Count(const std::string& name) const;
  void Clear() { calls.clear(); }

  /// The recorder that is recording now, or null.
  static GlRecorder* Active();
  void Add(GlCall call) { calls.push_back(std::move(call)); }

private:
  std::vector<GlCall> calls;
};

/// While set, the intercepted gluNewQuadric returns null without calling GLU,
/// as GLU does when it runs out of memory.
void SetGluNewQuadricFails(bool fail);

}  // namespace QuorvelTest
