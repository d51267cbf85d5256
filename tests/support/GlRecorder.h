// Test-only recorder of the GL and GLU calls the library makes: the test
// executables define and export those entry points (GlRecorder.cpp), record
// each call while a GlRecorder is alive, and forward it to the driver. What
// each call's arguments hold is listed in tests/README.md.
#pragma once

#include "VectorPrinting.h"

#include <GL/gl.h>

#include <functional>
#include <string>
#include <vector>

namespace QuorvelTest {

struct GlCall {
  std::string name;
  const char* kinds = "";  // how Trace writes each argument (GlTrace.cpp)
  std::vector<double> args;
  std::vector<unsigned char> data;
};

/// A glBegin/glEnd block: its mode, its glVertex3dv points, and the arguments
/// of the last glColor call before its glEnd (none if there was none yet).
struct Primitive {
  GLenum mode;
  std::vector<double> color;
  std::vector<Brantel::Geometry::Vector3<double>> vertices;
};

class GlRecorder {
public:
  GlRecorder();   // starts recording; recorders do not nest
  ~GlRecorder();  // stops recording
  GlRecorder(const GlRecorder&) = delete;
  GlRecorder& operator=(const GlRecorder&) = delete;

  std::size_t Count(const std::string& name) const;
  std::vector<Primitive> Primitives() const;
  void Add(GlCall call) { calls.push_back(std::move(call)); }

  /// The log as text, one call a line (format in tests/README.md). Counted
  /// writes a run of n glVertex3dv calls as "glVertex3dv x n".
  enum class Vertices { Listed, Counted };
  std::string Trace(Vertices vertices = Vertices::Listed) const;

private:
  std::vector<GlCall> calls;
};

/// Records the GL calls of `draw` and returns their Trace.
std::string RecordTrace(const std::function<void()>& draw, GlRecorder::Vertices vertices = {});

/// While set, gluNewQuadric returns null without calling GLU, as GLU does when
/// it runs out of memory.
void SetGluNewQuadricFails(bool fail);

}  // namespace QuorvelTest
